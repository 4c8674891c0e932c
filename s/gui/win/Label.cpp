// s/gui/win/Label.cpp
#include "s/gui/win/Label.h"

#include "mfc/CClientDC.h"
#include "s/gui/ITextLocalizer.h"
#include "s/gui/IWindow.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/text/win/Basic.h"
#include "s/gui/win/Font.h"
#include "s/gui/win/WindowClass.h"
#include "s/gui/win/OnUiThread.h"
#include "s/gui/win/MessageBoxW.h"
#include "s/system/win/ShellOpen.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

namespace {


}  // namespace

Label::Label() : m_defaultDrawer(s::gui::drawer::text::win::Basic::obtain()) { restoreDefaults(); }

Label::~Label() {
    if (m_defaultDrawer) m_defaultDrawer->releaseToPool();
    releaseFonts();
}

void Label::releaseFonts() {
    for (Font*& f : m_fonts) {
        if (f) f->releaseToPool();
        f = nullptr;
    }
}

void Label::restoreDefaults() {
    m_textId = -1;
    m_text.clear();
    m_saved.clear();
    m_target.clear();
    m_wordWrap = m_ellipsis = false;
    m_drawer.release();
    m_wrapWidths.clear();
    m_wrapHeights.clear();
    m_wrapMeasures = 0;
    m_link = m_pressedInside = false;
    m_linkColours = false;
    m_linkNormal = m_linkHover = 0;
    m_look = 0;
    m_backgroundInherited = true;
}

void Label::resetForReuse() {
    ComponentBase::resetForReuse();
    m_drawer.release();
    releaseFonts();
    m_fontSetting.resetForReuse();
    m_clicks.clear();
    restoreDefaults();
}

s::base::IObject* Label::newInstance() const { return s::thread::Pool<Label>::obtain(); }

void Label::releaseToPool() { s::thread::Pool<Label>::release(this); }

// Each font is made from the normal setting on first use, the link fonts underlined.
Font* Label::fontOf(FontKind kind) {
    Font*& f = m_fonts[kind];
    if (!f && (f = m_fontSetting.makeFont())) {
        if (kind >= kLinkFont) f->setUnderline(true);
        f->setDisabledText(kind == kDisabledFont);
        f->setWordWrap(m_wordWrap);
        f->setEllipsis(m_ellipsis);
    }
    return f;
}

// Enabled: the normal font, or a link's by its look; disabled: the disabled font.
Font* Label::paintFont() {
    if (!m_enabled) return fontOf(kDisabledFont);
    if (!m_link) return fontOf(kNormalFont);
    return fontOf(m_look == 2 ? kLinkPressedFont : m_look == 1 ? kLinkHoverFont : kLinkFont);
}

s::gui::drawer::IText* Label::drawer() const { return m_drawer ? m_drawer.get() : m_defaultDrawer; }

void Label::setParent(s::gui::IComponent* parent) {
    if (!parent && m_window && m_window->getLocalizer()) m_window->getLocalizer()->removeListener(this);
    ComponentBase::setParent(parent);
    if (parent && m_window && m_window->getLocalizer()) m_window->getLocalizer()->addListener(this);
}

bool Label::createNativeWindow(HWND parent) {
    if (!CreateEx(0, kWindowClassName, L"", WS_CHILD, 0, 0, 0, 0, parent, nullptr)) {
        showCreationFailed();
        return false;
    }
    ModifyStyleEx(0, WS_EX_TRANSPARENT);
    if (m_textId >= 0) setTextId(m_textId);
    measure();
    return true;
}

// A text given as such (the maker's name, a path) is no pack text: a language change leaves it.
void Label::onEvent(void* source, int32_t) {
    if (m_window && source == m_window->getLocalizer() && m_textId != -1) setTextId(m_textId);
}

void Label::setWordWrap(bool wrap) {
    m_wordWrap = wrap;
    for (Font* f : m_fonts)
        if (f) f->setWordWrap(wrap);
    measure();
}

void Label::setEllipsis(bool ellipsis) {
    m_ellipsis = ellipsis;
    for (Font* f : m_fonts)
        if (f) f->setEllipsis(ellipsis);
    measure();
}

// Once the label has a window, or its window is being made, the text goes to the UI thread:
// a worker never writes the text while the UI thread paints or creates the label.
bool Label::mustMarshal() const {
    if (m_hWnd) return !isOnOwnThread();
    return m_window && m_window->nativeWindow()->m_hWnd &&
           GetWindowThreadProcessId(m_window->nativeWindow()->m_hWnd, nullptr) !=
               GetCurrentThreadId();
}

