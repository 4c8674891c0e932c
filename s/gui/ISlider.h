// s/gui/ISlider.h
//
// A horizontal track bar between a minimum and a maximum. Without a drawer it is the
// system's control; with one it paints and drags itself and may show a second, upper thumb
// that bounds a range from above. Listeners hear code 0 on every change either thumb makes.
#pragma once
#include <cstdint>

#include "s/gui/IComponent.h"

namespace s::gui::drawer {
class ISlider;
}  // namespace s::gui::drawer

namespace s::gui {

class ISlider : public IComponent {
public:
    static constexpr int32_t kChanged = 0;

    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    virtual void setFixedWidth(int32_t width) = 0;
    virtual void setFixedHeight(int32_t height) = 0;
    virtual void setThumbLength(int32_t length) = 0;  // 0: the system's
    virtual void setRange(int32_t minimum, int32_t maximum) = 0;
    virtual int32_t getPosition() const = 0;
    virtual void setPosition(int32_t position) = 0;
    virtual void setTickFrequency(int32_t frequency) = 0;
    virtual void showTicks(bool show) = 0;
    virtual void addListener(s::gui::events::IEventListener* listener) = 0;
    virtual void setDrawer(s::gui::drawer::ISlider* drawer, bool owned) = 0;
    virtual void setRangeMode(bool on) = 0;
    virtual int32_t getUpper() const = 0;
    virtual void setUpper(int32_t upper) = 0;
    virtual void setDrawerColours(int32_t style, uint32_t colourOne, uint32_t colourTwo) = 0;
};

}  // namespace s::gui
