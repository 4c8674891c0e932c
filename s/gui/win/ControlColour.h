// s/gui/win/ControlColour.h
//
// What a control answers to its colour request (WM_CTLCOLOR*, reflected to it as
// kReflectColour): the brush the system paints its background with, and the text colours
// set on the device context. A control without a background of its own, whose chain of
// inherited backgrounds ends in none, is painted through (a hollow brush, transparent text
// background); otherwise the colour is a solid brush the control keeps until the next
// request. UI thread.
#pragma once
#include <windows.h>

#include "mfc/CBrush.h"

namespace s::gui {
class IComponent;
}  // namespace s::gui

namespace s::gui::win {

struct ColourRequest {
    bool transparent;   // nothing behind the control has a colour of its own
    COLORREF background;
    COLORREF text;      // CLR_INVALID: the device context keeps its text colour
};

// Whether the background of a component that inherits it resolves to none: no ancestor up
// the chain has a colour of its own.
bool inheritsNoBackground(const s::gui::IComponent* parent);
LRESULT answerControlColour(HDC dc, const ColourRequest& request, CBrush* brush);

}  // namespace s::gui::win
