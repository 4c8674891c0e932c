// s/process/win/Instance.cpp
#include "s/process/win/Instance.h"

// Version 1: the psapi.dll entry points, which XP has (not the later kernel32 aliases).
#define PSAPI_VERSION 1
#include <psapi.h>
#include <tlhelp32.h>
#include <wchar.h>

#include <atomic>

#include "s/file/win/PathWin.h"
#include "s/process/win/ICaptionSource.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/system/win/ProgramFile.h"

namespace s::process::win {

using s::str::strbuffer::StrBuffer;

namespace {

constexpr DWORD kPathChars = 260;
constexpr int kCaptionChars = 512;

std::atomic<Instance::ProcessOpener> s_opener{nullptr};

// What the window walks look for and what they found.
struct WindowSearch {
    DWORD ownPid = 0;
    const wchar_t* ownPath = nullptr;
    DWORD wantedPid = 0;
    const wchar_t* prefix = nullptr;
    DWORD foundPid = 0;
    HWND found = nullptr;
};

BOOL CALLBACK sameProgramWindow(HWND window, LPARAM data) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == 0 || pid == search->ownPid) return TRUE;
    StrBuffer path;
    Instance::processPath(pid, &path);
    if (!Instance::samePath(search->ownPath, path.cString())) return TRUE;
    search->foundPid = pid;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK captionedWindow(HWND window, LPARAM data) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->wantedPid) return TRUE;
    wchar_t caption[kCaptionChars] = {};
    GetWindowTextW(window, caption, kCaptionChars);
    if (!Instance::captionMatches(caption, search->prefix)) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

s::file::win::PathWin* Instance::executablePath() {
    StrBuffer text;
    return executablePathText(&text) ? s::file::win::pathFromString(text.cString()) : nullptr;
}

bool Instance::executablePathText(StrBuffer* out) { return s::system::win::programFileText(out); }

void Instance::processPath(DWORD pid, StrBuffer* out) {
    out->clear();
    HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (modules != INVALID_HANDLE_VALUE) {
        MODULEENTRY32W module = {};
        module.dwSize = sizeof(module);
        if (Module32FirstW(modules, &module)) out->append(module.szExePath);
        CloseHandle(modules);
        return;
    }
    HANDLE process = openProcess(kQueryAccess, pid);
    if (!process) return;
    wchar_t path[kPathChars] = {};
    if (GetProcessImageFileNameW(process, path, kPathChars)) out->append(path);
    CloseHandle(process);
}

Instance::ProcessOpener Instance::replaceProcessOpener(ProcessOpener opener) { return s_opener.exchange(opener); }

HANDLE Instance::openProcess(DWORD access, DWORD pid) {
    const ProcessOpener opener = s_opener.load();
    return opener ? opener(access, pid) : OpenProcess(access, FALSE, pid);
}

bool Instance::samePath(const wchar_t* own, const wchar_t* other) {
    return own && other && own[0] && _wcsicmp(own, other) == 0;
}

bool Instance::captionMatches(const wchar_t* caption, const wchar_t* prefix) {
    if (!caption) return false;
    if (!prefix || !prefix[0]) return caption[0] != 0;
    return _wcsnicmp(caption, prefix, wcslen(prefix)) == 0;
}

bool Instance::findInstanceProcess(DWORD* pid) {
    StrBuffer own;
    if (!executablePathText(&own)) return false;
    const DWORD ownPid = GetCurrentProcessId();
    HANDLE processes = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (processes == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    bool found = false;
    StrBuffer path;
    for (BOOL more = Process32FirstW(processes, &entry); more && !found;
         more = Process32NextW(processes, &entry)) {
        if (entry.th32ProcessID == 0 || entry.th32ProcessID == ownPid) continue;
        processPath(entry.th32ProcessID, &path);
        found = samePath(own.cString(), path.cString());
        if (found && pid) *pid = entry.th32ProcessID;
    }
    CloseHandle(processes);
    return found;
}

bool Instance::isInstanceWindowPresent(HDESK desktop, DWORD* pid) {
    StrBuffer own;
    if (!executablePathText(&own)) return false;
    WindowSearch search;
    search.ownPid = GetCurrentProcessId();
    search.ownPath = own.cString();
    EnumDesktopWindows(desktop, &sameProgramWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return false;
    if (pid) *pid = search.foundPid;
    return true;
}

bool Instance::findInstanceWindow(HDESK desktop, const ICaptionSource* captions, uint32_t textId,
                                  bool second) {
    DWORD pid = 0;
    if (!isInstanceWindowPresent(desktop, &pid)) return false;
    sendToInstanceWindows(pid, captions, textId, second);
    return true;
}

HWND Instance::findTargetWindow(DWORD pid, const wchar_t* prefix) {
    HANDLE process = openProcess(kIdleWaitAccess, pid);
    if (process) {
        // Bounded: a first instance hung in its start-up must not hang this one.
        WaitForInputIdle(process, kIdleWaitMs);
        CloseHandle(process);
    }
    WindowSearch search;
    search.wantedPid = pid;
    search.prefix = prefix;
    EnumWindows(&captionedWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Instance::sendTo(DWORD pid, const wchar_t* prefix, bool second) {
    const UINT messages[] = {kRestoreMessage, kSecondMessage};
    for (UINT i = 0; i < (second ? 2u : 1u); ++i) {
        HWND target = findTargetWindow(pid, prefix);
        if (!target) continue;
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(target, messages[i], 0, 0, kSendFlags, kSendTimeoutMs, &answer);
    }
}

// Most packs keep the product name untranslated: one send per distinct caption is enough.
bool Instance::alreadySent(const ICaptionSource* captions, uint32_t upTo, uint32_t textId) {
    const wchar_t* text = captions->captionAt(upTo, textId);
    for (uint32_t i = 0; i < upTo; ++i) {
        if (_wcsicmp(captions->captionAt(i, textId), text) == 0) return true;
    }
    return false;
}

void Instance::sendToInstanceWindows(DWORD pid, const ICaptionSource* captions, uint32_t textId,
                                     bool second) {
    if (!captions) {
        sendTo(pid, nullptr, second);
        return;
    }
    for (uint32_t i = 0; i < captions->languageCount(); ++i) {
        if (!alreadySent(captions, i, textId)) sendTo(pid, captions->captionAt(i, textId), second);
    }
}

}  // namespace s::process::win
