// s/archive/dll/IArchive.h
//
// The resources of a module file. The find operations search the entries in order and
// answer true with the first match's index in *index (untouched on a miss); type codes are
// those of TypeCodes.h, and a text never matches a number. The renderings write text for
// the entry at an index; all answer false when the entry is absent, of another type or
// damaged (then what was written is incomplete and must be discarded).
#pragma once
#include <cstdint>

#include "s/archive/IArchive.h"

namespace s::col::_array { class ArrayU08; }

namespace s::archive::dll {

class IArchive : public s::archive::IArchive {
public:
    virtual bool findByName(const wchar_t* name, uint32_t* index) const = 0;
    virtual bool findByNameId(uint16_t id, uint32_t* index) const = 0;
    virtual bool findByNameIgnoreCase(const wchar_t* name, uint32_t* index) const = 0;
    virtual bool findNthOfType(uint32_t typeCode, uint32_t n, uint32_t* index) const = 0;
    virtual bool findTypeTextName(const wchar_t* type, const wchar_t* name, uint32_t* index) const = 0;
    virtual bool findTypeTextNameId(const wchar_t* type, uint16_t id, uint32_t* index) const = 0;
    virtual bool findTypeIdName(uint32_t typeCode, const wchar_t* name, uint32_t* index) const = 0;
    virtual bool findTypeIdNameId(uint32_t typeCode, uint16_t id, uint32_t* index) const = 0;
    virtual bool findTypeTextNameIgnoreCase(const wchar_t* type, const wchar_t* name,
                                            uint32_t* index) const = 0;
    virtual bool findTypeIdNameIgnoreCase(uint32_t typeCode, const wchar_t* name, uint32_t* index) const = 0;

    // Every entry into folder\<type>\<name>[.ext]; the folder must exist. False when any
    // entry could not be written (the others are written still).
    virtual bool exportAll(s::file::IPath* folder) = 0;
    virtual bool groupIconAsIco(uint32_t index, s::io::IOutputStream* out) = 0;
    virtual bool groupCursorAsCur(uint32_t index, s::io::IOutputStream* out) = 0;
    virtual bool bitmapAsBmp(uint32_t index, s::io::IOutputStream* out) = 0;
    virtual bool versionAsText(uint32_t index, s::io::IOutputStream* out) = 0;
    virtual bool stringTableAsText(uint32_t index, s::io::IOutputStream* out) = 0;
    virtual bool describeAccelerators(uint32_t index, s::io::IOutputStream* out) = 0;
    virtual bool describeMenu(uint32_t index, s::io::IOutputStream* out) = 0;
    virtual bool describeDialog(uint32_t index, s::io::IOutputStream* out) = 0;
    // Writes the resource into the module file (the module is reloaded whatever happens);
    // type and name as the system's resource calls take them.
    virtual bool updateEntry(const s::col::_array::ArrayU08* bytes, const wchar_t* type,
                             const wchar_t* name, uint16_t language) = 0;
    virtual void forgetModule() = 0;  // the module stays loaded; its handle is dropped
};

}  // namespace s::archive::dll
