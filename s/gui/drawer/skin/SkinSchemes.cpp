// s/gui/drawer/skin/SkinSchemes.cpp
#include "s/gui/drawer/skin/SkinSchemes.h"

#include "s/gui/drawer/button/win/Thin.h"
#include "s/gui/drawer/checkbox/win/Thin.h"
#include "s/gui/drawer/combo/win/Thin.h"
#include "s/gui/drawer/counter/win/Basic.h"
#include "s/gui/drawer/groupbox/win/Thin.h"
#include "s/gui/drawer/listbox/win/Thin.h"
#include "s/gui/drawer/listheader/win/Thin.h"
#include "s/gui/drawer/menu/win/Basic.h"
#include "s/gui/drawer/radiobutton/win/Thin.h"
#include "s/gui/drawer/scrollbar/win/Thin.h"
#include "s/gui/drawer/skin/Thin.h"
#include "s/gui/drawer/skin/ThinWindow.h"
#include "s/gui/drawer/slider/win/Thin.h"
#include "s/gui/drawer/statusbar/win/Thin.h"
#include "s/gui/drawer/tabbox/win/Thin.h"
#include "s/gui/drawer/text/win/Basic.h"
#include "s/gui/drawer/window/win/Thin.h"

namespace s::gui::drawer::skin {

namespace {

constexpr COLORREF kOrange = RGB(255, 165, 0);

const ThinScheme kThinSchemes[] = {
    {L"White", {RGB(255, 255, 255), RGB(68, 68, 68), RGB(0, 0, 0), RGB(119, 119, 119), RGB(176, 176, 176), kOrange}},
    {L"Light Gray", {RGB(240, 238, 228), RGB(0, 0, 0), RGB(0, 0, 0), RGB(176, 176, 176), RGB(176, 176, 176), kOrange}},
    {L"Black", {RGB(51, 51, 51), RGB(176, 176, 176), RGB(255, 255, 255), RGB(176, 176, 176), RGB(213, 235, 107), kOrange}},
    {L"Ivory", {RGB(236, 233, 216), RGB(0, 0, 0), RGB(0, 0, 0), RGB(168, 162, 128), RGB(168, 162, 128), kOrange}},
    {L"Sky Blue", {RGB(255, 255, 255), RGB(87, 133, 255), RGB(0, 0, 0), RGB(87, 133, 255), RGB(87, 133, 255), kOrange}},
    {L"Pink", {RGB(255, 255, 255), RGB(255, 93, 162), RGB(0, 0, 0), RGB(255, 93, 162), RGB(255, 93, 162), kOrange}},
    {L"Green", {RGB(255, 255, 255), RGB(143, 175, 17), RGB(0, 51, 0), RGB(143, 175, 17), RGB(143, 175, 17), kOrange}},
    {L"Green2", {RGB(213, 235, 107), RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0), kOrange}},
    {L"Yellow", {RGB(255, 255, 255), RGB(224, 206, 0), RGB(0, 0, 0), RGB(224, 206, 0), RGB(224, 206, 0), kOrange}},
    {L"Orange", {RGB(255, 255, 255), RGB(221, 135, 2), RGB(0, 0, 0), RGB(221, 135, 2), RGB(221, 135, 2), kOrange}},
    {L"Khaki", {RGB(62, 92, 0), RGB(146, 185, 65), RGB(255, 255, 255), RGB(221, 135, 2), RGB(221, 135, 2), kOrange}},
    {L"Indigo", {RGB(75, 0, 130), RGB(192, 125, 255), RGB(255, 255, 255), RGB(192, 125, 255), RGB(192, 125, 255), kOrange}},
    {L"Salmon Red", {RGB(255, 48, 92), RGB(255, 189, 203), RGB(255, 255, 255), RGB(255, 189, 203), RGB(255, 189, 203), kOrange}},
};

#define G(v) RGB(v, v, v)
const ThinWindowPreset kPresets[] = {
    {1, L"Black", {G(51), G(85), G(85), G(176), G(176), G(255), G(51), G(153), G(204), G(0), G(255), G(0), G(238), RGB(213, 235, 107), kOrange}},
    {2, L"Ivory", {RGB(242, 240, 230), G(0), G(170), G(0), G(0), G(0), G(238), G(176), G(176), RGB(240, 238, 228), G(255), G(0), G(238), G(176), kOrange}},
    {3, L"White", {G(255), G(68), G(204), G(68), G(68), G(0), G(238), G(119), G(119), G(255), G(255), G(0), G(238), G(119), kOrange}},
    {4, L"Beige", {RGB(236, 233, 216), G(0), G(170), G(0), G(0), G(0), G(238), RGB(168, 162, 128), RGB(168, 162, 128), RGB(236, 233, 216), G(255), G(0), G(238), RGB(168, 162, 128), kOrange}},
    {6, L"Sky Blue", {RGB(194, 223, 255), RGB(87, 133, 255), RGB(87, 133, 255), RGB(87, 133, 255), RGB(87, 133, 255), G(0), G(238), RGB(87, 133, 255), RGB(87, 133, 255), G(255), G(255), G(0), G(238), RGB(87, 133, 255), kOrange}},
    {7, L"Yellow", {RGB(252, 255, 91), RGB(224, 206, 0), RGB(224, 206, 0), RGB(224, 206, 0), RGB(224, 206, 0), G(0), G(238), RGB(224, 206, 0), RGB(224, 206, 0), G(255), G(255), G(0), G(238), RGB(168, 255, 83), kOrange}},
    {8, L"Pink", {RGB(255, 194, 230), RGB(255, 93, 162), RGB(255, 93, 162), RGB(255, 93, 162), RGB(255, 93, 162), G(0), G(238), RGB(255, 93, 162), RGB(255, 93, 162), G(255), G(255), G(0), G(238), RGB(255, 48, 92), kOrange}},
    {9, L"Salmon Red", {RGB(255, 48, 92), RGB(255, 189, 203), RGB(255, 189, 203), RGB(255, 189, 203), RGB(255, 189, 203), G(255), G(51), RGB(255, 189, 203), RGB(255, 189, 203), RGB(255, 48, 92), G(255), G(0), G(238), RGB(255, 194, 230), kOrange}},
    {10, L"Green", {RGB(184, 255, 61), RGB(129, 160, 7), RGB(129, 160, 7), RGB(129, 160, 7), RGB(129, 160, 7), G(0), G(238), RGB(143, 175, 17), RGB(143, 175, 17), G(255), G(255), G(0), G(238), RGB(143, 175, 17), kOrange}},
    {11, L"Khaki", {RGB(62, 92, 0), RGB(146, 185, 65), RGB(146, 185, 65), RGB(146, 185, 65), RGB(146, 185, 65), G(255), G(51), RGB(221, 135, 2), RGB(221, 135, 2), RGB(62, 92, 0), G(255), G(0), G(238), RGB(213, 235, 107), kOrange}},
    {12, L"Indigo", {RGB(49, 0, 130), RGB(192, 125, 255), RGB(192, 125, 255), RGB(192, 125, 255), RGB(192, 125, 255), G(255), G(51), RGB(195, 158, 255), RGB(195, 158, 255), RGB(49, 0, 130), G(255), G(0), G(238), RGB(192, 125, 255), kOrange}},
    {13, L"Orange", {RGB(255, 207, 61), RGB(221, 135, 2), RGB(221, 135, 2), RGB(221, 135, 2), RGB(221, 135, 2), G(0), G(238), RGB(221, 135, 2), RGB(221, 135, 2), G(255), G(255), G(0), G(238), G(255), kOrange}},
    {16, L"Black II", {G(51), G(85), G(85), G(176), G(176), G(221), G(51), G(153), G(204), G(0), G(255), G(0), G(238), RGB(213, 235, 107), kOrange}},
    {17, L"Black Black", {G(0), G(51), G(51), G(176), G(176), G(255), G(51), G(153), G(204), G(0), G(255), G(0), G(238), RGB(213, 235, 107), kOrange}},
    {18, L"Black Black II", {G(0), G(51), G(51), G(176), G(176), G(221), G(51), G(153), G(204), G(0), G(255), G(0), G(238), RGB(213, 235, 107), kOrange}},
    {19, L"Classic LG", {G(116), G(17), G(86), G(17), G(17), G(255), G(51), G(116), G(25), G(255), G(49), G(191), G(56), RGB(195, 234, 0), G(25)}},
};
#undef G

constexpr int32_t kThinWindowOrder[] = {3, 2, 1, 16, 17, 18, 19, 4, 6, 8, 9, 7, 10, 13, 11, 12};

// Setters take red, green and blue; these spread one COLORREF over them.
#define C3(c) GetRValue(c), GetGValue(c), GetBValue(c)

template <class S>
S* namedSkin(const wchar_t* name) {
    S* skin = S::obtain();
    if (skin) skin->setName(name);
    return skin;
}

// Every drawer pool answered: the skin is whole. Otherwise it is given back.
ISkin* wholeOrNone(ISkin* skin) {
    const bool whole = skin->getWindowDrawer() && skin->getButtonDrawer() && skin->getTextDrawer() &&
                       skin->getScrollBarDrawer() && skin->getCheckBoxDrawer() && skin->getRadioButtonDrawer() &&
                       skin->getSliderDrawer() && skin->getCounterDrawer() && skin->getListHeaderDrawer() &&
                       skin->getListBoxDrawer() && skin->getStatusBarDrawer() && skin->getMenuDrawer() &&
                       skin->getComboDrawer() && skin->getGroupBoxDrawer() && skin->getTabBoxDrawer();
    if (whole) return skin;
    skin->releaseToPool();
    return nullptr;
}

}  // namespace

