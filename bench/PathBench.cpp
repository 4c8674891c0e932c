// bench/PathBench.cpp
//
// The path object's costs beside the bare Win32 work in the same run: parsing path texts
// (against copying each text and finding its last separator and dot), and listing a tree
// (a recursive listing into pooled paths, and the folder total, against a recursive
// FindFirstFileW loop that builds each full path as a std::wstring). The tree is made in a
// sandbox on the session's fixture drive (tools/wine-session); without one only the parsing
// is measured. Best of three rounds; figures only, not a test. Usage: path_bench [files per
// folder] (default 200, in 10 folders).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/PathTexts.h"
#include "bench/Timing.h"
#include "s/col/_array/ArrayP.h"
#include "s/file/win/PathWin.h"
#include "support/Sandbox.h"

namespace {

using bench::bestOfThree;
using bench::g_sink;
using s::file::win::PathWin;

using bench::pathTexts;

void measureParsing() {
    const std::vector<std::wstring> texts = pathTexts(100000);
    PathWin path;
    const double parse = bestOfThree([&] {
        for (const std::wstring& t : texts) {
            path.assignText(t.c_str());
            g_sink = g_sink + path.getLength();
        }
    });
    const double reference = bestOfThree([&] {
        for (const std::wstring& t : texts) {
            std::wstring copy = t;
            g_sink = g_sink + copy.find_last_of(L'\\') + copy.find_last_of(L'.');
        }
    });
    std::printf("parse %zu paths:   %8.1f ns each   (copy + find separator and dot: %6.1f ns)\n", texts.size(),
                parse * 1e9 / texts.size(), reference * 1e9 / texts.size());
}

size_t rawCount(const std::wstring& folder) {
    size_t n = 0;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L".." || (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) continue;
        const std::wstring full = folder + L"\\" + name;
        ++n;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) n += rawCount(full);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return n;
}

void measureListing(int filesPerFolder) {
    tests::Sandbox box;
    if (!box.ok()) {
        std::printf("listing: no fixture drive (run under tools/wine-session)\n");
        return;
    }
    for (int f = 0; f < 10; ++f) {
        const std::wstring folder = L"folder" + std::to_wstring(f);
        box.makeFolder(folder);
        for (int i = 0; i < filesPerFolder; ++i) box.writeFile(folder + L"\\file" + std::to_wstring(i) + L".bin", "x");
    }
    const size_t entries = 10 + 10 * static_cast<size_t>(filesPerFolder);
    PathWin root;
    root.assignText(box.path().c_str());
    size_t listed = 0, counted = 0;
    const double list = bestOfThree([&] {
        s::col::_array::ArrayP* paths = root.listChildren(true, nullptr, true);
        listed = paths ? paths->count() : 0;
        if (paths) paths->releaseToPool();
    });
    const double total = bestOfThree([&] { g_sink = g_sink + root.getSize(true, true, nullptr, nullptr, true); });
    const double raw = bestOfThree([&] { counted = rawCount(box.path()); });
    std::printf("list %zu entries:  %8.1f us each   (recursive FindFirstFileW with std::wstring paths: %6.1f us)\n",
                listed, list * 1e6 / entries, raw * 1e6 / entries);
    std::printf("folder total:       %8.1f us each   (%zu entries counted by the reference)\n", total * 1e6 / entries,
                counted);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int filesPerFolder = argc > 1 ? _wtoi(argv[1]) : 200;
    measureParsing();
    measureListing(filesPerFolder > 0 ? filesPerFolder : 200);
    return 0;
}
