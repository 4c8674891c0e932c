// tests/support/program/DropBlock.cpp
#include "support/program/DropBlock.h"

#include <shlobj.h>

#include <cwctype>

namespace tests::program {

HGLOBAL newDropBlock(const std::vector<std::wstring>& paths, POINT at) {
    size_t chars = 2;  // the closing zero, and a second one for an empty list
    for (const std::wstring& p : paths) chars += p.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    if (!memory) return nullptr;
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    if (!header) {
        GlobalFree(memory);
        return nullptr;
    }
    header->pFiles = sizeof(DROPFILES);
    header->pt = at;
    header->fNC = FALSE;
    header->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(header + 1);
    for (const std::wstring& p : paths) {
        p.copy(text, p.size());
        text += p.size() + 1;
    }
    GlobalUnlock(memory);
    return memory;
}

std::vector<std::wstring> pathsOfDropBlock(HGLOBAL block) {
    std::vector<std::wstring> paths;
    HDROP drop = static_cast<HDROP>(block);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        DragQueryFileW(drop, i, &path[0], length + 1);
        path.resize(length);
        paths.push_back(path);
    }
    return paths;
}

namespace {

bool sameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

// Every step of the part below the sandbox is a real name.
bool namesOnly(const std::wstring& rest) {
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find(L'\\', start);
        if (end == std::wstring::npos) end = rest.size();
        const std::wstring step = rest.substr(start, end - start);
        if (step.empty() || step == L"." || step == L"..") return false;
        start = end + 1;
    }
    return true;
}

}  // namespace

bool isInsideSandbox(const std::wstring& sandbox, const std::wstring& path) {
    // A sandbox is a folder of its own on a drive, never a root or a relative name.
    if (sandbox.size() < 4 || sandbox[1] != L':' || sandbox[2] != L'\\' || sandbox.back() == L'\\') return false;
    if (!namesOnly(sandbox.substr(3))) return false;
    if (path.size() <= sandbox.size() + 1 || path[sandbox.size()] != L'\\') return false;
    if (!sameIgnoringCase(path.substr(0, sandbox.size()), sandbox)) return false;
    if (path.find(L'/') != std::wstring::npos || path.find(L':', 2) != std::wstring::npos) return false;
    return namesOnly(path.substr(sandbox.size() + 1));
}

}  // namespace tests::program
