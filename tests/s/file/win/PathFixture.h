// tests/s/file/win/PathFixture.h
//
// What the path tests share: a sandbox per test (skipped when the session has no fixture
// drive), pooled paths made inside it, and a few direct Win32 looks at what happened.
#pragma once
#include <windows.h>

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "s/col/_array/ArrayP.h"
#include "s/file/win/PathWin.h"
#include "support/Pooled.h"
#include "support/Sandbox.h"

namespace tests {

class PathFixture : public testing::Test {
protected:
    void SetUp() override {
        if (!box.ok()) GTEST_SKIP() << "no fixture drive";
    }

    // A pooled path of a sandbox item, released at the end of the scope.
    Pooled<s::file::win::PathWin> path(const std::wstring& relative) const {
        return Pooled<s::file::win::PathWin>(s::file::win::pathFromString(box.at(relative).c_str()));
    }

    DWORD attributesOf(const std::wstring& relative) const { return GetFileAttributesW(box.at(relative).c_str()); }

    std::string contentOf(const std::wstring& relative) const {
        std::string bytes;
        box.readFile(relative, &bytes);
        return bytes;
    }

    // The names in a sandbox folder, as FindFirstFileW sees them ("." and ".." left out).
    std::vector<std::wstring> namesIn(const std::wstring& relative) const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW((box.at(relative) + L"\\*").c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            std::wstring name = entry.cFileName;
            if (name != L"." && name != L"..") names.push_back(name);
        } while (FindNextFileW(find, &entry));
        FindClose(find);
        return names;
    }

    Sandbox box;
};

// The full paths of a path listing, which is released.
inline std::vector<std::wstring> fullPathsOf(s::col::_array::ArrayP* listing) {
    std::vector<std::wstring> paths;
    if (!listing) return paths;
    for (uint32_t i = 0; i < listing->count(); ++i)
        paths.push_back(listing->item<s::file::win::PathWin>(i)->getFullPath());
    listing->releaseToPool();
    return paths;
}

}  // namespace tests
