// s/archive/dll/TypeCodes.h
//
// The archive's own codes of the standard resource types: their names in alphabetical
// order, numbered from 0. Pure functions of the table.
#pragma once
#include <cstdint>

namespace s::archive::dll {

enum TypeCode : uint32_t {
    kAccelerator, kAniCursor, kAniIcon, kBitmap, kCursor, kDialog, kDlgInclude, kFont, kFontDir,
    kGroupCursor, kGroupIcon, kHtml, kIcon, kManifest, kMenu, kMessageTable, kPlugPlay, kRcData,
    kString, kVersion, kVxd,
    kTypeCodeCount
};

// The code of a standard type id (RT_...); false for a number that is no standard type.
bool typeCodeOfStandardId(uint32_t id, uint32_t* code);
// The standard id of a code; the value itself when it is no code.
uint32_t standardIdOfTypeCode(uint32_t code);
// "ACCELERATOR" ... "VXD"; null when it is no code.
const wchar_t* typeCodeName(uint32_t code);

}  // namespace s::archive::dll
