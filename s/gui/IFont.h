// s/gui/IFont.h
//
// A font description bound to a live GDI font, re-made on every change of the description.
#pragma once
#include <windows.h>

#include "s/gui/IFontDescription.h"

namespace s::gui {

class IFont : public IFontDescription {
public:
    // The height of "TEST" in this font on a screen-compatible DC (0 without a font).
    virtual int32_t measureTextHeight() const = 0;
    virtual HFONT getHandle() const = 0;
};

}  // namespace s::gui
