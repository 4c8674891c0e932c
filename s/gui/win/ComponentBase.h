// s/gui/win/ComponentBase.h
//
// The one implementation of the component rules that every component reuses: geometry
// with deferral, visibility, enabled and editable state, the background chain, children
// and the native-window protocol (kCreateChild makes a child's window on this thread,
// kDestroyOwnWindow destroys one's own). I is the interface the component shows
// (IComponent, IContainer, IWindow ...); the native window object it is follows from I
// (NativeWindowOf). The code is instantiated for each in the .cpp.
//
// Threads: the fields are written by whoever builds the component before its window
// exists and afterwards only on its window's UI thread; the Win32 calls made here from
// another thread are turned into sent messages by the system.
#pragma once
#include <windows.h>

#include "mfc/CWnd.h"
#include "s/col/_array/ArrayP.h"
#include "s/gui/IComponent.h"
#include "s/gui/events/IEventListener.h"
#include "s/gui/win/NativeWindowOf.h"
#include "s/gui/win/BackBuffer.h"
#include "s/gui/win/SkinLink.h"

namespace s::gui::drawer {
class ISkin;
}  // namespace s::gui::drawer

namespace s::gui::layout {
class ILayoutManager;
}  // namespace s::gui::layout

namespace s::gui::win {

// Where a hidden component is parked, relative to its parent's origin.
constexpr int32_t kParkedX = -10000;
constexpr int32_t kParkedY = 10000;

template <class I>
class ComponentBase : public I, public NativeWindowOf<I>::Type {
    using W = typename NativeWindowOf<I>::Type;

public:
    using W::ClientToScreen;
    using W::CreateEx;
    using W::DefWindowProc;
    using W::Detach;
    using W::DestroyWindow;
    using W::EnableWindow;
    using W::RedrawWindow;
    using W::SetWindowPos;
    using W::ShowWindow;
    using W::m_hWnd;

    ComponentBase();
    ~ComponentBase() override;

