// s/gui/drawer/IButton.h
//
// Push buttons and the arrows, thumbs, marks and cells of other controls. A caption that
// begins with "#" and names a glyph is painted as that figure instead of text.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui {
class IFont;
class IFontDescription;
}  // namespace s::gui

namespace s::gui::drawer {

class IButton : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    // look 0, 1 or 2 (1 and 2 swap when toggled); the font may be null (no text then).
    virtual void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t look,
                      const wchar_t* caption, bool framed, const s::gui::IFont* font, bool enabled,
                      bool toggled, bool drawerFlag) = 0;
    // True when the caption named a glyph that was painted in the colour.
    virtual bool drawGlyph(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* caption,
                           int32_t red, int32_t green, int32_t blue) = 0;
    // The faces a button's own fonts follow where the button set nothing itself: the
    // caption's normal and disabled ones, and the second text's (the toggled caption).
    // Null: the drawer has none to give.
    virtual s::gui::IFontDescription* getCaptionFont() = 0;
    virtual s::gui::IFontDescription* getCaptionDisabledFont() = 0;
    virtual s::gui::IFontDescription* getSecondTextFont() = 0;
};

}  // namespace s::gui::drawer