int32_t thinSchemeCount() { return static_cast<int32_t>(sizeof(kThinSchemes) / sizeof(kThinSchemes[0])); }
const ThinScheme& thinScheme(int32_t index) { return kThinSchemes[index]; }

const ThinWindowPreset* thinWindowPreset(int32_t number) {
    for (const ThinWindowPreset& p : kPresets) {
        if (p.number == number) return &p;
    }
    return nullptr;
}

int32_t thinWindowOrderCount() { return static_cast<int32_t>(sizeof(kThinWindowOrder) / sizeof(kThinWindowOrder[0])); }
int32_t thinWindowOrder(int32_t index) { return kThinWindowOrder[index]; }

ISkin* newThinSkin(const ThinScheme& scheme) {
    const COLORREF* S = scheme.s;
    ISkin* skin = namedSkin<Thin>(scheme.name);
    if (!skin) return nullptr;
    if (auto* d = window::win::Thin::obtain()) {
        d->setFrameColour(C3(S[1]));
        d->setBackgroundColour(C3(S[0]));
        d->setTopCornerStyle(0);
        d->setBottomCornerStyle(0);
        skin->setWindowDrawer(d);
    }
    if (auto* d = button::win::Thin::newForSkin(C3(S[1]))) {
        d->getCaptionFont()->setTextColour(C3(S[2]));
        d->getCaptionDisabledFont()->setTextColour(C3(S[2]));
        skin->setButtonDrawer(d);
    }
    if (auto* d = text::win::Basic::obtain()) {
        d->getNormalFont()->setTextColour(C3(S[2]));
        d->getDisabledFont()->setTextColour(C3(S[2]));
        skin->setTextDrawer(d);
    }
    if (auto* d = scrollbar::win::Thin::obtain()) {
        d->setThickness(15);
        d->setFrameColour(C3(S[1]));
        d->setBackgroundColour(C3(S[0]));
        skin->setScrollBarDrawer(d);
    }
    if (auto* d = checkbox::win::Thin::obtain()) {
        d->setBoxFrameColour(C3(S[1]));
        d->setTextColour(C3(S[2]));
        d->setDisabledTextColour(C3(S[2]));
        skin->setCheckBoxDrawer(d);
    }
    if (auto* d = radiobutton::win::Thin::obtain()) {
        d->setRingColour(C3(S[1]));
        d->setTextColour(C3(S[2]));
        d->setDisabledTextColour(C3(S[2]));
        skin->setRadioButtonDrawer(d);
    }
    if (auto* d = slider::win::Thin::obtain()) {
        d->setFrameColour(C3(S[1]));
        d->setTrackColour(C3(S[3]));
        skin->setSliderDrawer(d);
    }
    if (auto* d = counter::win::Basic::obtain()) {
        d->setFirstColour(C3(S[4]));
        d->setSecondColour(C3(S[5]));
        skin->setCounterDrawer(d);
    }
    if (auto* d = listheader::win::Thin::obtain()) {
        d->setMode(1);
        d->setFrameColour(C3(S[1]));
        d->setBackgroundColour(C3(S[0]));
        d->setFontColour(C3(S[2]));
        skin->setListHeaderDrawer(d);
    }
    if (auto* d = listbox::win::Thin::obtain()) {
        listbox::win::Basic* b = d->getBasic();
        b->setBackgroundColour(C3(S[0]));
        b->setTextColour(C3(S[2]));
        b->setSelectionColour(C3(S[1]));
        b->setSelectionTextColour(C3(S[0]));
        b->setAlternateColour(243, 243, 243);
        skin->setListBoxDrawer(d);
    }
    if (auto* d = statusbar::win::Thin::obtain()) {
        d->setColour(C3(S[1]));
        skin->setStatusBarDrawer(d);
    }
    skin->setMenuDrawer(menu::win::newMenuDrawer(C3(S[2]), C3(S[1]), C3(S[0])));
    if (auto* d = combo::win::Thin::obtain()) {
        d->setTextColour(C3(S[2]));
        d->setArrowColour(C3(S[1]));
        d->setDisabledTextColour(C3(S[2]));
        skin->setComboDrawer(d);
    }
    if (auto* d = groupbox::win::Thin::obtain()) {
        d->setFrameColour(C3(S[1]));
        d->getTitleFont()->setTextColour(C3(S[2]));
        d->getSecondTitleFont()->setTextColour(C3(S[2]));
        skin->setGroupBoxDrawer(d);
    }
    if (auto* d = tabbox::win::Thin::obtain()) {
        d->setFrameColour(C3(S[1]));
        skin->setTabBoxDrawer(d);
    }
    return wholeOrNone(skin);
}

