// s/file/win/ShellLinks.cpp
#include "s/file/win/ShellLinks.h"

#include <windows.h>

#include <intshcut.h>
#include <objbase.h>
#include <shlobj.h>

#include "s/file/win/PathText.h"
#include "s/file/win/PathWin.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::file::win {

namespace {

using s::str::strbuffer::StrBuffer;

const CLSID kShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kShellLinkW = {0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const CLSID kInternetShortcut = {0xFBF23B40, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};
const IID kUniformResourceLocatorW = {0xCABB0DA0, 0xDA57, 0x11CF, {0x99, 0x74, 0x00, 0x20, 0xAF, 0xD7, 0x97, 0x62}};

// No user interface, no update, no search, no tracking.
constexpr DWORD kResolveQuietly = 0x39;  // SLR_NO_UI | SLR_NOUPDATE | SLR_NOSEARCH | SLR_NOTRACK

// An in-process object, after CoInitialize when the first try fails (COM not initialised on
// this thread yet).
template <class I>
I* createObject(const CLSID& classId, const IID& interfaceId) {
    void* object = nullptr;
    if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId, &object))) {
        CoInitialize(nullptr);
        if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId, &object))) return nullptr;
    }
    return static_cast<I*>(object);
}

IPersistFile* persistFileOf(IUnknown* object) {
    void* file = nullptr;
    return SUCCEEDED(object->QueryInterface(kPersistFile, &file)) ? static_cast<IPersistFile*>(file) : nullptr;
}

bool saveTo(IUnknown* object, const wchar_t* path) {
    IPersistFile* file = persistFileOf(object);
    if (!file) return false;
    bool saved = SUCCEEDED(file->Save(path, TRUE));
    file->Release();
    return saved;
}

bool loadFrom(IUnknown* object, const wchar_t* path) {
    IPersistFile* file = persistFileOf(object);
    if (!file) return false;
    bool loaded = SUCCEEDED(file->Load(path, STGM_READ));
    file->Release();
    return loaded;
}

bool hasWildcard(const wchar_t* text, uint32_t length) {
    for (uint32_t i = 0; i < length; ++i) {
        if (text[i] == L'*' || text[i] == L'?') return true;
    }
    return false;
}


}  // namespace

bool createShellLinkFile(const wchar_t* target, const wchar_t* linkPath, const wchar_t* arguments) {
    PathWin item;
    if (!linkPath || !item.assignText(target) || !item.exists()) return false;
    if (item.isShortcut()) {
        PathWin link;
        return link.assignText(linkPath) && CopyFileW(item.getApiPath(), link.getApiPath(), FALSE);
    }
    IShellLinkW* shellLink = createObject<IShellLinkW>(kShellLink, kShellLinkW);
    if (!shellLink) return false;
    bool saved = SUCCEEDED(shellLink->SetPath(item.getFullPath()));
    if (saved) {
        IPath* folder = item.parentPathOrNull();
        if (folder) {
            if (folder->exists()) shellLink->SetWorkingDirectory(folder->getFullPath());
            folder->releaseToPool();
        }
        if (arguments) shellLink->SetArguments(arguments);
        saved = saveTo(shellLink, linkPath);
    }
    shellLink->Release();
    return saved;
}

StrBuffer* resolveShellLinkFile(const wchar_t* linkPath, StrBuffer* out, bool append) {
    StrBuffer* result = s::str::strbuffer::resultString(out, append);
    if (!result || !linkPath) return result;
    IShellLinkW* shellLink = createObject<IShellLinkW>(kShellLink, kShellLinkW);
    if (!shellLink) return result;
    wchar_t target[MAX_PATH + 1] = {0};  // GetPath's short form fits MAX_PATH units
    if (loadFrom(shellLink, linkPath) && SUCCEEDED(shellLink->Resolve(nullptr, kResolveQuietly)) &&
        SUCCEEDED(shellLink->GetPath(target, MAX_PATH, nullptr, SLGP_SHORTPATH)) && target[0])
        expandToLongPath(target, result, true);
    shellLink->Release();
    return result;
}

StrBuffer* expandToLongPath(const wchar_t* path, StrBuffer* out, bool append) {
    StrBuffer* result = s::str::strbuffer::resultString(out, append);
    if (!result || !path) return result;
    StrBuffer text;
    text.setText(path);
    const wchar_t* chars = text.chars();
    const uint32_t length = text.length();
    StrBuffer expanded, probe;
    uint32_t at = rootLength(chars, length);  // the components to look up begin there
    expanded.append(chars, static_cast<int32_t>(at));
    while (at < length) {
        uint32_t end = at;
        while (end < length && !isPathSeparator(chars[end])) ++end;
        const uint32_t n = end - at;
        probe.setStr(&expanded);
        probe.append(chars + at, static_cast<int32_t>(n));
        WIN32_FIND_DATAW found;
        HANDLE find = n && !hasWildcard(chars + at, n) ? FindFirstFileW(probe.cString(), &found) : INVALID_HANDLE_VALUE;
        if (find != INVALID_HANDLE_VALUE) {
            expanded.appendText(found.cFileName);
            FindClose(find);
        } else {
            expanded.append(chars + at, static_cast<int32_t>(n));
        }
        if (end < length) expanded.appendChar(L'\\');
        at = end + 1;
    }
    result->appendStr(&expanded);
    return result;
}

// Through IUniformResourceLocatorW: the documented way, and the one Wine 8.0 has (its
// internet shortcut answers no IShellLinkW, checked).
bool createUrlShortcutFile(const wchar_t* url, const wchar_t* filePath) {
    if (!url || !filePath) return false;
    IUniformResourceLocatorW* shortcut = createObject<IUniformResourceLocatorW>(kInternetShortcut, kUniformResourceLocatorW);
    if (!shortcut) return false;
    bool saved = SUCCEEDED(shortcut->SetURL(url, 0)) && saveTo(shortcut, filePath);
    shortcut->Release();
    return saved;
}

StrBuffer* readUrlShortcutTarget(const wchar_t* filePath, StrBuffer* out, bool append) {
    StrBuffer* result = s::str::strbuffer::resultString(out, append);
    if (!result || !filePath) return result;
    IUniformResourceLocatorW* shortcut = createObject<IUniformResourceLocatorW>(kInternetShortcut, kUniformResourceLocatorW);
    if (!shortcut) return result;
    wchar_t* url = nullptr;
    if (loadFrom(shortcut, filePath) && SUCCEEDED(shortcut->GetURL(&url)) && url) result->appendText(url);
    if (url) CoTaskMemFree(url);
    shortcut->Release();
    return result;
}

}  // namespace s::file::win