    // IComponent
    int32_t getX() const override { return m_x; }
    void setX(int32_t x) override { setPosition(x, m_y); }
    int32_t getY() const override { return m_y; }
    void setY(int32_t y) override { setPosition(m_x, y); }
    int32_t getScreenX() const override;
    int32_t getScreenY() const override;
    bool containsScreenPoint(int32_t x, int32_t y) const override;
    int32_t getWidth() const override { return m_width; }
    void setWidth(int32_t width) override { setSize(width, m_height); }
    int32_t getHeight() const override { return m_height; }
    void setHeight(int32_t height) override { setSize(m_width, height); }
    int32_t getInnerWidth() const override { return m_width - m_marginLeft - m_marginRight; }
    void setInnerWidth(int32_t width) override {
        setWidth(width + m_marginLeft + m_marginRight);
    }
    int32_t getInnerHeight() const override { return m_height - m_marginTop - m_marginBottom; }
    void setInnerHeight(int32_t height) override {
        setHeight(height + m_marginTop + m_marginBottom);
    }
    void setPosition(int32_t x, int32_t y) override;
    void setSize(int32_t width, int32_t height) override;
    void setBounds(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void setOrigin(int32_t originX, int32_t originY) override;
    void moveOrigin(int32_t dx, int32_t dy) override { setOrigin(m_originX + dx, m_originY + dy); }
    int32_t getMinWidth() const override;
    int32_t getMinHeight() const override;
    int32_t getContentMinWidth() const override;
    int32_t getContentMinHeight() const override;
    int32_t getTargetWidth() const override;
    int32_t getTargetHeight() const override;
    int32_t getContentTargetWidth() const override;
    int32_t getContentTargetHeight() const override;
    bool sharesParentWidth() const override { return m_fixedWidth < 0 && m_targetWidthPercent >= 0; }
    bool sharesParentHeight() const override { return m_fixedHeight < 0 && m_targetHeightPercent >= 0; }
    bool isVisible() const override { return m_visible; }
    void setVisible(bool visible, bool recurse) override;
    bool isEnabled() const override { return m_enabled; }
    void setEnabled(bool enabled) override;
    bool isEditable() const override { return m_editable; }
    void setEditable(bool editable) override { m_editable = editable; }
    void centreInParent() override;
    void centreHorizontally() override;
    void centreVertically() override;
    uint32_t getBackgroundColour() const override;
    bool isBackgroundInherited() const override { return m_backgroundInherited; }
    void setBackgroundInherited(bool redraw) override;
    void setBackgroundWhite(bool redraw) override { setBackgroundColour(255, 255, 255, redraw); }
    void setBackgroundSystem(bool redraw) override;
    void setBackgroundBlack(bool redraw) override { setBackgroundColour(0, 0, 0, redraw); }
    void setBackgroundLight(bool redraw) override;
    void setBackgroundColour(uint8_t red, uint8_t green, uint8_t blue, bool redraw) override;
    s::gui::IWindow* getWindow() const override { return m_window; }
    s::gui::IComponent* getParent() const override { return m_parent; }
    void setParent(s::gui::IComponent* parent) override;
    void addChild(s::gui::IComponent* child) override;
    void removeChild(s::gui::IComponent* child, bool recursive) override;
    void removeAllChildren(bool recursive) override;
    bool isContainer() const override { return false; }
    void redrawRect(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void redraw() override;
    void setSizeWithinLimits(int32_t width, int32_t height) override;
    void childChanged() override {}
    uint32_t getChildCount() const override { return m_children.count(); }
    s::gui::IComponent* getChild(uint32_t index) const override {
        return m_children.item<s::gui::IComponent>(index);
    }
    s::col::_array::ArrayP* getChildren() const override {
        return const_cast<s::col::_array::ArrayP*>(&m_children);
    }
    s::image::win::BufferedImage* getBackBuffer(int32_t* x, int32_t* y) const override;
    bool isGeometryDeferred() const override { return m_deferred; }
    void beginDeferGeometry() override { m_deferred = true; }
    void endDeferGeometry() override;
    mfc::CWnd* nativeWindow() override { return this; }

    // The stored content sizes (without margin) and the size rules' inputs.
    void setMinimumSize(int32_t width, int32_t height);
    void setTargetSize(int32_t width, int32_t height);
    void setTargetPercent(int32_t widthPercent, int32_t heightPercent);
    void setFixedSize(int32_t width, int32_t height);
    void setCollapsed(bool collapsed) { m_collapsed = collapsed; }
    void setMargin(int32_t left, int32_t right, int32_t top, int32_t bottom);
    int32_t getOriginX() const { return m_originX; }
    int32_t getOriginY() const { return m_originY; }

    // IPoolable: children given back, native window destroyed, every default restored.
    void resetForReuse() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // Handles a message before the default procedure; true: handled, *result is the answer.
    virtual bool handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam);
    // After the default procedure ran for a message that handleMessage left alone.
    virtual void afterDefault(UINT, WPARAM, LPARAM) {}
    // Makes the native window as a child of parent; a control makes its own class here.
    virtual bool createNativeWindow(HWND parent);
    // After the component's window came or its children changed: lay them out again.
    virtual void relayout() {}
    // The window's skin changed (or the component joined it): take the family's drawer.
    virtual void takeSkin(s::gui::drawer::ISkin*) {}
    // Where a hidden component waits, below its parent's origin unless its kind says other.
    virtual int32_t parkedY() const { return kParkedY; }
    // What an owner-painted component draws over its background into the back buffer.
    virtual void paintContent(HDC, int32_t, int32_t) {}
    // The WM_PAINT of every owner-painted component: the background (the parent's picture
    // under it when inherited, else its colour) and paintContent into the kept back buffer,
    // copied to the screen with one BitBlt; with keepOutChildren the children's rectangles
    // are left alone on the screen. A container's buffer is the one its children copy from.
    bool paintBuffered(bool keepOutChildren);
    void paintBackground(HDC dc, int32_t width, int32_t height);
    void releasePaintBuffer();
    bool hasPaintBuffer() const { return m_paintBuffer.image() != nullptr; }
    void applyGeometry(UINT flags);
    void createChildWindows();
    void destroyNativeWindow();
    bool isOnOwnThread() const;
    // An event met on another thread than the component's window's (a language change made
    // there) is handed to the listener again on the window's UI thread, where the component
    // lives; true when it was, false when the caller is to handle it here.
    bool passToUiThread(s::gui::events::IEventListener* listener, void* source, int32_t code);

    s::gui::IComponent* self() { return this; }

    s::gui::IComponent* m_parent = nullptr;
    s::gui::IWindow* m_window = nullptr;
    mfc::CWnd* m_parentWnd = nullptr;
    int32_t m_x = 0, m_y = 0, m_originX = 0, m_originY = 0;
    int32_t m_width = 0, m_height = 0;
    int32_t m_minWidth = 0, m_minHeight = 0, m_targetWidth = 0, m_targetHeight = 0;
    int32_t m_targetWidthPercent = -1, m_targetHeightPercent = -1;
    int32_t m_fixedWidth = -1, m_fixedHeight = -1;
    bool m_collapsed = false;
    int32_t m_marginLeft = 0, m_marginRight = 0, m_marginTop = 0, m_marginBottom = 0;
    uint32_t m_background;
    bool m_backgroundInherited = false;
    bool m_visible = true;
    bool m_enabled = true;
    bool m_editable = true;
    bool m_deferred = false;
    bool m_dirty = false;
    RECT m_placed = {};  // where the native window was last put, in the parent's client area
    s::image::win::BufferedImage* m_backBuffer = nullptr;
    s::col::_array::ArrayP m_children;
    BackBuffer m_paintBuffer;
    SkinLink m_skin{this, &ComponentBase::takeSkinOf};

private:
    static void takeSkinOf(void* self, s::gui::drawer::ISkin* skin);
};

}  // namespace s::gui::win
