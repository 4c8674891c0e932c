// s/gui/drawer/IBorder.h
//
// Borders of controls: kind 0 (sunken-looking), 1 (raised), 2 (pressed), 3 (raised, open
// bottom); corner style 0 square, 1 small rounding, 2 large rounding.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui::drawer {

class IBorder : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t kind, int32_t cornerStyle,
                      int32_t red, int32_t green, int32_t blue) = 0;
};

}  // namespace s::gui::drawer
