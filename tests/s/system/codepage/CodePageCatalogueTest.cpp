// tests/s/system/codepage/CodePageCatalogueTest.cpp
//
// The catalogue under Wine: what it lists, its order, that it is built once (also when
// several threads ask first), and round trips through every page it lists.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "s/col/_array/ArrayU08.h"
#include "s/system/codepage/CodePageCatalogue.h"
#include "support/Pooled.h"

namespace {

using s::col::_array::ArrayU08;
using s::str::strbuffer::StrBuffer;
using s::system::codepage::CodePage;
using s::system::codepage::CodePageCatalogue;
using s::system::codepage::kKnownCodePages;
using tests::Pooled;

const CodePage* pageAt(const CodePageCatalogue& catalogue, uint32_t i) {
    return catalogue.pages().item<CodePage>(i);
}

const CodePage* listed(const CodePageCatalogue& catalogue, int32_t number) {
    for (uint32_t i = 0; i < catalogue.pages().count(); ++i)
        if (pageAt(catalogue, i)->number() == number) return pageAt(catalogue, i);
    return nullptr;
}

int listedTimes(const CodePageCatalogue& catalogue, int32_t number) {
    int times = 0;
    for (uint32_t i = 0; i < catalogue.pages().count(); ++i) times += pageAt(catalogue, i)->number() == number;
    return times;
}

// The names are the library's own, letter for letter (misspelt "Vetnamese" included): the
// digest is of "number name\n" per row, in number order, as UTF-16LE.
TEST(CodePageCatalogue, KnownTableIsVerbatim) {
    ASSERT_EQ(43u, s::system::codepage::kKnownCodePageCount);
    Pooled<StrBuffer> rows;
    for (const auto& page : kKnownCodePages) {
        rows->appendInt32(page.number);
        rows->appendChar(L' ');
        rows->appendText(page.name);
        rows->appendChar(L'\n');
    }
    Pooled<StrBuffer> digest(rows->digest(nullptr, nullptr, false));
    EXPECT_EQ(L"a025c1f22576e19a7d17561714e44c6e", tests::text(digest.get()));
    EXPECT_STREQ(L"Vetnamese (Windows-1258)", kKnownCodePages[20].name);
}

TEST(CodePageCatalogue, ListsKnownSupportedPagesSortedByName) {
    CodePageCatalogue& catalogue = s::system::codepage::codePageCatalogue();
    ASSERT_TRUE(s::system::codepage::loadCodePageCatalogue());
    const uint32_t n = catalogue.pages().count();
    ASSERT_GT(n, 2u);

    EXPECT_EQ(1, listedTimes(catalogue, 1200)) << "forced in when the system does not enumerate it";
    EXPECT_EQ(1, listedTimes(catalogue, 1201));
    ASSERT_NE(nullptr, catalogue.utf16());
    EXPECT_EQ(listed(catalogue, 1200), catalogue.utf16());
    EXPECT_EQ(L"UTF-16", tests::text(&catalogue.utf16()->name()));
    EXPECT_EQ(listed(catalogue, 1201), catalogue.utf16BigEndian());
    EXPECT_EQ(L"UTF-16BE", tests::text(&catalogue.utf16BigEndian()->name()));
    EXPECT_EQ(nullptr, listed(catalogue, 437)) << "supported, but not a known page";

    std::map<int32_t, std::wstring> known;
    for (const auto& page : kKnownCodePages) known[page.number] = page.name;
    for (uint32_t i = 0; i < n; ++i) {
        const CodePage* page = pageAt(catalogue, i);
        SCOPED_TRACE(testing::Message() << "page " << page->number());
        ASSERT_EQ(1u, known.count(page->number())) << "only known pages";
        EXPECT_EQ(known[page->number()], tests::text(&page->name())) << "under the library's own name";
        EXPECT_EQ(1, listedTimes(catalogue, page->number()));
        if (i > 0) {
            EXPECT_LT(pageAt(catalogue, i - 1)->name().compareToIgnoreCase(&page->name()), 0);
        }
    }

    const CodePage* arabic = listed(catalogue, 1256);
    const CodePage* baltic = listed(catalogue, 28594);
    ASSERT_TRUE(arabic && baltic);
    EXPECT_LT(arabic->name().compareToIgnoreCase(&baltic->name()), 0);
    EXPECT_EQ(L"Arabic (Windows-1256)", tests::text(&pageAt(catalogue, 0)->name())) << "first by name";
}

TEST(CodePageCatalogue, SecondLoadDoesNotEnumerateAgain) {
    CodePageCatalogue catalogue;
    EXPECT_FALSE(catalogue.isLoaded());
    EXPECT_EQ(0u, catalogue.pages().count());
    ASSERT_TRUE(catalogue.load());
    const uint32_t n = catalogue.pages().count();
    const CodePage* first = pageAt(catalogue, 0);
    EXPECT_TRUE(catalogue.load());
    EXPECT_EQ(1u, catalogue.enumerationCount());
    EXPECT_EQ(n, catalogue.pages().count());
    EXPECT_EQ(first, pageAt(catalogue, 0));
}

// Threads released together all ask a fresh catalogue first; each round builds one list.
TEST(CodePageCatalogue, ConcurrentFirstLoadsBuildOneCatalogue) {
    ASSERT_TRUE(s::system::codepage::loadCodePageCatalogue());
    const uint32_t expected = s::system::codepage::codePageCatalogue().pages().count();
    constexpr int kThreads = 8;
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        CodePageCatalogue catalogue;
        std::atomic<int> waiting{kThreads};
        std::atomic<int> loaded{0};
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&] {
                waiting.fetch_sub(1);
                while (waiting.load() > 0) continue;  // spin: yielding lets the first one finish alone
                if (catalogue.load() && catalogue.pages().count() == expected) loaded.fetch_add(1);
            });
        for (std::thread& thread : threads) thread.join();
        EXPECT_EQ(kThreads, loaded.load()) << "every caller sees the whole list";
        EXPECT_EQ(1u, catalogue.enumerationCount());
        EXPECT_EQ(1, listedTimes(catalogue, 1200));
        EXPECT_EQ(1, listedTimes(catalogue, 1201));
    }
}