bool Label::setText(const wchar_t* text, bool redraw) {
    if (!mustMarshal()) return applyRealText(text, redraw);
    if (m_hWnd)
        return ::SendMessageW(m_hWnd, kApplyText, reinterpret_cast<WPARAM>(text), redraw) == 1;
    bool changed = false;
    onUiThread(*m_window, [&] { changed = applyRealText(text, redraw); }, kWaitForever);
    return changed;
}

// A text set for good ends a temporary one at once: its timer would otherwise bring back the
// text from before over the new one.
bool Label::applyRealText(const wchar_t* text, bool redraw) {
    if (m_saved.length()) {
        KillTimer(kRestoreTimer);
        m_saved.clear();
    }
    return applyText(text, redraw);
}

bool Label::applyText(const wchar_t* text, bool redraw) {
    if (!text) text = L"";
    if (wcscmp(text, m_text.cString()) == 0) return false;
    if (m_hWnd && m_text.length()) {
        m_text.clear();
        if (redraw) this->redraw();
    }
    m_text.clear();
    m_text.append(text);
    measure();
    if (redraw) this->redraw();
    return true;
}

void Label::showTemporaryText(const wchar_t* text, uint32_t milliseconds) {
    if (m_hWnd) ::SendMessageW(m_hWnd, kTemporaryText, reinterpret_cast<WPARAM>(text), milliseconds);
}

// Only the first real text is kept: a chain of temporary texts gives way to it.
void Label::temporaryText(const wchar_t* text, UINT milliseconds) {
    KillTimer(kRestoreTimer);
    if (!m_saved.length()) m_saved.append(m_text.cString());
    applyText(text, true);
    SetTimer(kRestoreTimer, milliseconds);
}

void Label::restoreSavedText() {
    s::str::strbuffer::StrBuffer saved;
    saved.append(m_saved.cString());
    m_saved.clear();
    KillTimer(kRestoreTimer);
    applyText(saved.cString(), true);
}

void Label::setTextId(int32_t id) {
    m_textId = id;
    s::gui::ITextLocalizer* localizer = m_window ? m_window->getLocalizer() : nullptr;
    setText(localizer && id != -1 ? localizer->getText(id) : L"", true);
}

void Label::setDrawer(s::gui::drawer::IText* drawer, bool owned) {
    m_drawer.set(drawer, owned);
    measure();
    redraw();
}

void Label::setLink(bool link) { m_link = link; }

void Label::setTextColour(int32_t red, int32_t green, int32_t blue) {
    m_fontSetting.setTextColour(red, green, blue);
    fontChanged();  // fonts take the setting's colour when they are made
}

void Label::setLinkColours(uint32_t normal, uint32_t hover) {
    m_linkColours = true;
    m_linkNormal = normal;
    m_linkHover = hover;
    redraw();
}

uint32_t Label::linkColourNow() const {
    if (!m_linkColours) return m_fontSetting.getTextColour();
    return m_look ? m_linkHover : m_linkNormal;
}

void Label::setLinkTarget(const wchar_t* target) {
    m_target.clear();
    m_target.append(target ? target : L"");
}

void Label::measure() {
    m_wrapWidths.clear();
    m_wrapHeights.clear();
    if (!m_hWnd) return;
    RECT area = {0, 0, 0x7FFF, 0x7FFF};
    int32_t width = 0, height = 0;
    drawer()->measureText(CClientDC(m_hWnd), area, m_text.cString(), measureFont(), &width, &height);
    setMinimumSize(m_wordWrap ? 0 : width, height);
    setTargetSize(width, height);
    if (m_parent) m_parent->childChanged();
}

// A wrapped text's size depends on the width only; layouts ask again and again for the
// same widths, so each is measured once until the text or the font changes.
void Label::setSizeWithinLimits(int32_t width, int32_t height) {
    if (!m_wordWrap || !m_hWnd) {
        ComponentBase::setSizeWithinLimits(width, height);
        return;
    }
    if (width < 0) width = 0;
    size_t index = static_cast<size_t>(width);
    if (m_wrapWidths.size() <= index) {
        m_wrapWidths.resize(index + 1, -1);
        m_wrapHeights.resize(index + 1, -1);
    }
    if (m_wrapWidths[index] < 0) {
        RECT area = {0, 0, width, 0x7FFF};
        int32_t w = 0, h = 0;
        drawer()->measureText(CClientDC(m_hWnd), area, m_text.cString(), measureFont(), &w, &h);
        ++m_wrapMeasures;
        m_wrapWidths[index] = w < width ? w : width;
        m_wrapHeights[index] = h;
    }
    setSize(m_wrapWidths[index], m_wrapHeights[index]);
}

