// s/gui/events/ListenerList.cpp
#include "s/gui/events/ListenerList.h"

#include "s/gui/events/IEventListener.h"

namespace s::gui::events {

void ListenerList::add(IEventListener* listener) {
    if (listener) m_listeners.add(listener);
}

void ListenerList::remove(IEventListener* listener) {
    for (uint32_t i = m_listeners.count(); i-- > 0;) {
        if (m_listeners.get(i) != listener) continue;
        if (m_firing) {
            m_listeners.set(i, nullptr);
            m_hasGaps = true;
        } else {
            m_listeners.removeAt(i);
        }
    }
}

void ListenerList::fire(void* source, int32_t code) {
    ++m_firing;
    for (uint32_t i = 0; i < m_listeners.count(); ++i) {
        auto* listener = static_cast<IEventListener*>(m_listeners.get(i));
        if (listener) listener->onEvent(source, code);
    }
    if (--m_firing == 0 && m_hasGaps) closeGaps();
}

uint32_t ListenerList::count() const {
    uint32_t held = 0;
    for (uint32_t i = 0; i < m_listeners.count(); ++i)
        if (m_listeners.get(i)) ++held;
    return held;
}

void ListenerList::clear() {
    if (m_firing) {
        for (uint32_t i = 0; i < m_listeners.count(); ++i) m_listeners.set(i, nullptr);
        m_hasGaps = true;
    } else {
        m_listeners.clear();
    }
}

void ListenerList::closeGaps() {
    for (uint32_t i = m_listeners.count(); i-- > 0;)
        if (!m_listeners.get(i)) m_listeners.removeAt(i);
    m_hasGaps = false;
}

}  // namespace s::gui::events
