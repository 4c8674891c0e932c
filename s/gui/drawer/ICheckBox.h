// s/gui/drawer/ICheckBox.h
//
// Check boxes: a box of the given size at the left, the caption after it.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui {
class IFont;
}  // namespace s::gui

namespace s::gui::drawer {

class ICheckBox : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t boxSize,
                      const wchar_t* caption, const s::gui::IFont* font, bool enabled, bool checked) = 0;
};

}  // namespace s::gui::drawer
