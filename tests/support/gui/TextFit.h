// tests/support/gui/TextFit.h
//
// Whether every text of a toolkit window has its room, as a user reads it: each visible
// control's text measured in the control's own font against the control's rectangle, that
// rectangle against the area its ancestors leave visible, and each text against its
// neighbours'. Read on the window's UI thread (the layout does not move meanwhile). What is
// wrong comes back as one line per offence, naming the control by its text.
#pragma once
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "mfc/CWnd.h"
#include "s/gui/combobox/ComboBoxItem.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/CheckBox.h"
#include "s/gui/win/ComboBox.h"
#include "s/gui/win/Font.h"
#include "s/gui/win/GroupBox.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/MenuEx.h"
#include "s/gui/win/Window.h"

namespace tests::gui {

// What a text needs beyond its extent inside each kind of control, at 96 dots per inch (Wine
// 8.0's controls: a push button's face and focus frame take 3 pixels a side; a check box's
// square is 13 pixels and its text starts 4 after it; a combo box's closed face keeps the
// arrow button of a scroll bar's width and draws its item 2 pixels in; a group box's title
// begins 9 pixels in).
struct TextRoom {
    static constexpr int kButtonSide = 3;
    static constexpr int kCheckSquare = 13 + 4;
    static constexpr int kComboInset = 2 + 3;
    static constexpr int kGroupTitleLeft = 9;
    // Texts side by side need at least this much between them to read as two.
    static constexpr int kGap = 2;
};

// The combo box's notifications as its parent reflects them to it.
constexpr UINT kReflectedDropDown = WM_APP + 0x0F;
constexpr UINT kReflectedCloseUp = WM_APP + 0x10;

struct PlacedText {
    std::wstring text;
    HWND handle;
    RECT rect;     // the control, in the window's client coordinates
    RECT inked;    // where its text stands
};

class TextFit {
public:
    // The offences of the window's visible texts, on its UI thread; "no answer" when that
    // thread did not run the check.
    static std::vector<std::wstring> offences(s::gui::win::Window* window) {
        TextFit fit(window->getHandle());
        if (!s::gui::win::onUiThread(*window, [&] { run(&fit); }, s::gui::win::kWaitForever))
            return {L"no answer from the window's thread"};
        return fit.m_offences;
    }

private:
    explicit TextFit(HWND top) : m_top(top) {}

    static void run(void* self) {
        auto* fit = static_cast<TextFit*>(self);
        EnumChildWindows(fit->m_top, &visit, reinterpret_cast<LPARAM>(fit));
        fit->checkNeighbours();
    }

    static BOOL CALLBACK visit(HWND child, LPARAM self) {
        reinterpret_cast<TextFit*>(self)->check(child);
        return TRUE;
    }

