// s/gui/drawer/IStatusBar.h
//
// Status-bar backgrounds.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui::drawer {

class IStatusBar : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    virtual int32_t getHeight() const = 0;
};

}  // namespace s::gui::drawer
