// s/io/StreamCopy.h
//
// Copy helpers between streams. Each copy moves the data through a 1024-byte buffer on the
// caller's stack, so copies on several threads, or one copy nested in another on the same
// thread (a stream whose read itself copies), never share a buffer and need no lock.
// Mind the argument orders: copyStream(input, output), copyStreamChunked(output, input).
#pragma once
#include <cstdint>

namespace s::io {

class IInputStream;
class IOutputStream;

// Writes count bytes, calling write until all are taken; true at once for 0 bytes. False
// when a write fails or takes nothing (a stream that never takes a byte would otherwise
// be called for ever).
bool transferFully(IOutputStream* output, const void* data, uint32_t count);

// Reads the input to its end in chunks of up to 1024 bytes and writes each with
// transferFully; false when a transfer fails, true when the input is exhausted.
bool copyStream(IInputStream* input, IOutputStream* output);

// The same copy; kept apart because callers name it with the output first.
bool copyStreamChunked(IOutputStream* output, IInputStream* input);

}  // namespace s::io
