// s/gui/IStatusBar.h
//
// A strip along the bottom of a window: the components added to it sit side by side in
// its content box, with the window's size grip at the right.
#pragma once
#include "s/gui/IContainer.h"

namespace s::gui::drawer {
class IStatusBar;
}  // namespace s::gui::drawer

namespace s::gui {

class IBox;

class IStatusBar : public IContainer {
public:
    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    virtual void setFixedWidth(int32_t width) = 0;
    virtual void setFixedHeight(int32_t height) = 0;
    virtual void setContent(IBox* outer, IBox* content) = 0;
    virtual void setGripFlag(bool grip) = 0;
    virtual void setDrawer(s::gui::drawer::IStatusBar* drawer, bool owned) = 0;
};

}  // namespace s::gui
