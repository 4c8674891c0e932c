// s/gui/win/StatusBar.cpp
#include "s/gui/win/StatusBar.h"

#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/statusbar/win/Basic.h"
#include "s/gui/layout/Arrangement.h"
#include "s/gui/layout/Pile.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/UiScale.h"
#include "s/gui/win/WindowClass.h"
#include "s/gui/win/MessageBoxW.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

namespace {


}  // namespace

StatusBar::StatusBar() : m_defaultDrawer(s::gui::drawer::statusbar::win::Basic::obtain()) {
    restoreDefaults();
}

StatusBar::~StatusBar() {
    if (m_defaultDrawer) m_defaultDrawer->releaseToPool();
}

void StatusBar::restoreDefaults() {
    m_outer = m_content = nullptr;
    m_manager = nullptr;
    m_contentMinWidth = m_contentMinHeight = m_contentTargetWidth = m_contentTargetHeight = 0;
    m_targetWidthPercent = 100;
    m_grip = false;
    m_drawer.release();
    m_depth = 0;
    m_backgroundInherited = true;
}

void StatusBar::resetForReuse() {
    ComponentBase::resetForReuse();
    m_drawer.release();
    restoreDefaults();
}

s::base::IObject* StatusBar::newInstance() const { return s::thread::Pool<StatusBar>::obtain(); }

void StatusBar::releaseToPool() { s::thread::Pool<StatusBar>::release(this); }

s::gui::layout::ILayoutManager* StatusBar::getLayoutManager() const {
    return m_manager ? m_manager : s::gui::layout::Pile::shared();
}

s::gui::drawer::IStatusBar* StatusBar::drawer() const { return m_drawer ? m_drawer.get() : m_defaultDrawer; }

void StatusBar::setContent(s::gui::IBox* outer, s::gui::IBox* content) {
    m_outer = outer;
    m_content = content;
    if (outer) ComponentBase::addChild(outer);
}

void StatusBar::addChild(s::gui::IComponent* child) {
    if (m_content)
        m_content->addChild(child);
    else
        ComponentBase::addChild(child);
}

void StatusBar::doLayout() {
    if (m_depth > 1) return;
    ++m_depth;
    auto r = s::gui::layout::Arrangement::pile(this, 0, 0);
    m_contentMinWidth = r.minWidth;
    m_contentMinHeight = r.minHeight;
    m_contentTargetWidth = r.targetWidth;
    m_contentTargetHeight = r.targetHeight;
    --m_depth;
}

void StatusBar::childChanged() {
    int32_t minHeight = m_contentMinHeight, minWidth = m_contentMinWidth;
    doLayout();
    if (m_parent && (minHeight != m_contentMinHeight || minWidth != m_contentMinWidth))
        m_parent->childChanged();
}

void StatusBar::setSize(int32_t width, int32_t height) {
    bool changed = width != m_width || height != m_height;
    ComponentBase::setSize(width, height);
    if (changed) doLayout();
}

int32_t StatusBar::getMinWidth() const {
    if (m_fixedWidth >= 0) return m_fixedWidth;
    return m_marginLeft + m_marginRight + m_contentMinWidth;
}

// The drawer's strip, but never lower than what it holds.
int32_t StatusBar::getMinHeight() const {
    if (m_fixedHeight >= 0) return m_fixedHeight;
    int32_t content = m_marginTop + m_marginBottom + m_contentMinHeight;
    int32_t strip = drawer()->getHeight();
    return content > strip ? content : strip;
}

int32_t StatusBar::getTargetWidth() const {
    if (m_fixedWidth >= 0) return m_fixedWidth;
    if (m_targetWidthPercent >= 0 && m_parent)
        return m_parent->getInnerWidth() * m_targetWidthPercent / 100;
    int32_t content = m_contentTargetWidth > m_contentMinWidth ? m_contentTargetWidth : m_contentMinWidth;
    return m_marginLeft + m_marginRight + content;
}

int32_t StatusBar::getTargetHeight() const {
    if (m_fixedHeight >= 0) return m_fixedHeight;
    if (m_targetHeightPercent >= 0 && m_parent)
        return m_parent->getInnerHeight() * m_targetHeightPercent / 100;
    return getMinHeight();
}

void StatusBar::setWidthPercent(int32_t percent) {
    m_targetWidthPercent = percent;
    m_fixedWidth = -1;
}

void StatusBar::setHeightPercent(int32_t percent) {
    m_targetHeightPercent = percent;
    m_fixedHeight = -1;
}

void StatusBar::setFixedWidth(int32_t width) {
    m_fixedWidth = width;
    m_targetWidthPercent = -1;
}

void StatusBar::setFixedHeight(int32_t height) {
    m_fixedHeight = height;
    m_targetHeightPercent = -1;
}

void StatusBar::setVisible(bool visible, bool recurse) {
    ComponentBase::setVisible(visible, recurse);
    if (m_outer) m_outer->setVisible(visible, false);
}

void StatusBar::setGripFlag(bool grip) {
    m_grip = grip;
    if (!grip) m_marginRight = 0;
    if (m_hWnd) {
        doLayout();
        if (m_parent) m_parent->childChanged();
    }
}

void StatusBar::setDrawer(s::gui::drawer::IStatusBar* drawer, bool owned) {
    m_drawer.set(drawer, owned);
    if (m_hWnd && m_parent) m_parent->childChanged();
    redraw();
}

bool StatusBar::createNativeWindow(HWND parent) {
    if (!CreateEx(0, kWindowClassName, L"", WS_CHILD, 0, 0, 0, 0, parent, nullptr)) {
        showCreationFailed();
        return false;
    }
    ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    return true;
}

void StatusBar::paintContent(HDC dc, int32_t width, int32_t height) {
    drawer()->draw(dc, 0, 0, width, height);
}

void StatusBar::takeSkin(s::gui::drawer::ISkin* skin) {
    if (skin->getStatusBarDrawer()) setDrawer(skin->getStatusBarDrawer(), false);
}

bool StatusBar::handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    switch (message) {
    case WM_PAINT:
        paintBuffered(true);
        return true;
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    case WM_NCHITTEST:
        *result = DefWindowProc(message, wParam, lParam);
        if (*result == HTCLIENT) *result = HTTRANSPARENT;
        return true;
    case WM_GETDLGCODE:
        *result = DefWindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS;
        return true;
    default:
        return ComponentBase::handleMessage(result, message, wParam, lParam);
    }
}

// The boxes are rows: the content's parts side by side, the grip beside them at the right.
StatusBar* newStatusBar(int32_t horizontalMargin, int32_t verticalMargin) {
    StatusBar* bar = s::thread::Pool<StatusBar>::obtain();
    if (!bar) return nullptr;
    int32_t side = 12 * uiScale();
    Button* grip = newButtonWithText(L"#Resizer", side, side);
    grip->setFramed(false);
    Box* gripBox = newBox(s::gui::IBox::kRow, 2, -1, 100, 2, 0, 0, 0, 0);
    gripBox->addChild(grip);
    Box* content = newBox(s::gui::IBox::kRow, 0, -1, -1, 1, 0, 0, horizontalMargin, verticalMargin);
    Box* outer = newBox(s::gui::IBox::kRow, 0, -1, -1, 0, 0, 0, 0, 0);
    content->setWidthPercent(100, false);
    outer->addChild(content);
    outer->addChild(gripBox);
    // The outer box fills the bar, so that the grip box's full height reaches its bottom.
    outer->setWidthPercent(100, false);
    outer->setHeightPercent(100, false);
    bar->setContent(outer, content);
    bar->setWidthPercent(100);
    return bar;
}

}  // namespace s::gui::win
