// app/BrakvaneApp.h
//
// The program's application object: its start runs the whole program on the main thread
// and answers false, so the program ends without a message loop there; every top-level
// window runs its own UI thread.
#pragma once
#include "mfc/CWinApp.h"

class CBrakvaneApp final : public mfc::CWinApp {
public:
    CBrakvaneApp() = default;
    BOOL InitInstance() override;
};
