// s/gui/win/GroupBox.cpp
#include "s/gui/win/GroupBox.h"

#include "mfc/CClientDC.h"
#include "s/gui/IBox.h"
#include "s/gui/ITextLocalizer.h"
#include "s/gui/IWindow.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/groupbox/win/Basic.h"
#include "s/gui/drawer/win/Paint.h"
#include "s/gui/layout/Arrangement.h"
#include "s/gui/layout/Pile.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/ControlColour.h"
#include "s/gui/win/Font.h"
#include "s/gui/win/Messages.h"
#include "s/gui/win/MessageBoxW.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

namespace {

constexpr DWORD kStyle = WS_CHILD | BS_GROUPBOX;  // 0x40000007
constexpr UINT kControlId = 1000;
constexpr uint32_t kFrameColour = 0xBFD0D0;
constexpr int32_t kDropBoxTitleId = 1001000;
// The toolkit's shade of disabled text (the text drawer's disabled font).
constexpr uint8_t kDisabledGrey[] = {161, 161, 146};

}  // namespace

GroupBox::GroupBox() : m_defaultDrawer(s::gui::drawer::groupbox::win::Basic::obtain()) {
    restoreDefaults();
}

void GroupBox::setFrameColour(uint8_t red, uint8_t green, uint8_t blue) {
    m_frameColour = RGB(red, green, blue);
    drawer()->setFrameColour(red, green, blue);
    redraw();
}

void GroupBox::setVisible(bool visible, bool recurse) {
    ComponentBase::setVisible(visible, recurse);
    if (m_content) m_content->setVisible(visible, false);
    if (!visible) releasePaintBuffer();
}

void GroupBox::setPropagate(bool on) {
    m_propagate = on;
    if (m_content && on) m_content->setPropagate(true);
}

GroupBox::~GroupBox() {
    if (m_defaultDrawer) m_defaultDrawer->releaseToPool();
    if (m_font) m_font->releaseToPool();
    if (m_disabledFont) m_disabledFont->releaseToPool();
}

void GroupBox::setEnabled(bool enabled) {
    const bool changed = enabled != m_enabled;
    ComponentBase::setEnabled(enabled);
    if (changed) redraw();
}

void GroupBox::restoreDefaults() {
    m_content = nullptr;
    m_manager = nullptr;
    m_textId = -1;
    m_title.clear();
    m_titleWidth = m_titleHeight = 0;
    m_drawer.release();
    m_depth = 0;
    m_paints = 0;
    m_propagate = false;
    m_integers.clear();
    m_frameColour = kFrameColour;
    m_disabledSetting.setTextColour(kDisabledGrey[0], kDisabledGrey[1], kDisabledGrey[2]);
    m_disabledSetting.setDisabledText(true);
    if (m_defaultDrawer)
        m_defaultDrawer->setFrameColour(GetRValue(kFrameColour), GetGValue(kFrameColour),
                                        GetBValue(kFrameColour));
    m_backgroundInherited = true;
}

void GroupBox::resetForReuse() {
    ComponentBase::resetForReuse();
    m_drawer.release();
    if (m_font) m_font->releaseToPool();
    if (m_disabledFont) m_disabledFont->releaseToPool();
    m_font = m_disabledFont = nullptr;
    m_fontSetting.resetForReuse();
    m_disabledSetting.resetForReuse();
    m_listeners.clear();
    restoreDefaults();
}

s::base::IObject* GroupBox::newInstance() const { return s::thread::Pool<GroupBox>::obtain(); }

void GroupBox::releaseToPool() { s::thread::Pool<GroupBox>::release(this); }

s::gui::layout::ILayoutManager* GroupBox::getLayoutManager() const {
    return m_manager ? m_manager : s::gui::layout::Pile::shared();
}

s::gui::drawer::IGroupBox* GroupBox::drawer() const { return m_drawer ? m_drawer.get() : m_defaultDrawer; }

