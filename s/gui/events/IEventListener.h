// s/gui/events/IEventListener.h
//
// What a component tells another: "source fired code". Each source keeps one list per kind
// of event, so the code mostly says which list fired. The default does nothing.
#pragma once
#include <cstdint>

namespace s::gui::events {

class IEventListener {
public:
    virtual ~IEventListener() = default;
    virtual void onEvent(void* source, int32_t code) { (void)source, (void)code; }
};

}  // namespace s::gui::events
