// tests/s/lang/UiLanguageTest.cpp
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "s/lang/UiLanguage.h"

namespace {

using s::lang::kUiLanguageNameUnits;
using s::lang::uiLanguageName;

std::wstring nameOf(uint16_t id) {
    wchar_t name[kUiLanguageNameUnits];
    uiLanguageName(id, name, kUiLanguageNameUnits);
    return name;
}

TEST(UiLanguage, WholeIdsThenThePrimaryLanguageInTheFormOfThePacks) {
    struct Row {
        uint16_t id;
        const wchar_t* name;
    } const rows[] = {
        {0x0409, L"English"},
        {0x0809, L"English"},  // any English by its primary language
        {0x0004, L"Chinese_simplified"},
        {0x0804, L"Chinese_simplified"},
        {0x1004, L"Chinese_simplified"},
        {0x0404, L"Chinese_traditional"},
        {0x0C04, L"Chinese_traditional"},
        {0x1404, L"Chinese_traditional"},
        {0x7C04, L"Chinese_traditional"},
        {0x001A, L"Croatian"},
        {0x041A, L"Croatian"},
        {0x101A, L"Croatian"},
        {0x0416, L"Portuguese_brazilian"},
        {0x0816, L"Portuguese_portugal"},
        {0x081A, L"Serbian_latin"},
        {0x181A, L"Serbian_latin"},
        {0x0C1A, L"Serbian_cyrillic"},
        {0x1C1A, L"Serbian_cyrillic"},
        {0x201A, L"Bosnian"},
        {0x7C1A, L"Serbian"},
        {0x241A, L"Serbian"},  // not a whole id: by its primary language
        {0x042E, L"Upper_sorbian"},
        {0x082E, L"Lower_sorbian"},
        {0x0407, L"German"},
        {0x0401, L"Arabic"},
        {0x0429, L"Persian"},
        {0x042A, L"Vietnamese"},
        {0x0439, L"Hindi"},
        {0x0484, L"Alsatian"},
        {0x0470, L"Igbo"},
        {0x046E, L"Luxembourgish"},
        {0x048C, L"Dari"},
        {0x0000, L"Unknown"},
        {0x002E, L"Unknown"},  // Sorbian has no primary name of its own
        {0x04FF, L"Unknown"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << row.id);
        EXPECT_EQ(row.name, nameOf(row.id));
    }
}

TEST(UiLanguage, EveryPrimaryLanguageOfTheTableHasItsName) {
    // The gaps of the table (46, 48, 49, 51, 61, ...) and everything past 140 are unknown.
    const int known[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                         22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42,
                         43, 44, 45, 47, 50, 52, 53, 54, 55, 56, 57, 58, 59, 60, 62, 63, 64, 65, 66, 67, 68,
                         69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 86, 87, 89, 90, 91,
                         93, 94, 95, 96, 97, 98, 99, 100, 101, 104, 106, 107, 108, 109, 110, 111, 112, 115,
                         120, 122, 124, 126, 128, 129, 130, 131, 132, 133, 134, 135, 136, 140};
    uint32_t named = 0;
    for (int primary = 0; primary < 256; ++primary) {
        const std::wstring name = nameOf(static_cast<uint16_t>(0x0800 | primary));
        if (name != L"Unknown") ++named;
    }
    // Lower Sorbian (0x082E) is named by its whole id although its primary language 46 is not.
    EXPECT_EQ(sizeof known / sizeof known[0] + 1, named);
    for (int primary : known) EXPECT_NE(L"Unknown", nameOf(static_cast<uint16_t>(0x0400 | primary))) << primary;
}

TEST(UiLanguage, ANameIsCutToTheRoomGiven) {
    wchar_t small[5] = {L'x', L'x', L'x', L'x', L'x'};
    uiLanguageName(0x0816, small, 5);
    EXPECT_EQ(std::wstring(L"Port"), small);
}

TEST(UiLanguage, TheProcessNameIsTheNameOfItsInterfaceLanguage) {
    const wchar_t* first = s::lang::currentUiLanguageName();
    EXPECT_EQ(nameOf(GetUserDefaultUILanguage()), first);
    EXPECT_EQ(first, s::lang::currentUiLanguageName());  // computed once
}

}  // namespace
