// s/gui/win/ComboBox.cpp
#include "s/gui/win/ComboBox.h"

#include "s/gui/combobox/ComboBoxItem.h"
#include "s/gui/win/Font.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

namespace {

using s::gui::combobox::ComboBoxItem;

constexpr DWORD kStyle = WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                         CBS_HASSTRINGS;  // 0x40200213
constexpr UINT kReflectedSelectionChange = WM_APP + 0x0A;
constexpr wchar_t kCreationFailed[] = L"Window Creation Failed!";

}  // namespace

ComboBox::ComboBox() { m_background = 0xFFFFFF; }

ComboBox::~ComboBox() {
    if (m_font) m_font->releaseToPool();
}

void ComboBox::resetForReuse() {
    ComponentBase::resetForReuse();
    while (m_items.count()) deleteAt(static_cast<int32_t>(m_items.count()) - 1);
    m_selection = m_previous = -1;
    if (m_font) m_font->releaseToPool();
    m_font = nullptr;
    m_fontSetting.resetForReuse();
    m_selectionListeners.clear();
    m_background = 0xFFFFFF;
}

s::base::IObject* ComboBox::newInstance() const { return s::thread::Pool<ComboBox>::obtain(); }

void ComboBox::releaseToPool() { s::thread::Pool<ComboBox>::release(this); }

Font* ComboBox::font() {
    if (!m_font) m_font = m_fontSetting.makeFont();
    return m_font;
}

ComboBoxItem* ComboBox::getItem(int32_t index) const {
    if (index < 0 || static_cast<uint32_t>(index) >= m_items.count()) return nullptr;
    return m_items.item<ComboBoxItem>(static_cast<uint32_t>(index));
}

void ComboBox::addItem(ComboBoxItem* item) {
    if (!item) return;
    m_items.add(item);
    if (m_hWnd) SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item->getCaption()));
}

void ComboBox::insertItem(int32_t index, ComboBoxItem* item) {
    if (!item || index < 0 || static_cast<uint32_t>(index) > m_items.count()) return;
    if (static_cast<uint32_t>(index) == m_items.count()) {
        addItem(item);
        return;
    }
    if (!m_items.insertGap(static_cast<uint32_t>(index))) return;
    m_items.set(static_cast<uint32_t>(index), item);
    if (m_hWnd)
        SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(item->getCaption()));
    if (m_selection >= index) ++m_selection;
    if (m_previous >= index) ++m_previous;
}

// Removing the selected item leaves no selection; the others keep theirs.
ComboBoxItem* ComboBox::removeAt(int32_t index) {
    ComboBoxItem* item = getItem(index);
    if (!item) return nullptr;
    m_items.removeAt(static_cast<uint32_t>(index));
    if (m_hWnd) SendMessage(CB_DELETESTRING, static_cast<WPARAM>(index));
    if (index == m_selection) {
        m_selection = m_previous = -1;
        if (m_hWnd) SendMessage(CB_SETCURSEL, static_cast<WPARAM>(-1));
    } else {
        if (m_selection > index) --m_selection;
        if (m_previous > index) --m_previous;
        if (m_previous == index) m_previous = -1;
    }
    return item;
}

void ComboBox::deleteAt(int32_t index) {
    if (ComboBoxItem* item = removeAt(index)) item->releaseToPool();
}

// An index outside the list means the first item; an empty list keeps no selection.
void ComboBox::setSelection(int32_t index, bool fireEvents) {
    if (index < 0 || static_cast<uint32_t>(index) >= m_items.count()) index = 0;
    if (m_items.count() == 0) index = -1;
    if (index == m_selection) return;
    if (m_hWnd) SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index));
    m_previous = m_selection;
    m_selection = index;
    if (fireEvents) m_selectionListeners.fire(self(), 0);
}

bool ComboBox::createNativeWindow(HWND parent) {
    if (!CreateEx(0, L"COMBOBOX", L"", kStyle, 0, 0, 0, 0, parent,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kControlId)))) {
        ::MessageBoxW(nullptr, kCreationFailed, L"Error!", MB_ICONWARNING);
        return false;
    }
    if (font()) SetFont(font()->getHandle(), FALSE);
    int32_t itemHeight = font() ? font()->measureTextHeight() + 2 : 16;
    SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
    SendMessage(CB_SETITEMHEIGHT, 0, itemHeight);
    for (uint32_t i = 0; i < m_items.count(); ++i)
        SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(getItem(static_cast<int32_t>(i))->getCaption()));
    if (m_selection < 0 && m_items.count()) m_selection = 0;
    SendMessage(CB_SETCURSEL, static_cast<WPARAM>(m_selection));
    RECT r;
    GetWindowRect(&r);
    setMinimumSize(60, r.bottom - r.top);
    setTargetSize(m_fixedWidth >= 0 ? m_fixedWidth : 160, r.bottom - r.top);
    return true;
}

void ComboBox::selectionChanged() {
    int32_t now = static_cast<int32_t>(SendMessage(CB_GETCURSEL));
    if (now == m_selection || !getItem(now)) return;
    m_previous = m_selection;
    m_selection = now;
    m_selectionListeners.fire(self(), 0);
    redraw();
}

void ComboBox::drawItem(const DRAWITEMSTRUCT* d) {
    bool selected = (d->itemState & ODS_SELECTED) != 0;
    COLORREF back = selected ? GetSysColor(COLOR_HIGHLIGHT) : m_background;
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(d->hDC, &d->rcItem, brush);
    DeleteObject(brush);
    ComboBoxItem* item = getItem(static_cast<int32_t>(d->itemID));
    if (!item) return;  // the edit field of an empty list, or an index the list no longer has
    HGDIOBJ old = font() ? SelectObject(d->hDC, font()->getHandle()) : nullptr;
    SetBkMode(d->hDC, TRANSPARENT);
    SetTextColor(d->hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : RGB(0, 0, 0));
    RECT text = d->rcItem;
    text.left += 3;
    DrawTextW(d->hDC, item->getCaption(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (old) SelectObject(d->hDC, old);
}

bool ComboBox::handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    switch (message) {
    case WM_DRAWITEM:
        drawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        *result = TRUE;
        return true;
    case WM_MEASUREITEM: {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        m->itemWidth = m_width > 6 ? static_cast<UINT>(m_width - 6) : 0;
        *result = TRUE;
        return true;
    }
    case kReflectedSelectionChange:
        selectionChanged();
        return true;
    default:
        return ComponentBase::handleMessage(result, message, wParam, lParam);
    }
}

ComboBox* newComboBox(double width) {
    ComboBox* combo = s::thread::Pool<ComboBox>::obtain();
    if (!combo) return nullptr;
    if (width >= 0) combo->setFixedSize(static_cast<int32_t>(width), -1);
    combo->setEnabled(true);
    return combo;
}

}  // namespace s::gui::win
