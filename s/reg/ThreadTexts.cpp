// s/reg/ThreadTexts.cpp
#include "s/reg/ThreadTexts.h"

#include <new>

#include "s/thread/Pool.h"

namespace s::reg {

using s::str::strbuffer::StrBuffer;

StrBuffer* ThreadTexts::mine() {
    const DWORD thread = GetCurrentThreadId();
    for (uint32_t i = 0; i < m_slots.count(); ++i) {
        Slot* slot = static_cast<Slot*>(m_slots.get(i));
        if (slot->thread == thread) return slot->text;
    }
    StrBuffer* text = s::thread::Pool<StrBuffer>::obtain();
    Slot* slot = text ? new (std::nothrow) Slot{thread, text} : nullptr;
    if (slot && m_slots.add(slot)) return text;
    delete slot;
    if (text) text->releaseToPool();
    return nullptr;
}

void ThreadTexts::reset() {
    for (uint32_t i = 0; i < m_slots.count(); ++i) {
        Slot* slot = static_cast<Slot*>(m_slots.get(i));
        slot->text->releaseToPool();
        delete slot;
    }
    m_slots.clear();
}

}  // namespace s::reg
