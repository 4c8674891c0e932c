// s/gui/win/ComponentBase.cpp
#include "s/gui/win/ComponentBase.h"

#include "s/gui/Geometry.h"
#include "s/gui/IBox.h"
#include "s/gui/IButton.h"
#include "s/gui/ICheckBox.h"
#include "s/gui/IRadioButton.h"
#include "s/gui/ILabel.h"
#include "s/gui/IProgressBar.h"
#include "s/gui/IStatusBar.h"
#include "s/gui/IGroupBox.h"
#include "s/gui/IComboBox.h"
#include "s/gui/ISpacer.h"
#include "s/gui/IWindow.h"
#include "s/gui/IImage.h"
#include "s/gui/IMenuEx.h"
#include "s/gui/ISlider.h"
#include "s/gui/ITextField.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/Messages.h"
#include "s/gui/win/OnUiThread.h"
#include "s/image/win/BufferedImage.h"
#include "s/gui/win/WindowClass.h"

namespace s::gui::win {

namespace {

uint32_t rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return red | (green << 8) | (static_cast<uint32_t>(blue) << 16);
}

}  // namespace

template <class I>
ComponentBase<I>::ComponentBase() : m_background(GetSysColor(COLOR_BTNFACE)) {}

template <class I>
ComponentBase<I>::~ComponentBase() = default;

template <class I>
bool ComponentBase<I>::isOnOwnThread() const {
    return m_hWnd && GetWindowThreadProcessId(m_hWnd, nullptr) == GetCurrentThreadId();
}

template <class I>
bool ComponentBase<I>::passToUiThread(s::gui::events::IEventListener* listener, void* source, int32_t code) {
    if (!m_hWnd || !m_window || isOnOwnThread()) return false;
    return onUiThread(*m_window, [&] { listener->onEvent(source, code); }, kWaitForever);
}

// A skin chosen on another thread is taken where the component paints: on its UI thread.
template <class I>
void ComponentBase<I>::takeSkinOf(void* self, s::gui::drawer::ISkin* skin) {
    auto* component = static_cast<ComponentBase*>(self);
    if (component->m_hWnd && component->m_window && !component->isOnOwnThread() &&
        onUiThread(*component->m_window, [&] { component->takeSkin(skin); }, kWaitForever))
        return;
    component->takeSkin(skin);
}

template <class I>
int32_t ComponentBase<I>::getScreenX() const {
    if (!m_hWnd) return m_originX + m_x;
    POINT p = {0, 0};
    ClientToScreen(&p);
    return p.x;
}

template <class I>
int32_t ComponentBase<I>::getScreenY() const {
    if (!m_hWnd) return m_originY + m_y;
    POINT p = {0, 0};
    ClientToScreen(&p);
    return p.y;
}

template <class I>
bool ComponentBase<I>::containsScreenPoint(int32_t x, int32_t y) const {
    if (!this->isVisible()) return false;
    return containsInclusive(this->getScreenX(), this->getScreenY(), this->getWidth(),
                             this->getHeight(), x, y);
}

