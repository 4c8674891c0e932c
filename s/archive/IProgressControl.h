// s/archive/IProgressControl.h
//
// What a CallBack drives: a progress control with a range and a position (the toolkit's
// progress bar implements it). Called on the thread that updates the CallBack.
#pragma once
#include <cstdint>

namespace s::archive {

class IProgressControl {
public:
    virtual ~IProgressControl() = default;
    virtual void setRange(int32_t minimum, int32_t maximum) = 0;
    virtual void setPosition(int32_t position) = 0;
};

}  // namespace s::archive
