// tests/s/image/filters/scale/ContributionTest.cpp
//
// The triangle filter and the weight table: records of an enlargement and a halving (edges
// renormalised), the fixed-point sum of a record, and the guards against empty lengths.
#include <gtest/gtest.h>
#include <thread>

#include <vector>

#include "s/image/filters/scale/BilinearFilter.h"
#include "s/image/filters/scale/Contribution.h"
#include "support/Pooled.h"

namespace {

using s::image::filters::scale::BilinearFilter;
using s::image::filters::scale::Contribution;
using s::image::filters::scale::getSharedBilinearFilter;
using tests::Pooled;

std::vector<int32_t> recordOf(const Contribution* table, int32_t i) {
    const int32_t* r = table->record(i);
    if (!r) return {};
    return std::vector<int32_t>(r, r + 2 + (r[1] - r[0] + 1));
}

TEST(ContributionTest, TriangleFilterValues) {
    Pooled<BilinearFilter> filter;
    struct Case {
        double support, x, y;
    } cases[] = {{1, 0, 1}, {1, 0.5, 0.5}, {1, -0.25, 0.75}, {1, 1, 0}, {1, -3, 0}, {2, 1, 1}, {2, -1.5, 0.5}};
    for (const Case& t : cases) {
        filter->setSupport(t.support);
        EXPECT_DOUBLE_EQ(t.y, filter->filter(t.x)) << t.support << " at " << t.x;
    }
    filter->resetForReuse();
    EXPECT_EQ(1.0, filter->getSupport());
    ASSERT_NE(nullptr, getSharedBilinearFilter());
    const void* fromOtherThread = nullptr;
    std::thread asker([&] { fromOtherThread = getSharedBilinearFilter(); });
    asker.join();
    EXPECT_EQ(static_cast<const void*>(getSharedBilinearFilter()), fromOtherThread) << "one filter per process";
    EXPECT_EQ(1.0, getSharedBilinearFilter()->getSupport());
}

// 2 -> 4: centres 0, 0.5, 1, 1.5; taps 3, records 20 bytes apart.
TEST(ContributionTest, EnlargingRecords) {
    Pooled<Contribution> table;
    ASSERT_TRUE(table->build(4, 2, getSharedBilinearFilter()));
    EXPECT_EQ(3, table->tapsPerRecord());
    EXPECT_EQ(20, table->recordSize());
    EXPECT_EQ((std::vector<int32_t>{0, 0, 65536}), recordOf(table.get(), 0));
    EXPECT_EQ((std::vector<int32_t>{0, 1, 32768, 32768}), recordOf(table.get(), 1));
    EXPECT_EQ((std::vector<int32_t>{1, 1, 65536}), recordOf(table.get(), 2));
    EXPECT_EQ((std::vector<int32_t>{1, 1, 65536}), recordOf(table.get(), 3));
    EXPECT_EQ(nullptr, table->record(4));
    EXPECT_EQ(nullptr, table->record(-1));
}

// 4 -> 2: filter width 2, factor 0.5, up to 5 taps; the edge record is renormalised to 2/3, 1/3.
TEST(ContributionTest, HalvingRecords) {
    Pooled<Contribution> table;
    ASSERT_TRUE(table->build(2, 4, getSharedBilinearFilter()));
    EXPECT_EQ(5, table->tapsPerRecord());
    EXPECT_EQ(28, table->recordSize());
    EXPECT_EQ((std::vector<int32_t>{0, 1, 43690, 21845}), recordOf(table.get(), 0));
    EXPECT_EQ((std::vector<int32_t>{1, 3, 16384, 32768, 16384}), recordOf(table.get(), 1));
}

TEST(ContributionTest, ApplyingRecordsRoundsEachByte) {
    const uint32_t row[4] = {0x00000000u, 0x40404040u, 0x80808080u, 0xFFFFFFFFu};
    const int32_t edge[] = {0, 1, 43690, 21845};
    const int32_t middle[] = {1, 3, 16384, 32768, 16384};
    const int32_t copy[] = {2, 2, 0};
    EXPECT_EQ(0x15151515u, Contribution::applyRecord(edge, row, 1));    // 21.8 rounds down
    EXPECT_EQ(0x90909090u, Contribution::applyRecord(middle, row, 1));  // 144.25
    EXPECT_EQ(0x80808080u, Contribution::applyRecord(copy, row, 1)) << "one tap copies whatever its weight";
    const uint32_t column[] = {0x01u, 0xEEu, 0x00FF00FFu, 0xEEu};
    const int32_t half[] = {0, 1, 32768, 32768};
    EXPECT_EQ(0x00800080u, Contribution::applyRecord(half, column, 2)) << "pixels step words apart";
}

TEST(ContributionTest, EmptyLengthsOrNoFilterBuildNothing) {
    Pooled<Contribution> table;
    ASSERT_TRUE(table->build(3, 3, getSharedBilinearFilter()));
    EXPECT_FALSE(table->build(0, 3, getSharedBilinearFilter()));
    EXPECT_EQ(0, table->destinationLength());
    EXPECT_EQ(nullptr, table->record(0));
    EXPECT_FALSE(table->build(3, 0, getSharedBilinearFilter()));
    EXPECT_FALSE(table->build(-2, 3, getSharedBilinearFilter()));
    EXPECT_FALSE(table->build(3, 3, nullptr));
    Pooled<BilinearFilter> flat;
    flat->setSupport(0.0);
    EXPECT_FALSE(table->build(3, 3, flat.get()));
}

TEST(ContributionTest, OneSourcePixelFeedsEveryRecord) {
    Pooled<Contribution> table;
    ASSERT_TRUE(table->build(5, 1, getSharedBilinearFilter()));
    for (int32_t i = 0; i < 5; ++i) EXPECT_EQ((std::vector<int32_t>{0, 0, 65536}), recordOf(table.get(), i)) << i;
    ASSERT_TRUE(table->build(1, 9, getSharedBilinearFilter()));
    const std::vector<int32_t> r = recordOf(table.get(), 0);
    ASSERT_GE(r.size(), 3u);
    EXPECT_EQ(0, r[0]);
    int64_t sum = 0;
    for (size_t k = 2; k < r.size(); ++k) sum += r[k];
    EXPECT_LE(sum, 65536);
    EXPECT_GT(sum, 65536 - static_cast<int64_t>(r.size()));
}

}  // namespace
