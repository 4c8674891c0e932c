// tests/s/base/LastingTest.cpp
//
// A shared object built on first use while the heap refuses every request: the first use
// neither throws nor fails, because the object needs no memory of its own. This program's
// allocation calls go through the counting replacement below, which refuses while told to.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "s/base/Lasting.h"
#include "s/thread/IPoolable.h"
#include "s/thread/Pool.h"

namespace {

std::atomic<bool> g_refuse{false};

}  // namespace

void* operator new(std::size_t size) {
    void* block = g_refuse ? nullptr : std::malloc(size ? size : 1);
    if (!block) throw std::bad_alloc();
    return block;
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

class FirstUsedWithoutMemory : public virtual s::thread::IPoolable {
public:
    void releaseToPool() override { s::thread::Pool<FirstUsedWithoutMemory>::release(this); }
    void resetForReuse() override {}
};

TEST(Lasting, APoolIsBuiltOnFirstUseWhileTheHeapRefuses) {
    g_refuse = true;
    bool threw = false;
    FirstUsedWithoutMemory* object = nullptr;
    try {
        s::thread::Pool<FirstUsedWithoutMemory>::pooler();
        object = s::thread::Pool<FirstUsedWithoutMemory>::obtain();  // no memory: none
    } catch (...) {
        threw = true;
    }
    g_refuse = false;
    EXPECT_FALSE(threw);
    EXPECT_EQ(nullptr, object);
    object = s::thread::Pool<FirstUsedWithoutMemory>::obtain();
    ASSERT_NE(nullptr, object);
    object->releaseToPool();
}

TEST(Lasting, TheObjectLivesInsideItsRoom) {
    static s::base::Lasting<int> number(42);
    const char* room = reinterpret_cast<const char*>(&number);
    const char* object = reinterpret_cast<const char*>(&number.get());
    EXPECT_EQ(42, number.get());
    EXPECT_GE(object, room);
    EXPECT_LT(object, room + sizeof number);
}

}  // namespace
