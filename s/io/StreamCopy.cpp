// s/io/StreamCopy.cpp
#include "s/io/StreamCopy.h"

#include "s/io/IInputStream.h"
#include "s/io/IOutputStream.h"

namespace s::io {

namespace {
constexpr uint32_t kChunk = 1024;
}  // namespace

bool transferFully(IOutputStream* output, const void* data, uint32_t count) {
    if (count == 0) return true;
    if (!output || !data) return false;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    while (count) {
        uint32_t taken = 0;
        if (!output->write(bytes, count, &taken) || taken == 0 || taken > count) return false;
        bytes += taken;
        count -= taken;
    }
    return true;
}

// A read that answers true with no bytes counts as the end, so that a stream which never
// delivers cannot hold the copy in its loop.
bool copyStream(IInputStream* input, IOutputStream* output) {
    if (!input || !output) return false;
    uint8_t buffer[kChunk];
    uint32_t got = 0;
    while (input->read(buffer, kChunk, &got) && got) {
        if (!transferFully(output, buffer, got)) return false;
        got = 0;
    }
    return true;
}

bool copyStreamChunked(IOutputStream* output, IInputStream* input) { return copyStream(input, output); }

}  // namespace s::io
