// s/file/win/ShellProperties.cpp
#include "s/file/win/ShellProperties.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "s/col/_array/ArrayP.h"
#include "s/system/win/ShellOpen.h"

namespace s::file::win {

namespace {

using IdListFromPath = LPITEMIDLIST(WINAPI*)(LPCWSTR path);
using FreeIdList = void(WINAPI*)(LPITEMIDLIST list);
using MultiFileProperties = HRESULT(WINAPI*)(IDataObject* data, DWORD flags);

const IID kDataObject = {0x0000010E, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// shell32 functions that older systems export only by ordinal: looked up by name first,
// then by ordinal (ILCreateFromPathW 190, SHSimpleIDListFromPath 162, ILFree 155,
// SHMultiFileProperties 716; Wine 8.0 exports 716 by name only, checked).
struct ShellFunctions {
    IdListFromPath fromPath = nullptr;
    IdListFromPath simpleFromPath = nullptr;
    FreeIdList freeList = nullptr;
    MultiFileProperties multiProperties = nullptr;
};

void* lookUp(HMODULE shell, const char* name, WORD ordinal) {
    FARPROC f = GetProcAddress(shell, name);
    if (!f) f = GetProcAddress(shell, MAKEINTRESOURCEA(ordinal));
    return reinterpret_cast<void*>(f);
}

const ShellFunctions& shellFunctions() {
    static const ShellFunctions functions = [] {
        ShellFunctions f;
        HMODULE shell = LoadLibraryW(L"shell32.dll");  // kept for the life of the process
        if (!shell) return f;
        f.fromPath = reinterpret_cast<IdListFromPath>(lookUp(shell, "ILCreateFromPathW", 190));
        f.simpleFromPath = reinterpret_cast<IdListFromPath>(lookUp(shell, "SHSimpleIDListFromPath", 162));
        f.freeList = reinterpret_cast<FreeIdList>(lookUp(shell, "ILFree", 155));
        f.multiProperties = reinterpret_cast<MultiFileProperties>(lookUp(shell, "SHMultiFileProperties", 716));
        return f;
    }();
    return functions;
}

LPITEMIDLIST idListOf(IShellFolder* desktop, const wchar_t* path) {
    const ShellFunctions& f = shellFunctions();
    LPITEMIDLIST list = f.fromPath ? f.fromPath(path) : nullptr;
    if (!list && f.simpleFromPath) list = f.simpleFromPath(path);
    if (!list) {
        ULONG eaten = 0;
        if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(path), &eaten, &list, nullptr)))
            list = nullptr;
    }
    return list;
}

void freeIdList(LPITEMIDLIST list) {
    if (shellFunctions().freeList)
        shellFunctions().freeList(list);
    else
        CoTaskMemFree(list);
}

}  // namespace

bool showFileProperties(const wchar_t* path) {
    s::system::win::shellExecuteVerb(L"properties", path, SEE_MASK_INVOKEIDLIST);
    return true;
}

bool showMultiFileProperties(uint32_t count, const wchar_t* const* paths) {
    if (!paths || count == 0 || !shellFunctions().multiProperties) return false;
    CoInitialize(nullptr);
    bool shown = false;
    IShellFolder* desktop = nullptr;
    if (SUCCEEDED(SHGetDesktopFolder(&desktop)) && desktop) {
        s::col::_array::ArrayP lists;
        for (uint32_t i = 0; i < count; ++i) {
            LPITEMIDLIST list = paths[i] ? idListOf(desktop, paths[i]) : nullptr;
            if (list && !lists.add(list)) freeIdList(list);
        }
        void* data = nullptr;
        bool made = lists.count() &&
                    SUCCEEDED(desktop->GetUIObjectOf(nullptr, lists.count(),
                                                     const_cast<LPCITEMIDLIST*>(reinterpret_cast<LPITEMIDLIST*>(lists.data())), kDataObject,
                                                     nullptr, &data));
        for (uint32_t i = 0; i < lists.count(); ++i) freeIdList(static_cast<LPITEMIDLIST>(lists.get(i)));
        if (made && data) {
            shown = SUCCEEDED(shellFunctions().multiProperties(static_cast<IDataObject*>(data), 0));
            static_cast<IDataObject*>(data)->Release();
        }
        desktop->Release();
    }
    CoUninitialize();
    return shown;
}

}  // namespace s::file::win
