// tests/s/base/IComparableTest.cpp
#include <gtest/gtest.h>

#include "s/base/IComparator.h"
#include "s/base/IObject.h"

namespace {

class Plain : public s::base::IObject {
public:
    const wchar_t* classId() const override { return L"tests_Plain"; }
    s::base::IObject* newInstance() const override { return new Plain(); }
};

class Other : public s::base::IObject {
public:
    const wchar_t* classId() const override { return L"tests_Other"; }
    s::base::IObject* newInstance() const override { return new Other(); }
};

// Orders Plain objects all as equal, so a comparator visibly overrides identity.
class AllEqual : public s::base::IComparator {
public:
    int compare(const void*, const void*) override { return 0; }
};

TEST(IComparable, IdentityOrderWithoutComparator) {
    Plain objects[2];
    Plain& low = objects[0];
    Plain& high = objects[1];
    EXPECT_EQ(0, low.compareTo(&low));
    EXPECT_TRUE(low.equals(&low));
    EXPECT_TRUE(low.equalsIgnoreCase(&low));
    EXPECT_EQ(-1, low.compareTo(&high));
    EXPECT_EQ(1, high.compareTo(&low));
    EXPECT_FALSE(low.equals(&high));
    EXPECT_EQ(-1, low.compareToIgnoreCase(&high));
}

TEST(IComparable, ComparatorDecides) {
    Plain a, b;
    AllEqual comparator;
    EXPECT_EQ(0, a.compareTo(&b, &comparator));
    EXPECT_TRUE(a.equals(&b, &comparator));
    EXPECT_TRUE(a.equalsIgnoreCase(&b, &comparator));  // compareIgnoreCase defaults to compare
}

TEST(IComparable, HashDependsOnlyOnTheClass) {
    Plain a, b;
    Other c;
    EXPECT_EQ(a.hashCode(), b.hashCode());
    EXPECT_NE(a.hashCode(), c.hashCode());
    EXPECT_EQ(a.hashCode(), a.hashCodeIgnoreCase());
}

}  // namespace
