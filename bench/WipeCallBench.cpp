// bench/WipeCallBench.cpp
//
// Where the time of wiping one small file (or one folder of a deep chain) goes under the
// system in use: the calls the wiper makes per item, replayed step by step and timed per
// step, once as the wiper made them by whole path (attributes read and set by path, opens by
// path, an existence look-up before each random rename, MoveFileExW, DeleteFileW), once
// through handles (opens by a bare name relative to the folder's open handle, attributes,
// renames and deletion through the item's own handle). Both replays make the same changes
// in the same order: one pass of 4 KiB, COUNT cuts, COUNT renames, COUNT + 1 attribute
// changes and COUNT time stamps, then the deletion. Run by bench/wipe-bench.sh on trees it
// made; prints "STEP <plan> <step> <calls per item> <ms per item>" lines and a table.
//
//   wipe_call_bench files COUNT FOLDER_BY_PATH FOLDER_BY_HANDLE
//   wipe_call_bench chain COUNT CHAIN_BY_PATH CHAIN_BY_HANDLE [LEVELS]
//
// "files": every file directly in each folder is wiped (the folders stay). "chain": each
// folder holds one folder "d" down to the end; every folder under the top one is wiped,
// deepest first, and the top stays. Each folder must hold the file ".callbench" (or, for a
// chain, its top): the script's mark that it made the tree for this; nothing else is touched.
// LEVELS wipes only so many of the deepest folders of the chain by path (their cost per item
// is the one at the chain's full depth); through handles the whole chain is wiped.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "bench/Timing.h"
#include "s/file/win/NtFile.h"

