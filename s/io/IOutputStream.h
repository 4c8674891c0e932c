// s/io/IOutputStream.h
//
// A sink of bytes with a 64-bit position: memory streams over arrays and strings, file
// streams, codec sinks. Used by one thread at a time. write() answers true only when every
// byte was taken; *written (when given) receives how many were.
#pragma once
#include <cstdint>

#include "s/thread/IPoolable.h"

namespace s::io {

class IOutputStream : public virtual s::thread::IPoolable {
public:
    virtual bool write(const void* data, uint32_t count, uint32_t* written) = 0;
    virtual bool flush() = 0;
    virtual bool truncate() { return true; }  // cuts the target at the position; memory streams keep all
    virtual void close() = 0;
    virtual uint64_t position() = 0;
    virtual bool canSeek() = 0;
    virtual bool seekStart() = 0;
    virtual bool seekEnd() = 0;
    virtual bool seek(uint64_t position) = 0;
    virtual bool seekFromEnd(uint64_t distance) = 0;
    virtual uint64_t skip(uint64_t distance) = 0;
    virtual uint64_t skipBack(uint64_t distance) = 0;
    virtual void detach() = 0;
    virtual void closeAndRelease() = 0;
};

}  // namespace s::io
