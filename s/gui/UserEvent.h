// s/gui/UserEvent.h
//
// The record a user event carries to a window's listeners: what the sender said (a name,
// two values, a text) and the word the listeners answer with.
#pragma once
#include <cstdint>

namespace s::gui {

struct UserEvent {
    const wchar_t* name;
    int32_t value1;
    int32_t value2;
    const wchar_t* text;
};

}  // namespace s::gui
