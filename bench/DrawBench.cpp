// bench/DrawBench.cpp
//
// Frames per second of a 500 x 400 window's worth of controls (times the scale), each
// painted through its drawer into its own kept back buffer and copied to the window once,
// beside the same controls painted with plain FillRect, DrawText and BitBlt calls, at
// scales 1 and 2, in the same run. Run under the session's Xvfb (tools/wine-exec).
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench/Timing.h"
#include "mfc/CBrush.h"
#include "s/gui/drawer/border/win/Thin.h"
#include "s/gui/drawer/button/win/Thin.h"
#include "s/gui/drawer/checkbox/win/Thin.h"
#include "s/gui/drawer/combo/win/Thin.h"
#include "s/gui/drawer/groupbox/win/Thin.h"
#include "s/gui/drawer/listbox/ListItem.h"
#include "s/gui/drawer/listbox/win/Basic.h"
#include "s/gui/drawer/radiobutton/win/Thin.h"
#include "s/gui/drawer/scrollbar/ScrollBarState.h"
#include "s/gui/drawer/scrollbar/win/Thin.h"
#include "s/gui/drawer/slider/SliderState.h"
#include "s/gui/drawer/slider/win/Thin.h"
#include "s/gui/drawer/statusbar/win/Basic.h"
#include "s/gui/drawer/text/win/Basic.h"
#include "s/gui/drawer/window/win/Thin.h"
#include "s/gui/win/BackBuffer.h"
#include "s/gui/win/Font.h"
#include "s/gui/win/FontSetting.h"
#include "s/gui/win/MemDC.h"
#include "s/gui/win/UiScale.h"
#include "s/image/win/BufferedImage.h"

namespace {

namespace d = s::gui::drawer;

enum Kind { kButton, kText, kCheck, kRadio, kCombo, kScroll, kList, kSlider, kGroup, kStatus };

struct Control {
    Kind kind;
    RECT r;  // in the window, at scale 1
    const wchar_t* caption;
};

// A dialog-like window: a group with a list and its scroll bar, labels, boxes, buttons.
const Control kControls[] = {
    {kGroup, {10, 10, 490, 250}, L"Files"},     {kList, {20, 30, 460, 240}, L"Document.txt"},
    {kScroll, {460, 30, 475, 240}, nullptr},    {kText, {10, 260, 120, 280}, L"Method:"},
    {kCombo, {120, 258, 380, 280}, L"Shred Once"}, {kCheck, {10, 290, 240, 308}, L"Ask first"},
    {kRadio, {250, 290, 490, 308}, L"Silent"},  {kSlider, {10, 316, 490, 334}, nullptr},
    {kButton, {230, 342, 330, 366}, L"Start"},  {kButton, {340, 342, 440, 366}, L"Cancel"},
    {kButton, {450, 342, 490, 366}, L"#X"},     {kStatus, {0, 377, 500, 400}, nullptr},
};
constexpr int kControlCount = sizeof(kControls) / sizeof(kControls[0]);

RECT scaled(const RECT& r, int32_t s) { return {r.left * s, r.top * s, r.right * s, r.bottom * s}; }

struct Drawers {
    d::window::win::Thin* window = d::window::win::Thin::obtain();
    d::button::win::Thin* button = d::button::win::Thin::obtain();
    d::text::win::Basic* text = d::text::win::Basic::obtain();
    d::checkbox::win::Thin* check = d::checkbox::win::Thin::obtain();
    d::radiobutton::win::Thin* radio = d::radiobutton::win::Thin::obtain();
    d::combo::win::Thin* combo = d::combo::win::Thin::obtain();
    d::scrollbar::win::Thin* scroll = d::scrollbar::win::Thin::obtain();
    d::listbox::win::Basic* list = d::listbox::win::Basic::newDefault();
    d::slider::win::Thin* slider = d::slider::win::Thin::obtain();
    d::groupbox::win::Thin* group = d::groupbox::win::Thin::obtain();
    d::statusbar::win::Basic* status = d::statusbar::win::Basic::obtain();
    s::gui::win::Font* font = nullptr;
    const wchar_t* columns[2] = {L"Document.txt", L"12 KB"};
    int32_t widths[1] = {200};

