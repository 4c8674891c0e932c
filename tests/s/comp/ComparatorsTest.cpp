// tests/s/comp/ComparatorsTest.cpp
#include <gtest/gtest.h>
#include <thread>

#include <cstdint>
#include <cstring>

#include "s/comp/CompP.h"
#include "s/comp/CompS08.h"
#include "s/comp/CompS32.h"
#include "s/comp/CompU08.h"
#include "s/comp/CompU32.h"

namespace {

struct Row {
    const char* why;
    s::base::IComparator* comparator;
    uint32_t a, b;  // the low bytes are used by the byte comparators
    int expected;
};

int compareAs(const Row& r) {
    uint32_t a = r.a, b = r.b;
    return r.comparator->compare(&a, &b);  // little-endian: a byte comparator reads the low byte
}

TEST(Comparators, SignedAndUnsignedOrders) {
    const Row rows[] = {
        {"CompU08 puts 0x80 after 0x7F", &s::comp::CompU08::instance(), 0x80, 0x7F, 1},
        {"CompS08 puts 0x80 before 0x00", &s::comp::CompS08::instance(), 0x80, 0x00, -1},
        {"CompS08 equal", &s::comp::CompS08::instance(), 0x80, 0x80, 0},
        {"CompP puts 0x80000000 after 0x7FFFFFFF", &s::comp::CompP::instance(), 0x80000000u, 0x7FFFFFFF, 1},
        {"CompU32 puts 0x80000000 after 0x7FFFFFFF", &s::comp::CompU32::instance(), 0x80000000u, 0x7FFFFFFF, 1},
        {"CompS32 puts 0x80000000 before 0", &s::comp::CompS32::instance(), 0x80000000u, 0, -1},
        {"CompS32 equal", &s::comp::CompS32::instance(), 7, 7, 0},
        {"CompU32 smaller", &s::comp::CompU32::instance(), 6, 7, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(r.expected, compareAs(r));
        uint32_t a = r.a, b = r.b;
        EXPECT_EQ(r.expected, r.comparator->compareIgnoreCase(&a, &b));
    }
}

TEST(Comparators, SharedInstancesAndClassIds) {
    const s::comp::CompP* fromOtherThread = nullptr;
    std::thread asker([&] { fromOtherThread = &s::comp::CompP::instance(); });
    asker.join();
    EXPECT_EQ(&s::comp::CompP::instance(), fromOtherThread) << "one instance per process, not per thread";
    EXPECT_STREQ(L"s_comp_CompP", s::comp::CompP::instance().classId());
    EXPECT_STREQ(L"s_comp_CompU08", s::comp::CompU08::instance().classId());
    EXPECT_STREQ(L"s_comp_CompS08", s::comp::CompS08::instance().classId());
    EXPECT_STREQ(L"s_comp_CompU32", s::comp::CompU32::instance().classId());
    EXPECT_STREQ(L"s_comp_CompS32", s::comp::CompS32::instance().classId());
    s::base::IObject* fresh = s::comp::CompS32::instance().newInstance();
    ASSERT_NE(nullptr, fresh);
    EXPECT_NE(static_cast<s::base::IObject*>(&s::comp::CompS32::instance()), fresh);
    EXPECT_STREQ(L"s_comp_CompS32", fresh->classId());
    delete fresh;
}

}  // namespace
