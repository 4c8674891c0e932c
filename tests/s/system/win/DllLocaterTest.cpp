// tests/s/system/win/DllLocaterTest.cpp
#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>

#include "s/system/win/DllLocater.h"
#include "s/thread/Pool.h"

namespace {

using s::system::win::DllLocater;

bool loaded(const wchar_t* name) { return GetModuleHandleW(name) != nullptr; }

// Libraries this test program does not load by itself, so that their presence in the
// process shows what the locater holds.
const wchar_t* unloadedLibrary(const wchar_t* other) {
    for (const wchar_t* name : {L"msimg32.dll", L"wtsapi32.dll", L"dciman32.dll", L"hid.dll", L"mpr.dll"})
        if (!loaded(name) && (!other || wcscmp(name, other) != 0)) return name;
    return nullptr;
}
const wchar_t* const kFirst = unloadedLibrary(nullptr);
const wchar_t* const kSecond = unloadedLibrary(kFirst);

TEST(DllLocaterTest, HoldsTheModuleForItsLifetime) {
    ASSERT_TRUE(kFirst && wcscmp(kFirst, L"msimg32.dll") == 0);
    ASSERT_FALSE(loaded(kFirst));
    {
        DllLocater locater(kFirst);
        EXPECT_TRUE(locater.isLoaded());
        EXPECT_TRUE(loaded(kFirst));
        EXPECT_NE(nullptr, locater.function("AlphaBlend"));
        EXPECT_EQ(nullptr, locater.function("NoSuchFunction"));
    }
    EXPECT_FALSE(loaded(kFirst));
}

TEST(DllLocaterTest, ANewNameFreesTheModuleHeldBefore) {
    ASSERT_TRUE(kFirst && kSecond);
    ASSERT_FALSE(loaded(kFirst));
    ASSERT_FALSE(loaded(kSecond));
    DllLocater locater(kFirst);
    EXPECT_TRUE(locater.load(kSecond));
    EXPECT_FALSE(loaded(kFirst));
    EXPECT_TRUE(loaded(kSecond));
    EXPECT_FALSE(locater.load(nullptr));
    EXPECT_FALSE(loaded(kSecond));
    EXPECT_EQ(nullptr, locater.handle());
    EXPECT_EQ(nullptr, locater.function("AlphaBlend"));
    EXPECT_FALSE(locater.load(L"no-such-library-here.dll"));
}

TEST(DllLocaterTest, NothingLoadedWithoutAName) {
    DllLocater locater;
    EXPECT_FALSE(locater.isLoaded());
    locater.release();
    EXPECT_EQ(nullptr, locater.handle());
}

TEST(DllLocaterTest, APooledLocaterFreesItsModuleOnRelease) {
    ASSERT_FALSE(loaded(kFirst));
    DllLocater* pooled = s::thread::Pool<DllLocater>::obtain();
    ASSERT_NE(nullptr, pooled);
    EXPECT_STREQ(L"s_system_win_DllLocater", pooled->classId());
    EXPECT_TRUE(pooled->load(kFirst));
    pooled->releaseToPool();
    EXPECT_FALSE(loaded(kFirst));
}

}  // namespace
