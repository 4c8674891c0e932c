// s/gui/drawer/IRadioButton.h
//
// Radio buttons: a 13 x 13 ring at the left, vertically centred, the caption after it.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui {
class IFont;
}  // namespace s::gui

namespace s::gui::drawer {

class IRadioButton : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* caption,
                      const s::gui::IFont* font, bool enabled, bool checked, COLORREF background) = 0;
};

}  // namespace s::gui::drawer
