// s/gui/IFontSetting.h
//
// A font description without a GDI object.
#pragma once
#include "s/gui/IFontDescription.h"

namespace s::gui::win {
class Font;
}  // namespace s::gui::win

namespace s::gui {

class IFontSetting : public IFontDescription {
public:
    // A pooled font of this description with its GDI font made; null when none could be.
    virtual s::gui::win::Font* makeFont() const = 0;
};

}  // namespace s::gui
