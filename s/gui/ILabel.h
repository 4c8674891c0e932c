// s/gui/ILabel.h
//
// A text painted by a text drawer: it can wrap, act as a link (click listeners get code 1)
// and show a temporary text that gives way to the one before after a time. Its text may be
// set from any thread; it is applied on the label's UI thread.
#pragma once
#include "s/gui/IComponent.h"
#include "s/gui/IFontOwner.h"

namespace s::gui::drawer {
class IText;
}  // namespace s::gui::drawer

namespace s::gui {

class ILabel : public IComponent, public IFontOwner {
public:
    enum Event { kClicked = 1 };

    virtual void setWordWrap(bool wrap) = 0;
    virtual void setEllipsis(bool ellipsis) = 0;
    // True when the text changed.
    virtual bool setText(const wchar_t* text, bool redraw) = 0;
    virtual const wchar_t* getText() const = 0;
    virtual void showTemporaryText(const wchar_t* text, uint32_t milliseconds) = 0;
    virtual void setTextId(int32_t id) = 0;
    virtual int32_t getTextId() const = 0;
    virtual void setDrawer(s::gui::drawer::IText* drawer, bool owned) = 0;
    virtual bool isLink() const = 0;
    virtual void setLink(bool link) = 0;
    virtual void setLinkTarget(const wchar_t* target) = 0;
    virtual void addClickListener(s::gui::events::IEventListener* listener) = 0;
};

}  // namespace s::gui
