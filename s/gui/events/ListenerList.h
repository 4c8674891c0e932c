// s/gui/events/ListenerList.h
//
// The listeners of one kind of event of a source, in the order they were added; not owned,
// no duplicate check. Firing walks the list by index and reads the count again after every
// call, so a listener added while the event fires is called in the same pass. A listener
// removed while it fires leaves a gap that the pass skips and the end of the outermost
// pass closes, so no other listener is skipped or called twice. Not locked: one thread
// (the source's UI thread) uses a list.
#pragma once
#include <cstdint>

#include "s/col/_array/ArrayP.h"

namespace s::gui::events {

class IEventListener;

class ListenerList {
public:
    void add(IEventListener* listener);
    void remove(IEventListener* listener);  // every entry of it
    void fire(void* source, int32_t code);
    uint32_t count() const;  // listeners held (gaps not counted)
    bool isEmpty() const { return count() == 0; }
    void clear();

private:
    void closeGaps();

    s::col::_array::ArrayP m_listeners;
    uint32_t m_firing = 0;
    bool m_hasGaps = false;
};

}  // namespace s::gui::events
