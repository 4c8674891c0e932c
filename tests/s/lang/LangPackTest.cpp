// tests/s/lang/LangPackTest.cpp
#include <gtest/gtest.h>

#include <string>

#include "FakeLangSystem.h"
#include "s/lang/LangPack.h"
#include "support/Pooled.h"

namespace {

using s::lang::LangPack;
using tests::Pooled;

TEST(LangPack, TextsByIdInTheOrderAddedAndTheFirstOfAnIdWins) {
    Pooled<LangPack> pack;
    ASSERT_TRUE(pack->setNames(L"deu", L"German", L"Deutsch"));
    EXPECT_TRUE(pack->addText(609450, L"Bereit"));
    EXPECT_TRUE(pack->addText(400330, L"Ja"));
    EXPECT_TRUE(pack->addText(609450, L"später"));
    EXPECT_TRUE(pack->addText(1, nullptr));
    ASSERT_EQ(4u, pack->textCount());
    EXPECT_EQ(400330, pack->idAt(1));
    EXPECT_EQ(std::wstring(L"später"), pack->textAt(2));
    EXPECT_EQ(std::wstring(L"Bereit"), pack->findText(609450));
    EXPECT_EQ(std::wstring(L""), pack->findText(1));
    EXPECT_TRUE(pack->hasId(1));
    EXPECT_EQ(nullptr, pack->findText(2));
    EXPECT_EQ(nullptr, pack->textAt(4));
    EXPECT_EQ(std::wstring(L"German"), pack->englishName().cString());
    EXPECT_EQ(std::wstring(L"Deutsch"), pack->nativeName().cString());
}

TEST(LangPack, StringIdsKeepTheirFirstText) {
    Pooled<LangPack> pack;
    EXPECT_TRUE(pack->addTextById(L"title", L"Titel"));
    EXPECT_TRUE(pack->addTextById(L"title", L"zweiter"));
    EXPECT_TRUE(pack->addTextById(L"Title", L"anders geschrieben"));
    EXPECT_EQ(2u, pack->stringIdCount());
    EXPECT_EQ(std::wstring(L"Titel"), pack->findTextById(L"title"));
    EXPECT_EQ(std::wstring(L"anders geschrieben"), pack->findTextById(L"Title"));
    EXPECT_EQ(nullptr, pack->findTextById(L"none"));
    EXPECT_EQ(0u, pack->textCount());
}

TEST(LangPack, AResetPackIsEmptyAndUsableAgain) {
    LangPack* pack = s::thread::Pool<LangPack>::obtain();
    ASSERT_NE(nullptr, pack);
    pack->setNames(L"vec", L"Venetian", L"Vèneto");
    pack->addText(5, L"x");
    pack->addTextById(L"k", L"y");
    pack->resetForReuse();
    EXPECT_EQ(0u, pack->textCount());
    EXPECT_EQ(0u, pack->stringIdCount());
    EXPECT_EQ(0u, pack->tagName().length());
    EXPECT_EQ(0u, pack->englishName().length());
    EXPECT_EQ(nullptr, pack->findTextById(L"k"));
    EXPECT_TRUE(pack->addTextById(L"k", L"z"));
    EXPECT_EQ(std::wstring(L"z"), pack->findTextById(L"k"));
    pack->releaseToPool();
}

// Fonts before 6.0 lack U+019A: only the pack tagged exactly "vec" shows U+0142 there.
TEST(LangPack, VenetianBrokenLIsRepairedOnlyOnOlderSystems) {
    const std::wstring stored = L"\u019Aengua \u019Ae carte\u019Ae";
    const std::wstring repaired = L"\u0142engua \u0142e carte\u0142e";
    struct Row {
        const char* why;
        const wchar_t* tag;
        bool older;
        const std::wstring* expected;
    } const rows[] = {
        {"Venetian, older system", L"vec", true, &repaired},
        {"Venetian, current system", L"vec", false, &stored},
        {"another pack, older system", L"ita", true, &stored},
        {"the tag compares exactly", L"VEC", true, &stored},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        tests::FakeLangSystem system(L"English", row.older);
        Pooled<LangPack> pack;
        pack->setNames(row.tag, L"Venetian", L"Vèneto");
        pack->addText(1, stored.c_str());
        pack->addTextById(L"s", stored.c_str());
        EXPECT_EQ(*row.expected, pack->findText(1));
        EXPECT_EQ(*row.expected, pack->findTextById(L"s"));
    }
}

}  // namespace
