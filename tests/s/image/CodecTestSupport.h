// tests/s/image/CodecTestSupport.h
//
// Helpers of the codec tests: bytes in and out of memory streams, an output that refuses
// every byte beyond a limit (a full disk), an input that stalls and counts its closes, and damaged copies of a file made by a fixed
// pseudo-random sequence, so every run feeds the decoders the same few thousand files.
#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "s/col/_array/ArrayU08.h"
#include "s/io/IInputStream.h"
#include "s/io/IOutputStream.h"
#include "support/Pooled.h"

namespace tests::image {

using Bytes = std::vector<uint8_t>;

// Decodes bytes with any codec whose decode takes an input stream.
template <class Codec>
bool decodeBytes(Codec* codec, const Bytes& bytes) {
    tests::Pooled<s::col::_array::ArrayU08> in;
    if (!bytes.empty()) in->append(bytes.data(), static_cast<uint32_t>(bytes.size()), 0);
    in->seekStart();
    return codec->decode(in.get());
}

template <class Codec>
Bytes encodeBytes(const Codec* codec, bool* ok = nullptr) {
    tests::Pooled<s::col::_array::ArrayU08> out;
    const bool done = codec->encode(out.get());
    if (ok) *ok = done;
    return done ? Bytes(out->data(), out->data() + out->count()) : Bytes();
}

// Takes whole writes while they fit under the limit, then refuses every write.
class FullDisk : public s::io::IOutputStream {
public:
    explicit FullDisk(uint32_t limit) : m_limit(limit) {}
    uint32_t taken = 0;
    bool write(const void*, uint32_t count, uint32_t* written) override {
        const bool fits = taken + count <= m_limit;
        if (fits) taken += count;
        if (written) *written = fits ? count : 0;
        return fits;
    }
    bool flush() override { return true; }
    void close() override {}
    uint64_t position() override { return taken; }
    bool canSeek() override { return false; }
    bool seekStart() override { return false; }
    bool seekEnd() override { return false; }
    bool seek(uint64_t) override { return false; }
    bool seekFromEnd(uint64_t) override { return false; }
    uint64_t skip(uint64_t) override { return 0; }
    uint64_t skipBack(uint64_t) override { return 0; }
    void detach() override {}
    void closeAndRelease() override {}
    void releaseToPool() override {}
    void resetForReuse() override {}

private:
    uint32_t m_limit;
};

// Hands out its bytes, then (stalling) answers success with 0 bytes forever, or the plain end;
// counts the close calls, which a codec must never make on its caller's stream.
class CountingInput : public s::io::IInputStream {
public:
    CountingInput(Bytes bytes, bool stalling) : m_bytes(std::move(bytes)), m_stalling(stalling) {}
    int closes = 0;
    uint32_t reads = 0;
    bool read(void* buffer, uint32_t max, uint32_t* count) override {
        ++reads;
        uint32_t n = static_cast<uint32_t>(m_bytes.size() - m_at);
        if (n > max) n = max;
        for (uint32_t k = 0; k < n; ++k) static_cast<uint8_t*>(buffer)[k] = m_bytes[m_at + k];
        m_at += n;
        if (count) *count = n;
        return n > 0 || m_stalling || max == 0;
    }
    void close() override { ++closes; }
    uint64_t position() override { return m_at; }
    bool canSeek() override { return false; }
    bool seekStart() override { return false; }
    bool seekEnd() override { return false; }
    bool seek(uint64_t) override { return false; }
    bool seekFromEnd(uint64_t) override { return false; }
    uint64_t skip(uint64_t) override { return 0; }
    uint64_t skipBack(uint64_t) override { return 0; }
    void detach() override {}
    void closeAndRelease() override { ++closes; }
    void releaseToPool() override {}
    void resetForReuse() override {}

private:
    Bytes m_bytes;
    size_t m_at = 0;
    bool m_stalling;
};

// Damaged copy number n of a file: a few bytes overwritten, sometimes cut short too.
inline Bytes damaged(const Bytes& file, uint32_t n) {
    uint32_t state = n * 2654435761u + 12345u;
    auto next = [&state]() {
        state = state * 1103515245u + 12345u;
        return state >> 8;
    };
    Bytes copy = file;
    const uint32_t changes = 1 + next() % 4;
    for (uint32_t k = 0; k < changes && !copy.empty(); ++k) {
        copy[next() % copy.size()] = static_cast<uint8_t>(next());
    }
    if (n % 5 == 0 && !copy.empty()) copy.resize(next() % copy.size());
    return copy;
}

}  // namespace tests::image
