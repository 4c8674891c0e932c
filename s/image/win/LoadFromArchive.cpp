// s/image/win/LoadFromArchive.cpp
#include "s/image/win/LoadFromArchive.h"

#include "s/archive/dll/TypeCodes.h"
#include "s/archive/dll/win/Archive.h"

namespace s::image::win {

namespace {

bool isNumber(const wchar_t* text) { return reinterpret_cast<uintptr_t>(text) < 0x10000; }
uint16_t numberOf(const wchar_t* text) { return static_cast<uint16_t>(reinterpret_cast<uintptr_t>(text)); }

bool find(s::archive::dll::win::Archive* archive, const wchar_t* type, const wchar_t* name, uint32_t* index) {
    if (!isNumber(type)) {
        return isNumber(name) ? archive->findTypeTextNameId(type, numberOf(name), index)
                              : archive->findTypeTextName(type, name, index);
    }
    uint32_t code = numberOf(type);
    if (!s::archive::dll::typeCodeOfStandardId(code, &code) && code < s::archive::dll::kTypeCodeCount)
        return false;
    return isNumber(name) ? archive->findTypeIdNameId(code, numberOf(name), index)
                          : archive->findTypeIdName(code, name, index);
}

}  // namespace

s::col::_array::ArrayU08* extractArchiveEntry(s::archive::dll::win::Archive* archive, const wchar_t* type,
                                              const wchar_t* name) {
    uint32_t index = 0;
    if (!archive || !type || !name || !find(archive, type, name, &index)) return nullptr;
    s::col::_array::ArrayU08* bytes = archive->extractEntry(archive->entryOf(index));
    if (bytes) bytes->seekStart();
    return bytes;
}

}  // namespace s::image::win
