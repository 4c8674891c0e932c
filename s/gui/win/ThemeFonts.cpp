// s/gui/win/ThemeFonts.cpp
#include "s/gui/win/ThemeFonts.h"

namespace s::gui::win {

namespace {

using OpenThemeDataFunction = HANDLE(WINAPI*)(HWND, const wchar_t*);
using CloseThemeDataFunction = HRESULT(WINAPI*)(HANDLE);
using GetThemeSysFontFunction = HRESULT(WINAPI*)(HANDLE, int, LOGFONTW*);
constexpr int kFirstThemeFont = 801;

template <class F>
F lookUp(HMODULE module, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

void readThemeFonts(ThemeFonts* into, const wchar_t* library) {
    into->available = false;
    HMODULE module = LoadLibraryW(library);
    if (!module) return;
    auto open = lookUp<OpenThemeDataFunction>(module, "OpenThemeData");
    auto close = lookUp<CloseThemeDataFunction>(module, "CloseThemeData");
    auto sysFont = lookUp<GetThemeSysFontFunction>(module, "GetThemeSysFont");
    if (open && close && sysFont) {
        if (HANDLE theme = open(nullptr, L"WINDOW")) {
            bool all = true;
            for (int i = 0; i < ThemeFonts::kCount; ++i) {
                all = SUCCEEDED(sysFont(theme, kFirstThemeFont + i, &into->fonts[i])) && all;
            }
            into->available = all;
            close(theme);
        }
    }
    // The fonts are copies, so the library can go; the process keeps it loaded only if
    // something else did.
    FreeLibrary(module);
}

const ThemeFonts& themeFonts() {
    static const ThemeFonts fonts = [] {
        ThemeFonts read;
        readThemeFonts(&read, L"UxTheme.dll");
        return read;
    }();
    return fonts;
}

const wchar_t* defaultFaceName(bool vistaLook, const ThemeFonts& theme) {
    const wchar_t* face = theme.fonts[ThemeFonts::kCaption].lfFaceName;
    return vistaLook && theme.available && face[0] ? face : L"MS Shell Dlg 2";
}

}  // namespace s::gui::win
