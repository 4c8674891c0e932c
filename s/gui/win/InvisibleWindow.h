// s/gui/win/InvisibleWindow.h
//
// The hidden popup that owns a top-level Window's visible window: it keeps that window off
// the taskbar until it asks for a button of its own, and its class procedure reflects the
// notifications of controls. Closing it (kCloseInvisible) destroys both.
#pragma once
#include "mfc/CWnd.h"

namespace s::gui::win {

class InvisibleWindow final : public mfc::CWnd {
public:
    bool create();  // on the UI thread
};

}  // namespace s::gui::win
