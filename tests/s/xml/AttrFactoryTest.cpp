// tests/s/xml/AttrFactoryTest.cpp
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "s/xml/AttrFactory.h"

namespace {

using s::xml::AttrFactory;
using s::xml::AttrPair;

TEST(AttrFactoryTest, PairsHoldTerminatedCopies) {
    const wchar_t name[] = {L'a', L'b', L'X'};  // only two units are taken
    const wchar_t value[] = {L'v', L'X'};
    AttrPair* pair = AttrFactory::shared().obtain(name, 2, value, 1);
    ASSERT_NE(nullptr, pair);
    EXPECT_EQ(std::wstring(L"ab"), pair->name);
    EXPECT_EQ(2u, pair->nameLength);
    EXPECT_EQ(std::wstring(L"v"), pair->value);
    EXPECT_EQ(1u, pair->valueLength);
    AttrFactory::shared().release(pair);
    AttrFactory::shared().release(nullptr);
}

TEST(AttrFactoryTest, KeepsNoMoreShellsThanItsCapacity) {
    std::vector<AttrPair*> pairs;
    const uint32_t kept = 4096;  // the bound the factory's header promises
    for (uint32_t i = 0; i < kept + 10; ++i) {
        AttrPair* pair = AttrFactory::shared().obtain(L"n", 1, L"", 0);
        ASSERT_NE(nullptr, pair);
        pairs.push_back(pair);
    }
    for (AttrPair* pair : pairs) AttrFactory::shared().release(pair);
    EXPECT_EQ(kept, AttrFactory::shared().keptCount());
}

}  // namespace