template <class I>
void ComponentBase<I>::applyGeometry(UINT flags) {
    if (m_deferred) {
        m_dirty = true;
        return;
    }
    if (!m_hWnd) return;
    // A hidden component stays hidden through layouts: only a visible one is shown.
    UINT show = m_visible ? SWP_SHOWWINDOW : 0;
    SetWindowPos(nullptr, m_originX + m_x, m_originY + m_y, m_width, m_height,
                 SWP_NOZORDER | show | flags);
    RECT placed = m_placed;
    if (!(flags & SWP_NOMOVE)) OffsetRect(&placed, m_originX + m_x - placed.left, m_originY + m_y - placed.top);
    if (!(flags & SWP_NOSIZE)) {
        placed.right = placed.left + m_width;
        placed.bottom = placed.top + m_height;
    }
    if (EqualRect(&placed, &m_placed)) return;
    m_placed = placed;
    // Moved or resized, it is painted again once its thread is idle, however many layouts
    // placed it meanwhile; the picture the system moved along may not fit its new place.
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

template <class I>
void ComponentBase<I>::setPosition(int32_t x, int32_t y) {
    m_x = x;
    m_y = y;
    applyGeometry(SWP_NOSIZE);
}

template <class I>
void ComponentBase<I>::setSize(int32_t width, int32_t height) {
    m_width = width;
    m_height = height;
    applyGeometry(SWP_NOMOVE);
}

template <class I>
void ComponentBase<I>::setBounds(int32_t x, int32_t y, int32_t width, int32_t height) {
    m_x = x;
    m_y = y;
    m_width = width;
    m_height = height;
    applyGeometry(0);
}

template <class I>
void ComponentBase<I>::setOrigin(int32_t originX, int32_t originY) {
    m_originX = originX;
    m_originY = originY;
    applyGeometry(SWP_NOSIZE);
}

template <class I>
void ComponentBase<I>::endDeferGeometry() {
    m_deferred = false;
    if (!m_dirty) return;
    m_dirty = false;
    this->setBounds(m_x, m_y, m_width, m_height);
}

template <class I>
int32_t ComponentBase<I>::getMinWidth() const {
    return minimumSize(m_collapsed, m_fixedWidth, m_minWidth, m_marginLeft + m_marginRight);
}

template <class I>
int32_t ComponentBase<I>::getMinHeight() const {
    return minimumSize(false, m_fixedHeight, m_minHeight, m_marginTop + m_marginBottom);
}

template <class I>
int32_t ComponentBase<I>::getContentMinWidth() const {
    return this->getMinWidth() - (m_collapsed ? 0 : m_marginLeft + m_marginRight);
}

template <class I>
int32_t ComponentBase<I>::getContentMinHeight() const {
    return this->getMinHeight() - m_marginTop - m_marginBottom;
}

template <class I>
int32_t ComponentBase<I>::getTargetWidth() const {
    int32_t parentInner = m_parent ? m_parent->getInnerWidth() : -1;
    return targetSize(m_fixedWidth, m_targetWidthPercent, parentInner, m_minWidth,
                      m_targetWidth, m_marginLeft + m_marginRight);
}

template <class I>
int32_t ComponentBase<I>::getTargetHeight() const {
    int32_t parentInner = m_parent ? m_parent->getInnerHeight() : -1;
    return targetSize(m_fixedHeight, m_targetHeightPercent, parentInner, m_minHeight,
                      m_targetHeight, m_marginTop + m_marginBottom);
}

template <class I>
int32_t ComponentBase<I>::getContentTargetWidth() const {
    return this->getTargetWidth() - m_marginLeft - m_marginRight;
}

template <class I>
int32_t ComponentBase<I>::getContentTargetHeight() const {
    return this->getTargetHeight() - m_marginTop - m_marginBottom;
}

template <class I>
void ComponentBase<I>::setSizeWithinLimits(int32_t width, int32_t height) {
    this->setSize(withinLimits(width, this->getMinWidth(), this->getTargetWidth()),
                  withinLimits(height, this->getMinHeight(), this->getTargetHeight()));
}

template <class I>
void ComponentBase<I>::setVisible(bool visible, bool recurse) {
    if (recurse)
        for (uint32_t i = 0; i < m_children.count(); ++i) getChild(i)->setVisible(visible, true);
    if (visible == m_visible) return;
    m_visible = visible;
    if (visible) {
        if (m_hWnd) ShowWindow(SW_SHOW);
        if (m_parent) m_parent->childChanged();
        return;
    }
    if (m_hWnd) ShowWindow(SW_HIDE);
    this->setPosition(kParkedX, parkedY());
    // What the parent holds changed as much as when it is shown: its results follow.
    if (m_parent) m_parent->childChanged();
}

template <class I>
void ComponentBase<I>::setEnabled(bool enabled) {
    m_enabled = enabled;
    if (m_hWnd) EnableWindow(enabled);
}

template <class I>
void ComponentBase<I>::centreInParent() {
    if (!m_parent) return;
    this->setPosition(centredOffset(m_parent->getInnerWidth(), this->getWidth()),
                      centredOffset(m_parent->getInnerHeight(), this->getHeight()));
}

template <class I>
void ComponentBase<I>::centreHorizontally() {
    if (m_parent) this->setX(centredOffset(m_parent->getInnerWidth(), this->getWidth()));
}

template <class I>
void ComponentBase<I>::centreVertically() {
    if (m_parent) this->setY(centredOffset(m_parent->getInnerHeight(), this->getHeight()));
}

template <class I>
uint32_t ComponentBase<I>::getBackgroundColour() const {
    if (m_backgroundInherited && m_parent) return m_parent->getBackgroundColour();
    return m_background;
}

template <class I>
void ComponentBase<I>::setBackgroundInherited(bool redraw) {
    m_backgroundInherited = true;
    if (redraw) this->redraw();
}

template <class I>
void ComponentBase<I>::setBackgroundSystem(bool redraw) {
    COLORREF c = GetSysColor(COLOR_BTNFACE);
    setBackgroundColour(GetRValue(c), GetGValue(c), GetBValue(c), redraw);
}

template <class I>
void ComponentBase<I>::setBackgroundLight(bool redraw) {
    COLORREF c = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    setBackgroundColour(lightChannel(GetRValue(c)), lightChannel(GetGValue(c)),
                        lightChannel(GetBValue(c)), redraw);
}

template <class I>
void ComponentBase<I>::setBackgroundColour(uint8_t red, uint8_t green, uint8_t blue,
                                           bool redraw) {
    m_background = rgb(red, green, blue);
    m_backgroundInherited = false;
    if (redraw) this->redraw();
}

template <class I>
void ComponentBase<I>::redrawRect(int32_t x, int32_t y, int32_t width, int32_t height) {
    if (!m_visible || !m_hWnd) return;
    RECT area = {x, y, x + width, y + height};
    RedrawWindow(&area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

template <class I>
void ComponentBase<I>::redraw() {
    if (m_visible && m_hWnd) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

template <class I>
s::image::win::BufferedImage* ComponentBase<I>::getBackBuffer(int32_t* x, int32_t* y) const {
    if (m_backBuffer) {
        *x = 0;
        *y = 0;
        return m_backBuffer;
    }
    if (!m_parent) return nullptr;
    s::image::win::BufferedImage* buffer = m_parent->getBackBuffer(x, y);
    if (buffer) {
        *x += m_originX + m_x;
        *y += m_originY + m_y;
    }
    return buffer;
}

template <class I>
void ComponentBase<I>::paintBackground(HDC dc, int32_t width, int32_t height) {
    s::gui::drawer::win::fill(dc, 0, 0, width, height, getBackgroundColour());
    if (!m_backgroundInherited || !m_parent) return;
    int32_t x = 0, y = 0;
    s::image::win::BufferedImage* under = m_parent->getBackBuffer(&x, &y);
    HBITMAP bitmap = under ? under->getBitmapHandle() : nullptr;
    if (!bitmap) return;
    x += m_originX + m_x;
    y += m_originY + m_y;
    // Only what the parent's picture holds; the colour stays beyond its edges.
    int32_t w = under->getWidth() - x < width ? under->getWidth() - x : width;
    int32_t h = under->getHeight() - y < height ? under->getHeight() - y : height;
    if (x < 0 || y < 0 || w <= 0 || h <= 0) return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    // A bitmap selected in another DC (the parent still painting) cannot be read.
    if (old) ::BitBlt(dc, 0, 0, w, h, source, x, y, SRCCOPY);
    if (old) SelectObject(source, old);
    DeleteDC(source);
}

template <class I>
bool ComponentBase<I>::paintBuffered(bool keepOutChildren) {
    struct Painter final : IBufferPainter {
        ComponentBase* component = nullptr;
        void paintBuffer(HDC dc, int32_t width, int32_t height) override {
            component->paintBackground(dc, width, height);
            component->paintContent(dc, width, height);
        }
    } painter;
    painter.component = this;
    RECT keepOut[16];
    uint32_t count = 0;
    for (uint32_t i = 0; keepOutChildren && i < m_children.count() && count < 16; ++i) {
        mfc::CWnd* child = getChild(i)->nativeWindow();
        if (!child || !child->m_hWnd || !::IsWindowVisible(child->m_hWnd)) continue;
        ::GetWindowRect(child->m_hWnd, &keepOut[count]);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&keepOut[count]), 2);
        ++count;
    }
    bool painted = m_paintBuffer.paint(m_hWnd, &painter, keepOut, count);
    if (this->isContainer()) m_backBuffer = m_paintBuffer.image();
    return painted;
}

template <class I>
void ComponentBase<I>::releasePaintBuffer() {
    if (m_backBuffer == m_paintBuffer.image()) m_backBuffer = nullptr;
    m_paintBuffer.release();
}

template <class I>
void ComponentBase<I>::setMinimumSize(int32_t width, int32_t height) {
    m_minWidth = width;
    m_minHeight = height;
}

template <class I>
void ComponentBase<I>::setTargetSize(int32_t width, int32_t height) {
    m_targetWidth = width;
    m_targetHeight = height;
}

template <class I>
void ComponentBase<I>::setTargetPercent(int32_t widthPercent, int32_t heightPercent) {
    m_targetWidthPercent = widthPercent;
    m_targetHeightPercent = heightPercent;
}

template <class I>
void ComponentBase<I>::setFixedSize(int32_t width, int32_t height) {
    m_fixedWidth = width;
    m_fixedHeight = height;
}

template <class I>
void ComponentBase<I>::setMargin(int32_t left, int32_t right, int32_t top, int32_t bottom) {
    m_marginLeft = left;
    m_marginRight = right;
    m_marginTop = top;
    m_marginBottom = bottom;
}

template <class I>
bool ComponentBase<I>::createNativeWindow(HWND parent) {
    return CreateEx(0, kWindowClassName, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                    nullptr);
}

template <class I>
void ComponentBase<I>::createChildWindows() {
    for (uint32_t i = 0; i < m_children.count(); ++i) getChild(i)->setParent(self());
}

template <class I>
void ComponentBase<I>::setParent(s::gui::IComponent* parent) {
    if (!parent) {
        m_skin.follow(nullptr);
        destroyNativeWindow();
        m_parent = nullptr;
        m_window = nullptr;
        m_parentWnd = nullptr;
        return;
    }
    m_parent = parent;
    m_window = parent->getWindow();
    m_parentWnd = parent->nativeWindow();
    if (m_hWnd || !m_parentWnd || !m_parentWnd->m_hWnd) return;
    // One told to follow a skinner by hand keeps it in a window that has none.
    if (m_window && m_window->getSkinner()) m_skin.follow(m_window->getSkinner());
    if (!createNativeWindow(m_parentWnd->m_hWnd)) return;
    if (!m_enabled) EnableWindow(FALSE);
    createChildWindows();
    applyGeometry(0);
    relayout();
    parent->childChanged();
}

template <class I>
void ComponentBase<I>::destroyNativeWindow() {
    if (!m_hWnd) return;
    // Made on its UI thread, so destroyed there: the window answers kDestroyOwnWindow.
    ::SendMessageW(m_hWnd, kDestroyOwnWindow, 0, 0);
    Detach();
    SetRectEmpty(&m_placed);
}

template <class I>
void ComponentBase<I>::addChild(s::gui::IComponent* child) {
    if (!child) return;
    m_children.add(child);
    if (m_hWnd) ::SendMessageW(m_hWnd, kCreateChild, reinterpret_cast<WPARAM>(child), 0);
}

template <class I>
void ComponentBase<I>::removeChild(s::gui::IComponent* child, bool recursive) {
    int32_t index = -1;
    if (child && m_children.indexOf(child, &index)) {
        m_children.removeAt(static_cast<uint32_t>(index));
        if (recursive && child->isContainer()) child->removeAllChildren(true);
        child->setParent(nullptr);
        child->releaseToPool();
    }
    relayout();
}

template <class I>
void ComponentBase<I>::removeAllChildren(bool recursive) {
    while (uint32_t n = m_children.count()) removeChild(getChild(n - 1), recursive);
}

template <class I>
void ComponentBase<I>::resetForReuse() {
    removeAllChildren(true);
    if (m_parent) setParent(nullptr);
    m_skin.follow(nullptr);
    destroyNativeWindow();
    releasePaintBuffer();
    m_parent = nullptr;
    m_window = nullptr;
    m_parentWnd = nullptr;
    m_x = m_y = m_originX = m_originY = m_width = m_height = 0;
    SetRectEmpty(&m_placed);
    m_minWidth = m_minHeight = m_targetWidth = m_targetHeight = 0;
    m_targetWidthPercent = m_targetHeightPercent = m_fixedWidth = m_fixedHeight = -1;
    m_collapsed = false;
    m_marginLeft = m_marginRight = m_marginTop = m_marginBottom = 0;
    m_background = GetSysColor(COLOR_BTNFACE);
    m_backgroundInherited = false;
    m_visible = m_enabled = m_editable = true;
    m_deferred = m_dirty = false;
    m_children.clear();
}

template <class I>
bool ComponentBase<I>::handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case kCreateChild:
        reinterpret_cast<s::gui::IComponent*>(wParam)->setParent(self());
        *result = 0;
        return true;
    case kDestroyOwnWindow:
        DestroyWindow();
        *result = 0;
        return true;
    default:
        return false;
    }
}

template <class I>
LRESULT ComponentBase<I>::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (handleMessage(&result, message, wParam, lParam)) return result;
    result = DefWindowProc(message, wParam, lParam);
    afterDefault(message, wParam, lParam);
    return result;
}

template class ComponentBase<s::gui::IComponent>;
template class ComponentBase<s::gui::IContainer>;
template class ComponentBase<s::gui::IBox>;
template class ComponentBase<s::gui::ISpacer>;
template class ComponentBase<s::gui::IButton>;
template class ComponentBase<s::gui::ICheckBox>;
template class ComponentBase<s::gui::IRadioButton>;
template class ComponentBase<s::gui::ILabel>;
template class ComponentBase<s::gui::IProgressBar>;
template class ComponentBase<s::gui::IStatusBar>;
template class ComponentBase<s::gui::IGroupBox>;
template class ComponentBase<s::gui::IComboBox>;
template class ComponentBase<s::gui::IWindow>;
template class ComponentBase<s::gui::ITextField>;
template class ComponentBase<s::gui::ISlider>;
template class ComponentBase<s::gui::IImage>;
template class ComponentBase<s::gui::IMenuEx>;

}  // namespace s::gui::win
