// tests/probes/InstanceProbe.cpp
//
// A child program of the single-instance tests. "first <log>": shows a window titled
// "Instance Probe", writes each protocol message it receives to the log, one number a line,
// and ends after the second message or 20 s. "hung": shows the window and never reads its
// messages for 20 s, as a first instance stuck in its start-up. "second": looks for another process of its own
// program file and sends it both messages; exit code 0 when found, 2 when not.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "s/process/win/ICaptionSource.h"
#include "s/process/win/Instance.h"

namespace {

using s::process::win::Instance;

const wchar_t* logPath = nullptr;

class Caption final : public s::process::win::ICaptionSource {
public:
    uint32_t languageCount() const override { return 1; }
    const wchar_t* captionAt(uint32_t, uint32_t) const override { return L"Instance Probe"; }
};

void logMessage(UINT message) {
    FILE* log = _wfopen(logPath, L"a");
    if (!log) return;
    std::fprintf(log, "%u\n", message);
    std::fclose(log);
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == Instance::kRestoreMessage || message == Instance::kSecondMessage) {
        logMessage(message);
        if (message == Instance::kSecondMessage) PostQuitMessage(0);
        return 0;
    }
    if (message == WM_TIMER || message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, w, l);
}

HWND makeWindow() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"InstanceProbe";
    if (!RegisterClassW(&wc)) return nullptr;
    return CreateWindowW(wc.lpszClassName, L"Instance Probe", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                         nullptr, nullptr, wc.hInstance, nullptr);
}

int hung() {
    if (!makeWindow()) return 1;
    Sleep(20000);
    return 0;
}

int first() {
    HWND window = makeWindow();
    if (!window) return 1;
    SetTimer(window, 1, 20000, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    DestroyWindow(window);
    return 0;
}

int second() {
    DWORD pid = 0;
    if (!Instance::findInstanceProcess(&pid)) return 2;
    Caption caption;
    Instance::sendToInstanceWindows(pid, &caption, 0, true);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wcscmp(argv[1], L"first") == 0) {
        logPath = argv[2];
        return first();
    }
    if (argc == 2 && std::wcscmp(argv[1], L"second") == 0) return second();
    if (argc == 2 && std::wcscmp(argv[1], L"hung") == 0) return hung();
    return 1;
}
