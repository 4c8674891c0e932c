// s/archive/dll/TypeCodes.cpp
#include "s/archive/dll/TypeCodes.h"

namespace s::archive::dll {
namespace {

struct TypeRow {
    const wchar_t* name;
    uint32_t id;
};

constexpr TypeRow kTypes[kTypeCodeCount] = {
    {L"ACCELERATOR", 9}, {L"ANICURSOR", 21}, {L"ANIICON", 22},     {L"BITMAP", 2},
    {L"CURSOR", 1},      {L"DIALOG", 5},     {L"DLGINCLUDE", 17},  {L"FONT", 8},
    {L"FONTDIR", 7},     {L"GROUP_CURSOR", 12}, {L"GROUP_ICON", 14}, {L"HTML", 23},
    {L"ICON", 3},        {L"MANIFEST", 24},  {L"MENU", 4},         {L"MESSAGETABLE", 11},
    {L"PLUGPLAY", 19},   {L"RCDATA", 10},    {L"STRING", 6},       {L"VERSION", 16},
    {L"VXD", 20},
};

}  // namespace

bool typeCodeOfStandardId(uint32_t id, uint32_t* code) {
    for (uint32_t k = 0; k < kTypeCodeCount; ++k) {
        if (kTypes[k].id == id) {
            *code = k;
            return true;
        }
    }
    return false;
}

uint32_t standardIdOfTypeCode(uint32_t code) { return code < kTypeCodeCount ? kTypes[code].id : code; }

const wchar_t* typeCodeName(uint32_t code) { return code < kTypeCodeCount ? kTypes[code].name : nullptr; }

}  // namespace s::archive::dll