Font* GroupBox::font() {
    if (!m_font) m_font = m_fontSetting.makeFont();
    return m_font;
}

Font* GroupBox::disabledFont() {
    if (!m_disabledFont) m_disabledFont = m_disabledSetting.makeFont();
    return m_disabledFont;
}

void GroupBox::setParent(s::gui::IComponent* parent) {
    if (!parent && m_window && m_window->getLocalizer()) m_window->getLocalizer()->removeListener(this);
    ComponentBase::setParent(parent);
    if (parent && m_window && m_window->getLocalizer()) m_window->getLocalizer()->addListener(this);
}

bool GroupBox::createNativeWindow(HWND) {
    if (!Create(L"GroupBox", kStyle, RECT{}, m_parentWnd, kControlId)) {
        showCreationFailed();
        return false;
    }
    if (font()) SetFont(font()->getHandle(), FALSE);
    if (m_textId >= 0) setTitleId(m_textId);
    SetWindowText(m_title.cString());
    measure();
    return true;
}

void GroupBox::measure() {
    if (m_hWnd) {
        CClientDC dc(m_hWnd);
        HGDIOBJ old = font() ? SelectObject(dc, font()->getHandle()) : nullptr;
        SIZE size = {0, 0};
        GetTextExtentPoint32W(dc, m_title.cString(), static_cast<int>(m_title.length()), &size);
        if (!size.cy) {
            TEXTMETRICW metrics;
            GetTextMetricsW(dc, &metrics);
            size.cy = metrics.tmHeight;
        }
        if (old) SelectObject(dc, old);
        m_titleWidth = size.cx;
        m_titleHeight = size.cy;
    }
    setMargin(4, 4, m_titleHeight + 1, 4);
    if (m_content) m_content->setOrigin(m_marginLeft, m_marginTop);
    doLayout();
    if (m_parent) m_parent->childChanged();
}

void GroupBox::doLayout() {
    if (m_depth > 1) return;
    ++m_depth;
    auto r = s::gui::layout::Arrangement::pile(this, 0, 0);
    setMinimumSize(r.minWidth, r.minHeight);
    setTargetSize(r.targetWidth, r.targetHeight);
    if (m_content) m_content->setOrigin(m_marginLeft, m_marginTop);
    --m_depth;
}

void GroupBox::childChanged() {
    int32_t w = m_minWidth, h = m_minHeight;
    doLayout();
    if (m_parent && (w != m_minWidth || h != m_minHeight)) m_parent->childChanged();
}

void GroupBox::setSize(int32_t width, int32_t height) {
    bool changed = width != m_width || height != m_height;
    ComponentBase::setSize(width, height);
    if (changed) doLayout();
}

int32_t GroupBox::getMinWidth() const {
    if (m_fixedWidth >= 0) return m_fixedWidth;
    int32_t content = ComponentBase::getMinWidth();
    return content > m_titleWidth + 24 ? content : m_titleWidth + 24;
}

void GroupBox::onEvent(void* source, int32_t code) {
    if (passToUiThread(this, source, code)) return;
    if (m_content && source == static_cast<s::gui::IComponent*>(m_content) && code == 1) {
        m_listeners.fire(self(), kFilesDropped);
        return;
    }
    if (m_window && source == m_window->getLocalizer() && m_textId >= 0) setTitleId(m_textId);
}

void GroupBox::setTitle(const wchar_t* title) {
    m_title.clear();
    m_title.append(title ? title : L"");
    if (m_hWnd) SetWindowText(m_title.cString());
    measure();
}

void GroupBox::setTitleId(int32_t id) {
    m_textId = id;
    s::gui::ITextLocalizer* localizer = m_window ? m_window->getLocalizer() : nullptr;
    if (localizer) setTitle(localizer->getText(id));
}

