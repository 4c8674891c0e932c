// s/gui/IProgressBar.h
//
// The native progress control: a range and a position, kept until the control exists.
#pragma once
#include "s/gui/IComponent.h"

namespace s::gui {

class IProgressBar : public IComponent {
public:
    using IComponent::setPosition;
    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    virtual void setFixedWidth(int32_t width) = 0;
    virtual void setFixedHeight(int32_t height) = 0;
    virtual void setRange(int32_t minimum, int32_t maximum) = 0;
    virtual void setPosition(int32_t value) = 0;
};

}  // namespace s::gui
