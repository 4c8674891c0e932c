// s/gui/drawer/image/win/Basic.h
//
// Pictures: an optional 1-pixel black frame, then the picture stretched into the rest.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/image/IBasic.h"

namespace s::gui::drawer::image::win {

class Basic : public PooledDrawer<Basic, IBasic> {
public:
    // IImage
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
              const s::image::win::BufferedImage* image, bool framed) override;

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_image_win_Basic"; }
    // IPoolable
    void resetForReuse() override {}
};

}  // namespace s::gui::drawer::image::win
