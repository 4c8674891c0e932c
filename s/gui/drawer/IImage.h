// s/gui/drawer/IImage.h
//
// Pictures: an optional 1-pixel black frame, then the picture stretched into the rest.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::image::win {
class BufferedImage;
}  // namespace s::image::win

namespace s::gui::drawer {

class IImage : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                      const s::image::win::BufferedImage* image, bool framed) = 0;
};

}  // namespace s::gui::drawer
