// s/gui/win/ThemeFonts.h
//
// The theme's six system fonts (caption, small caption, menu, status, message box, icon
// title; theme font ids 801 to 806 of class "WINDOW"), looked up once per process through
// UxTheme.dll loaded at run time. XP without themes and systems older than XP have no such
// library; then no font is available. Under Wine with its own fonts installed the caption font
// is "Tahoma", height -11 (Wine 8.0, checked; without Tahoma it answers "MS Shell Dlg").
#pragma once
#include <windows.h>

namespace s::gui::win {

struct ThemeFonts {
    static constexpr int kCount = 6;
    static constexpr int kCaption = 0;
    LOGFONTW fonts[kCount] = {};
    bool available = false;
};

// The process's fonts, read on the first call (thread-safe static initialisation).
const ThemeFonts& themeFonts();
// The lookup itself, from the named library (a missing library leaves `available` false).
void readThemeFonts(ThemeFonts* into, const wchar_t* library);

// The default face of fonts: the theme's caption face on the Vista look when the theme gave
// one, else "MS Shell Dlg 2".
const wchar_t* defaultFaceName(bool vistaLook, const ThemeFonts& theme);

}  // namespace s::gui::win
