// s/gui/IGroupBox.h
//
// A titled frame around one content box. Files dropped on the content box reach the group
// box's listeners as code 1 with the group box as the source.
#pragma once
#include "s/gui/IContainer.h"

namespace s::gui {

class IBox;

class IGroupBox : public IContainer {
public:
    enum Event { kFilesDropped = 1 };

    virtual void setTitle(const wchar_t* title) = 0;
    virtual void setTitleId(int32_t id) = 0;
    virtual const wchar_t* getTitle() const = 0;
    virtual void setContent(IBox* box) = 0;
    virtual IBox* getContent() const = 0;
    virtual void addListener(s::gui::events::IEventListener* listener) = 0;
};

}  // namespace s::gui
