// bench/PathTexts.h
//
// Path-like texts for the benchmarks: n distinct paths of about 50 characters spread over 97
// folders, as a user's documents would be.
#pragma once
#include <string>
#include <vector>

namespace bench {

inline std::vector<std::wstring> pathTexts(int n) {
    std::vector<std::wstring> texts;
    texts.reserve(n);
    for (int i = 0; i < n; ++i)
        texts.push_back(L"C:\\Users\\someone\\Documents\\folder " + std::to_wstring(i % 97) + L"\\file-" +
                        std::to_wstring(i) + L".txt");
    return texts;
}

}  // namespace bench
