// s/gui/drawer/statusbar/win/BasicResizer.cpp
#include "s/gui/drawer/statusbar/win/BasicResizer.h"

#include "s/gui/drawer/win/Paint.h"

namespace s::gui::drawer::statusbar::win {

namespace {
// The white dots, as offsets from the bottom-right corner.
constexpr int32_t kDots[6][2] = {{3, 11}, {3, 7}, {7, 7}, {3, 3}, {7, 3}, {11, 3}};
}  // namespace

void BasicResizer::draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return;
    for (const auto& dot : kDots) {
        const int32_t x = right - dot[0], y = bottom - dot[1];
        s::gui::drawer::win::fill(dc, x - 1, y - 1, 2, 2, RGB(184, 181, 161));
        s::gui::drawer::win::fill(dc, x, y, 2, 2, RGB(255, 255, 255));
    }
}

}  // namespace s::gui::drawer::statusbar::win
