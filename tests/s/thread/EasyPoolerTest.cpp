// tests/s/thread/EasyPoolerTest.cpp
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

#include "s/thread/EasyPooler.h"
#include "s/thread/Pool.h"

namespace {

// Callbacks that count what a pool does to its objects (plain ints stand in for objects).
struct Counts {
    std::atomic<int> made{0}, reset{0}, destroyed{0};
};
Counts g_counts;

void* makeInt() { ++g_counts.made; return new int(0); }
void destroyInt(void* p) { ++g_counts.destroyed; delete static_cast<int*>(p); }
void resetInt(void* p) { ++g_counts.reset; *static_cast<int*>(p) = 0; }

class EasyPoolerTest : public ::testing::Test {
protected:
    void SetUp() override { g_counts.made = g_counts.reset = g_counts.destroyed = 0; }
};

TEST_F(EasyPoolerTest, ObtainIsLastInFirstOut) {
    s::thread::EasyPooler pool(1000, makeInt, destroyInt, resetInt);
    void* a = pool.obtain();
    void* b = pool.obtain();
    EXPECT_EQ(2, g_counts.made);
    pool.release(a);
    pool.release(b);
    EXPECT_EQ(2, g_counts.reset);
    EXPECT_EQ(b, pool.obtain());
    EXPECT_EQ(a, pool.obtain());
    void* c = pool.obtain();
    EXPECT_EQ(3, g_counts.made);
    pool.release(a);
    pool.release(b);
    pool.release(c);
}

TEST_F(EasyPoolerTest, CapacityZeroDestroysAtOnce) {
    s::thread::EasyPooler pool(0, makeInt, destroyInt, resetInt);
    pool.release(pool.obtain());
    EXPECT_EQ(1, g_counts.destroyed);
    EXPECT_EQ(0, g_counts.reset);
    EXPECT_EQ(0u, pool.keptCount());
}

TEST_F(EasyPoolerTest, ReleaseBeyondCapacityDestroysWithoutReset) {
    std::vector<void*> objects;
    {
        s::thread::EasyPooler pool(1000, makeInt, destroyInt, resetInt);
        for (int i = 0; i < 1001; ++i) objects.push_back(pool.obtain());
        for (void* o : objects) pool.release(o);
        EXPECT_EQ(1000u, pool.keptCount());
        EXPECT_EQ(1000, g_counts.reset);
        EXPECT_EQ(1, g_counts.destroyed);
    }
    // The pool's own destruction destroys every kept object exactly once.
    EXPECT_EQ(1001, g_counts.destroyed);
}

TEST_F(EasyPoolerTest, DestroySlotReleasesAndClears) {
    s::thread::EasyPooler pool(10, makeInt, destroyInt, resetInt);
    void* slot = pool.obtain();
    void* object = slot;
    pool.destroy(&slot);
    EXPECT_EQ(nullptr, slot);
    EXPECT_EQ(1u, pool.keptCount());
    pool.destroy(&slot);  // null: nothing happens
    EXPECT_EQ(1u, pool.keptCount());
    EXPECT_EQ(object, pool.obtain());
    pool.release(object);
}

TEST_F(EasyPoolerTest, NewInstanceIsAnEmptyPoolWithTheSameRules) {
    s::thread::EasyPooler pool(3, makeInt, destroyInt, resetInt);
    pool.release(pool.obtain());
    auto* twin = static_cast<s::thread::EasyPooler*>(pool.newInstance());
    ASSERT_NE(nullptr, twin);
    EXPECT_STREQ(L"s_thread_EasyPooler", twin->classId());
    EXPECT_EQ(3, twin->capacity());
    EXPECT_EQ(0u, twin->keptCount());
    void* o = twin->obtain();
    EXPECT_EQ(2, g_counts.made);
    twin->release(o);
    EXPECT_EQ(2, g_counts.reset);
    delete twin;
}

// Many threads obtain and release at once: no object is ever handed to two holders, and
// none is lost.
TEST_F(EasyPoolerTest, ConcurrentObtainAndReleaseKeepEveryObjectOnce) {
    s::thread::EasyPooler pool(64, makeInt, destroyInt, resetInt);
    constexpr int kThreads = 8, kRounds = 20000;
    std::atomic<int> doubleHeld{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < kRounds; ++i) {
                int* o = static_cast<int*>(pool.obtain());
                if (++*o != 1) ++doubleHeld;  // reset sets 0; a second holder would see 2
                --*o;
                pool.release(o);
            }
        });
    }
    for (auto& t : threads) t.join();
    EXPECT_EQ(0, doubleHeld.load());
    EXPECT_LE(pool.keptCount(), 64u);
    EXPECT_EQ(g_counts.made.load(), g_counts.destroyed.load() + static_cast<int>(pool.keptCount()));
    std::set<void*> distinct;
    std::vector<void*> drained;
    for (uint32_t n = pool.keptCount(); n; --n) drained.push_back(pool.obtain());
    distinct.insert(drained.begin(), drained.end());
    EXPECT_EQ(drained.size(), distinct.size());
    for (void* o : drained) pool.release(o);
}

// A class pool through the accessor: one pool however many threads make the first call.
class Pooled {
public:
    static std::atomic<int> constructed;
    Pooled() { ++constructed; }
    void resetForReuse() { value = 0; }
    int value = 0;
};
std::atomic<int> Pooled::constructed{0};

TEST(Pool, AccessorBuildsOnePoolForAllThreads) {
    std::vector<std::thread> threads;
    std::vector<s::thread::EasyPooler*> seen(8);
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] { seen[t] = &s::thread::Pool<Pooled, 5>::pooler(); });
    for (auto& t : threads) t.join();
    for (auto* p : seen) EXPECT_EQ(seen[0], p);
    EXPECT_EQ(5, seen[0]->capacity());

    Pooled* a = s::thread::Pool<Pooled, 5>::obtain();
    a->value = 42;
    s::thread::Pool<Pooled, 5>::release(a);
    Pooled* again = s::thread::Pool<Pooled, 5>::obtain();
    EXPECT_EQ(a, again);
    EXPECT_EQ(0, again->value);  // resetForReuse ran
    s::thread::Pool<Pooled, 5>::release(again);
}

}  // namespace
