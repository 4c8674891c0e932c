// tests/s/io/StreamCopyTest.cpp
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "s/col/_array/ArrayU08.h"
#include "s/io/IInputStream.h"
#include "s/io/IOutputStream.h"
#include "s/io/StreamCopy.h"
#include "support/Pooled.h"

namespace {

using s::col::_array::ArrayU08;
using tests::Pooled;

// An output that takes at most `step` bytes a call (0: takes nothing and says true).
class StingyOutput : public s::io::IOutputStream {
public:
    explicit StingyOutput(uint32_t step) : m_step(step) {}
    std::vector<uint8_t> taken;
    int calls = 0;
    bool write(const void* data, uint32_t count, uint32_t* written) override {
        ++calls;
        uint32_t n = count < m_step ? count : m_step;
        taken.insert(taken.end(), static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + n);
        if (written) *written = n;
        return calls < 1000;  // a stream that never takes a byte would loop without the guard
    }
    bool flush() override { return true; }
    void close() override {}
    uint64_t position() override { return taken.size(); }
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
    uint32_t m_step;
};

// An output whose every write first runs a whole copy of its own, on the same thread,
// and only then stores the bytes it was handed.
class NestingOutput : public StingyOutput {
public:
    NestingOutput() : StingyOutput(0xFFFFFFFF) {}
    bool write(const void* data, uint32_t count, uint32_t* written) override {
        Pooled<ArrayU08> inner, sink;
        for (int i = 0; i < 3000; ++i) inner->add(0xEE);
        EXPECT_TRUE(s::io::copyStream(inner.get(), sink.get()));
        EXPECT_EQ(3000u, sink->count());
        return StingyOutput::write(data, count, written);
    }
};

std::vector<uint8_t> pattern(uint32_t n) {
    std::vector<uint8_t> v(n);
    for (uint32_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(i * 13 + 1);
    return v;
}

TEST(StreamCopy, CopiesWholeStreamsAtChunkEdges) {
    for (uint32_t n : {0u, 1u, 1023u, 1024u, 1025u, 5000u}) {
        SCOPED_TRACE(n);
        const std::vector<uint8_t> data = pattern(n);
        Pooled<ArrayU08> in, out, out2;
        in->append(data.data(), n, 0);
        EXPECT_TRUE(s::io::copyStream(in.get(), out.get()));
        EXPECT_EQ(data, std::vector<uint8_t>(out->data(), out->data() + out->count()));
        in->seekStart();
        EXPECT_TRUE(s::io::copyStreamChunked(out2.get(), in.get())) << "output first";
        EXPECT_EQ(n, out2->count());
    }
}

TEST(StreamCopy, TransferFully) {
    const std::vector<uint8_t> data = pattern(100);
    StingyOutput none(0);
    EXPECT_TRUE(s::io::transferFully(&none, data.data(), 0));
    EXPECT_EQ(0, none.calls) << "0 bytes: no write at all";
    EXPECT_FALSE(s::io::transferFully(&none, data.data(), 100)) << "a write that takes nothing ends it";
    EXPECT_EQ(1, none.calls);
    StingyOutput sevens(7);
    EXPECT_TRUE(s::io::transferFully(&sevens, data.data(), 100));
    EXPECT_EQ(data, sevens.taken) << "each write continues after the last";
    EXPECT_EQ(15, sevens.calls);
    Pooled<ArrayU08> in;
    in->append(data.data(), 100, 0);
    StingyOutput stuck(0);
    EXPECT_FALSE(s::io::copyStream(in.get(), &stuck));
}

// The copy buffer is the caller's own: a copy nested in the output's write leaves the
// bytes the outer copy handed over alone.
TEST(StreamCopy, NestedCopiesKeepTheirData) {
    const std::vector<uint8_t> data = pattern(2500);
    Pooled<ArrayU08> source;
    source->append(data.data(), 2500, 0);
    NestingOutput nesting;
    EXPECT_TRUE(s::io::copyStream(source.get(), &nesting));
    EXPECT_EQ(data, nesting.taken);
}

}  // namespace
