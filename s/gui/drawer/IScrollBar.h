// s/gui/drawer/IScrollBar.h
//
// Scroll bars: track, arrows and thumb, with their hit test and drag rule.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui::drawer::scrollbar {
struct ScrollBarState;
}  // namespace s::gui::drawer::scrollbar

namespace s::gui::drawer {

class IScrollBar : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const scrollbar::ScrollBarState& state) = 0;
    // 0 first arrow, 1 page before the thumb, 2 thumb, 3 page after it, 4 last arrow, -1 none.
    virtual int32_t hitTest(int32_t left, int32_t top, int32_t right, int32_t bottom,
                            const scrollbar::ScrollBarState& state, int32_t x, int32_t y) = 0;
    // The position for a thumb moved `offset` pixels from the track start, within 0 and
    // range - page.
    virtual int32_t positionFromDrag(int32_t left, int32_t top, int32_t right, int32_t bottom,
                                     const scrollbar::ScrollBarState& state, int32_t offset) = 0;
};

}  // namespace s::gui::drawer
