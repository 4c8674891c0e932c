// tests/s/archive/CallBackTest.cpp
#include <gtest/gtest.h>

#include <vector>

#include "s/archive/CallBack.h"
#include "s/archive/IProgressControl.h"
#include "s/thread/Pool.h"

namespace {

using s::archive::CallBack;

class RecordingControl : public s::archive::IProgressControl {
public:
    void setRange(int32_t minimum, int32_t maximum) override { ranges.push_back({minimum, maximum}); }
    void setPosition(int32_t position) override { positions.push_back(position); }
    std::vector<std::pair<int32_t, int32_t>> ranges;
    std::vector<int32_t> positions;
};

class CountedObject : public s::thread::IPoolable {
public:
    void releaseToPool() override { ++released; }
    void resetForReuse() override {}
    int released = 0;
};

TEST(CallBackTest, StartsWithTotalZeroAndPositionHundred) {
    CallBack progress;
    EXPECT_EQ(0, progress.total());
    EXPECT_EQ(100, progress.position());
    EXPECT_EQ(nullptr, progress.control());
    EXPECT_STREQ(L"s_archive_CallBack", progress.classId());
}

TEST(CallBackTest, ForwardsOnlyWhileTheTotalFitsTheControl) {
    struct Row {
        int64_t total;
        bool forwarded;
        const char* why;
    } rows[] = {
        {0, true, "nothing to do yet"},
        {1000, true, "a small total"},
        {0xFFFFFF, true, "the largest total forwarded"},
        {0x1000000, false, "one above: kept but not forwarded"},
        {int64_t{1} << 40, false, "far above"},
        {-5, true, "a negative total passes the test"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        RecordingControl control;
        CallBack progress;
        progress.attach(&control);
        progress.setTotal(row.total);
        progress.setPosition(int64_t{0x100000000} + 7);
        EXPECT_EQ(row.total, progress.total());
        EXPECT_EQ(int64_t{0x100000000} + 7, progress.position());
        if (row.forwarded) {
            ASSERT_EQ(1u, control.ranges.size());
            EXPECT_EQ(0, control.ranges[0].first);
            EXPECT_EQ(static_cast<int32_t>(row.total), control.ranges[0].second);
            ASSERT_EQ(1u, control.positions.size());
            EXPECT_EQ(7, control.positions[0]) << "the low 32 bits";
        } else {
            EXPECT_TRUE(control.ranges.empty());
            EXPECT_TRUE(control.positions.empty());
        }
    }
}

TEST(CallBackTest, APositionBeforeAnyTotalIsForwarded) {
    RecordingControl control;
    CallBack progress;
    progress.setPosition(3);  // no control: stored only
    progress.attach(&control);
    progress.setPosition(4);
    EXPECT_EQ(std::vector<int32_t>{4}, control.positions);
}

TEST(CallBackTest, ResetReleasesTheHeldObjectAndForgetsTheRest) {
    RecordingControl control;
    CallBack* progress = s::thread::Pool<CallBack>::obtain();
    ASSERT_NE(nullptr, progress);
    progress->attach(&control);
    progress->setTotal(10);
    progress->setPosition(5);
    int element = 0;
    progress->list().add(&element);
    CountedObject first, second;
    progress->hold(&first);
    progress->hold(&second);
    EXPECT_EQ(1, first.released) << "the object held before is released";
    progress->resetForReuse();
    EXPECT_EQ(0, progress->total());
    EXPECT_EQ(100, progress->position());
    EXPECT_EQ(nullptr, progress->control());
    EXPECT_EQ(0u, progress->list().count());
    EXPECT_EQ(nullptr, progress->held());
    EXPECT_EQ(1, second.released);
    progress->releaseToPool();
}

}  // namespace
