// s/archive/dll/IEntry.h
//
// A resource of a module: type and name, each a number or a text, a language and its
// handle. Types below 0x10000 are kept as the archive's own type codes (TypeCodes.h).
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/archive/IEntry.h"

namespace s::archive::dll {

class IEntry : public s::archive::IEntry {
public:
    virtual void setSize(uint64_t size) = 0;
    virtual void setNameId(uint16_t id) = 0;
    virtual bool setName(const wchar_t* text) = 0;  // a value below 0x10000 is an id
    virtual bool hasNumericName() const = 0;
    virtual bool hasTextName() const = 0;
    virtual uint16_t nameId() const = 0;       // 0 for a text name
    virtual const wchar_t* nameText() const = 0;  // "" for a numeric name
    // A type code (TypeCodes.h), or a number that is no standard type kept as it is.
    virtual void setTypeId(uint32_t code, bool standard) = 0;
    virtual bool setType(const wchar_t* text) = 0;  // a value below 0x10000 is a standard id
    virtual bool hasNumericType() const = 0;
    virtual bool hasTextType() const = 0;
    virtual uint32_t typeId() const = 0;
    virtual bool hasStandardType() const = 0;
    virtual const wchar_t* typeText() const = 0;
    virtual HRSRC handle() const = 0;
    virtual void setHandle(HRSRC handle) = 0;
    // The type as the system's resource calls take it: the standard id, or the number.
    virtual uint32_t exportTypeOrdinal() const = 0;
    virtual void setPrimaryLanguage(uint16_t language) = 0;  // 10 bits
    virtual uint16_t primaryLanguage() const = 0;
    virtual void setSubLanguage(uint16_t language) = 0;  // 6 bits
    virtual uint16_t subLanguage() const = 0;
};

}  // namespace s::archive::dll
