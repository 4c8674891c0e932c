// tests/s/col/_array/ArrayBaseTest.cpp
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "s/col/IteratorBase.h"
#include "s/col/_array/ArrayS32.h"
#include "s/col/_array/ArrayS08.h"
#include "s/col/_array/ArrayU08.h"
#include "s/col/_array/ArrayU32.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "support/Pooled.h"

namespace {

using s::col::_array::ArrayS32;
using s::col::_array::ArrayU08;
using tests::Pooled;
using Values = std::vector<int32_t>;

void fill(ArrayS32& a, const Values& v) {
    a.clear();
    for (int32_t x : v) a.add(x);
}

Values content(const ArrayS32& a) { return Values(a.data(), a.data() + a.count()); }

// Every element operation, with the clamping of indices and counts beyond the content.
TEST(ArrayBase, ElementOperations) {
    struct Row {
        const char* why;
        Values before;
        std::function<uint32_t(ArrayS32&, int32_t* out)> op;  // answers the operation's result
        Values after;
        uint32_t result;
        Values out;  // what the operation copied out, when it does
    };
    const int32_t src[] = {7, 8, 9};
    const std::vector<Row> rows = {
        {"append several", {1, 2}, [&](ArrayS32& a, int32_t*) { return a.append(src, 3, 0); }, {1, 2, 7, 8, 9}, 1, {}},
        {"append from a source index", {1}, [&](ArrayS32& a, int32_t*) { return a.append(src, 2, 1); }, {1, 8, 9}, 1, {}},
        {"prepend", {1, 2}, [&](ArrayS32& a, int32_t*) { return a.prepend(src, 2, 0); }, {7, 8, 1, 2}, 1, {}},
        {"insert in the middle", {1, 2, 3}, [&](ArrayS32& a, int32_t*) { return a.insertAt(1, src, 1, 2); }, {1, 9, 2, 3}, 1, {}},
        {"insert beyond the end appends", {1}, [&](ArrayS32& a, int32_t*) { return a.insertAt(50, src, 1, 0); }, {1, 7}, 1, {}},
        {"insert a gap", {1, 2}, [&](ArrayS32& a, int32_t*) { bool ok = a.insertGap(0); a.set(0, 5); return ok; }, {5, 1, 2}, 1, {}},
        {"drop the last two", {1, 2, 3}, [](ArrayS32& a, int32_t*) { return a.dropLast(2); }, {1}, 2, {}},
        {"drop more than there is", {1, 2}, [](ArrayS32& a, int32_t*) { return a.dropLast(9); }, {}, 2, {}},
        {"drop the first", {1, 2, 3}, [](ArrayS32& a, int32_t*) { return a.dropFirst(1); }, {2, 3}, 1, {}},
        {"remove a range", {1, 2, 3, 4}, [](ArrayS32& a, int32_t*) { return a.removeRange(1, 2); }, {1, 4}, 2, {}},
        {"remove a range running past the end", {1, 2, 3}, [](ArrayS32& a, int32_t*) { return a.removeRange(2, 100); }, {1, 2}, 1, {}},
        {"remove a range that starts past the end", {1, 2}, [](ArrayS32& a, int32_t*) { return a.removeRange(5, 1); }, {1, 2}, 0, {}},
        {"take the last two", {1, 2, 3}, [](ArrayS32& a, int32_t* o) { return a.takeLast(o, 2, 0); }, {1}, 2, {2, 3}},
        {"take the first", {1, 2, 3}, [](ArrayS32& a, int32_t* o) { return a.takeFirst(o, 1, 0); }, {2, 3}, 1, {1}},
        {"take a range past the end", {1, 2, 3}, [](ArrayS32& a, int32_t* o) { return a.takeRange(1, o, 9, 0); }, {1}, 2, {2, 3}},
        {"read everything from an index", {1, 2, 3}, [](ArrayS32& a, int32_t* o) { return a.read(o, 0, 1, -1); }, {1, 2, 3}, 2, {2, 3}},
        {"read more than there is", {1, 2}, [](ArrayS32& a, int32_t* o) { return a.read(o, 0, 0, 50); }, {1, 2}, 2, {1, 2}},
        {"read from beyond the end", {1, 2}, [](ArrayS32& a, int32_t* o) { return a.read(o, 0, 3, 1); }, {1, 2}, 0, {}},
        {"write over and past the end", {1, 2}, [&](ArrayS32& a, int32_t*) { return a.writeAt(src, 2, 0, 1); }, {1, 7, 8}, 1, {}},
        {"write past a gap, which is zeroed", {1}, [&](ArrayS32& a, int32_t*) { return a.writeAt(src, 1, 0, 3); }, {1, 0, 0, 7}, 1, {}},
        {"remove the last element only shortens", {1, 2, 3}, [](ArrayS32& a, int32_t*) { return static_cast<uint32_t>(a.removeAt(2)); }, {1, 2}, 3, {}},
        {"remove the first moves the rest down", {1, 2, 3}, [](ArrayS32& a, int32_t*) { return static_cast<uint32_t>(a.removeAt(0)); }, {2, 3}, 1, {}},
        {"remove beyond the end answers 0", {1}, [](ArrayS32& a, int32_t*) { return static_cast<uint32_t>(a.removeAt(4)); }, {1}, 0, {}},
        {"swap", {1, 2, 3}, [](ArrayS32& a, int32_t*) { return a.swap(0, 2); }, {3, 2, 1}, 1, {}},
        {"swap out of range does nothing", {1, 2}, [](ArrayS32& a, int32_t*) { return a.swap(0, 2); }, {1, 2}, 0, {}},
        {"reverse", {1, 2, 3, 4}, [](ArrayS32& a, int32_t*) { a.reverse(); return 1u; }, {4, 3, 2, 1}, 1, {}},
        {"set count 5 on an empty array", {}, [](ArrayS32& a, int32_t*) { a.freeBuffer(); bool ok = a.setCount(5); std::memset(a.data(), 0, 20); return ok ? a.capacity() : 0; }, {0, 0, 0, 0, 0}, 5, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Pooled<ArrayS32> a;
        fill(*a, r.before);
        int32_t out[16] = {};
        EXPECT_EQ(r.result, r.op(*a, out));
        EXPECT_EQ(r.after, content(*a));
        EXPECT_EQ(r.out, Values(out, out + r.out.size()));
    }
}

// A source inside the array's own block must give the right content although the block is
// replaced by the growth the operation needs.
TEST(ArrayBase, OwnContentAsSource) {
    struct Row {
        const char* why;
        std::function<bool(ArrayS32&)> op;
        Values after;
    };
    const std::vector<Row> rows = {
        {"append all of itself", [](ArrayS32& a) { return a.append(a.data(), a.count(), 0); }, {1, 2, 3, 1, 2, 3}},
        {"append one of its own", [](ArrayS32& a) { return a.append(a.data(), 1, 2); }, {1, 2, 3, 3}},
        {"prepend a part of itself", [](ArrayS32& a) { return a.prepend(a.data(), 2, 1); }, {2, 3, 1, 2, 3}},
        {"insert itself in its middle", [](ArrayS32& a) { return a.insertAt(1, a.data(), 3, 0); }, {1, 1, 2, 3, 2, 3}},
        {"write itself past its end", [](ArrayS32& a) { return a.writeAt(a.data(), 3, 0, 2); }, {1, 2, 1, 2, 3}},
        {"copy to itself", [](ArrayS32& a) { return a.copyTo(&a, 3, 0, -1) == 3; }, {1, 2, 3, 1, 2, 3}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Pooled<ArrayS32> a;
        ASSERT_TRUE(a->setCapacity(3));  // full: every operation below must grow
        fill(*a, {1, 2, 3});
        EXPECT_TRUE(r.op(*a));
        EXPECT_EQ(r.after, content(*a));
    }
}

TEST(ArrayBase, CopiesBetweenArrays) {
    Pooled<ArrayS32> a, b;
    Pooled<ArrayU08> bytes;
    fill(*a, {1, 2, 3, 4});
    fill(*b, {9});
    EXPECT_EQ(2u, a->copyTo(b.get(), 1, 2, -1));
    EXPECT_EQ((Values{9, 3, 4}), content(*b));
    EXPECT_EQ(1u, b->copyFrom(a.get(), 0, 0, 1));
    EXPECT_EQ((Values{1, 3, 4}), content(*b));
    EXPECT_EQ(0u, a->copyTo(bytes.get(), 0, 0, -1)) << "element sizes differ";
    EXPECT_EQ(0u, bytes->count());
    EXPECT_EQ(0u, a->copyTo(b.get(), 0, 9, -1)) << "source index beyond the content";
}

TEST(ArrayBase, CompareRange) {
    Pooled<ArrayU08> a;
    const uint8_t mine[] = {1, 2, 3, 4};
    a->append(mine, 4, 0);
    const uint8_t data[] = {2, 3, 4, 5, 9};
    struct Row {
        const char* why;
        uint32_t index, dataCount, dataIndex;
        int32_t n;
        int32_t expected;
    } const rows[] = {
        {"equal over the wanted length", 1, 5, 0, 3, 0},
        {"the first difference decides", 0, 5, 0, 2, -1},
        {"a shorter remainder of this array", 1, 5, 0, 4, -1},
        {"a shorter remainder of the data", 1, 2, 0, 3, 1},
        {"n -1 wants the longer remainder", 1, 3, 0, -1, 0},
        {"n -1 with a longer data remainder", 1, 4, 0, -1, -1},
        {"both remainders shorter than n", 1, 3, 0, 5, 1},
        {"an index beyond the content", 9, 5, 0, 1, -1},
        {"nothing wanted", 9, 5, 0, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(r.expected, a->compareRange(r.index, data, r.dataCount, r.dataIndex, r.n));
    }
}

TEST(ArrayBase, TextAndXmlForms) {
    Pooled<ArrayS32> s32;
    Pooled<ArrayU08> u08;
    Pooled<s::col::_array::ArrayS08> s08;
    Pooled<s::col::_array::ArrayU32> u32;
    Pooled<s::str::strbuffer::StrBuffer> out;
    struct Row {
        const char* why;
        s::col::_array::ArrayBase* array;
        std::function<void()> fillIt;
        const wchar_t* text;
        const wchar_t* xml;
    };
    const std::vector<Row> rows = {
        {"an empty array", s32.get(), [] {}, L"s_col__array_ArrayS32 []",
         L"<s_col__array_ArrayS32 length=\"0\"></s_col__array_ArrayS32>"},
        {"signed 32-bit", s32.get(), [&] { s32->add(-1); s32->add(2); }, L"s_col__array_ArrayS32 [-1 2]",
         L"<s_col__array_ArrayS32 length=\"2\">ffffffff00000002</s_col__array_ArrayS32>"},
        {"bytes", u08.get(), [&] { u08->add(1); u08->add(2); u08->add(255); }, L"s_col__array_ArrayU08 [1 2 255]",
         L"<s_col__array_ArrayU08 length=\"3\">0102ff</s_col__array_ArrayU08>"},
        {"signed bytes", s08.get(), [&] { s08->add(-128); s08->add(5); }, L"s_col__array_ArrayS08 [-128 5]",
         L"<s_col__array_ArrayS08 length=\"2\">8005</s_col__array_ArrayS08>"},
        {"unsigned 32-bit", u32.get(), [&] { u32->add(0xFFFFFFFFu); }, L"s_col__array_ArrayU32 [4294967295]",
         L"<s_col__array_ArrayU32 length=\"1\">ffffffff</s_col__array_ArrayU32>"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        r.fillIt();
        EXPECT_EQ(r.text, tests::text(r.array->toText(out.get(), false)));
        EXPECT_EQ(r.xml, tests::text(r.array->toXml(out.get(), false)));
    }
    // Append keeps what was there; without a string the result is a pooled one.
    out->setText(L"x:");
    u08->toText(out.get(), true);
    EXPECT_EQ(L"x:s_col__array_ArrayU08 [1 2 255]", tests::text(out.get()));
    Pooled<s::str::strbuffer::StrBuffer> fresh(u08->contentXml(nullptr, false));
    EXPECT_EQ(L"0102ff", tests::text(fresh.get()));
    EXPECT_STREQ(L"s_col__array_ArrayU08", u08->className());
}

TEST(ArrayBase, DigestOfTheElementBytes) {
    Pooled<ArrayU08> a;
    a->add(1);
    a->add(2);
    a->add(255);
    Pooled<s::str::strbuffer::StrBuffer> hex(a->digest(nullptr, nullptr, false));
    EXPECT_EQ(L"4f989b1ac8e4fab115696571104cfb67", tests::text(hex.get()));
    Pooled<ArrayS32> b;
    b->add(-1);
    b->add(2);
    b->digest(nullptr, hex.get(), false);
    EXPECT_EQ(L"6d0765c212864d02e465c106c54a5cb7", tests::text(hex.get()));
}

TEST(ArrayBase, CompareToAndIndexOf) {
    Pooled<ArrayS32> a, b;
    Pooled<ArrayU08> c;
    fill(*a, {1, -2});
    fill(*b, {1, 3});
    EXPECT_EQ(-1, a->compareTo(b.get())) << "pairwise, signed";
    fill(*b, {0, 0, 0});
    EXPECT_EQ(-1, a->compareTo(b.get())) << "the smaller count first";
    fill(*b, {1, -2});
    EXPECT_TRUE(a->equals(b.get()));
    EXPECT_NE(0, a->compareTo(c.get())) << "other element size";
    int32_t at = 5;
    EXPECT_TRUE(a->indexOf(-2, &at));
    EXPECT_EQ(1, at);
    EXPECT_FALSE(a->indexOf(7, &at));
    EXPECT_EQ(-1, at);
}

// The stream side: one byte position, the count in whole elements.
TEST(ArrayBase, StreamSide) {
    Pooled<ArrayS32> a;
    const uint8_t bytes[] = {0x11, 0x22, 0x33, 0x44, 0x55};
    uint32_t n = 99;
    EXPECT_TRUE(a->write(bytes, 3, &n));
    EXPECT_EQ(3u, n);
    EXPECT_EQ(0u, a->count()) << "3 bytes are no whole element";
    EXPECT_TRUE(a->write(bytes + 3, 1, &n));
    ASSERT_EQ(1u, a->count()) << "the partly written element survives the next write";
    EXPECT_EQ(0x44332211, a->get(0));
    uint8_t in[8] = {};
    EXPECT_FALSE(a->read(in, 8, &n)) << "at the end";
    EXPECT_EQ(0u, n);
    EXPECT_TRUE(a->read(in, 0, &n)) << "a request of 0 bytes";
    EXPECT_TRUE(a->seekFromEnd(100)) << "beyond the start";
    EXPECT_EQ(0u, a->position());
    EXPECT_TRUE(a->read(in, 8, &n));
    EXPECT_EQ(4u, n);
    EXPECT_EQ(4u, a->skipBack(10)) << "back to the start only";
    EXPECT_EQ(0u, a->position());
    EXPECT_TRUE(a->seek(12));
    EXPECT_TRUE(a->write(bytes, 4, &n));
    EXPECT_EQ((Values{0x44332211, 0, 0, 0x44332211}), content(*a)) << "the gap is zeroed";
    a->close();
    EXPECT_EQ(0u, a->position());
    EXPECT_TRUE(a->seekEnd());
    EXPECT_EQ(16u, a->position());
    // A partly written element is kept when a later write leaves a gap after it.
    Pooled<ArrayS32> b;
    b->write(bytes, 3, &n);
    b->seek(8);
    b->write(bytes, 4, &n);
    EXPECT_EQ((Values{0x00332211, 0, 0x44332211}), content(*b));
    // Its own bytes, written at its end while the block is full.
    Pooled<ArrayS32> c;
    ASSERT_TRUE(c->setCapacity(2));
    fill(*c, {5, 6});
    c->seekEnd();
    EXPECT_TRUE(c->write(c->data(), 8, &n));
    EXPECT_EQ((Values{5, 6, 5, 6}), content(*c));
}

// hasNext compares a signed index with an unsigned count; iterators never step outside.
TEST(ArrayBase, Iterators) {
    Pooled<ArrayS32> a;
    s::col::IteratorBase* it = a->iterator();
    EXPECT_FALSE(it->hasNext()) << "empty";
    EXPECT_EQ(nullptr, it->next());
    it->release();
    a->add(10);
    it = a->iterator();
    EXPECT_EQ(-1, it->index());
    EXPECT_TRUE(it->hasNext()) << "a fresh iterator over one element";
    EXPECT_EQ(10, *static_cast<int32_t*>(it->next()));
    EXPECT_EQ(0, it->index());
    EXPECT_FALSE(it->hasNext());
    it->release();
    a->add(20);
    a->add(30);
    it = a->iteratorAt(1);
    EXPECT_EQ(20, *static_cast<int32_t*>(it->next()));
    it->release();
    it = a->iteratorAtEnd();
    EXPECT_TRUE(it->hasPrevious());
    EXPECT_EQ(30, *static_cast<int32_t*>(it->previous()));
    it->release();
    it = a->iteratorFromEnd(2);
    EXPECT_EQ(20, *static_cast<int32_t*>(it->next()));
    a->dropLast(2);
    EXPECT_EQ(nullptr, it->next()) << "the array shrank under the iterator";
    it->release();
    EXPECT_EQ(nullptr, a->elementAt(1));
    EXPECT_EQ(10, *static_cast<int32_t*>(a->elementAt(0)));
    it = a->iterator();
    EXPECT_STREQ(L"s_col_array_Iterator", it->classId());
    it->release();
}

TEST(ArrayBase, PoolResetFreesTheBlock) {
    ArrayS32* a = s::thread::Pool<ArrayS32>::obtain();
    a->add(1);
    a->releaseToPool();
    ArrayS32* again = s::thread::Pool<ArrayS32>::obtain();
    EXPECT_EQ(a, again);
    EXPECT_EQ(0u, again->count());
    EXPECT_EQ(0u, again->capacity());
    EXPECT_EQ(0u, again->position());
    again->releaseToPool();
    Pooled<ArrayU08> u;
    ASSERT_EQ(5u, u->sampleCount());
    EXPECT_EQ(4, static_cast<const uint8_t*>(u->sampleElements())[4]);
}

}  // namespace
