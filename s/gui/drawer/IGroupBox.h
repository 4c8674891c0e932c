// s/gui/drawer/IGroupBox.h
//
// The frame of a group box with its title in a gap of the top edge.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui {
class IFont;
}  // namespace s::gui

namespace s::gui::drawer {

class IGroupBox : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* title,
                      const s::gui::IFont* titleFont, int32_t titleWidth, int32_t titleHeight) = 0;
    virtual void setFrameColour(int32_t red, int32_t green, int32_t blue) = 0;
};

}  // namespace s::gui::drawer
