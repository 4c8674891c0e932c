// s/gui/drawer/skin/SkinSchemes.h
//
// The colour schemes of the two built-in skin families and the skins built from them.
// A "Thin" scheme has six colours: S1 background, S2 frames, S3 text, S4 slider track,
// S5 and S6 counter. A "ThinWindow" preset has fifteen: W1 window background, W2 window
// frame, W3 disabled text and frames, W4 control frames, W5 group frames, W6 text, W7 the
// text drawer's third colour, W8 scroll-bar and slider track, W9 selection and toggled fill,
// W10 selected text, W11 to W13 list background, list text and alternate rows, W14 and W15
// counter. Colours are COLORREF (red in the lowest byte).
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/gui/drawer/ISkin.h"

namespace s::gui::drawer::skin {

struct ThinScheme {
    const wchar_t* name;
    COLORREF s[6];
};

struct ThinWindowPreset {
    int32_t number;
    const wchar_t* name;
    COLORREF w[15];
};

// The thirteen "Thin" schemes in registration order.
int32_t thinSchemeCount();
const ThinScheme& thinScheme(int32_t index);
// The sixteen "ThinWindow" presets by number (1-4, 6-13, 16-19); null for any other.
const ThinWindowPreset* thinWindowPreset(int32_t number);
// The preset numbers in registration order (3, 2, 1, 16, ...).
int32_t thinWindowOrderCount();
int32_t thinWindowOrder(int32_t index);

// Pooled skins with every drawer set up from the scheme; null when a pool failed.
ISkin* newThinSkin(const ThinScheme& scheme);
ISkin* newThinWindowSkin(const wchar_t* name, const COLORREF (&w)[15]);
// newThinWindowSkin of a preset; null for numbers that name none (0, 5, 14, 15, 20 ...).
ISkin* skinOfPreset(int32_t number);

}  // namespace s::gui::drawer::skin
