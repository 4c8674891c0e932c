// s/gui/drawer/ICombo.h
//
// The face of a combo box: state 0 normal, 1 hovered, 2 pressed.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui {
class IFont;
}  // namespace s::gui

namespace s::gui::drawer {

class ICombo : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* text,
                      const s::gui::IFont* font, int32_t state, bool enabled) = 0;
};

}  // namespace s::gui::drawer
