// s/map/IMappedData.h
//
// The settings store: typed values addressed by a key path (sections separated by "\",
// relative to the store's base) and a value name. Every read takes a default that it
// returns whenever the value is missing or unreadable; no operation reports an error.
// With auto-save on, each change ends by writing the store to its medium. Implemented by
// s::reg::MappedData (the registry, in use) and the XML store.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::col::_array { class ArrayU08; }
namespace s::str::strarray { class StrArray; }

namespace s::map {

class IMappedData : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    using ArrayU08 = s::col::_array::ArrayU08;
    using StrArray = s::str::strarray::StrArray;

    virtual void save() = 0;
    // Selects the section, creating it and every missing parent when absent.
    virtual void openPath(const wchar_t* path) = 0;
    // Deletes the section with everything below it.
    virtual void removePath(const wchar_t* path) = 0;
    // True when the section exists; it is selected then.
    virtual bool selectPath(const wchar_t* path) = 0;
    virtual bool hasValue(const wchar_t* path, const wchar_t* name) = 0;

    virtual uint8_t getU8(const wchar_t* path, const wchar_t* name, uint8_t defaultValue) = 0;
    virtual uint16_t getU16(const wchar_t* path, const wchar_t* name, uint16_t defaultValue) = 0;
    virtual uint32_t getU32(const wchar_t* path, const wchar_t* name, uint32_t defaultValue) = 0;
    virtual uint64_t getU64(const wchar_t* path, const wchar_t* name, uint64_t defaultValue) = 0;
    virtual int8_t getS8(const wchar_t* path, const wchar_t* name, int8_t defaultValue) = 0;
    virtual int16_t getS16(const wchar_t* path, const wchar_t* name, int16_t defaultValue) = 0;
    virtual int32_t getS32(const wchar_t* path, const wchar_t* name, int32_t defaultValue) = 0;
    virtual int64_t getS64(const wchar_t* path, const wchar_t* name, int64_t defaultValue) = 0;
    virtual float getFloat(const wchar_t* path, const wchar_t* name, float defaultValue) = 0;
    virtual double getDouble(const wchar_t* path, const wchar_t* name, double defaultValue) = 0;
    virtual bool getBool(const wchar_t* path, const wchar_t* name, bool defaultValue) = 0;
    // Text owned by the store, valid until its next operation (or the default itself);
    // *wasExpandable (when given) tells that the text was stored as expandable.
    virtual const wchar_t* getString(const wchar_t* path, const wchar_t* name,
                                     const wchar_t* defaultText, bool* wasExpandable,
                                     bool expand) = 0;
    virtual StrArray* getStringList(const wchar_t* path, const wchar_t* name) = 0;
    // The given array, or a new pooled one, holding the bytes (empty when missing).
    virtual ArrayU08* getBytes(const wchar_t* path, const wchar_t* name, ArrayU08* bytes) = 0;
    virtual void deleteValue(const wchar_t* path, const wchar_t* name) = 0;

    virtual void setU8(const wchar_t* path, const wchar_t* name, uint8_t value) = 0;
    virtual void setU16(const wchar_t* path, const wchar_t* name, uint16_t value) = 0;
    virtual void setU32(const wchar_t* path, const wchar_t* name, uint32_t value) = 0;
    virtual void setU64(const wchar_t* path, const wchar_t* name, uint64_t value) = 0;
    virtual void setS8(const wchar_t* path, const wchar_t* name, int8_t value) = 0;
    virtual void setS16(const wchar_t* path, const wchar_t* name, int16_t value) = 0;
    virtual void setS32(const wchar_t* path, const wchar_t* name, int32_t value) = 0;
    virtual void setS64(const wchar_t* path, const wchar_t* name, int64_t value) = 0;
    virtual void setFloat(const wchar_t* path, const wchar_t* name, float value) = 0;
    virtual void setDouble(const wchar_t* path, const wchar_t* name, double value) = 0;
    virtual void setBool(const wchar_t* path, const wchar_t* name, bool value) = 0;
    virtual void setString(const wchar_t* path, const wchar_t* name, const wchar_t* text) = 0;
    virtual void setExpandString(const wchar_t* path, const wchar_t* name, const wchar_t* text) = 0;
    virtual void setStringList(const wchar_t* path, const wchar_t* name, const StrArray* list) = 0;
    virtual void setBytes(const wchar_t* path, const wchar_t* name, const ArrayU08* bytes) = 0;

    virtual bool getAutoSave() const = 0;
    virtual void setAutoSave(bool on) = 0;
};

}  // namespace s::map
