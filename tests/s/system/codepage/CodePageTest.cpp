// tests/s/system/codepage/CodePageTest.cpp
#include <gtest/gtest.h>

#include "s/system/codepage/CodePage.h"
#include "support/Pooled.h"

namespace {

using s::system::codepage::CodePage;

TEST(CodePage, NumberNameAndReset) {
    CodePage* page = s::system::codepage::newCodePage(1252, L"Western (Windows-1252)");
    ASSERT_NE(nullptr, page);
    EXPECT_EQ(1252, page->number());
    EXPECT_EQ(L"Western (Windows-1252)", tests::text(&page->name()));
    EXPECT_STREQ(L"s_system_codepage_CodePage", page->classId());
    page->releaseToPool();
    CodePage* again = s::thread::Pool<CodePage>::obtain();
    EXPECT_EQ(page, again);
    EXPECT_EQ(0, again->number());
    EXPECT_EQ(0u, again->name().length());
    EXPECT_EQ(0u, again->name().capacity());
    again->releaseToPool();
}

}  // namespace