ISkin* newThinWindowSkin(const wchar_t* name, const COLORREF (&W)[15]) {
    ISkin* skin = namedSkin<ThinWindow>(name);
    if (!skin) return nullptr;
    if (auto* d = window::win::Thin::obtain()) {
        d->setFrameColour(C3(W[1]));
        d->setBackgroundColour(C3(W[0]));
        d->setTopCornerStyle(0);
        d->setBottomCornerStyle(0);
        skin->setWindowDrawer(d);
    }
    if (auto* d = button::win::Thin::newForSkin(C3(W[3]))) {
        d->setDisabledFrameColour(C3(W[2]));
        d->setToggledFrameColour(C3(W[3]));
        d->setToggledFillColour(C3(W[8]));
        d->getCaptionFont()->setTextColour(C3(W[5]));
        d->getCaptionDisabledFont()->setTextColour(C3(W[2]));
        d->getSecondTextFont()->setTextColour(C3(W[9]));
        skin->setButtonDrawer(d);
    }
    if (auto* d = text::win::Basic::obtain()) {
        d->getNormalFont()->setTextColour(C3(W[5]));
        d->getNormalFont()->setSecondColour(C3(W[0]));
        d->getNormalFont()->setThirdColour(C3(W[6]));
        d->getDisabledFont()->setTextColour(C3(W[2]));
        d->getThirdFont()->setTextColour(C3(W[5]));
        d->getFourthFont()->setTextColour(C3(W[3]));
        skin->setTextDrawer(d);
    }
    if (auto* d = scrollbar::win::Thin::obtain()) {
        d->setThickness(15);
        d->setFrameColour(C3(W[3]));
        d->setBackgroundColour(C3(W[7]));
        skin->setScrollBarDrawer(d);
    }
    if (auto* d = checkbox::win::Thin::obtain()) {
        d->setBoxFrameColour(C3(W[3]));
        d->setTextColour(C3(W[5]));
        d->setDisabledTextColour(C3(W[2]));
        skin->setCheckBoxDrawer(d);
    }
    if (auto* d = radiobutton::win::Thin::obtain()) {
        d->setRingColour(C3(W[3]));
        d->setTextColour(C3(W[5]));
        d->setDisabledTextColour(C3(W[2]));
        skin->setRadioButtonDrawer(d);
    }
    if (auto* d = slider::win::Thin::obtain()) {
        d->setFrameColour(C3(W[3]));
        d->setTrackColour(C3(W[7]));
        d->setDisabledColour(C3(W[2]));
        skin->setSliderDrawer(d);
    }
    if (auto* d = counter::win::Basic::obtain()) {
        d->setFirstColour(C3(W[13]));
        d->setSecondColour(C3(W[14]));
        skin->setCounterDrawer(d);
    }
    if (auto* d = listheader::win::Thin::obtain()) {
        d->setMode(1);
        d->setFrameColour(C3(W[3]));
        d->setBackgroundColour(C3(W[8]));
        d->setFontColour(C3(W[9]));
        skin->setListHeaderDrawer(d);
    }
    if (auto* d = listbox::win::Thin::obtain()) {
        listbox::win::Basic* b = d->getBasic();
        b->setBackgroundColour(C3(W[10]));
        b->setTextColour(C3(W[11]));
        b->setSelectionColour(C3(W[8]));
        b->setSelectionTextColour(C3(W[9]));
        b->setAlternateColour(C3(W[12]));
        skin->setListBoxDrawer(d);
    }
    if (auto* d = statusbar::win::Thin::obtain()) {
        d->setColour(C3(W[3]));
        skin->setStatusBarDrawer(d);
    }
    if (auto* d = menu::win::newMenuDrawer(C3(W[5]), C3(W[3]), C3(W[0]))) {
        d->getComboDrawer()->setTextColour(C3(W[5]));
        d->getComboDrawer()->setArrowColour(C3(W[3]));
        d->getComboDrawer()->setDisabledTextColour(C3(W[5]));
        skin->setMenuDrawer(d);
    }
    if (auto* d = combo::win::Thin::obtain()) {
        d->setTextColour(C3(W[5]));
        d->setArrowColour(C3(W[3]));
        d->setDisabledTextColour(C3(W[5]));
        skin->setComboDrawer(d);
    }
    if (auto* d = groupbox::win::Thin::obtain()) {
        d->setFrameColour(C3(W[4]));
        d->getTitleFont()->setTextColour(C3(W[5]));
        d->getSecondTitleFont()->setTextColour(C3(W[5]));
        skin->setGroupBoxDrawer(d);
    }
    if (auto* d = tabbox::win::Thin::obtain()) {
        d->setFrameColour(C3(W[3]));
        for (int32_t i = 0; i < 3; ++i) d->getFont(i)->setTextColour(C3(W[5]));
        skin->setTabBoxDrawer(d);
    }
    return wholeOrNone(skin);
}

ISkin* skinOfPreset(int32_t number) {
    const ThinWindowPreset* preset = thinWindowPreset(number);
    return preset ? newThinWindowSkin(preset->name, preset->w) : nullptr;
}

}  // namespace s::gui::drawer::skin