    Drawers() {
        s::gui::win::FontSetting setting;
        font = setting.makeFont();
        window->setBackgroundColour(240, 240, 240);
        status->setGrip(true);
    }
    ~Drawers() {
        for (s::thread::IPoolable* p : std::vector<s::thread::IPoolable*>{
                 window, button, text, check, radio, combo, scroll, list, slider, group, status, font}) {
            if (p) p->releaseToPool();
        }
    }

    // One control into its own buffer at (0, 0) .. (w, h).
    void paint(HDC dc, const Control& c, int32_t w, int32_t h) {
        // The parent's background under every control, as controls copy it from their parent.
        const RECT all = {0, 0, w, h};
        SetBkColor(dc, RGB(240, 240, 240));
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
        switch (c.kind) {
            case kButton: button->draw(dc, 0, 0, w, h, 0, c.caption, true, font, true, false, false); break;
            case kText: {
                const RECT r = {0, 0, w, h};
                text->drawText(dc, r, c.caption, font);
                break;
            }
            case kCheck: check->draw(dc, 0, 0, w, h, 13 * s::gui::win::uiScale(), c.caption, font, true, true); break;
            case kRadio: radio->draw(dc, 0, 0, w, h, c.caption, font, true, true, RGB(240, 240, 240)); break;
            case kCombo: combo->draw(dc, 0, 0, w, h, c.caption, font, 0, true); break;
            case kScroll: {
                d::scrollbar::ScrollBarState s;
                s.range = 100, s.page = 20, s.position = 10;
                scroll->draw(dc, 0, 0, w, h, s);
                break;
            }
            case kList: {
                d::listbox::ListItem item;
                item.columns = columns, item.columnWidths = widths, item.columnCount = 2, item.font = font;
                const int32_t row = 18 * s::gui::win::uiScale();
                for (int32_t y = 0, i = 0; y < h; y += row, ++i) {
                    item.alternate = i % 2 == 1;
                    item.selected = i == 2;
                    list->drawItem(dc, 0, y, w, y + row, item);
                }
                break;
            }
            case kSlider: {
                d::slider::SliderState s;
                s.position = 60, s.levelFill = true;
                slider->draw(dc, 0, 0, w, h, s);
                break;
            }
            case kGroup: group->draw(dc, 0, 0, w, h, c.caption, font, 30, 14); break;
            case kStatus: status->draw(dc, 0, 0, w, h); break;
        }
    }
};

// The drawer way: every control keeps its back buffer and copies it once per frame.
double drawerFrames(HWND target, int32_t scale, int frames) {
    s::gui::win::overrideUiScale(scale);
    Drawers drawers;
    std::vector<s::gui::win::BackBuffer> buffers(kControlCount);
    HDC screen = GetDC(target);
    auto frame = [&] {
        for (int i = 0; i < kControlCount; ++i) {
            const RECT r = scaled(kControls[i].r, scale);
            const int32_t w = r.right - r.left, h = r.bottom - r.top;
            s::image::win::BufferedImage* image = buffers[i].ensure(w, h);
            s::gui::win::MemDC* dc = s::gui::win::MemDC::createForWindow(target, image, false);
            if (!dc) continue;
            drawers.paint(dc->m_hDC, kControls[i], w, h);
            dc->copyTo(screen, r.left, r.top, w, h);
            dc->releaseToPool();
        }
    };
    frame();
    const double took = bench::bestOfThree([&] {
        for (int f = 0; f < frames; ++f) frame();
        GdiFlush();
    });
    ReleaseDC(target, screen);
    s::gui::win::overrideUiScale(0);
    return frames / took;
}

// The plain way: the same backgrounds, frames and texts (a list's rows with both their
// columns) with brush fills and DrawText, and one copy of a kept buffer per control.
double plainFrames(HWND target, int32_t scale, int frames) {
    HDC screen = GetDC(target);
    CBrush face(RGB(240, 240, 240)), frameBrush(RGB(120, 120, 120));
    s::gui::win::FontSetting setting;
    s::gui::win::Font* font = setting.makeFont();
    std::vector<s::gui::win::BackBuffer> buffers(kControlCount);
    auto frame = [&] {
        for (int i = 0; i < kControlCount; ++i) {
            const RECT r = scaled(kControls[i].r, scale);
            const int32_t w = r.right - r.left, h = r.bottom - r.top;
            s::gui::win::MemDC* dc = s::gui::win::MemDC::createForWindow(target, buffers[i].ensure(w, h), false);
            if (!dc) continue;
            RECT all = {0, 0, w, h};
            FillRect(dc->m_hDC, &all, face);
            FrameRect(dc->m_hDC, &all, frameBrush);
            HGDIOBJ before = SelectObject(dc->m_hDC, font->getHandle());
            SetBkMode(dc->m_hDC, TRANSPARENT);
            if (kControls[i].kind == kList) {
                const int32_t row = 18 * scale;
                for (int32_t y = 0; y < h; y += row) {
                    RECT line = {0, y, w, y + row};
                    FillRect(dc->m_hDC, &line, face);
                    RECT first = {4 * scale, y, 200 * scale, y + row}, second = {200 * scale, y, w, y + row};
                    DrawTextW(dc->m_hDC, L"Document.txt", -1, &first, DT_SINGLELINE | DT_NOPREFIX);
                    DrawTextW(dc->m_hDC, L"12 KB", -1, &second, DT_SINGLELINE | DT_NOPREFIX);
                }
            } else if (kControls[i].caption) {
                DrawTextW(dc->m_hDC, kControls[i].caption, -1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            }
            SelectObject(dc->m_hDC, before);
            BitBlt(screen, r.left, r.top, w, h, dc->m_hDC, 0, 0, SRCCOPY);
            dc->releaseToPool();
        }
    };
    frame();
    const double took = bench::bestOfThree([&] {
        for (int f = 0; f < frames; ++f) frame();
        GdiFlush();
    });
    font->releaseToPool();
    ReleaseDC(target, screen);
    return frames / took;
}

// Microseconds one control takes through its drawer, for finding where a frame goes.
void perControl(HWND target, int32_t scale) {
    s::gui::win::overrideUiScale(scale);
    Drawers drawers;
    for (int i = 0; i < kControlCount; ++i) {
        const RECT r = scaled(kControls[i].r, scale);
        const int32_t w = r.right - r.left, h = r.bottom - r.top;
        s::gui::win::BackBuffer buffer;
        s::gui::win::MemDC* dc = s::gui::win::MemDC::createForWindow(target, buffer.ensure(w, h), false);
        if (!dc) continue;
        const double took = bench::bestOfThree([&] {
            for (int n = 0; n < 200; ++n) drawers.paint(dc->m_hDC, kControls[i], w, h);
            GdiFlush();
        });
        std::printf("  control %2d (kind %d): %7.1f us\n", i, kControls[i].kind, took / 200 * 1e6);
        dc->releaseToPool();
    }
    s::gui::win::overrideUiScale(0);
}

}  // namespace

int wmain() {
    std::printf("draw_bench: a 500 x 400 window's worth of controls (x scale), %d controls a frame\n", kControlCount);
    for (int32_t scale : {1, 2}) {
        HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 500 * scale,
                                      400 * scale, nullptr, nullptr, nullptr, nullptr);
        if (!window) {
            std::printf("draw_bench: no window (%lu)\n", GetLastError());
            return 1;
        }
        const int frames = scale == 1 ? 200 : 80;
        const double drawn = drawerFrames(window, scale, frames);
        const double plain = plainFrames(window, scale, frames);
        std::printf("scale %d: drawers %.1f frames/s, plain FillRect/DrawText/BitBlt %.1f frames/s, ratio %.2fx\n",
                    scale, drawn, plain, plain / drawn);
        if (scale == 1) perControl(window, scale);
        DestroyWindow(window);
    }
    return 0;
}
