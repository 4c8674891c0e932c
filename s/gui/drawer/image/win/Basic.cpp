// s/gui/drawer/image/win/Basic.cpp
#include "s/gui/drawer/image/win/Basic.h"

#include "s/gui/drawer/win/Paint.h"
#include "s/image/win/BufferedImage.h"

namespace s::gui::drawer::image::win {

void Basic::draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                 const s::image::win::BufferedImage* image, bool framed) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return;
    if (framed) {
        s::gui::drawer::win::frame(dc, left, top, right - left, bottom - top, 1, RGB(0, 0, 0));
        ++left, ++top, --right, --bottom;
    }
    if (image && right > left && bottom > top) image->drawTo(dc, left, top, right - left, bottom - top);
}

}  // namespace s::gui::drawer::image::win