    RECT placed(HWND child) const {
        RECT r = {};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, m_top, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    // The part of the window that the child's ancestors leave visible.
    RECT visibleArea(HWND child) const {
        RECT area = {};
        GetClientRect(m_top, &area);
        for (HWND up = GetParent(child); up && up != m_top; up = GetParent(up)) {
            RECT r = {};
            GetClientRect(up, &r);
            MapWindowPoints(up, m_top, reinterpret_cast<POINT*>(&r), 2);
            IntersectRect(&area, &area, &r);
        }
        return area;
    }

    static SIZE extent(HWND control, HFONT font, const std::wstring& text) {
        SIZE size = {0, 0};
        HDC dc = GetDC(control);
        HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        if (old) SelectObject(dc, old);
        ReleaseDC(control, dc);
        return size;
    }

    // The height of a text broken into lines as wide as width, and its widest line.
    static SIZE wrapped(HWND control, HFONT font, const std::wstring& text, int width) {
        RECT r = {0, 0, width, 0};
        HDC dc = GetDC(control);
        HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        if (old) SelectObject(dc, old);
        ReleaseDC(control, dc);
        return SIZE{r.right, r.bottom};
    }

    static HFONT controlFont(HWND control) {
        return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    }

    void offence(const std::wstring& text, const std::wstring& what) {
        m_offences.push_back(L"\"" + text + L"\" " + what);
    }

    void needs(const std::wstring& text, const RECT& rect, int width, int height) {
        const int haveWidth = rect.right - rect.left, haveHeight = rect.bottom - rect.top;
        if (width > haveWidth)
            offence(text, L"is cut: needs " + std::to_wstring(width) + L" wide, has " + std::to_wstring(haveWidth));
        if (height > haveHeight)
            offence(text, L"is cut: needs " + std::to_wstring(height) + L" high, has " + std::to_wstring(haveHeight));
    }

    static std::wstring show(const RECT& r) {
        return L"(" + std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L")-(" + std::to_wstring(r.right) +
               L"," + std::to_wstring(r.bottom) + L")";
    }

    void mustShow(const std::wstring& text, HWND handle, const RECT& inked) {
        RECT area = visibleArea(handle), shown = {};
        IntersectRect(&shown, &inked, &area);
        if (!EqualRect(&shown, &inked))
            offence(text, L"reaches outside what its window shows: " + show(inked) + L" in " + show(area));
    }

    void keep(const std::wstring& text, HWND handle, const RECT& rect, const RECT& inked) {
        mustShow(text, handle, inked);
        m_placed.push_back(PlacedText{text, handle, rect, inked});
    }

    // A text's trailing blanks (the pack ends some with a no-break space) are room, not ink.
    static std::wstring inkOf(const std::wstring& text) {
        size_t end = text.size();
        while (end > 0 && (text[end - 1] == L' ' || text[end - 1] == 0x00A0)) --end;
        return text.substr(0, end);
    }

    void check(HWND child) {
        if (!IsWindowVisible(child)) return;
        mfc::CWnd* native = mfc::CWnd::FromHandlePermanent(child);
        if (!native) return;
        const RECT rect = placed(child);
        if (auto* label = dynamic_cast<s::gui::win::Label*>(native)) checkLabel(label, child, rect);
        else if (auto* button = dynamic_cast<s::gui::win::Button*>(native)) checkButton(button, child, rect);
        else if (auto* box = dynamic_cast<s::gui::win::CheckBox*>(native)) checkCheckBox(box, child, rect);
        else if (auto* combo = dynamic_cast<s::gui::win::ComboBox*>(native)) checkCombo(combo, child, rect);
        else if (auto* group = dynamic_cast<s::gui::win::GroupBox*>(native)) checkGroup(group, child, rect);
        else if (auto* bar = dynamic_cast<s::gui::win::MenuEx*>(native)) checkMenuBar(bar, child, rect);
    }

    void checkLabel(s::gui::win::Label* label, HWND child, const RECT& rect) {
        const std::wstring text = label->getText();
        if (text.empty()) return;
        HFONT font = label->getFont() ? label->getFont()->getHandle() : nullptr;
        const int width = rect.right - rect.left;
        SIZE single = extent(child, font, text);
        // A text that does not fit on one line is broken into lines by a wrapping label.
        SIZE need = single;
        if (single.cx > width) {
            SIZE lines = wrapped(child, font, text, width);
            if (lines.cx <= width) need = lines;
        }
        needs(text, rect, need.cx, need.cy);
        RECT inked = rect;
        const LONG ink = need.cx == single.cx ? extent(child, font, inkOf(text)).cx : need.cx;
        inked.right = rect.left + std::min<LONG>(ink, width);
        keep(text, child, rect, inked);
    }

    void checkButton(s::gui::win::Button* button, HWND child, const RECT& rect) {
        const std::wstring text = button->getText();
        if (text.empty() || text[0] == L'#') return;  // glyph captions are pictures
        SIZE size = extent(child, controlFont(child), text);
        needs(text, rect, size.cx + 2 * TextRoom::kButtonSide, size.cy);
        keep(text, child, rect, rect);
    }

    void checkCheckBox(s::gui::win::CheckBox* box, HWND child, const RECT& rect) {
        const std::wstring text = box->getText();
        SIZE size = extent(child, controlFont(child), text);
        needs(text, rect, size.cx + TextRoom::kCheckSquare, size.cy);
        RECT inked = rect;
        inked.right = std::min<LONG>(rect.right, rect.left + size.cx + TextRoom::kCheckSquare);
        keep(text, child, rect, inked);
    }

    // The list, opened, shows every item whole; the closed box shows the chosen one as far as
    // it has room, ending it with an ellipsis where it has not (the face is as wide as the
    // layout gives it, the list as wide as its widest item).
    void checkCombo(s::gui::win::ComboBox* combo, HWND child, const RECT& rect) {
        // The list is sized as it opens: what its parent hands on of the list's opening and
        // closing (CBN_DROPDOWN, CBN_CLOSEUP), without showing it.
        SendMessageW(child, kReflectedDropDown, 0, 0);
        SendMessageW(child, kReflectedCloseUp, 0, 0);
        const LONG opened = static_cast<LONG>(SendMessageW(child, CB_GETDROPPEDWIDTH, 0, 0));
        for (uint32_t i = 0; i < combo->getItemCount(); ++i) {
            const std::wstring text = combo->getItem(static_cast<int32_t>(i))->getCaption();
            SIZE size = extent(child, controlFont(child), text);
            if (size.cx + TextRoom::kComboInset > opened)
                offence(text, L"is cut in the opened list: needs " + std::to_wstring(size.cx + TextRoom::kComboInset) +
                                  L" wide, has " + std::to_wstring(opened));
        }
        keep(combo->getSelectedItem() ? combo->getSelectedItem()->getCaption() : L"", child, rect, rect);
    }

    void checkGroup(s::gui::win::GroupBox* group, HWND child, const RECT& rect) {
        const std::wstring text = group->getTitle();
        if (text.empty()) return;
        SIZE size = extent(child, controlFont(child), text);
        needs(text, rect, TextRoom::kGroupTitleLeft + size.cx + TextRoom::kGroupTitleLeft, size.cy);
        // The title stands on the frame's top edge, in front of what the box holds.
        RECT inked = {rect.left + TextRoom::kGroupTitleLeft, rect.top, rect.left + TextRoom::kGroupTitleLeft + size.cx,
                      rect.top + size.cy};
        mustShow(text, child, inked);
        m_titles.push_back(PlacedText{text, child, rect, inked});
    }

    // Each entry is measured to its caption by the bar itself; what counts is that the bar
    // shows every entry whole.
    void checkMenuBar(s::gui::win::MenuEx* bar, HWND child, const RECT& rect) {
        for (uint32_t i = 0; i < bar->getEntryCount(); ++i) {
            RECT entry = bar->getEntryRect(i);
            OffsetRect(&entry, rect.left, rect.top);
            RECT area = visibleArea(child), shown = {};
            IntersectRect(&area, &area, &rect);
            IntersectRect(&shown, &entry, &area);
            if (!EqualRect(&shown, &entry)) offence(bar->getCaption(i), L"(menu bar) is cut");
        }
    }

    static bool isAncestor(HWND up, HWND down) {
        for (HWND p = GetParent(down); p; p = GetParent(p))
            if (p == up) return true;
        return false;
    }

    void checkNeighbours() {
        for (size_t i = 0; i < m_placed.size(); ++i) {
            const PlacedText& a = m_placed[i];
            for (size_t j = i + 1; j < m_placed.size(); ++j) {
                const PlacedText& b = m_placed[j];
                if (isAncestor(a.handle, b.handle) || isAncestor(b.handle, a.handle)) continue;
                RECT both = {};
                if (IntersectRect(&both, &a.inked, &b.inked)) {
                    offence(a.text, L"overlaps \"" + b.text + L"\"");
                    continue;
                }
                const bool sameRow = a.inked.top < b.inked.bottom && b.inked.top < a.inked.bottom;
                const LONG gap = a.inked.right <= b.inked.left ? b.inked.left - a.inked.right : a.inked.left - b.inked.right;
                if (sameRow && gap < TextRoom::kGap) offence(a.text, L"touches \"" + b.text + L"\"");
            }
            for (const PlacedText& title : m_titles) {
                RECT both = {};
                if (!isAncestor(title.handle, a.handle) && IntersectRect(&both, &a.inked, &title.inked))
                    offence(a.text, L"overlaps the title \"" + title.text + L"\"");
                if (isAncestor(title.handle, a.handle) && IntersectRect(&both, &a.inked, &title.inked))
                    offence(a.text, L"runs into its frame's title \"" + title.text + L"\"");
            }
        }
    }

    HWND m_top;
    std::vector<PlacedText> m_placed;
    std::vector<PlacedText> m_titles;
    std::vector<std::wstring> m_offences;
};

}  // namespace tests::gui
