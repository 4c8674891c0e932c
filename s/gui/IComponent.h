// s/gui/IComponent.h
//
// A visible element: a rectangle relative to its parent's client area (inside the parent's
// margin), a size kept between a minimum and a target, inner margins, a background rule,
// visibility, enabled and editable state, a parent and, for containers, children. Its
// native window is made and destroyed only on the UI thread of the top-level window that
// holds it. Before that window exists, setters only store their values.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/gui/events/IEventListener.h"
#include "s/thread/IPoolable.h"

namespace mfc {
class CWnd;
}  // namespace mfc
namespace s::col::_array {
class ArrayP;
}  // namespace s::col::_array
namespace s::image::win {
class BufferedImage;
}  // namespace s::image::win

namespace s::gui {

class IContainer;
class IWindow;

class IComponent : public s::base::IObject,
                   public s::gui::events::IEventListener,
                   public virtual s::thread::IPoolable {
public:
    virtual int32_t getX() const = 0;
    virtual void setX(int32_t x) = 0;
    virtual int32_t getY() const = 0;
    virtual void setY(int32_t y) = 0;
    virtual int32_t getScreenX() const = 0;
    virtual int32_t getScreenY() const = 0;
    virtual bool containsScreenPoint(int32_t x, int32_t y) const = 0;
    virtual int32_t getWidth() const = 0;
    virtual void setWidth(int32_t width) = 0;
    virtual int32_t getHeight() const = 0;
    virtual void setHeight(int32_t height) = 0;
    virtual int32_t getInnerWidth() const = 0;
    virtual void setInnerWidth(int32_t width) = 0;
    virtual int32_t getInnerHeight() const = 0;
    virtual void setInnerHeight(int32_t height) = 0;
    virtual void setPosition(int32_t x, int32_t y) = 0;
    virtual void setSize(int32_t width, int32_t height) = 0;
    virtual void setBounds(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual void setOrigin(int32_t originX, int32_t originY) = 0;
    virtual void moveOrigin(int32_t dx, int32_t dy) = 0;
    virtual int32_t getMinWidth() const = 0;
    virtual int32_t getMinHeight() const = 0;
    virtual int32_t getContentMinWidth() const = 0;
    virtual int32_t getContentMinHeight() const = 0;
    virtual int32_t getTargetWidth() const = 0;
    virtual int32_t getTargetHeight() const = 0;
    virtual int32_t getContentTargetWidth() const = 0;
    virtual int32_t getContentTargetHeight() const = 0;
    // True while the target is a share of the parent's inner size (no fixed size): the parent
    // gives it that share but asks its own parent only for this one's minimum, so that no
    // container's result ever follows the size it happens to have.
    virtual bool sharesParentWidth() const = 0;
    virtual bool sharesParentHeight() const = 0;
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible, bool recurse) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEditable() const = 0;
    virtual void setEditable(bool editable) = 0;
    virtual void centreInParent() = 0;
    virtual void centreHorizontally() = 0;
    virtual void centreVertically() = 0;
    virtual uint32_t getBackgroundColour() const = 0;  // 0x00BBGGRR
    virtual bool isBackgroundInherited() const = 0;
    virtual void setBackgroundInherited(bool redraw) = 0;
    virtual void setBackgroundWhite(bool redraw) = 0;
    virtual void setBackgroundSystem(bool redraw) = 0;
    virtual void setBackgroundBlack(bool redraw) = 0;
    virtual void setBackgroundLight(bool redraw) = 0;
    virtual void setBackgroundColour(uint8_t red, uint8_t green, uint8_t blue, bool redraw) = 0;
    virtual IWindow* getWindow() const = 0;
    virtual IComponent* getParent() const = 0;
    // With a parent: the native window is made on this (UI) thread as the parent's child.
    // With null: the native window is destroyed and the parent forgotten.
    virtual void setParent(IComponent* parent) = 0;
    virtual void addChild(IComponent* child) = 0;
    virtual void removeChild(IComponent* child, bool recursive) = 0;
    virtual void removeAllChildren(bool recursive) = 0;
    virtual bool isContainer() const = 0;
    virtual void redrawRect(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual void redraw() = 0;
    virtual void setSizeWithinLimits(int32_t width, int32_t height) = 0;
    virtual void childChanged() = 0;
    virtual uint32_t getChildCount() const = 0;
    virtual IComponent* getChild(uint32_t index) const = 0;
    virtual s::col::_array::ArrayP* getChildren() const = 0;
    // The nearest back buffer up the chain and this component's offset in it; null if none.
    virtual s::image::win::BufferedImage* getBackBuffer(int32_t* x, int32_t* y) const = 0;
    virtual bool isGeometryDeferred() const = 0;
    virtual void beginDeferGeometry() = 0;
    virtual void endDeferGeometry() = 0;

    // The native-window protocol: the object bound to this component's window.
    virtual mfc::CWnd* nativeWindow() = 0;
};

}  // namespace s::gui
