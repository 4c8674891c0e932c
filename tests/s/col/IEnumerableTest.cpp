// tests/s/col/IEnumerableTest.cpp
#include <gtest/gtest.h>

#include <cstdint>

#include "s/col/IEnumerable.h"
#include "s/col/_array/ArrayS32.h"
#include "support/Pooled.h"

namespace {

// An enumerable that supplies only the two plain iterators: the positioned ones and
// elementAt come from the interface's defaults.
class OnlyIterators : public s::col::IEnumerable {
public:
    explicit OnlyIterators(s::col::_array::ArrayS32* array) : m_array(array) {}
    s::col::IteratorBase* iterator() override { return m_array->iterator(); }
    s::col::IteratorBase* iteratorAtEnd() override { return m_array->iteratorAtEnd(); }

private:
    s::col::_array::ArrayS32* m_array;
};

TEST(IEnumerable, DefaultsStepFromThePlainIterators) {
    tests::Pooled<s::col::_array::ArrayS32> a;
    for (int32_t v : {10, 20, 30}) a->add(v);
    OnlyIterators e(a.get());
    s::col::IteratorBase* it = e.iteratorAt(1);
    EXPECT_EQ(0, it->index());
    EXPECT_EQ(20, *static_cast<int32_t*>(it->next()));
    it->release();
    it = e.iteratorFromEnd(1);
    EXPECT_EQ(30, *static_cast<int32_t*>(it->next()));
    it->release();
    EXPECT_EQ(30, *static_cast<int32_t*>(e.elementAt(2)));
    EXPECT_EQ(nullptr, e.elementAt(3));
    s::col::IEnumerable none;
    EXPECT_EQ(nullptr, none.iterator());
    EXPECT_EQ(nullptr, none.elementAt(0));
}

}  // namespace
