// s/gui/IContainer.h
//
// A component whose children a layout manager places. It owns its children: removing one
// gives it back to its pool.
#pragma once
#include "s/gui/IComponent.h"

namespace s::gui::layout {
class ILayoutManager;
}  // namespace s::gui::layout

namespace s::gui {

class IContainer : public IComponent {
public:
    virtual void doLayout() = 0;
    virtual s::gui::layout::ILayoutManager* getLayoutManager() const = 0;
    virtual void setLayoutManager(s::gui::layout::ILayoutManager* manager) = 0;
};

}  // namespace s::gui
