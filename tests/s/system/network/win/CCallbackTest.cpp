// tests/s/system/network/win/CCallbackTest.cpp
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "s/system/network/win/CCallback.h"

namespace {

using s::system::network::win::CCallback;

std::vector<uint32_t> seen;
void record(uint32_t progress, uint32_t, uint32_t total, uint32_t, uintptr_t user1,
            uintptr_t user2) {
    seen = {progress, total, static_cast<uint32_t>(user1), static_cast<uint32_t>(user2)};
}

TEST(CCallback, ForwardsProgressWithTheUserValues) {
    std::atomic<bool> stop{false};
    CCallback callback(&stop, &record, 7, 9);
    seen.clear();
    EXPECT_EQ(callback.OnProgress(30, 100, 0, nullptr), S_OK);
    EXPECT_EQ(seen, (std::vector<uint32_t>{30, 100, 7, 9}));
}

TEST(CCallback, NoFirstUserValueForwardsNothing) {
    std::atomic<bool> stop{false};
    CCallback callback(&stop, &record, 0, 9);
    seen.clear();
    EXPECT_EQ(callback.OnProgress(30, 100, 0, nullptr), S_OK);
    EXPECT_TRUE(seen.empty());
}

TEST(CCallback, AStopAbortsTheDownload) {
    std::atomic<bool> stop{false};
    CCallback callback(&stop, nullptr, 0, 0);
    EXPECT_EQ(callback.OnProgress(1, 2, 0, nullptr), S_OK);
    stop = true;
    EXPECT_EQ(callback.OnProgress(1, 2, 0, nullptr), E_ABORT);
    EXPECT_FALSE(callback.report(1, 2));
}

TEST(CCallback, AnswersOnlyItsOwnInterfaces) {
    CCallback callback(nullptr, nullptr, 0, 0);
    void* object = nullptr;
    EXPECT_EQ(callback.QueryInterface(IID_IBindStatusCallback, &object), S_OK);
    EXPECT_EQ(object, static_cast<IBindStatusCallback*>(&callback));
    EXPECT_EQ(callback.QueryInterface(IID_IStream, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
}

}  // namespace