namespace {

using s::file::win::NtFileBasics;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr wchar_t kMark[] = L".callbench";

struct Step {
    double seconds = 0;
    uint64_t calls = 0;
};

// Steps in the order first met, with their sums.
struct Steps {
    std::vector<std::wstring> order;
    std::map<std::wstring, Step> sums;
    template <class F>
    auto time(const wchar_t* name, F call) {
        const double start = bench::seconds();
        auto result = call();
        const double took = bench::seconds() - start;
        if (!sums.count(name)) order.push_back(name);
        Step& s = sums[name];
        s.seconds += took;
        ++s.calls;
        return result;
    }
};

// Looked up at run time, as the wiper does: XP has no such call.
DWORD finalPath(HANDLE h, wchar_t* out, DWORD room) {
    using Function = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
    static const Function f = reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetFinalPathNameByHandleW")));
    return f ? f(h, out, room, 0) : 0;
}

uint32_t g_seed = 12345;
wchar_t nameUnit() {
    static const wchar_t units[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz123456789";
    g_seed = g_seed * 1103515245u + 12345u;
    return units[(g_seed >> 16) % 61];
}
std::wstring randomLike(const std::wstring& name) {
    std::wstring out = name;
    for (wchar_t& c : out)
        if (c != L'.') c = nameUnit();
    return out;
}

std::wstring folderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }
std::wstring nameOf(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

bool writeOnePass(HANDLE file) {
    static char* block = static_cast<char*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    LARGE_INTEGER zero{};
    DWORD written = 0;
    return SetFilePointerEx(file, zero, nullptr, FILE_BEGIN) && WriteFile(file, block, 4096, &written, nullptr) &&
           FlushFileBuffers(file);
}

bool cut(HANDLE file, LONGLONG size, bool last) {
    LARGE_INTEGER at;
    at.QuadPart = size;
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file) && (!last || FlushFileBuffers(file));
}

void stampTimes(HANDLE file) {
    FILETIME t = {0x12345678u, 0x01D00000u};
    SetFileTime(file, &t, &t, &t);
}

// The item by whole path, call for call as the path-based wiper made them.
bool wipeByPath(Steps& s, const std::wstring& path, bool folder, int count, std::wstring* volumeRoot) {
    const DWORD dirFlag = folder ? FILE_FLAG_BACKUP_SEMANTICS : 0;
    auto attrs = [&](const std::wstring& p) { return s.time(L"attribute read by path", [&] { return GetFileAttributesW(p.c_str()); }); };
    auto setAttrs = [&](const std::wstring& p, DWORD v) {
        attrs(p);  // the link test before each change
        return s.time(L"attribute write by path", [&] { return SetFileAttributesW(p.c_str(), v); });
    };
    auto openByPath = [&](const std::wstring& p, DWORD access, DWORD share, DWORD flags) {
        return s.time(L"open by path", [&] {
            return CreateFileW(p.c_str(), access, share, nullptr, OPEN_EXISTING, flags | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        });
    };
    auto check = [&](HANDLE h) {
        BY_HANDLE_FILE_INFORMATION info;
        s.time(L"GetFileInformationByHandle", [&] { return GetFileInformationByHandle(h, &info); });
        wchar_t final[4096];
        s.time(L"final path (2 calls)", [&] {
            DWORD n = finalPath(h, nullptr, 0);
            return n < 4096 ? finalPath(h, final, 4096) : 0;
        });
    };
    if (folder) {
        s.time(L"listing by path", [&] {
            WIN32_FIND_DATAW entry;
            HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
            if (find == INVALID_HANDLE_VALUE) return false;
            while (FindNextFileW(find, &entry)) {}
            return FindClose(find) != 0;
        });
    }
    // Up to the first change: existence, attributes, link test, the check on its own handle.
    attrs(path);
    attrs(path);
    attrs(path);
    HANDLE h = openByPath(path, FILE_READ_ATTRIBUTES, kShareAll, FILE_FLAG_BACKUP_SEMANTICS);
    if (h == INVALID_HANDLE_VALUE) return false;
    check(h);
    CloseHandle(h);
    setAttrs(path, FILE_ATTRIBUTE_NORMAL);
    setAttrs(path, FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    // The streams: the query through a handle, then the volume's flags.
    attrs(path);
    h = openByPath(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, dirFlag);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    DWORD flags = 0;
    s.time(L"volume flags", [&] { return GetVolumeInformationW(volumeRoot->c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0); });
    if (!folder) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        s.time(L"size by path", [&] { return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data); });
        h = openByPath(path, GENERIC_READ | GENERIC_WRITE, 0, FILE_FLAG_NO_BUFFERING);
        if (h == INVALID_HANDLE_VALUE) return false;
        check(h);
        LARGE_INTEGER size;
        s.time(L"type and size", [&] { return GetFileType(h) && GetFileSizeEx(h, &size); });
        s.time(L"one pass of 4 KiB", [&] { return writeOnePass(h); });
        for (int k = count - 1; k >= 0; --k) s.time(L"cut", [&] { return cut(h, k ? size.QuadPart / 2 : 0, k == 0); });
        CloseHandle(h);
    }
    // The random renames: each tests the source, then the target's existence, then moves.
    attrs(path);
    attrs(path);
    setAttrs(path, FILE_ATTRIBUTE_NORMAL);
    setAttrs(path, FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    std::wstring current = path;
    for (int k = 0; k < count; ++k) {
        std::wstring target = folderOf(current) + L"\\" + randomLike(nameOf(current));
        attrs(current);
        s.time(L"existence of a missing name", [&] { return GetFileAttributesW(target.c_str()); });
        if (!s.time(L"MoveFileExW", [&] { return MoveFileExW(current.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH); }))
            return false;
        current = target;
    }
    h = openByPath(current, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_FLAG_BACKUP_SEMANTICS);
    if (h == INVALID_HANDLE_VALUE) return false;
    check(h);
    attrs(current);
    for (int k = 0; k <= count; ++k) setAttrs(current, k < count ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL);
    for (int k = 0; k < count; ++k) s.time(L"time stamp", [&] { stampTimes(h); return true; });
    CloseHandle(h);
    attrs(current);
    const bool gone = s.time(L"delete by path", [&] {
        return folder ? RemoveDirectoryW(current.c_str()) : DeleteFileW(current.c_str());
    });
    s.time(L"existence of a missing name", [&] { return GetFileAttributesW(current.c_str()); });
    s.time(L"existence of a missing name", [&] { return GetFileAttributesW(path.c_str()); });
    return gone;
}

// The item through handles: opened by its bare name inside its folder's handle, checked on
// that handle, and everything else done through the handle it holds.
bool wipeByHandle(Steps& s, HANDLE parent, const std::wstring& name, const std::wstring& path, bool folder, int count,
                  bool* volumeAsked, std::wstring* volumeRoot, HANDLE* held) {
    using namespace s::file::win;
    const uint32_t length = static_cast<uint32_t>(name.size());
    auto check = [&](HANDLE h) {
        NtFileBasics basics;
        DWORD names = 0;
        bool isFolder = false;
        s.time(L"basic + standard info", [&] { return readBasics(h, &basics) && readLinkCount(h, &names, &isFolder); });
        static wchar_t final[4096];
        s.time(L"final path (1 call)", [&] { return finalPath(h, final, 4096); });
    };
    auto setAttrs = [&](HANDLE h, DWORD v) { return s.time(L"attribute write by handle", [&] { return writeAttributes(h, v); }); };
    const uint32_t dirOption = folder ? kNtOpenFolder | kNtOpenBackupIntent : 0;
    // A folder's handle stays open for its children: sharing everything, as the path walk's did.
    // Still by path: existence, attributes and the link test before the first change.
    auto attrs = [&] { return s.time(L"attribute read by path", [&] { return GetFileAttributesW(path.c_str()); }); };
    attrs();
    attrs();
    attrs();
    const DWORD firstAccess = FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | DELETE | (folder ? FILE_LIST_DIRECTORY | FILE_TRAVERSE : 0);
    HANDLE h = s.time(L"open in folder", [&] { return openInFolder(parent, name.c_str(), length, firstAccess, kShareAll, dirOption); });
    if (h == INVALID_HANDLE_VALUE) return false;
    check(h);
    if (folder) {
        s.time(L"listing by handle", [&] {
            static char batch[65536];
            bool restart = true;
            int32_t got;
            while ((got = listFolderBatch(h, batch, sizeof batch, restart)) > 0) restart = false;
            return got == 0;
        });
    }
    setAttrs(h, FILE_ATTRIBUTE_NORMAL);
    setAttrs(h, FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (!*volumeAsked) {
        DWORD flags = 0;
        s.time(L"volume flags", [&] { return GetVolumeInformationW(volumeRoot->c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0); });
        *volumeAsked = true;
    }
    if (!folder) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        s.time(L"size by path", [&] { return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data); });
        CloseHandle(h);
        h = s.time(L"open in folder", [&] {
            return openInFolder(parent, name.c_str(), length, GENERIC_READ | GENERIC_WRITE | DELETE, 0, kNtOpenUnbuffered);
        });
        if (h == INVALID_HANDLE_VALUE) return false;
        check(h);
        LARGE_INTEGER size;
        s.time(L"type and size", [&] { return GetFileType(h) && GetFileSizeEx(h, &size); });
        s.time(L"one pass of 4 KiB", [&] { return writeOnePass(h); });
        for (int k = count - 1; k >= 0; --k) s.time(L"cut", [&] { return cut(h, k ? size.QuadPart / 2 : 0, k == 0); });
    }
    if (folder) check(h);  // its children took long
    attrs();               // the link test before the renames
    setAttrs(h, FILE_ATTRIBUTE_NORMAL);
    setAttrs(h, FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    std::wstring current = name;
    for (int k = 0; k < count; ++k) {
        std::wstring target = randomLike(current);
        if (!s.time(L"rename by handle", [&] { return renameInFolder(h, parent, target.c_str(), static_cast<uint32_t>(target.size())); })) {
            std::fwprintf(stderr, L"rename of %ls: error %lu\n", current.c_str(), GetLastError());
            return false;
        }
        current = target;
    }
    check(h);
    for (int k = 0; k <= count; ++k) setAttrs(h, k < count ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL);
    for (int k = 0; k < count; ++k) s.time(L"time stamp", [&] { stampTimes(h); return true; });
    const bool marked = s.time(L"delete by handle", [&] { return deleteOnClose(h); });
    if (held) {
        *held = h;  // a folder of the chain goes when its handle is closed, after its child's
    } else {
        s.time(L"close", [&] { return CloseHandle(h); });
        s.time(L"missing name in folder", [&] {
            return nameIsMissingInFolder(parent, current.c_str(), static_cast<uint32_t>(current.size()));
        });
    }
    return marked;
}

bool hasMark(const std::wstring& folder) {
    return GetFileAttributesW((folder + L"\\" + kMark).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> filesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) && wcscmp(entry.cFileName, kMark) != 0)
            names.push_back(entry.cFileName);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return names;
}

void print(const wchar_t* plan, const Steps& steps, uint64_t items, double* total) {
    *total = 0;
    for (const std::wstring& name : steps.order) {
        const Step& s = steps.sums.at(name);
        const double perItem = 1000.0 * s.seconds / static_cast<double>(items);
        *total += perItem;
        std::wprintf(L"STEP %ls \"%ls\" %.2f %.4f\n", plan, name.c_str(), static_cast<double>(s.calls) / items, perItem);
    }
}

HANDLE openFolderByPath(const std::wstring& path) {
    return CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE, kShareAll,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

int runFiles(int count, const std::wstring& byPath, const std::wstring& byHandle) {
    if (!hasMark(byPath) || !hasMark(byHandle)) return 2;
    std::wstring root = byPath.substr(0, 3);
    Steps path, handle;
    std::vector<std::wstring> names = filesIn(byPath);
    const double pathListing = bench::timeIt([&] { names = filesIn(byPath); });
    uint64_t failed = 0;
    const double pathSeconds = bench::timeIt([&] {
        for (const std::wstring& n : names)
            if (!wipeByPath(path, byPath + L"\\" + n, false, count, &root)) ++failed;
    });
    std::vector<std::wstring> other = filesIn(byHandle);
    HANDLE folder = openFolderByPath(byHandle);
    if (folder == INVALID_HANDLE_VALUE) return 1;
    bool volumeAsked = false;
    const double handleSeconds = bench::timeIt([&] {
        for (const std::wstring& n : other)
            if (!wipeByHandle(handle, folder, n, byHandle + L"\\" + n, false, count, &volumeAsked, &root, nullptr)) ++failed;
    });
    CloseHandle(folder);
    double a = 0, b = 0;
    print(L"path", path, names.size(), &a);
    print(L"handle", handle, other.size(), &b);
    std::wprintf(L"TOTAL path %zu items %.3f s (%.3f ms per item; listing %.3f ms per item)\n", names.size(), pathSeconds,
                 1000 * pathSeconds / names.size(), 1000 * pathListing / names.size());
    std::wprintf(L"TOTAL handle %zu items %.3f s (%.3f ms per item)\n", other.size(), handleSeconds,
                 1000 * handleSeconds / other.size());
    std::wprintf(L"FAILED %llu\n", static_cast<unsigned long long>(failed));
    return failed ? 1 : 0;
}

int runChain(int count, const std::wstring& byPath, const std::wstring& byHandle, size_t wanted) {
    if (!hasMark(byPath) || !hasMark(byHandle)) return 2;
    std::wstring root = byPath.substr(0, 3);
    // The chain's folders by path, top first.
    std::vector<std::wstring> levels;
    for (std::wstring p = byPath + L"\\d"; GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES; p += L"\\d")
        levels.push_back(p);
    Steps path, handle;
    uint64_t failed = 0;
    const size_t last = wanted && wanted < levels.size() ? levels.size() - wanted : 0;
    const double pathSeconds = bench::timeIt([&] {
        for (size_t i = levels.size(); i-- > last;)
            if (!wipeByPath(path, levels[i], true, count, &root)) ++failed;
    });
    const size_t pathItems = levels.size() - last;
    // Through handles: each level opened inside the one above, going down (as the walk
    // goes), then wiped deepest first; each folder's handle, marked for deletion, closes
    // after its child's.
    HANDLE top = openFolderByPath(byHandle);
    if (top == INVALID_HANDLE_VALUE) return 1;
    std::vector<HANDLE> handles;
    const double descent = bench::timeIt([&] {
        HANDLE parent = top;
        for (;;) {
            HANDLE h = handle.time(L"open in folder (descent)", [&] {
                return s::file::win::openInFolder(parent, L"d", 1, FILE_LIST_DIRECTORY | FILE_TRAVERSE, kShareAll,
                                                  s::file::win::kNtOpenFolder | s::file::win::kNtOpenBackupIntent);
            });
            if (h == INVALID_HANDLE_VALUE) break;
            handles.push_back(h);
            parent = h;
        }
    });
    bool volumeAsked = false;
    const size_t handleItems = handles.size();
    const double handleSeconds = bench::timeIt([&] {
        for (size_t i = handles.size(); i-- > 0;) {
            HANDLE parent = i ? handles[i - 1] : top;
            HANDLE item = nullptr;
            std::wstring path = byHandle;
            for (size_t k = 0; k <= i; ++k) path += L"\\d";
            if (!wipeByHandle(handle, parent, L"d", path, true, count, &volumeAsked, &root, &item)) ++failed;
            CloseHandle(handles[i]);
            if (item && item != INVALID_HANDLE_VALUE) handle.time(L"close", [&] { return CloseHandle(item); });
            handle.time(L"missing name in folder", [&] { return s::file::win::nameIsMissingInFolder(parent, L"d", 1); });
        }
    });
    CloseHandle(top);
    double a = 0, b = 0;
    print(L"path", path, pathItems ? pathItems : 1, &a);
    print(L"handle", handle, handleItems ? handleItems : 1, &b);
    std::wprintf(L"TOTAL path %zu items at depth %zu %.3f s (%.3f ms per item)\n", pathItems, levels.size(), pathSeconds,
                 pathItems ? 1000 * pathSeconds / pathItems : 0.0);
    std::wprintf(L"TOTAL handle %zu items at depth %zu %.3f s (%.3f ms per item; descent of %zu levels %.3f s)\n",
                 handleItems, handles.size(), handleSeconds, handleItems ? 1000 * handleSeconds / handleItems : 0.0,
                 handles.size(), descent);
    std::wprintf(L"FAILED %llu\n", static_cast<unsigned long long>(failed));
    return failed ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if ((argc != 5 && argc != 6) || (wcscmp(argv[1], L"files") != 0 && wcscmp(argv[1], L"chain") != 0)) {
        std::fwprintf(stderr, L"usage: wipe_call_bench files|chain COUNT FOLDER_BY_PATH FOLDER_BY_HANDLE [LEVELS]\n");
        return 2;
    }
    const int count = _wtoi(argv[2]);
    if (!s::file::win::ntFileCallsAvailable()) return 1;
    const int rc = wcscmp(argv[1], L"files") == 0 ? runFiles(count, argv[3], argv[4]) : runChain(count, argv[3], argv[4], argc == 6 ? static_cast<size_t>(_wtoi(argv[5])) : 0);
    if (rc == 2) std::fwprintf(stderr, L"wipe_call_bench: a folder without the bench's mark; nothing done\n");
    return rc;
}
