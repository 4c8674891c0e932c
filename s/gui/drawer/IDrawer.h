// s/gui/drawer/IDrawer.h
//
// The root of the drawers that paint a plain rectangle. Like every draw of every family,
// draw paints nothing for an empty rectangle (left not less than right, or top not less
// than bottom).
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui::drawer {

class IDrawer : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
};

}  // namespace s::gui::drawer
