// s/gui/drawer/IWindow.h
//
// The frame and background of a top-level window, drawn at the origin of its own DC.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer {

class IWindow : public IDrawer {
public:
    // The window's shape for the rectangle (covering right + 1 and bottom + 1); the caller
    // owns it. Null when the corner styles give none.
    virtual HRGN createRegion(int32_t left, int32_t top, int32_t right, int32_t bottom) const = 0;
};

}  // namespace s::gui::drawer
