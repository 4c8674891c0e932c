// app/BrakvaneApp.cpp
#include "app/BrakvaneApp.h"

#include <windows.h>
#include <commctrl.h>

#include "s/app/win/AppBase.h"
#include "s/app/win/AppWindow.h"
#include "s/app/win/StartRules.h"
#include "s/file/gui/dialogs/brakvane/Dialog.h"
#include "s/gui/win/UiScale.h"
#include "s/process/commandline/ICommandLine.h"
#include "s/system/win/OsVersion.h"

namespace {

constexpr int32_t kMainWindowSide = 250;

// The product dialog in the main window until the user closes it. Its release waits for a
// run to end and gives its window back (the UI thread stopped) before this returns: nothing
// may still run when the run-time's exit destroys the pools and locks.
void runMainWindow(s::app::win::AppWindow* holder) {
    s::file::gui::dialogs::brakvane::Dialog* dialog = s::file::gui::dialogs::brakvane::Dialog::obtain(holder);
    if (!dialog) return;
    dialog->buildUi();
    dialog->releaseToPool();
}

}  // namespace

BOOL CBrakvaneApp::InitInstance() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    s::app::win::AppBase* base = s::app::win::AppBase::obtain(this);
    if (!base) return FALSE;
    const int32_t side = kMainWindowSide * s::gui::win::uiScale();
    s::app::win::AppWindow* holder =
        s::app::win::createAppWindow(base, L"MainWindow", side, side, base->skinner());
    if (s::app::win::isSupportedSystem(s::system::win::osVersion())) {
        s::process::commandline::ICommandLine* line = base->commandLine();
        if (!line || line->parameterCount() == 0) base->handleSilentFlag();
        if (!base->findOtherInstance(true, false, true)) runMainWindow(holder);
    }
    if (holder) holder->releaseToPool();
    base->releaseToPool();
    return FALSE;
}
