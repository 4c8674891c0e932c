// s/reg/MappedData.h
//
// The settings store on a registry key (the base key, HKEY_CURRENT_USER\<path> for stores
// from openRegistryData). Values are encoded by type and read back by data size only (see
// RegDir). Every change reaches the registry at once, so save() does nothing. The working
// key of the last selected section stays open between operations. Any thread: one lock
// around each operation, so no operation lands under another's section; a text from
// getString stays valid until the same thread's next getString on the store, whatever
// other threads do meanwhile. Owns both keys.
#pragma once
#include <atomic>

#include "s/map/IMappedData.h"
#include "s/reg/ThreadTexts.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/ObjLocker.h"

namespace s::reg::win { class RegDir; }

namespace s::reg {

class MappedData final : public s::map::IMappedData {
public:
    using RegDir = s::reg::win::RegDir;
    using StrBuffer = s::str::strbuffer::StrBuffer;

    MappedData() = default;
    ~MappedData() override;
    MappedData(const MappedData&) = delete;
    MappedData& operator=(const MappedData&) = delete;

    // Takes `base` as the base key (owned; the previous keys are released) and opens the
    // working key on its root and path.
    void attachKey(RegDir* base);
    const RegDir* baseKey() const { return m_base; }

    // IMappedData
    void save() override {}
    void openPath(const wchar_t* path) override;
    // An empty path (the base key itself) is refused: it would erase the whole store.
    void removePath(const wchar_t* path) override;
    bool selectPath(const wchar_t* path) override;
    bool hasValue(const wchar_t* path, const wchar_t* name) override;
    uint8_t getU8(const wchar_t* path, const wchar_t* name, uint8_t defaultValue) override;
    uint16_t getU16(const wchar_t* path, const wchar_t* name, uint16_t defaultValue) override;
    uint32_t getU32(const wchar_t* path, const wchar_t* name, uint32_t defaultValue) override;
    uint64_t getU64(const wchar_t* path, const wchar_t* name, uint64_t defaultValue) override;
    int8_t getS8(const wchar_t* path, const wchar_t* name, int8_t defaultValue) override;
    int16_t getS16(const wchar_t* path, const wchar_t* name, int16_t defaultValue) override;
    int32_t getS32(const wchar_t* path, const wchar_t* name, int32_t defaultValue) override;
    int64_t getS64(const wchar_t* path, const wchar_t* name, int64_t defaultValue) override;
    float getFloat(const wchar_t* path, const wchar_t* name, float defaultValue) override;
    double getDouble(const wchar_t* path, const wchar_t* name, double defaultValue) override;
    bool getBool(const wchar_t* path, const wchar_t* name, bool defaultValue) override;
    const wchar_t* getString(const wchar_t* path, const wchar_t* name, const wchar_t* defaultText,
                             bool* wasExpandable = nullptr, bool expand = false) override;
    StrArray* getStringList(const wchar_t*, const wchar_t*) override { return nullptr; }
    ArrayU08* getBytes(const wchar_t* path, const wchar_t* name, ArrayU08* bytes = nullptr) override;
    void deleteValue(const wchar_t* path, const wchar_t* name) override;
    void setU8(const wchar_t* path, const wchar_t* name, uint8_t value) override;
    void setU16(const wchar_t* path, const wchar_t* name, uint16_t value) override;
    void setU32(const wchar_t* path, const wchar_t* name, uint32_t value) override;
    void setU64(const wchar_t* path, const wchar_t* name, uint64_t value) override;
    void setS8(const wchar_t* path, const wchar_t* name, int8_t value) override;
    void setS16(const wchar_t* path, const wchar_t* name, int16_t value) override;
    void setS32(const wchar_t* path, const wchar_t* name, int32_t value) override;
    void setS64(const wchar_t* path, const wchar_t* name, int64_t value) override;
    void setFloat(const wchar_t* path, const wchar_t* name, float value) override;
    void setDouble(const wchar_t* path, const wchar_t* name, double value) override;
    void setBool(const wchar_t* path, const wchar_t* name, bool value) override;
    void setString(const wchar_t* path, const wchar_t* name, const wchar_t* text) override;
    void setExpandString(const wchar_t* path, const wchar_t* name, const wchar_t* text) override;
    // Stores nothing (the registry store keeps no lists); only auto-save runs.
    void setStringList(const wchar_t* path, const wchar_t* name, const StrArray* list) override;
    void setBytes(const wchar_t* path, const wchar_t* name, const ArrayU08* bytes) override;
    bool getAutoSave() const override { return m_autoSave; }
    void setAutoSave(bool on) override { m_autoSave = on; }

    // IObject
    const wchar_t* classId() const override { return L"s_reg_MappedData"; }
    s::base::IObject* newInstance() const override;

    // IPoolable: both keys released, no last path, auto-save off
    void releaseToPool() override;
    void resetForReuse() override;

private:
    bool select(const wchar_t* path);
    bool selectCreating(const wchar_t* path);
    bool isSelected(const StrBuffer& path) const;
    bool replaceWorkingKey(const StrBuffer& path);
    void buildFullPath(const StrBuffer& path);
    void releaseKeys();
    void saveWhenAuto();
    template <class T>
    T read(const wchar_t* path, const wchar_t* name, T defaultValue, T (RegDir::*get)(const wchar_t*, T));
    template <class T>
    void write(const wchar_t* path, const wchar_t* name, T value, bool (RegDir::*set)(const wchar_t*, T));

    s::thread::ObjLocker m_lock;
    StrBuffer m_scratch;   // full key paths are built here
    StrBuffer m_lastPath;  // tidied, compared ignoring case
    StrBuffer m_section;   // the caller's path, tidied
    ThreadTexts m_texts;   // the last text getString gave each thread
    RegDir* m_base = nullptr;
    RegDir* m_work = nullptr;
    std::atomic<bool> m_autoSave{false};
};

// A pooled store on HKEY_CURRENT_USER\<path>; the caller releases it to its pool. Null
// when no store could be made.
MappedData* openRegistryData(const wchar_t* path);
// The product's store: HKEY_CURRENT_USER\Software\Ostrel\<registryName>\SaveData. Null for
// an empty name or one holding "\" (it would name another product's keys).
MappedData* openProductRegistryData(const wchar_t* registryName);

}  // namespace s::reg