void Label::setEnabled(bool enabled) {
    ComponentBase::setEnabled(enabled);
    redraw();
}

void Label::paintContent(HDC dc, int32_t width, int32_t height) {
    RECT area = {0, 0, width, height};
    Font* f = paintFont();
    if (f && m_link && m_enabled && m_linkColours) {
        const uint32_t colour = linkColourNow();
        f->setTextColour(GetRValue(colour), GetGValue(colour), GetBValue(colour));
    }
    drawer()->drawText(dc, area, m_text.cString(), f);
}

// Every font is made again from the settings; the wrap cache goes with the old measure.
void Label::fontChanged() {
    releaseFonts();
    measure();
    redraw();
}

void Label::takeSkin(s::gui::drawer::ISkin* skin) {
    if (skin->getTextDrawer()) setDrawer(skin->getTextDrawer(), false);
}

void Label::repaintNow() {
    Invalidate(FALSE);
    UpdateWindow();
}

bool Label::inside(LPARAM point) const {
    int32_t x = static_cast<int16_t>(LOWORD(point)), y = static_cast<int16_t>(HIWORD(point));
    return x >= 0 && y >= 0 && x <= m_width && y <= m_height;
}

void Label::mouseMove(WPARAM keys, LPARAM point) {
    int32_t look = m_look;
    if (m_pressedInside) {
        look = inside(point) ? 2 : 0;
    } else if (inside(point) && !(keys & (MK_LBUTTON | MK_RBUTTON))) {
        look = 1;
        if (::GetCapture() != m_hWnd) SetCapture();
    } else if (!inside(point)) {
        if (::GetCapture() == m_hWnd) ::ReleaseCapture();
        look = 0;
    }
    if (look == m_look) return;
    m_look = look;
    repaintNow();
}

void Label::mouseUp(LPARAM point) {
    if (!m_pressedInside) return;
    m_pressedInside = false;
    if (inside(point)) {
        if (m_link && m_target.length()) s::system::win::shellOpen(m_target.cString());
        m_clicks.fire(self(), kClicked);
    }
    m_look = 0;
    repaintNow();
}

bool Label::handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    switch (message) {
    case WM_PAINT:
        paintBuffered(false);
        return true;
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    case WM_NCHITTEST:
        if (m_link) return false;
        *result = DefWindowProc(message, wParam, lParam);
        if (*result == HTCLIENT) *result = HTTRANSPARENT;
        return true;
    case WM_MOUSEMOVE:
        if (!m_link) return false;
        mouseMove(wParam, lParam);
        return true;
    case WM_LBUTTONDOWN:
        if (!m_link || !inside(lParam)) return false;
        m_pressedInside = true;
        m_look = 2;
        repaintNow();
        return true;
    case WM_LBUTTONUP:
        mouseUp(lParam);
        return true;
    case WM_TIMER:
        if (wParam != kRestoreTimer) return false;
        restoreSavedText();
        return true;
    case kApplyText:
        *result = applyRealText(reinterpret_cast<const wchar_t*>(wParam), lParam != 0) ? 1 : 0;
        return true;
    case kTemporaryText:
        temporaryText(reinterpret_cast<const wchar_t*>(wParam), static_cast<UINT>(lParam));
        return true;
    default:
        return ComponentBase::handleMessage(result, message, wParam, lParam);
    }
}

namespace {

Label* shaped(Label* label, bool wordWrap, bool ellipsis, int32_t sizeCode) {
    label->setWordWrap(wordWrap);
    label->setEllipsis(ellipsis);
    label->setFontSize(sizeCode);
    return label;
}

}  // namespace

Label* newLabelWithText(const wchar_t* text, bool wordWrap, bool ellipsis, int32_t sizeCode) {
    Label* label = s::thread::Pool<Label>::obtain();
    if (!label) return nullptr;
    label->setText(text, true);
    return shaped(label, wordWrap, ellipsis, sizeCode);
}

Label* newLabel(int32_t textId, bool wordWrap, bool ellipsis, int32_t sizeCode) {
    Label* label = s::thread::Pool<Label>::obtain();
    if (!label) return nullptr;
    label->setTextId(textId);
    return shaped(label, wordWrap, ellipsis, sizeCode);
}

}  // namespace s::gui::win
