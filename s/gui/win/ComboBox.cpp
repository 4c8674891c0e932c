// s/gui/win/ComboBox.cpp
#include "s/gui/win/ComboBox.h"

#include "s/gui/ITextLocalizer.h"
#include "s/gui/IWindow.h"
#include "mfc/CClientDC.h"
#include "s/gui/combobox/ComboBoxItem.h"
#include "s/gui/drawer/ICombo.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/combo/win/Thin.h"
#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/ControlColour.h"
#include "s/gui/win/Font.h"
#include "s/gui/win/Messages.h"
#include "s/gui/win/UiScale.h"
#include "s/gui/win/MessageBoxW.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

namespace {

using s::gui::combobox::ComboBoxItem;
using s::gui::drawer::win::fill;

// With WS_TABSTOP beside the list's own styles: the keyboard reaches the choice as it
// reaches the buttons.
constexpr DWORD kStyle = WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                         CBS_HASSTRINGS;  // 0x40210213
constexpr UINT kReflectedSelectionChange = WM_APP + 0x0A;
constexpr UINT kReflectedDropDown = WM_APP + 0x0F;
constexpr UINT kReflectedCloseUp = WM_APP + 0x10;
constexpr int32_t kBold = 1, kGrey = 2, kWhite = 4, kHeader = 8, kSeparator = 16, kThinSeparator = 32;
constexpr COLORREF kHeaderBlock = 0x555555;
constexpr COLORREF kDisabledText = 0x92A1A1;
// The colour request of the old 16-bit interface, which some controls still send.
constexpr UINT kCtlColour = 0x0019;
// The narrowest a closed box is at UI scale 1; it grows with the scale.
constexpr int32_t kMinWidth = 50;
// Above this many items the list shows a scroll bar, which its width must leave room for.
constexpr uint32_t kItemsWithoutScrollBar = 30;

void line(HDC dc, const RECT& r, int32_t inset, COLORREF colour) {
    int32_t y = (r.top + r.bottom) / 2;
    RECT l = {r.left + inset, y, r.right - inset, y + 1};
    fill(dc, l, colour);
}

// A dark block whose top corners are rounded by one-pixel steps.
void headerBlock(HDC dc, const RECT& r, COLORREF background) {
    fill(dc, r, kHeaderBlock);
    const int32_t steps[] = {2, 1};
    for (int32_t row = 0; row < 2; ++row) {
        RECT left = {r.left, r.top + row, r.left + steps[row], r.top + row + 1};
        RECT right = {r.right - steps[row], r.top + row, r.right, r.top + row + 1};
        fill(dc, left, background);
        fill(dc, right, background);
    }
}

}  // namespace

ComboBox::ComboBox() { m_background = 0xFFFFFF; }

ComboBox::~ComboBox() {
    if (m_font) m_font->releaseToPool();
    if (m_boldFont) m_boldFont->releaseToPool();
}

void ComboBox::resetForReuse() {
    ComponentBase::resetForReuse();
    while (m_items.count()) deleteAt(static_cast<int32_t>(m_items.count()) - 1);
    m_selection = m_previous = -1;
    if (m_font) m_font->releaseToPool();
    if (m_boldFont) m_boldFont->releaseToPool();
    m_font = m_boldFont = nullptr;
    m_fontSetting.resetForReuse();
    m_selectionListeners.clear();
    m_drawer.release();
    m_dropped = m_firstDrawAfterDrop = m_fontPreview = false;
    m_closedTopIndex = -1;
    m_background = 0xFFFFFF;
}

void ComboBox::setDrawer(s::gui::drawer::ICombo* drawer, bool owned) {
    m_drawer.set(drawer, owned);
    redraw();
}

void ComboBox::fontChanged() {
    // The control is handed the new font before the old one is deleted under it.
    Font* old = m_font;
    Font* oldBold = m_boldFont;
    m_font = m_boldFont = nullptr;
    if (m_hWnd && font()) SetFont(font()->getHandle(), TRUE);
    if (old) old->releaseToPool();
    if (oldBold) oldBold->releaseToPool();
    redraw();
}

void ComboBox::takeSkin(s::gui::drawer::ISkin* skin) {
    if (skin->getComboDrawer()) setDrawer(skin->getComboDrawer(), false);
}

Font* ComboBox::boldFont() {
    if (!m_boldFont && (m_boldFont = m_fontSetting.makeFont())) m_boldFont->setBold(true);
    return m_boldFont;
}

