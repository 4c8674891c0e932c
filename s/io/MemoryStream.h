// s/io/MemoryStream.h
//
// The input and output stream over a block of memory that its owner (an array, a string)
// keeps: one byte position shared by reading and writing, over the owner's count of
// elements of 1 << shift bytes. The owner answers the hooks below. Reading stops at the
// counted end; writing makes room through the owner, may start past the end (the gap is
// zero-filled first) and raises the count to the whole elements up to the position.
// Seeking never goes below 0; close, detach and closeAndRelease only rewind.
#pragma once
#include <cstdint>

#include "s/io/IInputStream.h"
#include "s/io/IOutputStream.h"

namespace s::io {

class MemoryStream : public IInputStream, public IOutputStream {
public:
    // IInputStream, IOutputStream
    bool read(void* buffer, uint32_t max, uint32_t* count) override;
    bool write(const void* data, uint32_t count, uint32_t* written) override;
    bool flush() override { return true; }
    void close() override { m_position = 0; }
    uint64_t position() override { return m_position; }
    bool canSeek() override { return true; }
    bool seekStart() override;
    bool seekEnd() override;
    bool seek(uint64_t position) override;
    bool seekFromEnd(uint64_t distance) override;
    uint64_t skip(uint64_t distance) override;
    uint64_t skipBack(uint64_t distance) override;
    void detach() override { m_position = 0; }
    void closeAndRelease() override { m_position = 0; }

protected:
    void rewind() { m_position = 0; }

    // The owner's block (null while none), its counted elements and its room in elements.
    virtual uint8_t* streamBlock() const = 0;
    virtual uint32_t streamCount() const = 0;
    virtual uint32_t streamCapacity() const = 0;
    virtual uint32_t streamShift() const = 0;
    virtual bool streamReserve(uint32_t elements) = 0;  // false: no room, content kept
    virtual void setStreamCount(uint32_t elements) = 0;

private:
    uint64_t streamEnd() const { return static_cast<uint64_t>(streamCount()) << streamShift(); }

    uint64_t m_position = 0;
    // Bytes that writes put into the first, uncounted element (the count follows whole
    // elements only) are kept when a later write leaves a gap after them, so that writes of
    // odd sizes follow each other: the content's end when the stream wrote past it, and how
    // far it wrote.
    uint64_t m_tailBase = 0;
    uint64_t m_tailEnd = 0;
};

}  // namespace s::io
