// tests/s/file/wiper/win/MethodCases.h
//
// The four overwrite methods as rows of a table, and helpers that read recorded passes.
#pragma once
#include <cstdlib>
#include <string>

#include "s/file/win/RandomSource.h"
#include "s/file/wiper/IMethod.h"
#include "s/file/wiper/win/Method_DoD.h"
#include "s/file/wiper/win/Method_DoD_E.h"
#include "s/file/wiper/win/Method_Gutmann.h"
#include "s/file/wiper/win/Method_Pseudorandom.h"

namespace tests {

struct MethodCase {
    const wchar_t* classId;
    int passes;
    s::file::wiper::IMethod* (*make)();
};

template <class M>
s::file::wiper::IMethod* makeMethod() { return new M(); }

inline const MethodCase kMethodCases[] = {
    {L"s_file_wiper_win_Method_Gutmann", 35, &makeMethod<s::file::wiper::win::Method_Gutmann>},
    {L"s_file_wiper_win_Method_DoD", 7, &makeMethod<s::file::wiper::win::Method_DoD>},
    {L"s_file_wiper_win_Method_DoD_E", 3, &makeMethod<s::file::wiper::win::Method_DoD_E>},
    {L"s_file_wiper_win_Method_Pseudorandom", 1, &makeMethod<s::file::wiper::win::Method_Pseudorandom>},
};

// Puts this thread's generator at a known seed, as srand(seed) puts the run-time's: the
// run-time's own srand()/rand() then model the draws that follow.
inline void seedKnown(unsigned seed) { s::file::win::RandomSource::seed(seed); }

// The repeating unit of a pass's bytes, counted from the range's start: one byte, three
// bytes, or "" when the bytes repeat neither way (a random pass).
inline std::string unitOf(const std::string& bytes) {
    if (bytes.size() < 6) return "";
    for (size_t period : {size_t(1), size_t(3)}) {
        bool repeats = true;
        for (size_t i = period; i < bytes.size() && repeats; ++i) repeats = bytes[i] == bytes[i % period];
        if (repeats) return bytes.substr(0, period);
    }
    return "";
}

}  // namespace tests
