// s/gui/win/MenuEx.cpp
#include "s/gui/win/MenuEx.h"

#include <windowsx.h>

#include "mfc/CClientDC.h"
#include "s/gui/IWindow.h"
#include "s/gui/ITextLocalizer.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/drawer/menu/win/Basic.h"
#include "s/gui/menuitem/MenuItem.h"
#include "s/gui/win/Font.h"
#include "s/gui/win/Messages.h"
#include "s/gui/win/PopupMenu.h"
#include "s/gui/win/OnUiThread.h"
#include "s/gui/win/MessageBoxW.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

using s::gui::drawer::menu::win::Basic;
using s::gui::menuitem::MenuItem;

bool MenuEx::createNativeWindow(HWND parent) {
    if (ComponentBase::createNativeWindow(parent)) return true;
    showCreationFailed();
    return false;
}

MenuEx* MenuEx::obtain() { return s::thread::Pool<MenuEx>::obtain(); }

void MenuEx::releaseToPool() { s::thread::Pool<MenuEx>::release(this); }

MenuEx::~MenuEx() { resetForReuse(); }

void MenuEx::resetForReuse() {
    leaveLocalizer();
    followSkinner(nullptr);
    ComponentBase::resetForReuse();
    for (Entry& entry : m_entries) {
        if (entry.item) entry.item->releaseToPool();
        if (entry.popup) entry.popup->releaseToPool();
    }
    m_entries.clear();
    m_hovered = -1;
    m_pressed = m_open = m_switchRequested = m_closedOnce = false;
    m_lastClose = 0;
    m_collapsedBar = m_lastRightAligned = m_lastAsLink = m_openOnHover = false;
    m_zeroMinWidth = true;
    m_spacingX = 6;
    m_spacingY = 3;
    m_chosen = -1;
    m_commandListeners.clear();
    m_retextListeners.clear();
    m_dropDownListeners.clear();
    setDrawer(nullptr, false);
}

void MenuEx::leaveLocalizer() {
    if (m_localizer) m_localizer->removeListener(this);
    m_localizer = nullptr;
}

// Without a drawer of its own the bar paints with the reset look of the menu drawer.
void MenuEx::setDrawer(s::gui::drawer::IMenu* drawer, bool owned) {
    m_drawer.set(drawer, owned);
    releaseFonts();
    if (m_hWnd) {
        measure();
        redraw();
    }
}

void MenuEx::releaseFonts() {
    if (m_normalFont) m_normalFont->releaseToPool();
    if (m_highlightFont) m_highlightFont->releaseToPool();
    m_normalFont = m_highlightFont = nullptr;
}

void MenuEx::makeFonts() {
    if (!m_drawer) setDrawer(Basic::obtain(), true);
    if (!m_drawer) return;
    if (!m_normalFont) m_normalFont = m_drawer->getNormalFont()->makeFont();
    if (!m_highlightFont) m_highlightFont = m_drawer->getHighlightFont()->makeFont();
}

void MenuEx::setParent(s::gui::IComponent* parent) {
    if (!parent) {
        if (m_hWnd) ::SendMessageW(m_hWnd, kDestroyOwnWindow, 0, 0);
        leaveLocalizer();
        followSkinner(nullptr);
        ComponentBase::setParent(nullptr);
        return;
    }
    s::gui::IWindow* window = parent->getWindow();
    s::gui::ITextLocalizer* localizer = window ? window->getLocalizer() : nullptr;
    if (localizer != m_localizer) {
        leaveLocalizer();
        m_localizer = localizer;
        if (localizer) localizer->addListener(this);
    }
    followSkinner(window ? window->getSkinner() : nullptr);
    retextCaptions();
    ComponentBase::setParent(parent);
    measure();
}

void MenuEx::addItemByTextId(MenuItem* item) {
    if (!item) return;
    m_entries.push_back(Entry{item, nullptr, L"", RECT{}});
    retextCaptions();
    measure();
}

void MenuEx::addItem(s::gui::IPopupMenu* menu) {
    auto* popup = dynamic_cast<PopupMenu*>(menu);
    if (!popup) return;
    m_entries.push_back(Entry{nullptr, popup, L"", RECT{}});
    popup->setHost(this);
    retextCaptions();
    measure();
}

void MenuEx::retextCaptions() {
    for (Entry& entry : m_entries) {
        if (entry.item) {
            if (m_localizer) entry.item->setLocalizer(m_localizer);
            entry.caption = entry.item->getCaption();
        } else {
            if (m_localizer) entry.popup->setLocalizer(m_localizer);
            entry.caption = entry.popup->getTitle();
        }
    }
}

