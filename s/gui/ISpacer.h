// s/gui/ISpacer.h
//
// An empty component that reserves space along one axis. Across the axis of the Box that
// holds it (a horizontal spacer in a column, a vertical one in a row) it takes none.
#pragma once
#include "s/gui/IComponent.h"

namespace s::gui {

class ISpacer : public IComponent {
public:
    // Turning exchanges the width and height settings, so the length stays a length.
    virtual void setHorizontal() = 0;
    virtual void setVertical() = 0;
    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    virtual void setFixedWidth(int32_t width) = 0;
    virtual void setFixedHeight(int32_t height) = 0;
};

}  // namespace s::gui
