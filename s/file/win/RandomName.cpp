// s/file/win/RandomName.cpp
#include "s/file/win/RandomName.h"

namespace s::file::win {

namespace {

bool isNameUnit(int8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '1' && c <= '9'); }

}  // namespace

wchar_t drawNameUnit(DrawFunction draw) {
    for (;;) {
        int8_t c = static_cast<int8_t>(draw() & 0xFF);
        if (isNameUnit(c)) return static_cast<wchar_t>(c);
    }
}

void randomizeStretch(wchar_t* chars, uint32_t start, uint32_t end, DrawFunction draw) {
    for (uint32_t i = start; i < end; ++i) {
        if (chars[i] != L'.') chars[i] = drawNameUnit(draw);
    }
}

}  // namespace s::file::win
