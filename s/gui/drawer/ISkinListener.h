// s/gui/drawer/ISkinListener.h
//
// What a Skinner tells when its current skin changes: onEvent with the Skinner as source
// and code 0. Controls take their family's drawer from the new current skin and repaint.
#pragma once
#include <cstdint>

namespace s::gui::drawer {

class Skinner;

class ISkinListener {
public:
    virtual ~ISkinListener() = default;
    virtual void onEvent(Skinner* source, int32_t code) = 0;
};

}  // namespace s::gui::drawer
