// s/reg/win/RegDir.h
//
// One registry key over the native key calls of ntdll (NtRegistry.h): a root (one of the
// five predefined HKEYs), a key path below it (separators tidied: no leading, trailing or
// doubled "\") and the open native handle. Operations that need the key open it when it is
// closed. One thread at a time per key; the shared buffers behind the reads and listings
// have their own locks, so keys on several threads may read at once. Pooled.
//
// Safety: deleteKey and rename refuse a key whose path is empty (a root), any root of the
// table (HKEY_USERS\<SID> is HKEY_CURRENT_USER) and the hive roots directly below
// \Registry\Machine and \Registry\User; a tree delete never follows a registry link (it
// removes the link itself).
#pragma once
#include <windows.h>

#include "s/col/_array/ArrayU08.h"
#include "s/reg/IRegDir.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::reg::win {

struct NtRegistry;

class RegDir final : public s::reg::IRegDir {
public:
    RegDir();
    ~RegDir() override;
    RegDir(const RegDir&) = delete;
    RegDir& operator=(const RegDir&) = delete;

    // Paths and opening. displayPath: "HKEY_CURRENT_USER\Software"; nativePath:
    // "\Registry\User\S-1-5-...\Software" (no "\" after the root when the path is empty).
    const StrBuffer* displayPath() const override { return &m_displayPath; }
    const StrBuffer* nativePath() const override { return &m_nativePath; }
    // A new key on the same root for the path before the last "\", opened when it exists;
    // null for a path of one component or none (no parent reaches a root).
    IRegDir* parentKey() const override;
    // A pooled list of new keys (one per subkey, opened) that owns them: releasing the list
    // releases them. Empty when this key does not open; null only when memory ran out.
    ArrayP* subkeys() override;
    ArrayP* subkeysMatching(const wchar_t* prefix) override;  // names beginning with prefix, any case
    HKEY root() const override { return m_root; }
    bool setRoot(HKEY root) override;  // false (nothing changed) for an HKEY not in the table
    const StrBuffer* keyPath() const override { return &m_path; }
    bool open(const wchar_t* path) override;  // sets the path; true when the key opened
    const wchar_t* name() const override;     // the last component; "" for the root
    // "HKEY_CURRENT_USER\Software" and the like; any other text opens HKEY_CURRENT_USER\InvalidKey.
    bool openFullPath(const wchar_t* text) override;
    bool openAt(HKEY root, const wchar_t* path) override;
    void close() override;
    bool reopen() override;  // when open: closes and opens again
    bool isOpen() const override { return m_handle != nullptr; }
    // Opens the key, making it and every missing parent when needed (full access).
    bool create() override;
    // Every subkey, depth first, then (withKey) the key itself; the key is closed
    // afterwards. False when anything was refused or could not be deleted.
    bool deleteKey(bool withKey) override;
    bool rename(const wchar_t* newName) override;  // a plain name; the key is closed afterwards
    bool flush() override;

