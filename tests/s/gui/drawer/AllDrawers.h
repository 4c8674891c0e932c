// tests/s/gui/drawer/AllDrawers.h
//
// One drawer of every class with the state a control would give it, each painted by one
// call: the table the empty-rectangle, leak, screenshot and benchmark code runs over.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/border/win/Plain.h"
#include "s/gui/drawer/border/win/Thin.h"
#include "s/gui/drawer/border/win/UnderWindowMenu.h"
#include "s/gui/drawer/button/win/Thin.h"
#include "s/gui/drawer/checkbox/win/Thin.h"
#include "s/gui/drawer/combo/win/Thin.h"
#include "s/gui/drawer/counter/ValueHistory.h"
#include "s/gui/drawer/counter/win/Basic.h"
#include "s/gui/drawer/groupbox/win/Basic.h"
#include "s/gui/drawer/groupbox/win/Thin.h"
#include "s/gui/drawer/image/win/Basic.h"
#include "s/gui/drawer/listbox/ListItem.h"
#include "s/gui/drawer/listbox/win/Basic.h"
#include "s/gui/drawer/listbox/win/Thin.h"
#include "s/gui/drawer/listheader/win/Thin.h"
#include "s/gui/drawer/menu/win/Basic.h"
#include "s/gui/drawer/radiobutton/win/Thin.h"
#include "s/gui/drawer/scrollbar/ScrollBarState.h"
#include "s/gui/drawer/scrollbar/win/Thin.h"
#include "s/gui/drawer/slider/SliderState.h"
#include "s/gui/drawer/slider/win/Thin.h"
#include "s/gui/drawer/statusbar/win/Basic.h"
#include "s/gui/drawer/statusbar/win/BasicResizer.h"
#include "s/gui/drawer/statusbar/win/Thin.h"
#include "s/gui/drawer/tabbox/win/Thin.h"
#include "s/gui/drawer/text/win/Basic.h"
#include "s/gui/drawer/window/win/Thin.h"
#include "s/gui/win/Font.h"
#include "s/gui/win/FontSetting.h"
#include "s/image/win/BufferedImage.h"

namespace tests::gui {

namespace d = s::gui::drawer;

using Paint = std::function<void(HDC dc, int32_t l, int32_t t, int32_t r, int32_t b)>;

struct DrawerCase {
    std::string name;
    Paint paint;
};

// The states the drawers are painted in.
struct DrawState {
    s::gui::win::Font* font = nullptr;
    d::counter::ValueHistory first{64};
    d::counter::ValueHistory second{64};
    s::image::win::BufferedImage* image = nullptr;
    const wchar_t* columns[2] = {L"Name", L"Size"};
    int32_t widths[1] = {60};
    d::listbox::ListItem item;
    d::scrollbar::ScrollBarState bar;
    d::slider::SliderState slider;