bool MenuEx::hasCommand(int32_t id) const {
    for (const Entry& entry : m_entries) {
        if (entry.item && entry.item->getCommandId() == id) return true;
        if (entry.popup && entry.popup->hasCommand(id)) return true;
    }
    return false;
}

bool MenuEx::isItemChecked(int32_t id) const {
    for (const Entry& entry : m_entries) {
        if (entry.item && entry.item->getCommandId() == id) return entry.item->isChecked();
        if (entry.popup && entry.popup->hasCommand(id)) return entry.popup->isItemChecked(id);
    }
    return false;
}

bool MenuEx::setItemChecked(int32_t id, bool checked) {
    for (Entry& entry : m_entries) {
        if (entry.item && entry.item->getCommandId() == id) return entry.item->setChecked(checked), true;
        if (entry.popup && entry.popup->setItemChecked(id, checked)) return true;
    }
    return false;
}

void MenuEx::chooseCommand(int32_t id) {
    m_chosen = id;
    m_commandListeners.fire(this, 0);
}

void MenuEx::setSpacing(int32_t x, int32_t y) {
    m_spacingX = x;
    m_spacingY = y;
    measure();
}

void MenuEx::setCollapsed(bool collapsed) {
    m_collapsedBar = collapsed;
    measure();
    redraw();
}

void MenuEx::relocalize() {
    retextCaptions();
    measure();
    redraw();
}

void MenuEx::onEvent(void* source, int32_t code) {
    if (!source || source != static_cast<void*>(m_localizer)) return;
    if (passToUiThread(this, source, code)) return;
    retextCaptions();
    m_retextListeners.fire(this, 0);
    measure();
    redraw();
}

void MenuEx::followSkinner(s::gui::drawer::Skinner* skinner) {
    if (skinner == m_skinner) return;
    if (m_skinner) m_skinner->removeListener(this);
    m_skinner = skinner;
    if (!skinner) return;
    skinner->addListener(this);
    takeSkinDrawer();
}

// Until a skin gives one, the bar keeps the drawer it has (its own default at first).
void MenuEx::takeSkinDrawer() {
    s::gui::drawer::ISkin* skin = m_skinner ? m_skinner->getCurrentSkin() : nullptr;
    if (skin && skin->getMenuDrawer()) setDrawer(skin->getMenuDrawer(), false);
}

// A skin chosen on another thread is taken on the bar's UI thread, where it paints.
void MenuEx::onEvent(s::gui::drawer::Skinner* source, int32_t) {
    if (source != m_skinner) return;
    if (m_hWnd && m_window && !isOnOwnThread() &&
        onUiThread(*m_window, [this] { takeSkinDrawer(); }, kWaitForever))
        return;
    takeSkinDrawer();
}

void MenuEx::fontsChanged() {
    releaseFonts();
    measure();
    redraw();
}

void MenuEx::setFontSize(int32_t points) {
    makeFonts();
    if (!m_drawer) return;
    m_drawer->getNormalFont()->setPointSize(points);
    m_drawer->getHighlightFont()->setPointSize(points);
    fontsChanged();
}

void MenuEx::setFontBold(bool bold) {
    makeFonts();
    if (!m_drawer) return;
    m_drawer->getNormalFont()->setBold(bold);
    m_drawer->getHighlightFont()->setBold(bold);
    fontsChanged();
}

void MenuEx::setFontUnderline(bool underline) {
    makeFonts();
    if (!m_drawer) return;
    m_drawer->getNormalFont()->setUnderline(underline);
    m_drawer->getHighlightFont()->setUnderline(underline);
    fontsChanged();
}

void MenuEx::measure() {
    makeFonts();
    if (!m_drawer || !m_normalFont) return;
    std::vector<const wchar_t*> captions;
    std::vector<RECT> rects(m_entries.size());
    for (const Entry& entry : m_entries) captions.push_back(entry.caption.c_str());
    const s::gui::drawer::MenuMeasure size =
        m_drawer->measure(CClientDC(nullptr), captions.data(), rects.data(), static_cast<int32_t>(m_entries.size()),
                          m_normalFont, m_spacingX, m_spacingY, m_collapsedBar);
    for (size_t i = 0; i < m_entries.size(); ++i) m_entries[i].rect = rects[i];
    setMinimumSize(m_zeroMinWidth ? 0 : size.minWidth, size.minHeight);
    setTargetSize(size.targetWidth, size.targetHeight);
}

