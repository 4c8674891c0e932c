// s/gui/layout/ILayoutManager.h
//
// Places a container's children inside its inner area.
#pragma once
#include "s/base/IObject.h"

namespace s::gui {
class IContainer;
}  // namespace s::gui

namespace s::gui::layout {

class ILayoutManager : public s::base::IObject {
public:
    virtual void layout(s::gui::IContainer* container) = 0;
};

}  // namespace s::gui::layout
