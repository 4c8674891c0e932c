// s/io/IInputStreamable.h
//
// An object that can hand out a pooled input stream over its content. The caller releases
// the stream (closeAndRelease). Null when the object has none.
#pragma once

namespace s::io {

class IInputStream;

class IInputStreamable {
public:
    virtual ~IInputStreamable() = default;
    virtual IInputStream* inputStream() { return nullptr; }
};

}  // namespace s::io
