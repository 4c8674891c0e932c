// tests/s/file/wiper/win/PassLoopTest.cpp
//
// The pass loop that all four methods share, seen through the recording file calls.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "s/file/wiper/win/Method_DoD.h"
#include "s/file/wiper/win/Method_DoD_E.h"
#include "s/file/wiper/win/Method_Pseudorandom.h"
#include "MethodCases.h"
#include "RecordingIo.h"

namespace {

using s::file::wiper::IMethod;
using tests::IoEvent;
using tests::PageBuffer;
using tests::RecordingIo;

constexpr float kFrom = 0.2f, kTo = 0.6f;
constexpr float kUntouched = -1.0f;

class PassLoopTest : public ::testing::Test {
protected:
    bool run(IMethod& method, uint64_t end, int64_t offset, void* buffer, int32_t bufferSize) {
        return method.overwrite(tests::kFakeFile, end, buffer, bufferSize, kFrom, kTo, &progress,
                                &stop, offset);
    }
    bool run(IMethod& method, uint64_t end, int64_t offset = 0) {
        return run(method, end, offset, buffer.data(), buffer.size());
    }
    float share(double fraction) const { return float(kFrom + (double(kTo) - kFrom) * fraction); }

    RecordingIo io;
    PageBuffer buffer{1536};
    std::atomic<float> progress{kUntouched};
    std::atomic<bool> stop{false};
    s::file::wiper::win::Method_DoD_E dodE;  // three passes: the loop's cases need no more
};

TEST_F(PassLoopTest, EmptyRangeWritesNothingAndLeavesProgress) {
    for (const tests::MethodCase& m : tests::kMethodCases) {
        for (uint64_t at : {uint64_t(0), uint64_t(4096)}) {
            SCOPED_TRACE(testing::Message() << m.passes << " passes, range at " << at);
            std::unique_ptr<IMethod> method(m.make());
            EXPECT_TRUE(run(*method, at, int64_t(at)));
            EXPECT_TRUE(io.events.empty());
            EXPECT_EQ(kUntouched, progress.load());
        }
    }
}

TEST_F(PassLoopTest, BadArgumentsAreRefusedBeforeAnyCall) {
    PageBuffer large(3 * 4096);
    struct Row {
        uint64_t end;
        int64_t offset;
        void* buffer;
        int32_t size;
        const char* why;
    } rows[] = {
        {4096, 8192, buffer.data(), 1536, "an offset beyond the end would write a huge range"},
        {4096, -512, buffer.data(), 1536, "a negative offset"},
        {4096, 0, nullptr, 1536, "no buffer"},
        {4096, 0, buffer.data(), 0, "an empty buffer never ends a pass"},
        {4096, 0, buffer.data(), -1536, "a negative size"},
        {4096, 0, large.data() + 512, 1536, "not page aligned: an unbuffered write would fail"},
        {4096, 0, large.data(), 1024, "not a multiple of 3: the three-byte patterns would break"},
        {4096, 0, large.data(), 3 * 1000, "not whole sectors"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_FALSE(run(dodE, row.end, row.offset, row.buffer, row.size));
        EXPECT_TRUE(io.events.empty());
        EXPECT_EQ(kUntouched, progress.load());
    }
}

TEST_F(PassLoopTest, StopBeforeTheFirstPassEndsWithTrueAndNoCall) {
    stop = true;
    for (const tests::MethodCase& m : tests::kMethodCases) {
        SCOPED_TRACE(m.passes);
        std::unique_ptr<IMethod> method(m.make());
        EXPECT_TRUE(run(*method, 4096));
        EXPECT_TRUE(io.events.empty());
        EXPECT_EQ(kUntouched, progress.load());
    }
}

// Each pass of 3072 bytes is two chunks of 1536; writes are numbered from 0 over the call.
TEST_F(PassLoopTest, StopEndsTheCallAfterTheCurrentChunk) {
    struct Row {
        int stopAtWrite;
        bool result;
        int writes;
        const char* why;
    } rows[] = {
        {1, true, 2, "raised by the last chunk of pass 1: pass 1 is complete, pass 2 never starts"},
        {0, false, 1, "raised in pass 1 with a chunk still to write"},
        {2, false, 3, "raised by the first chunk of pass 2"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        RecordingIo record;
        record.stop = &stop;
        record.stopAtWrite = row.stopAtWrite;
        stop = false;
        EXPECT_EQ(row.result, run(dodE, 3072));
        EXPECT_EQ(row.writes, record.count(IoEvent::kWrite));
        EXPECT_EQ(IoEvent::kFlush, record.events.back().kind) << "the chunk written is flushed";
        EXPECT_FLOAT_EQ(share(row.writes * 1536 / (3.0 * 3072)), progress.load());
    }
}

TEST_F(PassLoopTest, AFailedCallEndsTheCallWithFalse) {
    struct Row {
        int failSeekAt, failWriteAt, shortWriteAt, failFlushAt;
        int writesAsked;
        IoEvent::Kind last;
        const char* why;
    } rows[] = {
        {-1, -1, 1, -1, 2, IoEvent::kWrite, "a short write (a full disk) in pass 1"},
        {-1, 0, -1, -1, 1, IoEvent::kWrite, "the first write fails"},
        {-1, 3, -1, -1, 4, IoEvent::kWrite, "a write of pass 2 fails"},
        {1, -1, -1, -1, 2, IoEvent::kSeek, "the seek of pass 2 fails: its bytes would land elsewhere"},
        {0, -1, -1, -1, 0, IoEvent::kSeek, "the first seek fails"},
        {-1, -1, -1, 0, 1, IoEvent::kFlush, "a flush fails: the chunk may never reach the disk"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        RecordingIo record;
        record.failSeekAt = row.failSeekAt;
        record.failWriteAt = row.failWriteAt;
        record.shortWriteAt = row.shortWriteAt;
        record.failFlushAt = row.failFlushAt;
        EXPECT_FALSE(run(dodE, 3072));
        EXPECT_EQ(row.writesAsked, record.count(IoEvent::kWrite));
        EXPECT_EQ(row.last, record.events.back().kind) << "no call after the failed one";
    }
}

TEST_F(PassLoopTest, EveryPassCoversExactlyTheRangeFromTheOffset) {
    PageBuffer twoPieces(3072);
    s::file::wiper::win::Method_DoD dod;
    struct Row {
        int64_t offset;
        uint64_t end;
        std::vector<uint32_t> chunks;
        const char* why;
    } rows[] = {
        {0, 5000, {3072, 1928}, "from the start: chunks of the buffer's size, the last shorter"},
        {1000, 6000, {3072, 1928}, "a slack tail: nothing before the offset is written"},
        {4096, 4096 + 3072, {3072}, "one chunk of exactly the buffer's size"},
        {512, 1024, {512}, "a range shorter than the buffer"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        RecordingIo record;
        ASSERT_TRUE(run(dod, row.end, row.offset, twoPieces.data(), twoPieces.size()));
        std::vector<tests::PassRecord> passes = record.passes();
        ASSERT_EQ(7u, passes.size());
        for (const tests::PassRecord& pass : passes) {
            EXPECT_EQ(row.offset, pass.start);
            EXPECT_TRUE(pass.contiguous);
            EXPECT_EQ(row.chunks, pass.chunks);
        }
        EXPECT_EQ(record.count(IoEvent::kWrite), record.count(IoEvent::kFlush));
        EXPECT_FLOAT_EQ(kTo, progress.load());
    }
}

TEST_F(PassLoopTest, ProgressAndStopMayBeAbsent) {
    s::file::wiper::win::Method_Pseudorandom once;
    EXPECT_TRUE(once.overwrite(tests::kFakeFile, 4096, buffer.data(), buffer.size(), 0, 1, nullptr,
                               nullptr, 0));
    EXPECT_EQ(3, io.count(IoEvent::kWrite));
}

}  // namespace
