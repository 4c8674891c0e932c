// mfc/CWinApp.cpp
#include "mfc/CWinApp.h"

#include "mfc/Afx.h"
#include "mfc/CommandLineParser.h"

#include <cwchar>
#include <mutex>

namespace mfc {

namespace {

constexpr UINT kAppTitleString = 0xE000;
CWinApp* g_app = nullptr;

// Built once; the program file's name does not change during the run.
const wchar_t* defaultTitle() {
    static wchar_t title[MAX_PATH];
    static std::once_flag once;
    std::call_once(once, [] {
        if (LoadStringW(GetModuleHandleW(nullptr), kAppTitleString, title, MAX_PATH) > 0) return;
        wchar_t* path = AfxGetModuleFileName(nullptr);
        if (!path) return;
        const wchar_t* name = path;
        for (const wchar_t* p = path; *p; ++p)
            if (*p == L'\\' || *p == L'/') name = p + 1;
        wcsncpy(title, name, MAX_PATH - 1);
        delete[] path;
        size_t length = wcslen(title);
        if (length > 4 && _wcsicmp(title + length - 4, L".exe") == 0) title[length - 4] = 0;
    });
    return title;
}

}  // namespace

CWinApp::CWinApp(const wchar_t* appName)
    : m_pszAppName(appName), m_hInstance(GetModuleHandleW(nullptr)) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

int CWinApp::Run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return ExitInstance();
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) { CommandLineParser::parseOwn(info); }

CWinApp* AfxGetApp() { return g_app; }

int AfxWinMain(HINSTANCE instance) {
    CWinApp* app = g_app;
    if (!app) return 1;
    if (instance) app->m_hInstance = instance;
    if (!app->InitInstance()) return app->ExitInstance();
    return app->Run();
}

const wchar_t* AfxGetAppName() {
    return g_app && g_app->m_pszAppName ? g_app->m_pszAppName : defaultTitle();
}

}  // namespace mfc
