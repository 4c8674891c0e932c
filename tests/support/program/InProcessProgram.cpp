// tests/support/program/InProcessProgram.cpp
#include "support/program/InProcessProgram.h"

#include <shlwapi.h>

#include <cwchar>
#include <vector>

#include "app/BrakvaneApp.h"

namespace tests::program {

namespace {

constexpr wchar_t kToolkitClass[] = L"TesmorWindowClass";
constexpr wchar_t kMainTitle[] = L"Brakvane";
constexpr wchar_t kSettingsKey[] = L"Software\\Ostrel\\Ostrel Brakvane";
constexpr DWORD kCloseLimitMs = 30000;

struct TopSearch {
    const wchar_t* title;
    bool prefix;
    HWND found;
};

BOOL CALLBACK matchTop(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<TopSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (wcscmp(name, kToolkitClass) != 0) return TRUE;
    // Read without a message: the window's thread may be busy.
    wchar_t caption[256] = {};
    InternalGetWindowText(window, caption, 256);
    const size_t length = wcslen(search->title);
    const bool match = search->prefix ? wcsncmp(caption, search->title, length) == 0
                                      : wcscmp(caption, search->title) == 0;
    if (!match) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND findTopWindow(const wchar_t* title, bool prefix) {
    TopSearch search = {title, prefix, nullptr};
    EnumWindows(&matchTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

const wchar_t* InProcessProgram::settingsKey() { return kSettingsKey; }

bool InProcessProgram::forgetSettings() {
    SHDeleteKeyW(HKEY_CURRENT_USER, kSettingsKey);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return true;
    RegCloseKey(key);
    return false;
}

InProcessProgram::InProcessProgram(bool keepSettings) {
    if (!keepSettings) forgetSettings();
    m_thread = CreateThread(nullptr, 0, &run, this, 0, nullptr);
}

InProcessProgram::~InProcessProgram() {
    if (!m_thread) return;
    if (WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT) {
        close();
        WaitForSingleObject(m_thread, kCloseLimitMs);
    }
    CloseHandle(m_thread);
}

// As the program's entry runs it: one application object, its InitInstance, nothing else.
DWORD WINAPI InProcessProgram::run(void* self) {
    auto* program = static_cast<InProcessProgram*>(self);
    CBrakvaneApp app;
    program->m_answer = app.InitInstance();
    return 0;
}

HWND InProcessProgram::waitForMainWindow(uint32_t limitMs) const {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = findTopWindow(kMainTitle, true)) return m_main = window;
        if (!m_thread || WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0) return nullptr;
        if (GetTickCount() - start > limitMs) return nullptr;
        Sleep(20);
    }
}

void InProcessProgram::close() const {
    HWND window = m_main && IsWindow(m_main) ? m_main : findTopWindow(kMainTitle, true);
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
}

bool InProcessProgram::waitForEnd(uint32_t limitMs) const {
    return m_thread && WaitForSingleObject(m_thread, limitMs) == WAIT_OBJECT_0;
}

}  // namespace tests::program
