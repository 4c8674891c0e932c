// s/gui/drawer/IListHeader.h
//
// List headers: the background, and one column cell at a time.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui {
class IFont;
}  // namespace s::gui

namespace s::gui::drawer {

class IListHeader : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, bool useColour, COLORREF colour) = 0;
    virtual void drawCell(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* caption,
                          const s::gui::IFont* font, int32_t look) = 0;
};

}  // namespace s::gui::drawer