    DrawState() {
        s::gui::win::FontSetting setting;
        font = setting.makeFont();
        for (int i = 0; i < 64; ++i) {
            first.add(i * 7 % 50);
            second.add(i * 3 % 40);
        }
        first.setLimits(0, 50);
        second.setAutoScale(true);
        image = s::image::win::newBufferedImage(8, 8);
        if (image) image->fill(255, 200, 40, 40);
        item.level = 1;
        item.expanderColumn = item.hasChildren = item.open = true;
        item.hasCheckBox = item.checked = true;
        item.columns = columns;
        item.columnWidths = widths;
        item.columnCount = 2;
        item.selected = true;
        item.font = item.selectedFont = font;
        item.dropPosition = 1;
        bar.range = 100;
        bar.page = 20;
        bar.position = 30;
        slider.position = 40;
        slider.levelFill = true;
        slider.gradientStyle = 2;
        slider.colourOne = RGB(255, 0, 0);
        slider.colourTwo = RGB(255, 0, 0);
    }
    ~DrawState() {
        if (font) font->releaseToPool();
        if (image) image->releaseToPool();
    }
    DrawState(const DrawState&) = delete;
    DrawState& operator=(const DrawState&) = delete;
};

// Every drawer class, each obtained from its pool and painted by its family's draw.
class AllDrawers {
public:
    AllDrawers() {
        add<d::window::win::Thin>("window", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState&) {
            x->setBackgroundColour(240, 240, 240);
            x->setTopCornerStyle(2);
            x->draw(dc, l, t, r, b);
        });
        add<d::border::win::Plain>("border Plain", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState&) {
            x->draw(dc, l, t, r, b);
        });
        add<d::border::win::UnderWindowMenu>("border UnderWindowMenu",
                                             [](auto* x, HDC dc, int l, int t, int r, int b, DrawState&) {
                                                 x->draw(dc, l, t, r, b);
                                             });
        add<d::border::win::Thin>("border Thin", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState&) {
            x->setShaded(true);
            x->draw(dc, l, t, r, b, 1, 2, 200, 200, 200);
        });
        add<d::groupbox::win::Basic>("groupbox Basic", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState& s) {
            x->draw(dc, l, t, r, b, L"Group", s.font, 30, 12);
        });
        add<d::groupbox::win::Thin>("groupbox Thin", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState& s) {
            x->draw(dc, l, t, r, b, L"Group", s.font, 30, 12);
        });
        add<d::tabbox::win::Thin>("tabbox Thin", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState&) {
            x->draw(dc, l, t, r, b);
        });
        add<d::statusbar::win::Basic>("statusbar Basic", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState&) {
            x->setGradient(true);
            x->setGrip(true);
            x->draw(dc, l, t, r, b);
        });
        add<d::statusbar::win::BasicResizer>("statusbar BasicResizer",
                                             [](auto* x, HDC dc, int l, int t, int r, int b, DrawState&) {
                                                 x->draw(dc, l, t, r, b);
                                             });
        add<d::statusbar::win::Thin>("statusbar Thin", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState&) {
            x->draw(dc, l, t, r, b);
        });
        add<d::text::win::Basic>("text Basic", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState& s) {
            const RECT box = {l, t, r, b};
            x->drawText(dc, box, L"Text", s.font);
        });
        add<d::button::win::Thin>("button Thin", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState& s) {
            x->draw(dc, l, t, r, b, 0, L"OK", true, s.font, true, false, false);
        });
        add<d::button::win::Thin>("button glyph", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState& s) {
            x->draw(dc, l, t, r, b, 1, L"#Play", true, s.font, true, true, false);
        });
        add<d::scrollbar::win::Thin>("scrollbar Thin", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState& s) {
            x->draw(dc, l, t, r, b, s.bar);
        });
        add<d::checkbox::win::Thin>("checkbox Thin", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState& s) {
            x->draw(dc, l, t, r, b, 13, L"Check", s.font, true, true);
        });
        add<d::radiobutton::win::Thin>("radiobutton Thin",
                                       [](auto* x, HDC dc, int l, int t, int r, int b, DrawState& s) {
                                           x->draw(dc, l, t, r, b, L"Radio", s.font, true, true, RGB(255, 255, 255));
                                       });
        add<d::slider::win::Thin>("slider Thin", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState& s) {
            x->draw(dc, l, t, r, b, s.slider);
        });
        add<d::counter::win::Basic>("counter Basic", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState& s) {
            x->draw(dc, l, t, r, b, &s.first, &s.second);
        });
        add<d::listheader::win::Thin>("listheader Thin", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState& s) {
            x->draw(dc, l, t, r, b, false, 0);
            x->drawCell(dc, l, t, r, b, L"Name", s.font, 0);
        });
        add<d::listbox::win::Basic>("listbox Basic", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState& s) {
            x->draw(dc, l, t, r, b);
            x->drawItem(dc, l, t, r, b, s.item);
        });
        add<d::listbox::win::Thin>("listbox Thin", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState& s) {
            x->draw(dc, l, t, r, b);
            x->drawItem(dc, l, t, r, b, s.item);
        });
        add<d::combo::win::Thin>("combo Thin", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState& s) {
            x->draw(dc, l, t, r, b, L"Item", s.font, 1, true);
        });
        add<d::image::win::Basic>("image Basic", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState& s) {
            x->draw(dc, l, t, r, b, s.image, true);
        });
        add<d::menu::win::Basic>("menu Basic", [](auto* x, HDC dc, int l, int t, int r, int b, DrawState&) {
            x->draw(dc, l, t, r, b);
        });
    }
    ~AllDrawers() {
        for (auto* drawer : m_owned) drawer->releaseToPool();
    }
    AllDrawers(const AllDrawers&) = delete;
    AllDrawers& operator=(const AllDrawers&) = delete;

    const std::vector<DrawerCase>& cases() const { return m_cases; }
    DrawState& state() { return m_state; }

