// tests/s/str/strarray/StrArrayTest.cpp
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "s/col/_array/ArrayU08.h"
#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "support/Pooled.h"

namespace {

using s::col::_array::ArrayU08;
using s::str::strarray::StrArray;
using s::str::strbuffer::StrBuffer;
using tests::Pooled;
using Bytes = std::vector<uint8_t>;

std::vector<std::wstring> strings(const StrArray& list) {
    std::vector<std::wstring> out;
    for (uint32_t i = 0; i < list.count(); ++i) out.push_back(tests::text(list.at(i)));
    return out;
}

Bytes bytesOf(const ArrayU08& a) { return Bytes(a.data(), a.data() + a.count()); }

TEST(StrArray, ToMultiString) {
    struct Row {
        const char* why;
        std::vector<const wchar_t*> strings;
        Bytes bytes;
    } const rows[] = {
        {"two strings", {L"a", L"bc"}, {'a', 0, 0, 0, 'b', 0, 'c', 0, 0, 0, 0, 0}},
        {"an empty list gives two zero units", {}, {0, 0, 0, 0}},
        {"one empty string", {L""}, {0, 0, 0, 0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Pooled<StrArray> list;
        for (const wchar_t* s : r.strings) ASSERT_TRUE(list->addString(s));
        Pooled<ArrayU08> bytes;
        bytes->add(9);
        ASSERT_EQ(bytes.get(), list->toMultiString(bytes.get()));
        EXPECT_EQ(r.bytes, bytesOf(*bytes)) << "the old content is overwritten";
    }
}

TEST(StrArray, FromMultiString) {
    struct Row {
        const char* why;
        Bytes bytes;
        std::vector<std::wstring> strings;
    } const rows[] = {
        {"two strings", {'a', 0, 0, 0, 'b', 0, 'c', 0, 0, 0, 0, 0}, {L"a", L"bc"}},
        {"four zero bytes give one empty string", {0, 0, 0, 0}, {L""}},
        {"no pair of zero units leaves the list empty", {'a', 0, 'b', 0}, {}},
        {"fewer than two units", {0, 0}, {}},
        {"an odd byte count", {'a', 0, 0, 0, 0, 0, 0x41}, {L"a"}},
        {"what follows the first empty run is ignored", {'a', 0, 0, 0, 0, 0, 'b', 0, 0, 0, 0, 0}, {L"a"}},
        {"a leading zero unit gives an empty first string", {0, 0, 'x', 0, 0, 0, 0, 0}, {L"", L"x"}},
        {"a unit above 255", {0xAC, 0x20, 0, 0, 0, 0}, {L"\x20AC"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Pooled<StrArray> list;
        list->addString(L"old");
        Pooled<ArrayU08> bytes;
        bytes->append(r.bytes.data(), static_cast<uint32_t>(r.bytes.size()), 0);
        list->fromMultiString(bytes.get());
        EXPECT_EQ(r.strings, strings(*list));
    }
}

TEST(StrArray, FindAndOwnership) {
    Pooled<StrArray> list;
    list->addString(L"one");
    list->addString(L"ABC");
    Pooled<StrBuffer> key(s::str::strbuffer::newStrBuffer(L"abc"));
    int32_t index = 77;
    EXPECT_TRUE(list->find(key.get(), &index));
    EXPECT_EQ(1, index);
    key->setText(L"two");
    EXPECT_FALSE(list->find(key.get(), &index));
    EXPECT_EQ(1, index) << "a miss leaves the index";
    EXPECT_FALSE(list->addBuffer(nullptr));
    StrBuffer* handed = s::str::strbuffer::newStrBuffer(L"mine");
    ASSERT_TRUE(list->addBuffer(handed));
    EXPECT_EQ(handed, list->at(2));
    // Emptying the list gives the strings back to their pool.
    const uint32_t kept = s::thread::Pool<StrBuffer>::pooler().keptCount();
    list->reset();
    EXPECT_EQ(0u, list->count());
    EXPECT_EQ(kept + 3, s::thread::Pool<StrBuffer>::pooler().keptCount());
    StrArray* raw = s::thread::Pool<StrArray>::obtain();
    raw->addString(L"again");
    const uint32_t before = s::thread::Pool<StrBuffer>::pooler().keptCount();
    raw->releaseToPool();
    EXPECT_EQ(before + 1, s::thread::Pool<StrBuffer>::pooler().keptCount()) << "the pool reset returned it";
    StrArray* fresh = s::thread::Pool<StrArray>::obtain();
    EXPECT_EQ(raw, fresh);
    EXPECT_EQ(0u, fresh->count());
    EXPECT_STREQ(L"s_str_strarray_StrArray", fresh->classId());
    fresh->addString(L"deleted with the list");
    delete fresh;
}

}  // namespace