// Text each page can hold; pages without a row use ASCII.
const std::map<int32_t, std::wstring>& samples() {
    static const std::map<int32_t, std::wstring> table = {
        {850, L"Caf\u00E9 Stra\u00DFe"},
        {852, L"\u0141\u00F3d\u017A \u017Dlu\u0165ou\u010Dk\u00FD k\u016F\u0148"},
        {855, L"\u041F\u0440\u0438\u0432\u0435\u0442"},
        {857, L"\u0130stanbul \u011F\u00FC\u015F\u00E7"},
        {866, L"\u041F\u0440\u0438\u0432\u0435\u0442 \u043C\u0438\u0440"},
        {874, L"\u0E2A\u0E27\u0E31\u0E2A\u0E14\u0E35"},
        {932, L"\u65E5\u672C\u8A9E\u30C6\u30AD\u30B9\u30C8"},
        {936, L"\u4E2D\u6587\u7B80\u4F53"},
        {949, L"\uD55C\uAD6D\uC5B4"},
        {950, L"\u4E2D\u6587\u7E41\u9AD4"},
        {1200, L"UTF-16 \u65E5\u672C \U0001F600"},
        {1201, L"UTF-16BE \u65E5\u672C \U0001F600"},
        {1250, L"\u0141\u00F3d\u017A \u017Dlu\u0165ou\u010Dk\u00FD k\u016F\u0148"},
        {1251, L"\u041F\u0440\u0438\u0432\u0435\u0442"},
        {1252, L"Caf\u00E9 \u20AC Stra\u00DFe"},
        {1253, L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC"},
        {1254, L"\u0130stanbul \u011F\u00FC\u015F\u00E7"},
        {1255, L"\u05E9\u05DC\u05D5\u05DD"},
        {1256, L"\u0645\u0631\u062D\u0628\u0627"},
        {1257, L"\u0104\u017Euolas \u0117\u0173\u016B"},
        {1258, L"\u0110\u00E0 \u01A1 \u01B0 \u20AB"},
        {1361, L"\uD55C\uAD6D\uC5B4"},
        {20866, L"\u041F\u0440\u0438\u0432\u0435\u0442"},
        {20932, L"\u65E5\u672C\u8A9E"},
        {21866, L"\u0423\u043A\u0440\u0430\u0457\u043D\u0430 \u0491"},
        {28591, L"Caf\u00E9 Stra\u00DFe"},
        {28592, L"\u0141\u00F3d\u017A \u017Dlu\u0165ou\u010Dk\u00FD k\u016F\u0148"},
        {28594, L"\u0104\u017Euolas \u0117\u0173\u016B"},
        {28595, L"\u041F\u0440\u0438\u0432\u0435\u0442"},
        {28597, L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC"},
        {28599, L"\u0130stanbul \u011F\u00FC\u015F\u00E7"},
        {28605, L"Caf\u00E9 \u20AC Stra\u00DFe"},
        {65001, L"Gr\u00FC\u00DFe \u65E5\u672C \U0001F600"},
    };
    return table;
}

TEST(CodePageCatalogue, EveryListedPageRoundTrips) {
    CodePageCatalogue& catalogue = s::system::codepage::codePageCatalogue();
    ASSERT_TRUE(catalogue.load());
    for (uint32_t i = 0; i < catalogue.pages().count(); ++i) {
        const CodePage* page = pageAt(catalogue, i);
        SCOPED_TRACE(testing::Message() << "page " << page->number());
        auto row = samples().find(page->number());
        const std::wstring text = L"Plain text 123, " + (row == samples().end() ? L"" : row->second);
        Pooled<StrBuffer> original;
        original->append(text.data(), static_cast<int32_t>(text.size()));
        Pooled<ArrayU08> bytes(original->toCodePage(page, nullptr, false));
        ASSERT_NE(nullptr, bytes.get());
        EXPECT_GT(bytes->count(), 15u);
        Pooled<StrBuffer> back;
        ASSERT_TRUE(back->setFromCodePage(page, bytes->data(), false, static_cast<int32_t>(bytes->count())));
        EXPECT_EQ(text, tests::text(back.get()));
    }
}

// The conversions really use each page: a character per page with its known bytes.
TEST(CodePageCatalogue, ListedPagesGiveTheirOwnBytes) {
    struct Row {
        int32_t number;
        const wchar_t* text;
        std::vector<uint8_t> bytes;
    } rows[] = {
        {850, L"\u00E9", {0x82}},          {866, L"\u041F", {0x8F}},   {1251, L"\u041F", {0xCF}},
        {1252, L"\u20AC", {0x80}},         {20866, L"\u041F", {0xF0}}, {28605, L"\u20AC", {0xA4}},
        {932, L"\u65E5", {0x93, 0xFA}},    {1200, L"A", {0x41, 0x00}}, {1201, L"A", {0x00, 0x41}},
    };
    CodePageCatalogue& catalogue = s::system::codepage::codePageCatalogue();
    ASSERT_TRUE(catalogue.load());
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "page " << row.number);
        const CodePage* page = listed(catalogue, row.number);
        ASSERT_NE(nullptr, page);
        Pooled<StrBuffer> s(s::str::strbuffer::newStrBuffer(row.text));
        Pooled<ArrayU08> bytes(s->toCodePage(page, nullptr, false));
        ASSERT_NE(nullptr, bytes.get());
        EXPECT_EQ(row.bytes, std::vector<uint8_t>(bytes->data(), bytes->data() + bytes->count()));
    }
}

// A code-page conversion is the catalogue's first use (each test runs in its own process).
TEST(CodePageCatalogue, StringConversionsLoadIt) {
    Pooled<CodePage> page(s::system::codepage::newCodePage(1252, L"page"));
    Pooled<StrBuffer> s(s::str::strbuffer::newStrBuffer(L"x"));
    Pooled<ArrayU08> bytes(s->toCodePage(page.get(), nullptr, false));
    EXPECT_TRUE(s::system::codepage::codePageCatalogue().isLoaded());
}

}  // namespace
