// s/gui/win/InvisibleWindow.h
//
// The hidden popup that owns a top-level Window's visible window: it keeps that window off
// the taskbar until it asks for a button of its own, and its class procedure reflects the
// notifications of controls. Closing it (kCloseInvisible) destroys both; a plain WM_CLOSE
// from outside (a task killer closes every top-level window) closes the owned window the
// way its close box does instead, so the window's own close runs and nobody waits for ever.
#pragma once
#include "mfc/CWnd.h"

namespace s::gui::win {

class InvisibleWindow final : public mfc::CWnd {
public:
    bool create();  // on the UI thread
    void setOwned(HWND owned) { m_owned = owned; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND m_owned = nullptr;
};

}  // namespace s::gui::win