Font* ComboBox::itemFont(const ComboBoxItem* item, int32_t flags, bool* made) {
    *made = false;
    if (m_fontPreview && item) {
        Font* preview = m_fontSetting.makeFont();
        if (preview) {
            bool separator = wcscmp(item->getCaption(), L"Separator") == 0;
            preview->setFaceName(separator ? L"MS Shell Dlg 2" : item->getCaption());
            if (flags & (kBold | kHeader)) preview->setBold(true);
            *made = true;
            return preview;
        }
    }
    return flags & (kBold | kHeader) ? boldFont() : font();
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
    if (m_hWnd) AddString(item->getCaption());
}

void ComboBox::insertItem(int32_t index, ComboBoxItem* item) {
    if (!item || index < 0 || static_cast<uint32_t>(index) > m_items.count()) return;
    if (static_cast<uint32_t>(index) == m_items.count()) {
        addItem(item);
        return;
    }
    if (!m_items.insertGap(static_cast<uint32_t>(index))) return;
    m_items.set(static_cast<uint32_t>(index), item);
    if (m_hWnd) InsertString(index, item->getCaption());
    if (m_selection >= index) ++m_selection;
    if (m_previous >= index) ++m_previous;
}

// Removing the selected item leaves no selection; the others keep theirs.
ComboBoxItem* ComboBox::removeAt(int32_t index) {
    ComboBoxItem* item = getItem(index);
    if (!item) return nullptr;
    m_items.removeAt(static_cast<uint32_t>(index));
    if (m_hWnd) DeleteString(static_cast<UINT>(index));
    if (index == m_selection) {
        m_selection = m_previous = -1;
        if (m_hWnd) SetCurSel(-1);
    } else {
        if (m_selection > index) --m_selection;
        if (m_previous > index) --m_previous;
        if (m_previous == index) m_previous = -1;
    }
    return item;
}

ComboBoxItem* ComboBox::removeItem(ComboBoxItem* item) {
    int32_t index = -1;
    if (!item || !m_items.indexOf(item, &index)) return nullptr;
    bool selected = index == m_selection;
    removeAt(index);
    if (selected) m_selectionListeners.fire(self(), 0);
    return item;
}

void ComboBox::selectFirstSilently() {
    if (m_selection != 0) setSelection(0, false);
}

void ComboBox::deleteAt(int32_t index) {
    selectFirstSilently();
    if (ComboBoxItem* item = removeAt(index)) item->releaseToPool();
}

void ComboBox::deleteItem(ComboBoxItem* item) {
    selectFirstSilently();
    int32_t index = -1;
    if (item && m_items.indexOf(item, &index)) deleteAt(index);
}

void ComboBox::deleteByKey(int32_t key) {
    selectFirstSilently();
    for (uint32_t i = 0; i < m_items.count(); ++i) {
        if (getItem(static_cast<int32_t>(i))->getKey() != key) continue;
        deleteAt(static_cast<int32_t>(i));
        return;
    }
}

// The selection is first reset to item 0, so it is item 0 that goes.
void ComboBox::deleteAtSelection() {
    selectFirstSilently();
    if (m_selection >= 0) deleteAt(m_selection);
}

void ComboBox::selectByKey(int32_t key, bool fireEvents) {
    for (uint32_t i = 0; i < m_items.count(); ++i) {
        if (getItem(static_cast<int32_t>(i))->getKey() != key) continue;
        setSelection(static_cast<int32_t>(i), fireEvents);
        return;
    }
}

// An index outside the list means the first item; an empty list keeps no selection.
void ComboBox::setSelection(int32_t index, bool fireEvents) {
    if (index < 0 || static_cast<uint32_t>(index) >= m_items.count()) index = 0;
    if (m_items.count() == 0) index = -1;
    if (index == m_selection) return;
    if (m_hWnd) SetCurSel(index);
    m_previous = m_selection;
    m_selection = index;
    if (fireEvents) m_selectionListeners.fire(self(), 0);
}

void ComboBox::setParent(s::gui::IComponent* parent) {
    if (!parent && m_window && m_window->getLocalizer()) m_window->getLocalizer()->removeListener(this);
    ComponentBase::setParent(parent);
    if (parent && m_window && m_window->getLocalizer()) m_window->getLocalizer()->addListener(this);
}

void ComboBox::onEvent(void* source, int32_t) {
    if (!m_window || !source || source != m_window->getLocalizer()) return;
    retextItems();
}

