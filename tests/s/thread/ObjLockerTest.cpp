// tests/s/thread/ObjLockerTest.cpp
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "s/base/IDestructor.h"
#include "s/thread/ObjLocker.h"

namespace {

int g_disposedByFunction = 0;
void disposeInt(void* p) {
    ++g_disposedByFunction;
    delete static_cast<int*>(p);
}

class CountingRule : public s::base::IDestructor {
public:
    int calls = 0;
    void destroy(void** slot) override {
        ++calls;
        delete static_cast<int*>(*slot);
        *slot = nullptr;
    }
};

TEST(ObjLocker, DisposalPrefersFunctionThenRule) {
    g_disposedByFunction = 0;
    CountingRule rule;
    {
        s::thread::ObjLocker locker;
        locker.object = new int(1);
        locker.disposeFunction = disposeInt;
        locker.disposeRule = &rule;
    }
    EXPECT_EQ(1, g_disposedByFunction);
    EXPECT_EQ(0, rule.calls);
    {
        s::thread::ObjLocker locker;
        locker.object = new int(2);
        locker.disposeRule = &rule;
    }
    EXPECT_EQ(1, rule.calls);
    {
        s::thread::ObjLocker locker;  // plain operator delete; the heap checks the pairing
        locker.object = ::operator new(16);
    }
}

TEST(ObjLocker, GuardsACounterAcrossThreads) {
    s::thread::ObjLocker locker;
    long counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 100000; ++i) {
                s::thread::Lock lock(locker);
                ++counter;
            }
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(400000, counter);
    EXPECT_STREQ(L"s_thread_ObjLocker", locker.classId());
    s::base::IObject* fresh = locker.newInstance();
    ASSERT_NE(nullptr, fresh);
    EXPECT_STREQ(L"s_thread_ObjLocker", fresh->classId());
    delete fresh;
}

}  // namespace