// The group box hears its content's drops itself, to pass them on as its own.
void GroupBox::setContent(s::gui::IBox* box) {
    m_content = box;
    if (!box) return;
    if (m_propagate) box->setPropagate(true);
    box->addFilesDroppedListener(this);
    addChild(box);
    box->setOrigin(m_marginLeft, m_marginTop);
    measure();
}

void GroupBox::setDrawer(s::gui::drawer::IGroupBox* drawer, bool owned) {
    m_drawer.set(drawer, owned);
    redraw();
}

void GroupBox::paintContent(HDC dc, int32_t width, int32_t height) {
    if (!m_backgroundInherited) {
        const RECT inside = {1, m_titleHeight / 2 + 1, width - 2, height - m_titleHeight / 2 - 2};
        s::gui::drawer::win::fill(dc, inside, m_background);
    }
    Font* title = m_enabled ? font() : disabledFont();
    drawer()->draw(dc, 0, m_titleHeight / 2, width, height, m_title.cString(), title, m_titleWidth, m_titleHeight);
}

// The title is measured again with the new font: the insets and the content follow.
void GroupBox::fontChanged() {
    // The control lets go of its font before it is deleted.
    Font* old = m_font;
    m_font = nullptr;
    if (m_hWnd && font()) SetFont(font()->getHandle(), FALSE);
    if (old) old->releaseToPool();
    if (m_disabledFont) m_disabledFont->releaseToPool();
    m_disabledFont = nullptr;
    measure();
    redraw();
}

void GroupBox::takeSkin(s::gui::drawer::ISkin* skin) {
    if (skin->getGroupBoxDrawer()) setDrawer(skin->getGroupBoxDrawer(), false);
}

// The content paints itself; the frame is drawn around it.
void GroupBox::paint() {
    paintBuffered(true);
    ++m_paints;
}

bool GroupBox::handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    switch (message) {
    case WM_PAINT:
        paint();
        return true;
    case WM_NCPAINT:
        // The frame is all client area; a paint DC opened here would validate the client
        // area and swallow the WM_PAINT that draws it.
        return true;
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    case WM_UPDATEUISTATE:
        return true;
    case kReflectColour: {
        const ColourRequest request = {m_backgroundInherited && inheritsNoBackground(m_parent), getBackgroundColour(),
                                       m_fontSetting.getTextColour()};
        *result = answerControlColour(reinterpret_cast<HDC>(wParam), request, &m_brush);
        return true;
    }
    default:
        return ComponentBase::handleMessage(result, message, wParam, lParam);
    }
}

GroupBox* newGroupBox(int32_t kind, int32_t gap1, int32_t gap2, const wchar_t* title,
                      int32_t fixedWidth) {
    GroupBox* group = s::thread::Pool<GroupBox>::obtain();
    if (!group) return nullptr;
    group->setContent(newBox(kind, 0, 100.0, 100.0, 0, gap1, gap2, 20, 3));
    group->setTitle(title);
    group->setEnabled(true);
    if (fixedWidth >= 0) group->setFixedSize(fixedWidth, -1);
    return group;
}

GroupBox* newGroupBoxFromTextId(int32_t kind, int32_t gap1, int32_t gap2, int32_t titleId,
                                int32_t fixedWidth) {
    GroupBox* group = newGroupBox(kind, gap1, gap2, L"", fixedWidth);
    if (group) group->setTitleId(titleId);
    return group;
}

GroupBox* newGroupBoxDefaultTitle(int32_t width, int32_t height) {
    GroupBox* group = s::thread::Pool<GroupBox>::obtain();
    if (!group) return nullptr;
    group->setContent(newBox(1, 0, 100.0, 100.0, 0, 0, 0, 0, 0));
    group->setTitleId(kDropBoxTitleId);
    group->setEnabled(true);
    group->setFixedSize(width >= 0 ? width : -1, height >= 0 ? height : -1);
    return group;
}

}  // namespace s::gui::win