// Items with a text id read it again; the control's strings follow, and the selection is
// set again without events (deleting a string may move it).
void ComboBox::retextItems() {
    s::gui::ITextLocalizer* texts = m_window->getLocalizer();
    for (uint32_t i = 0; i < m_items.count(); ++i) {
        ComboBoxItem* item = getItem(static_cast<int32_t>(i));
        if (item->getTextId() >= 0) item->setCaption(texts->getText(item->getTextId()));
    }
    if (!m_hWnd) return;
    for (uint32_t i = 0; i < m_items.count(); ++i) {
        SendMessage(CB_DELETESTRING, i);
        SendMessage(CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(getItem(static_cast<int32_t>(i))->getCaption()));
    }
    SendMessage(CB_SETCURSEL, static_cast<WPARAM>(m_selection));
    redraw();
}

bool ComboBox::createNativeWindow(HWND) {
    if (!Create(kStyle, RECT{}, m_parentWnd, kControlId)) {
        showCreationFailed();
        return false;
    }
    if (font()) SetFont(font()->getHandle(), FALSE);
    int32_t itemHeight = font() ? font()->measureTextHeight() + 2 : 16;
    SetItemHeight(-1, static_cast<UINT>(itemHeight));
    SetItemHeight(0, static_cast<UINT>(itemHeight));
    for (uint32_t i = 0; i < m_items.count(); ++i)
        AddString(getItem(static_cast<int32_t>(i))->getCaption());
    if (m_selection < 0 && m_items.count()) m_selection = 0;
    SetCurSel(m_selection);
    RECT r;
    GetWindowRect(&r);
    setMinimumSize(kMinWidth * uiScale(), r.bottom - r.top);
    setTargetSize(m_fixedWidth >= 0 ? m_fixedWidth : 160, r.bottom - r.top);
    // The system draws the arrow at one size whatever the scale; above scale 1 a box without a
    // skin's drawer draws its own face, arrow and all, at the scale.
    if (!m_drawer && uiScale() > 1) setDrawer(s::gui::drawer::combo::win::Thin::obtain(), true);
    return true;
}

void ComboBox::selectionChanged() {
    int32_t now = GetCurSel();
    if (now == m_selection || !getItem(now)) return;
    m_previous = m_selection;
    m_selection = now;
    m_selectionListeners.fire(self(), 0);
    redraw();
}

// The first row drawn after the list opened puts the selection in view, near where the
// list stood when it closed last.
void ComboBox::keepTopIndex() {
    m_firstDrawAfterDrop = false;
    int32_t rows = 20;
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    int32_t itemHeight = GetItemHeight(0);
    if (GetComboBoxInfo(m_hWnd, &info) && info.hwndList && itemHeight > 0) {
        RECT list;
        ::GetClientRect(info.hwndList, &list);
        if (list.bottom > 0) rows = list.bottom / itemHeight;
    }
    int32_t top = -1;
    if (m_closedTopIndex >= 0 && m_selection >= m_closedTopIndex &&
        m_selection - m_closedTopIndex < rows)
        top = m_closedTopIndex;
    else if (rows > 3)
        top = m_selection - rows / 2 < 0 ? 0 : m_selection - rows / 2;
    if (top >= 0) SetTopIndex(top);
}

void ComboBox::drawItem(const DRAWITEMSTRUCT* d) {
    if (m_dropped && m_firstDrawAfterDrop && !(d->itemState & ODS_COMBOBOXEDIT)) keepTopIndex();
    ComboBoxItem* item = getItem(static_cast<int32_t>(d->itemID));
    bool edit = (d->itemState & ODS_COMBOBOXEDIT) != 0;
    int32_t flags = 0;
    if (item) flags = edit ? (item->getClosedFlags() & kBold) : m_dropped ? item->getListFlags() : item->getClosedFlags();
    bool header = (flags & kHeader) != 0;
    bool separator = (flags & (kSeparator | kThinSeparator)) != 0;
    bool highlighted = (d->itemState & ODS_SELECTED) && !header && !separator;
    COLORREF back = highlighted ? GetSysColor(COLOR_HIGHLIGHT) : m_background;
    fill(d->hDC, d->rcItem, back);
    if (d->itemState & ODS_FOCUS) DrawFocusRect(d->hDC, &d->rcItem);
    // The edit field of an empty list, or an index the list no longer has: nothing more.
    if (!item) return;
    if (flags & kSeparator) {
        line(d->hDC, d->rcItem, 2, 0xAAAAAA);
        return;
    }
    if (flags & kThinSeparator) {
        line(d->hDC, d->rcItem, 7, 0xEEEEEE);
        return;
    }
    COLORREF text = highlighted  ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                    : m_enabled ? m_fontSetting.getTextColour()
                                : kDisabledText;
    if (flags & kGrey) text = 0x888888;
    if (flags & (kWhite | kHeader)) text = RGB(255, 255, 255);
    if (header) headerBlock(d->hDC, d->rcItem, m_background);
    bool made = false;
    Font* f = itemFont(item, flags, &made);
    HGDIOBJ old = f ? SelectObject(d->hDC, f->getHandle()) : nullptr;
    SetBkMode(d->hDC, TRANSPARENT);
    SetTextColor(d->hDC, text);
    RECT area = d->rcItem;
    area.left += 2;
    // The closed face ends a caption it has no room for with an ellipsis (the list is as
    // wide as its widest item): never a silent cut.
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (header ? DT_CENTER : 0) | (edit ? DT_END_ELLIPSIS : 0);
    DrawTextW(d->hDC, item->getCaption(), -1, &area, format);
    if (old) SelectObject(d->hDC, old);
    if (made) f->releaseToPool();
}