    // Values. queryValue reads one value (whole, whatever its size) into the key's value
    // buffer; *type and *size (when given) tell its type and data size even when the type
    // is not expectedType (-1: any), and 0 when it is missing.
    bool queryValue(const wchar_t* name, uint32_t* type, uint32_t* size,
                    int32_t expectedType = -1) override;
    StrArray* valueNames() override;  // pooled; empty when the key does not open
    // The data sizes of every value (and, recursing, of every key below; links are not
    // followed), with the numbers of subkeys and values added to the counters given.
    uint64_t totalSize(bool recurse, uint32_t* subkeyCount = nullptr,
                       uint32_t* valueCount = nullptr) override;
    uint32_t valueSize(const wchar_t* name) override;  // 0 when missing
    // Typed reads go by data size only: 4 bytes for the 8-, 16- and 32-bit reads, float
    // and bool; 8 bytes for the 64-bit reads and double. Anything else gives the default.
    uint8_t getU8(const wchar_t* name, uint8_t defaultValue = 0) override;
    uint16_t getU16(const wchar_t* name, uint16_t defaultValue = 0) override;
    uint32_t getU32(const wchar_t* name, uint32_t defaultValue = 0) override;
    uint64_t getU64(const wchar_t* name, uint64_t defaultValue = 0) override;
    int8_t getS8(const wchar_t* name, int8_t defaultValue = 0) override;
    int16_t getS16(const wchar_t* name, int16_t defaultValue = 0) override;
    int32_t getS32(const wchar_t* name, int32_t defaultValue = 0) override;
    int64_t getS64(const wchar_t* name, int64_t defaultValue = 0) override;
    float getFloat(const wchar_t* name, float defaultValue = 0) override;
    double getDouble(const wchar_t* name, double defaultValue = 0) override;
    bool getBool(const wchar_t* name, bool defaultValue = false) override;
    // Replaces *text and answers true for a value of size 0 (empty text), REG_SZ, or
    // REG_EXPAND_SZ (*wasExpandable set; environment variables expanded when asked); false,
    // *text untouched, when missing or of another type. Only the data is read: a text
    // without its zero ends at the data's end, an odd last byte is dropped.
    bool getString(const wchar_t* name, StrBuffer* text, bool* wasExpandable = nullptr,
                   bool expand = false) override;
    // A REG_MULTI_SZ into the given list (replaced) or a new pooled one; one empty string
    // reads as an empty list, and a text lacking its final zeros is read to the data's
    // end. Null when missing or of another type (a given list is emptied).
    StrArray* getStringList(const wchar_t* name, StrArray* list = nullptr) override;
    // The data into the given array (replaced) or a new pooled one; null when missing (a
    // given array is emptied).
    ArrayU08* getBytes(const wchar_t* name, ArrayU08* bytes = nullptr) override;
    bool deleteValue(const wchar_t* name) override;
    // Writes make the key when it is not open (false when it cannot be made). U8-U32 and
    // bool: REG_DWORD zero-extended (S8-S32 sign-extended); U64, S64, double: 8 bytes
    // REG_BINARY; float: 4 bytes REG_BINARY; strings with their zero; lists REG_MULTI_SZ.
    bool setU8(const wchar_t* name, uint8_t value) override;
    bool setU16(const wchar_t* name, uint16_t value) override;
    bool setU32(const wchar_t* name, uint32_t value) override;
    bool setU64(const wchar_t* name, uint64_t value) override;
    bool setS8(const wchar_t* name, int8_t value) override;
    bool setS16(const wchar_t* name, int16_t value) override;
    bool setS32(const wchar_t* name, int32_t value) override;
    bool setS64(const wchar_t* name, int64_t value) override;
    bool setFloat(const wchar_t* name, float value) override;
    bool setDouble(const wchar_t* name, double value) override;
    bool setBool(const wchar_t* name, bool value) override;
    bool setString(const wchar_t* name, const wchar_t* text) override;
    bool setExpandString(const wchar_t* name, const wchar_t* text) override;
    bool setStringList(const wchar_t* name, const StrArray* list) override;
    bool setBytes(const wchar_t* name, const ArrayU08* bytes) override;

    // IObject
    const wchar_t* classId() const override { return L"s_reg_win_RegDir"; }
    s::base::IObject* newInstance() const override;

    // IPoolable: closed, root HKEY_LOCAL_MACHINE, empty path, buffers freed
    void releaseToPool() override;
    void resetForReuse() override;

private:
    void setPath(const wchar_t* path);
    void buildPaths();
    bool openHandle();
    bool isProtected() const;
    bool readSized(const wchar_t* name, uint32_t size);
    uint32_t readDword(const wchar_t* name, uint32_t defaultValue);
    uint64_t readQword(const wchar_t* name, uint64_t defaultValue);
    bool writeValue(const wchar_t* name, uint32_t type, const void* data, uint32_t size);
    bool writeText(const wchar_t* name, uint32_t type, const wchar_t* text);
    ArrayP* listSubkeys(const wchar_t* prefix);

    s::col::_array::ArrayU08 m_value;  // the data of the last value read
    StrBuffer m_text;                  // a string value before expansion
    HANDLE m_handle = nullptr;
    HKEY m_root = HKEY_LOCAL_MACHINE;
    const wchar_t* m_rootName = L"HKEY_LOCAL_MACHINE";
    const wchar_t* m_rootNativePath = L"\\Registry\\Machine";
    StrBuffer m_path;
    StrBuffer m_displayPath;
    StrBuffer m_nativePath;
};

// `path` with its separators tidied into *out: no leading, trailing or doubled "\". Native
// paths of Windows reject what Wine lets pass, and an empty result names the root itself.
void tidyKeyPath(const wchar_t* path, s::str::strbuffer::StrBuffer* out);

}  // namespace s::reg::win
