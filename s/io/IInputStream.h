// s/io/IInputStream.h
//
// A source of bytes with a 64-bit position: memory streams over arrays and strings, file
// and resource streams, codec sources. Used by one thread at a time. read() answers false
// with a count of 0 when nothing is left; a request of 0 bytes answers true and 0. Seeks that
// a stream cannot do answer false (canSeek tells in advance).
#pragma once
#include <cstdint>

#include "s/thread/IPoolable.h"

namespace s::io {

class IInputStream : public virtual s::thread::IPoolable {
public:
    // Copies up to max bytes into buffer; *count (when given) receives how many.
    virtual bool read(void* buffer, uint32_t max, uint32_t* count) = 0;
    virtual void close() = 0;  // memory streams rewind to 0
    virtual uint64_t position() = 0;
    virtual bool canSeek() = 0;
    virtual bool seekStart() = 0;
    virtual bool seekEnd() = 0;
    virtual bool seek(uint64_t position) = 0;
    virtual bool seekFromEnd(uint64_t distance) = 0;  // never before the start
    virtual uint64_t skip(uint64_t distance) = 0;      // answers the distance moved
    virtual uint64_t skipBack(uint64_t distance) = 0;  // answers the distance moved
    virtual void detach() = 0;                         // forgets the source without closing it
    virtual void closeAndRelease() = 0;                // memory streams: rewind only
};

}  // namespace s::io
