// s/gui/events/IEventListener.h
//
// The one way components hear of each other: a source calls onEvent with itself and an
// event code. Sources keep their listeners without owning them. The source is any library
// object, since the language pack and the skinner tell components of changes too.
#pragma once
#include <cstdint>

namespace s::base { class IObject; }

namespace s::gui::events {

class IEventListener {
public:
    virtual ~IEventListener() = default;
    virtual void onEvent(s::base::IObject* source, int32_t code) { (void)source, (void)code; }
};

}  // namespace s::gui::events