private:
    template <class D, class F>
    void add(const char* name, F f) {
        D* drawer = D::obtain();
        if (!drawer) return;
        m_owned.push_back(drawer);
        DrawState* state = &m_state;
        m_cases.push_back({name, [drawer, f, state](HDC dc, int32_t l, int32_t t, int32_t r, int32_t b) {
                               f(drawer, dc, l, t, r, b, *state);
                           }});
    }

    DrawState m_state;
    std::vector<s::thread::IPoolable*> m_owned;
    std::vector<DrawerCase> m_cases;
};

// The families of a skin painted side by side into one row each of (x, y, w, h) cells.
inline void paintSkin(HDC dc, d::ISkin* skin, DrawState& s, int32_t cell, int32_t gap) {
    int32_t x = gap;
    const int32_t y = gap, h = cell / 2;
    auto next = [&](int32_t w) {
        const RECT r = {x, y, x + w, y + h};
        x += w + gap;
        return r;
    };
    RECT r = next(cell);
    if (auto* w = skin->getWindowDrawer()) {
        // The window drawer paints at the DC's origin: move it there.
        POINT before;
        SetViewportOrgEx(dc, r.left, r.top, &before);
        w->draw(dc, 0, 0, r.right - r.left, r.bottom - r.top);
        SetViewportOrgEx(dc, before.x, before.y, nullptr);
    }
    r = next(cell);
    if (auto* b = skin->getButtonDrawer()) b->draw(dc, r.left, r.top, r.right, r.bottom, 0, L"OK", true, s.font, true, false, false);
    r = next(cell / 2);
    if (auto* b = skin->getButtonDrawer()) b->draw(dc, r.left, r.top, r.right, r.bottom, 0, L"#X", true, s.font, true, true, false);
    r = next(cell);
    if (auto* t = skin->getTextDrawer()) {
        const RECT box = r;
        t->drawText(dc, box, L"Text", s.font);
    }
    r = next(cell / 3);
    d::scrollbar::ScrollBarState bar = s.bar;
    if (auto* b = skin->getScrollBarDrawer()) b->draw(dc, r.left, r.top, r.right, r.bottom, bar);
    r = next(cell);
    if (auto* c = skin->getCheckBoxDrawer()) c->draw(dc, r.left, r.top, r.right, r.bottom, 13, L"Check", s.font, true, true);
    r = next(cell);
    if (auto* c = skin->getRadioButtonDrawer()) {
        c->draw(dc, r.left, r.top, r.right, r.bottom, L"Radio", s.font, true, true, GetPixel(dc, r.left, r.top));
    }
    r = next(cell);
    if (auto* c = skin->getSliderDrawer()) c->draw(dc, r.left, r.top, r.right, r.bottom, s.slider);
    r = next(cell);
    if (auto* c = skin->getCounterDrawer()) c->draw(dc, r.left, r.top, r.right, r.bottom, &s.first, &s.second);
    r = next(cell);
    if (auto* c = skin->getListHeaderDrawer()) {
        c->draw(dc, r.left, r.top, r.right, r.bottom, false, 0);
        c->drawCell(dc, r.left, r.top, r.right, r.bottom, L"Name", s.font, 0);
    }
    r = next(2 * cell);
    if (auto* c = skin->getListBoxDrawer()) {
        c->draw(dc, r.left, r.top, r.right, r.bottom);
        c->drawItem(dc, r.left, r.top, r.right, r.top + h / 2, s.item);
    }
    r = next(cell);
    if (auto* c = skin->getStatusBarDrawer()) c->draw(dc, r.left, r.top, r.right, r.bottom);
    r = next(cell);
    if (auto* c = skin->getComboDrawer()) c->draw(dc, r.left, r.top, r.right, r.bottom, L"Item", s.font, 0, true);
    r = next(cell);
    if (auto* c = skin->getGroupBoxDrawer()) c->draw(dc, r.left, r.top, r.right, r.bottom, L"Group", s.font, 30, 12);
    r = next(cell / 2);
    if (auto* c = skin->getTabBoxDrawer()) c->draw(dc, r.left, r.top, r.right, r.bottom);
}

}  // namespace tests::gui