RECT MenuEx::placedRect(uint32_t index) const {
    RECT r = m_entries[index].rect;
    if (m_lastRightAligned && index + 1 == m_entries.size()) OffsetRect(&r, m_width - r.right, 0);
    return r;
}

int32_t MenuEx::entryAt(int32_t x, int32_t y) const {
    if (m_entries.empty()) return -1;
    const POINT p = {x, y};
    if (m_collapsedBar) {
        const RECT all = {0, 0, m_width, m_height};
        return PtInRect(&all, p) ? 0 : -1;
    }
    for (uint32_t i = 0; i < m_entries.size(); ++i) {
        const RECT r = placedRect(i);
        if (PtInRect(&r, p)) return static_cast<int32_t>(i);
    }
    return -1;
}

// Over the background paintBuffered laid down: the entries, as the drawer paints them.
void MenuEx::paintContent(HDC dc, int32_t width, int32_t height) {
    makeFonts();
    if (m_drawer && m_normalFont) {
        std::vector<const wchar_t*> captions;
        std::vector<RECT> rects;
        for (const Entry& entry : m_entries) {
            captions.push_back(entry.caption.c_str());
            rects.push_back(entry.rect);
        }
        s::gui::drawer::MenuState state;
        state.hovered = m_hovered;
        state.pressed = m_pressed || m_open;
        state.collapsed = m_collapsedBar;
        state.lastRightAligned = m_lastRightAligned;
        state.lastAsLink = m_lastAsLink;
        m_drawer->drawEntries(dc, 0, 0, width, height, captions.data(), rects.data(),
                              static_cast<int32_t>(m_entries.size()), m_normalFont, m_highlightFont, m_spacingX,
                              m_spacingY, state);
    }
}

void MenuEx::onMouseMove(int32_t x, int32_t y) {
    const int32_t entry = entryAt(x, y);
    if (entry >= 0 && ::GetCapture() != m_hWnd && !m_open) ::SetCapture(m_hWnd);
    if (entry < 0 && !m_open && !m_pressed && ::GetCapture() == m_hWnd) ::ReleaseCapture();
    if (entry == m_hovered) return;
    if (m_open && entry >= 0 && m_entries[entry].popup) {
        // The open menu closes and the loop in openDropDowns opens the hovered one next.
        m_hovered = entry;
        m_switchRequested = true;
        ::EndMenu();
        redraw();
        return;
    }
    if (m_open) return;
    m_hovered = entry;
    redraw();
    if (m_openOnHover && entry >= 0 && m_entries[entry].popup) openDropDowns();
}

void MenuEx::onButtonDown(int32_t x, int32_t y) {
    const int32_t entry = entryAt(x, y);
    if (entry < 0) return;
    m_hovered = entry;
    m_pressed = true;
    ::SetCapture(m_hWnd);
    redraw();
    if (m_open) {
        ::EndMenu();
        return;
    }
    if (m_closedOnce && ::GetTickCount() - m_lastClose < kReopenGuardMs) return;
    if (m_entries[entry].popup) openDropDowns();
}

void MenuEx::onButtonUp() {
    if (!m_pressed) return;
    m_pressed = false;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    const int32_t entry = m_hovered;
    m_hovered = -1;
    if (entry >= 0 && entry < static_cast<int32_t>(m_entries.size()) && m_entries[entry].item)
        chooseCommand(m_entries[entry].item->getCommandId());
    redraw();
}

namespace {
// The bar whose drop-down the menu loop of this thread runs, for the keys the loop leaves.
thread_local MenuEx* t_tracking = nullptr;
}  // namespace

void MenuEx::openByKey(wchar_t key) {
    int32_t chosen = -1;
    for (uint32_t i = 0; i < m_entries.size() && chosen < 0; ++i) {
        if (!m_entries[i].popup) continue;
        const wchar_t first = m_entries[i].caption.empty() ? 0 : m_entries[i].caption[0];
        if (key == 0 || (first && ::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(first))) ==
                                      ::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(key)))))
            chosen = static_cast<int32_t>(i);
    }
    if (chosen < 0 || m_open) return;
    m_hovered = chosen;
    redraw();
    openDropDowns();
}

