// s/reg/IRegDir.h
//
// One registry key: a predefined root, a key path below it, and an open native handle
// while the key is open. Failures are not reported beyond the result: false, null, an
// empty list or the caller's default. Keys, lists and strings an operation returns are new
// pooled objects that the caller releases. See s/reg/win/RegDir.h for the rules.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::col::_array { class ArrayP; class ArrayU08; }
namespace s::str::strarray { class StrArray; }
namespace s::str::strbuffer { class StrBuffer; }

namespace s::reg {

class IRegDir : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    using ArrayP = s::col::_array::ArrayP;
    using ArrayU08 = s::col::_array::ArrayU08;
    using StrArray = s::str::strarray::StrArray;
    using StrBuffer = s::str::strbuffer::StrBuffer;

    // Paths and opening
    virtual const StrBuffer* displayPath() const = 0;
    virtual const StrBuffer* nativePath() const = 0;
    virtual IRegDir* parentKey() const = 0;
    virtual ArrayP* subkeys() = 0;
    virtual ArrayP* subkeysMatching(const wchar_t* prefix) = 0;
    virtual HKEY root() const = 0;
    virtual bool setRoot(HKEY root) = 0;
    virtual const StrBuffer* keyPath() const = 0;
    virtual bool open(const wchar_t* path) = 0;
    virtual const wchar_t* name() const = 0;
    virtual bool openFullPath(const wchar_t* text) = 0;
    virtual bool openAt(HKEY root, const wchar_t* path) = 0;
    virtual void close() = 0;
    virtual bool reopen() = 0;
    virtual bool isOpen() const = 0;
    virtual bool create() = 0;
    virtual bool deleteKey(bool withKey) = 0;
    virtual bool rename(const wchar_t* newName) = 0;
    virtual bool flush() = 0;

    // Values
    virtual bool queryValue(const wchar_t* name, uint32_t* type, uint32_t* size,
                            int32_t expectedType) = 0;
    virtual StrArray* valueNames() = 0;
    virtual uint64_t totalSize(bool recurse, uint32_t* subkeyCount, uint32_t* valueCount) = 0;
    virtual uint32_t valueSize(const wchar_t* name) = 0;
    virtual uint8_t getU8(const wchar_t* name, uint8_t defaultValue) = 0;
    virtual uint16_t getU16(const wchar_t* name, uint16_t defaultValue) = 0;
    virtual uint32_t getU32(const wchar_t* name, uint32_t defaultValue) = 0;
    virtual uint64_t getU64(const wchar_t* name, uint64_t defaultValue) = 0;
    virtual int8_t getS8(const wchar_t* name, int8_t defaultValue) = 0;
    virtual int16_t getS16(const wchar_t* name, int16_t defaultValue) = 0;
    virtual int32_t getS32(const wchar_t* name, int32_t defaultValue) = 0;
    virtual int64_t getS64(const wchar_t* name, int64_t defaultValue) = 0;
    virtual float getFloat(const wchar_t* name, float defaultValue) = 0;
    virtual double getDouble(const wchar_t* name, double defaultValue) = 0;
    virtual bool getBool(const wchar_t* name, bool defaultValue) = 0;
    virtual bool getString(const wchar_t* name, StrBuffer* text, bool* wasExpandable,
                           bool expand) = 0;
    virtual StrArray* getStringList(const wchar_t* name, StrArray* list) = 0;
    virtual ArrayU08* getBytes(const wchar_t* name, ArrayU08* bytes) = 0;
    virtual bool deleteValue(const wchar_t* name) = 0;
    virtual bool setU8(const wchar_t* name, uint8_t value) = 0;
    virtual bool setU16(const wchar_t* name, uint16_t value) = 0;
    virtual bool setU32(const wchar_t* name, uint32_t value) = 0;
    virtual bool setU64(const wchar_t* name, uint64_t value) = 0;
    virtual bool setS8(const wchar_t* name, int8_t value) = 0;
    virtual bool setS16(const wchar_t* name, int16_t value) = 0;
    virtual bool setS32(const wchar_t* name, int32_t value) = 0;
    virtual bool setS64(const wchar_t* name, int64_t value) = 0;
    virtual bool setFloat(const wchar_t* name, float value) = 0;
    virtual bool setDouble(const wchar_t* name, double value) = 0;
    virtual bool setBool(const wchar_t* name, bool value) = 0;
    virtual bool setString(const wchar_t* name, const wchar_t* text) = 0;
    virtual bool setExpandString(const wchar_t* name, const wchar_t* text) = 0;
    virtual bool setStringList(const wchar_t* name, const StrArray* list) = 0;
    virtual bool setBytes(const wchar_t* name, const ArrayU08* bytes) = 0;
};

}  // namespace s::reg