// The list as wide as its widest caption, each row as high as its font's text.
void ComboBox::sizeDropDown() {
    CClientDC dc(m_hWnd);
    int32_t widest = 0;
    int32_t itemHeight = GetItemHeight(0);
    for (uint32_t i = 0; i < m_items.count(); ++i) {
        ComboBoxItem* item = getItem(static_cast<int32_t>(i));
        bool made = false;
        Font* f = itemFont(item, item->getListFlags(), &made);
        HGDIOBJ old = f ? SelectObject(dc, f->getHandle()) : nullptr;
        SIZE size = {0, 0};
        const wchar_t* caption = item->getCaption();
        GetTextExtentPoint32W(dc, caption, lstrlenW(caption), &size);
        if (item->getListFlags() & kHeader) size.cx += 10;
        if (size.cx > widest) widest = size.cx;
        if (size.cy > itemHeight) {
            itemHeight = size.cy;
            SetItemHeight(0, static_cast<UINT>(itemHeight));
        }
        if (old) SelectObject(dc, old);
        if (made) f->releaseToPool();
    }
    if (m_items.count() > kItemsWithoutScrollBar) widest += GetSystemMetrics(SM_CXVSCROLL);
    HGDIOBJ old = font() ? SelectObject(dc, font()->getHandle()) : nullptr;
    SIZE zero = {0, 0};
    GetTextExtentPoint32W(dc, L"0", 1, &zero);
    if (old) SelectObject(dc, old);
    // A width below the list's present one is not taken: the list falls back to the box's
    // own width (Wine 8.0, checked: after a language of longer captions). It keeps the wider.
    int32_t width = widest + zero.cx;
    const int32_t present = static_cast<int32_t>(SendMessage(CB_GETDROPPEDWIDTH));
    if (present > width) width = present;
    SetDroppedWidth(static_cast<UINT>(width));
}

// The closed box drawn by the skin's drawer: pressed while open, hovered under the cursor.
void ComboBox::paintContent(HDC dc, int32_t width, int32_t height) {
    POINT cursor;
    RECT window;
    bool hovered = ::GetCursorPos(&cursor) && GetWindowRect(&window) && PtInRect(&window, cursor);
    int32_t look = m_dropped ? 2 : hovered ? 1 : 0;
    ComboBoxItem* item = getSelectedItem();
    m_drawer->draw(dc, 0, 0, width, height, item ? item->getCaption() : L"",
                   m_enabled ? boldFont() : font(), look, m_enabled);
}

// The box and its list over an inherited background are painted through; else on the
// combo's colour, or the button face while it is disabled.
LRESULT ComboBox::colourAnswer(HDC dc) {
    const ColourRequest request = {m_backgroundInherited, m_enabled ? m_background : GetSysColor(COLOR_BTNFACE),
                                   m_fontSetting.getTextColour()};
    return answerControlColour(dc, request, &m_brush);
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
    case WM_KEYDOWN:
        // The parent first; the list's own keys (the arrows) run when it leaves the key.
        if (!m_parentWnd || !m_parentWnd->m_hWnd) return false;
        return ::SendMessageW(m_parentWnd->m_hWnd, message, wParam, lParam) == 0;
    case kReflectedDropDown:
        sizeDropDown();
        m_dropped = m_firstDrawAfterDrop = true;
        return true;
    case kReflectedCloseUp:
        m_dropped = false;
        if (m_drawer) {
            Invalidate(FALSE);
            UpdateWindow();
        }
        m_closedTopIndex = GetTopIndex();
        return true;
    case kCtlColour:
    case WM_CTLCOLORLISTBOX:
    case kReflectColour:
        *result = colourAnswer(reinterpret_cast<HDC>(wParam));
        return true;
    case WM_PAINT:
        if (!m_drawer) return false;
        paintBuffered(false);
        return true;
    case WM_ERASEBKGND:
        if (!m_drawer) return false;
        *result = 1;
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