// The next drop-down entry after (step 1) or before (step -1) an entry, wrapping round.
int32_t MenuEx::neighbourDropDown(int32_t from, int32_t step) const {
    const int32_t count = static_cast<int32_t>(m_entries.size());
    for (int32_t n = 1; n <= count; ++n) {
        const int32_t at = ((from + step * n) % count + count) % count;
        if (m_entries[at].popup) return at;
    }
    return from;
}

// The menu loop gives Left and Right of a drop-down without sub-menus to nobody: they walk
// the bar here, as they walk a system menu bar.
LRESULT CALLBACK MenuEx::menuKeys(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    MenuEx* bar = t_tracking;
    if (code == MSGF_MENU && bar && message && message->message == WM_KEYDOWN &&
        (message->wParam == VK_LEFT || message->wParam == VK_RIGHT) && bar->m_hovered >= 0) {
        bar->m_hovered = bar->neighbourDropDown(bar->m_hovered, message->wParam == VK_RIGHT ? 1 : -1);
        bar->m_switchRequested = true;
        ::EndMenu();
        return TRUE;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MenuEx::openDropDowns() {
    m_switchRequested = true;
    while (m_switchRequested) {
        m_switchRequested = false;
        if (m_hovered < 0 || !m_entries[m_hovered].popup) break;
        PopupMenu* popup = m_entries[m_hovered].popup;
        const RECT r = placedRect(static_cast<uint32_t>(m_hovered));
        POINT at = {r.left, r.bottom};
        ::ClientToScreen(m_hWnd, &at);
        // Set before every track: a stale value could name a window that is gone.
        MENUINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIM_MENUDATA;
        info.dwMenuData = reinterpret_cast<ULONG_PTR>(m_hWnd);
        ::SetMenuInfo(popup->handle(), &info);
        m_open = true;
        m_pressed = false;
        m_dropDownListeners.fire(this, 1);
        redraw();
        MenuEx* outer = t_tracking;
        t_tracking = this;
        HHOOK keys = ::SetWindowsHookExW(WH_MSGFILTER, &menuKeys, nullptr, ::GetCurrentThreadId());
        ::TrackPopupMenu(popup->handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_NOANIMATION, at.x,
                         at.y, 0, m_hWnd, nullptr);
        if (keys) ::UnhookWindowsHookEx(keys);
        t_tracking = outer;
        ::KillTimer(m_hWnd, kHoverTimer);
    }
    m_lastClose = ::GetTickCount();
    m_closedOnce = true;
    m_open = false;
    m_pressed = false;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    m_hovered = -1;
    redraw();
}

bool MenuEx::handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    case WM_PAINT:
        paintBuffered(false);
        *result = 0;
        return true;
    case WM_NCHITTEST: {
        POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ::ScreenToClient(m_hWnd, &p);
        *result = entryAt(p.x, p.y) >= 0 || ::GetCapture() == m_hWnd ? HTCLIENT : HTTRANSPARENT;
        return true;
    }
    case WM_MOUSEMOVE:
        onMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        *result = 0;
        return true;
    case WM_LBUTTONDOWN:
        onButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        *result = 0;
        return true;
    case WM_LBUTTONUP:
        onButtonUp();
        *result = 0;
        return true;
    case WM_INITMENUPOPUP:
        ::SetTimer(m_hWnd, kHoverTimer, 10, nullptr);
        *result = 0;
        return true;
    case WM_TIMER: {
        if (wParam != kHoverTimer) return false;
        // The menu loop holds the mouse; the bar follows the cursor by itself.
        POINT p = {};
        ::GetCursorPos(&p);
        ::ScreenToClient(m_hWnd, &p);
        onMouseMove(p.x, p.y);
        *result = 0;
        return true;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) != 0 || lParam != 0) return false;
        if (hasCommand(LOWORD(wParam))) chooseCommand(LOWORD(wParam));
        *result = 0;
        return true;
    case kDestroyOwnWindow:
        // The bar's own timer and capture end with it; the window itself goes as every
        // component's does.
        ::KillTimer(m_hWnd, kHoverTimer);
        if (::GetCapture() == m_hWnd) ::ReleaseCapture();
        return ComponentBase::handleMessage(result, message, wParam, lParam);
    default:
        return ComponentBase::handleMessage(result, message, wParam, lParam);
    }
}

MenuEx* newMenuEx(int32_t widthPercent) {
    MenuEx* bar = MenuEx::obtain();
    if (!bar) return nullptr;
    if (widthPercent >= 0) bar->setTargetPercent(widthPercent, -1);
    return bar;
}

}  // namespace s::gui::win
