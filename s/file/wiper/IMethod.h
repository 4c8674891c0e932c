// s/file/wiper/IMethod.h
//
// An overwrite method: a fixed sequence of passes, each writing one pattern over the byte
// range [offset, end) of a file the caller opened (and closes). The caller's thread runs
// it; another thread may raise *stop, and may read *progress, meanwhile. Returns true when
// every pass covered the whole range (also for an empty range, and when *stop was found set
// before a pass began); false for bad arguments, a failed or short write, or a pass that
// *stop ended early. progress and stop may be null (no progress, never stopped).
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "s/base/IObject.h"

namespace s::file::wiper {

class IMethod : public s::base::IObject {
public:
    // Unbuffered writes (FILE_FLAG_NO_BUFFERING) need whole sectors from aligned memory: for
    // such a handle, and for any handle whose mode cannot be read, the buffer must be aligned
    // to 4096 bytes and its size a multiple of 3 and of 512 (the wiper's 10,567,680 bytes
    // from VirtualAlloc are); for an unbuffered handle offset and end must also be multiples
    // of 512. Otherwise nothing is written and the result is false.
    virtual bool overwrite(HANDLE file, uint64_t end, void* buffer, int32_t bufferSize,
                           float progressFrom, float progressTo, std::atomic<float>* progress,
                           std::atomic<bool>* stop, int64_t offset) = 0;
};

}  // namespace s::file::wiper
