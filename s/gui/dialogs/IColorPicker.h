// s/gui/dialogs/IColorPicker.h
//
// The system's colour dialog shown over a toolkit window. Runs modally on the caller's UI
// thread.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui { class IComponent; }

namespace s::gui::dialogs {

class IColorPicker : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    // True when a colour was chosen; otherwise the colour is unchanged.
    virtual bool show(s::gui::IComponent* parent) = 0;
    virtual uint8_t getRed() const = 0;
    virtual uint8_t getGreen() const = 0;
    virtual uint8_t getBlue() const = 0;
    virtual uint32_t getColor() const = 0;  // 0xRRGGBB
    virtual void setColor(int32_t red, int32_t green, int32_t blue) = 0;
};

}  // namespace s::gui::dialogs
