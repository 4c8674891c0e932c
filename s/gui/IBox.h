// s/gui/IBox.h
//
// The general container: lays out its children by one of four arrangements (or a layout
// manager), paints its background, and receives dropped files. Its events, by code:
// 1 files dropped, 2 wheel, 3 laid out, 5 paint, 6 left button down, 7 URL dropped.
#pragma once
#include <windows.h>

#include "s/gui/IContainer.h"

namespace s::str::strarray {
class StrArray;
}  // namespace s::str::strarray

namespace s::gui {

class IBox : public IContainer {
public:
    enum Kind { kRow = 0, kVertical = 1, kFlow = 2, kPile = 3 };
    enum Event { kFilesDropped = 1, kWheel = 2, kLaidOut = 3, kPaint = 5, kLeftDown = 6,
                 kUrlDropped = 7 };

    virtual void setHorizontalGap(int32_t gap) = 0;
    virtual void setVerticalGap(int32_t gap) = 0;
    virtual void setMarginLeft(int32_t margin, bool relayout) = 0;
    virtual void setMarginRight(int32_t margin, bool relayout) = 0;
    virtual void setMarginTop(int32_t margin, bool relayout) = 0;
    virtual void setMarginBottom(int32_t margin, bool relayout) = 0;
    virtual void setMarginHorizontal(int32_t margin, bool relayout) = 0;
    virtual void setMarginVertical(int32_t margin, bool relayout) = 0;
    virtual void setMargin(int32_t margin, bool relayout) = 0;
    virtual void alignTop() = 0;
    virtual void alignMiddle() = 0;
    virtual void alignBottom() = 0;
    virtual void alignLeft() = 0;
    virtual void alignCentre() = 0;
    virtual void alignRight() = 0;
    virtual int32_t getLayoutKind() const = 0;
    virtual void setLayoutRow() = 0;
    virtual void setLayoutVertical() = 0;
    virtual void setLayoutFlow() = 0;
    virtual void setLayoutPile() = 0;
    virtual void setFillParent() = 0;
    // A percentage clears the fixed size of its axis, and the reverse.
    virtual void setWidthPercent(int32_t percent, bool relayout) = 0;
    virtual void setHeightPercent(int32_t percent, bool relayout) = 0;
    virtual void setFixedWidth(int32_t width, bool relayout) = 0;
    virtual void setFixedHeight(int32_t height, bool relayout) = 0;
    virtual void setAcceptFiles(bool accept) = 0;
    virtual void addFilesDroppedListener(s::gui::events::IEventListener* listener) = 0;
    // The paths of the last drop, each whole.
    virtual const s::str::strarray::StrArray* getDroppedFiles() const = 0;
    // Web addresses dragged onto the Box (OLE drag and drop); code 7 after each drop.
    virtual void setUrlDrop(bool on) = 0;
    virtual void addUrlDroppedListener(s::gui::events::IEventListener* listener) = 0;
    virtual const wchar_t* getDroppedUrl() const = 0;
    virtual void addWheelListener(s::gui::events::IEventListener* listener) = 0;
    virtual int32_t getWheelLines() const = 0;  // negative towards the user
    virtual void addLayoutListener(s::gui::events::IEventListener* listener) = 0;
    virtual void showOnlyChild(int32_t index) = 0;
    virtual void showPage(int32_t index) = 0;
    virtual void addPaintListener(s::gui::events::IEventListener* listener) = 0;
    virtual HDC getPaintDC() const = 0;
    virtual void setPainted() = 0;  // a paint listener drew the whole Box
    virtual void setClickThrough(bool on) = 0;
    virtual void setHoverColour(uint8_t red, uint8_t green, uint8_t blue) = 0;
    virtual void setHiddenPage(bool hidden) = 0;
    virtual void addLeftDownListener(s::gui::events::IEventListener* listener) = 0;
    // A flag a group box hands its content; kept for the program, not read by the Box.
    virtual void setPropagate(bool on) = 0;
    virtual bool isPropagate() const = 0;
};

}  // namespace s::gui
