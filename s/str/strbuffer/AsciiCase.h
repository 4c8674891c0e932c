// s/str/strbuffer/AsciiCase.h
//
// The case folding of the string operations: only A-Z and a-z. It is what the run-time
// library's wide case functions do in the C locale, which this program never leaves, and it
// keeps the ignore-case hash codes in step with the ignore-case comparisons.
#pragma once
#include <cstdint>

namespace s::str::strbuffer {

inline wchar_t lowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; }
inline wchar_t upperAscii(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c; }

// -1, 0 or 1 over n units of each, folding A-Z to a-z as the run-time library does.
inline int compareFolded(const wchar_t* a, const wchar_t* b, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) {
        wchar_t x = lowerAscii(a[i]), y = lowerAscii(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

}  // namespace s::str::strbuffer
