// s/xml/IXml.h
//
// An element of the program's own XML dialect: a name, ordered attributes (a pair with the
// empty name is a run of element text) and child elements. s::xml::Node implements it; see
// there for the dialect, ownership and failures.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"

namespace s::col::_array { class ArrayU08; }
namespace s::file { class IPath; }
namespace s::str::strbuffer { class StrBuffer; }

namespace s::xml {

class Attributes;

class IXml : public s::base::IObject {
public:
    using ArrayU08 = s::col::_array::ArrayU08;
    using IPath = s::file::IPath;
    using StrBuffer = s::str::strbuffer::StrBuffer;

    virtual uint32_t childCount() const = 0;
    virtual void clear() = 0;
    virtual void writeIndented(uint32_t depth) const = 0;
    virtual const wchar_t* parse(const wchar_t* text) = 0;
    virtual bool parseBytes(const uint8_t* bytes, uint32_t count) = 0;
    virtual const wchar_t* name() const = 0;
    virtual bool setName(const wchar_t* text, int32_t length) = 0;
    virtual bool nameEquals(const wchar_t* text, int32_t length) const = 0;
    virtual bool isComment() const = 0;
    virtual IXml* childAt(uint32_t i) const = 0;
    virtual IXml* addChildNamed(const wchar_t* text, int32_t length) = 0;
    virtual bool appendChild(IXml* child) = 0;
    virtual void removeChildAt(uint32_t i) = 0;
    virtual int32_t findChild(const wchar_t* text, int32_t length) const = 0;
    virtual IXml* childByName(const wchar_t* text, int32_t length) const = 0;

    virtual bool setS64(const wchar_t* name, int64_t value) = 0;
    virtual bool setU32(const wchar_t* name, uint32_t value) = 0;
    virtual bool setU16(const wchar_t* name, uint16_t value) = 0;
    virtual bool setU8(const wchar_t* name, uint8_t value) = 0;
    virtual bool setU64(const wchar_t* name, uint64_t value) = 0;
    virtual bool setS32(const wchar_t* name, int32_t value) = 0;
    virtual bool setS16(const wchar_t* name, int16_t value) = 0;
    virtual bool setS8(const wchar_t* name, int8_t value) = 0;
    virtual bool setFloat(const wchar_t* name, float value) = 0;
    virtual bool setDouble(const wchar_t* name, double value) = 0;
    virtual bool setText(const wchar_t* name, const wchar_t* text) = 0;
    virtual bool setHex64(const wchar_t* name, const uint64_t* values, uint32_t count) = 0;
    virtual bool setHex32(const wchar_t* name, const uint32_t* values, uint32_t count) = 0;
    virtual bool setHex16(const wchar_t* name, const uint16_t* values, uint32_t count) = 0;
    virtual bool setHex8(const wchar_t* name, const uint8_t* values, uint32_t count) = 0;
    virtual bool setHex64AsHalves(const wchar_t* name, const uint64_t* values, uint32_t count) = 0;

    virtual const wchar_t* getText(const wchar_t* name, const wchar_t* defaultText) const = 0;
    virtual bool getBool(const wchar_t* name, bool defaultValue) const = 0;
    virtual int8_t getS8(const wchar_t* name, int8_t defaultValue) const = 0;
    virtual int16_t getS16(const wchar_t* name, int16_t defaultValue) const = 0;
    virtual int32_t getS32(const wchar_t* name, int32_t defaultValue) const = 0;
    virtual int64_t getS64(const wchar_t* name, int64_t defaultValue) const = 0;
    virtual uint8_t getU8(const wchar_t* name, uint8_t defaultValue) const = 0;
    virtual uint16_t getU16(const wchar_t* name, uint16_t defaultValue) const = 0;
    virtual uint32_t getU32(const wchar_t* name, uint32_t defaultValue) const = 0;
    virtual bool getUnescapedText(const wchar_t* name, StrBuffer* out, bool append,
                                  const wchar_t* defaultText) const = 0;

    virtual StrBuffer* toText(StrBuffer* out, bool append) const = 0;
    virtual ArrayU08* toBytes(ArrayU08* out, bool append) const = 0;
    virtual Attributes& attributes() = 0;
    virtual bool loadFileText(const wchar_t* path) = 0;
    virtual bool loadFile(IPath* path) = 0;
    virtual bool saveFileText(const wchar_t* path) const = 0;
    virtual bool saveFile(IPath* path) const = 0;
};

}  // namespace s::xml
