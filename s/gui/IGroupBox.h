// s/gui/IGroupBox.h
//
// A titled frame around one content box. Files dropped on the content box reach the group
// box's listeners as code 1 with the group box as the source.
#pragma once
#include "s/gui/IContainer.h"
#include "s/gui/IFontOwner.h"

namespace s::col::_array {
class ArrayS32;
}  // namespace s::col::_array

namespace s::gui {

class IBox;

class IGroupBox : public IContainer, public IFontOwner {
public:
    enum Event { kFilesDropped = 1 };

    virtual void setTitle(const wchar_t* title) = 0;
    virtual void setTitleId(int32_t id) = 0;
    virtual const wchar_t* getTitle() const = 0;
    virtual void setContent(IBox* box) = 0;
    virtual IBox* getContent() const = 0;
    virtual void addListener(s::gui::events::IEventListener* listener) = 0;
    // Stored and handed to the drawer (the default one, else the skin's).
    virtual void setFrameColour(uint8_t red, uint8_t green, uint8_t blue) = 0;
    virtual uint32_t getFrameColour() const = 0;
    // Values kept for the program; the group box itself never reads them.
    virtual void addInteger(int32_t value) = 0;
    virtual const s::col::_array::ArrayS32* getIntegers() const = 0;
    // Passed on to the content box, which keeps it.
    virtual void setPropagate(bool on) = 0;
    virtual bool isPropagate() const = 0;
};

}  // namespace s::gui
