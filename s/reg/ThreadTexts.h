// s/reg/ThreadTexts.h
//
// One text buffer per calling thread, for a store that hands out texts it owns: a text
// given to one thread stays valid while other threads read their own, until the same thread
// asks again. Not locked itself: the store calls it under its own lock. The slots of threads
// that have ended stay until reset (a new thread with a reused id takes its slot over).
#pragma once
#include <windows.h>

#include "s/col/_array/ArrayP.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::reg {

class ThreadTexts {
public:
    ThreadTexts() = default;
    ~ThreadTexts() { reset(); }
    ThreadTexts(const ThreadTexts&) = delete;
    ThreadTexts& operator=(const ThreadTexts&) = delete;

    // The calling thread's buffer, made on its first call; null when none could be made.
    s::str::strbuffer::StrBuffer* mine();
    void reset();  // every buffer back to its pool

private:
    struct Slot {
        DWORD thread;
        s::str::strbuffer::StrBuffer* text;
    };
    s::col::_array::ArrayP m_slots;  // Slot, owned
};

}  // namespace s::reg
