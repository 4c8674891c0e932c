// s/gui/drawer/IMenu.h
//
// Menu bars: the drawer measures a row of entries from their captions and paints them in
// their state. The bar hands it the captions and the rectangles it measured; entry
// rectangles start at x 0, top 0.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/gui/drawer/IDrawer.h"

namespace s::gui {
class IFont;
class IFontDescription;
class IFontSetting;
}  // namespace s::gui

namespace s::gui::drawer {

// What a row of entries needs: the minimum is the sum of the captions' widths, the target
// the sum of their full widths, both with the spacing on either side.
struct MenuMeasure {
    int32_t minWidth = 0;
    int32_t minHeight = 0;
    int32_t targetWidth = 0;
    int32_t targetHeight = 0;
};

struct MenuState {
    int32_t hovered = -1;
    bool pressed = false;
    bool collapsed = false;
    bool lastRightAligned = false;
    bool lastAsLink = false;
};

class IMenu : public IDrawer {
public:
    // The entries' rectangles and what the bar needs, measured with the normal font.
    virtual MenuMeasure measure(HDC dc, const wchar_t* const* captions, RECT* rects, int32_t count,
                                const s::gui::IFont* normal, int32_t spacingX, int32_t spacingY,
                                bool collapsed) = 0;
    // Paints the entries into the bar's rectangle.
    virtual void drawEntries(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                             const wchar_t* const* captions, const RECT* rects, int32_t count,
                             s::gui::IFont* normal, s::gui::IFont* highlight, int32_t spacingX,
                             int32_t spacingY, const MenuState& state) = 0;
    // Copies two components' font descriptions into the normal and the highlight font.
    virtual void applyFonts(const s::gui::IFontDescription* normal,
                            const s::gui::IFontDescription* highlight) = 0;
    // The descriptions the bar makes its two fonts from.
    virtual s::gui::IFontSetting* getNormalFont() = 0;
    virtual s::gui::IFontSetting* getHighlightFont() = 0;
    virtual void setHoverColour(int32_t red, int32_t green, int32_t blue) = 0;
    virtual void setNormalTextColour(int32_t red, int32_t green, int32_t blue) = 0;
    virtual void setHighlightTextColour(int32_t red, int32_t green, int32_t blue) = 0;
    virtual void setHoverFill(bool on) = 0;
    virtual void setPressedShift(bool on) = 0;
};

}  // namespace s::gui::drawer
