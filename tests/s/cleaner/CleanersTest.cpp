// tests/s/cleaner/CleanersTest.cpp
#include <gtest/gtest.h>

#include <new>

#include "s/cleaner/CleanerIObject.h"
#include "s/cleaner/CleanerRawObject.h"

namespace {

int g_destroyed = 0;

class Counted : public s::base::IObject {
public:
    ~Counted() override { ++g_destroyed; }
    const wchar_t* classId() const override { return L"tests_Counted"; }
    s::base::IObject* newInstance() const override { return new Counted(); }
};

TEST(Cleaners, IObjectCleanerRunsTheDestructor) {
    g_destroyed = 0;
    void* slot = new Counted();
    s::cleaner::CleanerIObject::instance().destroy(&slot);
    EXPECT_EQ(nullptr, slot);
    EXPECT_EQ(1, g_destroyed);
}

TEST(Cleaners, RawCleanerFreesWithoutDestructor) {
    g_destroyed = 0;
    void* slot = new Counted();
    s::cleaner::CleanerRawObject::instance().destroy(&slot);
    EXPECT_EQ(nullptr, slot);
    EXPECT_EQ(0, g_destroyed);
}

TEST(Cleaners, NullSlotIsLeftAlone) {
    g_destroyed = 0;
    void* slot = nullptr;
    s::cleaner::CleanerIObject::instance().destroy(&slot);
    s::cleaner::CleanerRawObject::instance().destroy(&slot);
    EXPECT_EQ(nullptr, slot);
    EXPECT_EQ(0, g_destroyed);
    EXPECT_STREQ(L"s_cleaner_CleanerIObject", s::cleaner::CleanerIObject::instance().classId());
}

}  // namespace
