// s/gui/drawer/IText.h
//
// Every text of the toolkit: laid out by the font's flags (word wrap, ellipsis) or centred,
// with the font's text effect.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui {
class IFont;
}  // namespace s::gui

namespace s::gui::drawer {

class IText : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual void drawText(HDC dc, const RECT& rect, const wchar_t* text, const s::gui::IFont* font) = 0;
    virtual void measureText(HDC dc, const RECT& rect, const wchar_t* text, const s::gui::IFont* font,
                             int32_t* width, int32_t* height) = 0;
};

}  // namespace s::gui::drawer
