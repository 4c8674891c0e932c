// mfc/CWinApp.h
//
// Our own application object under the framework's name: the application's title (the
// caption of message boxes), the start (AfxWinMain calls InitInstance; when it answers
// false the program ends with ExitInstance's code, without a message loop on the main
// thread) and the command line handed to a receiver. One lives at a time.
#pragma once
#include <windows.h>

namespace mfc {

class CCommandLineInfo;

class CWinApp {
public:
    explicit CWinApp(const wchar_t* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }
    // The loop of a program that went on after InitInstance: messages of the main thread
    // until WM_QUIT, then ExitInstance.
    virtual int Run();
    // Every argument of the process's command line after the program name, to info.
    void ParseCommandLine(CCommandLineInfo& info);

    const wchar_t* m_pszAppName;
    HINSTANCE m_hInstance;
};

// The application object, null when none was made.
CWinApp* AfxGetApp();
// The title of message boxes: the application's name when one was given, else string
// resource 0xE000 of the program, else the program file's name without ".exe".
const wchar_t* AfxGetAppName();
// The program's start: InitInstance of the application object, then Run when it went on,
// else ExitInstance. The exit code; 1 without an application object.
int AfxWinMain(HINSTANCE instance);

}  // namespace mfc
