// tests/s/lang/PackResourceTest.cpp
//
// The program's own pack (resources/lang.xml), embedded in this test program as the
// program stores it: resource "IDR_XML" 130, language 0.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "../archive/ArchiveFixture.h"
#include "FakeLangSystem.h"
#include "s/lang/LangPack.h"
#include "s/lang/Localizer.h"
#include "s/xml/Node.h"
#include "support/Pooled.h"

namespace {

using s::lang::LangPack;
using s::lang::Localizer;
using tests::Pooled;

// The localizer of the running test program's resource, read through its module archive.
Localizer* ownLocalizer(const wchar_t* type, uint16_t id) {
    const tests::archive::OpenArchive program(tests::archive::ownProgram());
    return s::lang::newLocalizerFromResource(program.get(), type, id);
}

const uint16_t kPackId = 130;
const uint16_t kDamagedId = 131;
const uint16_t kUsEnglishPackId = 132;

struct Language {
    const wchar_t* tag;
    const wchar_t* english;
    const wchar_t* native;
    bool partial;
};

const Language kLanguages[] = {
    {L"eng", L"English", L"English", false},
    {L"ara", L"Arabic", L"\u0639\u0631\u0628\u064A", false},
    {L"ind", L"Indonesian", L"Bahasa Indonesia", false},
    {L"bel", L"Belarusian", L"\u0411\u0435\u043B\u0430\u0440\u0443\u0441\u043A\u0456", false},
    {L"bul", L"Bulgarian", L"\u0411\u044A\u043B\u0433\u0430\u0440\u0441\u043A\u0438", false},
    {L"hrv", L"Croatian", L"Hrvatski", false},
    {L"cze", L"Czech", L"Cestina", false},
    {L"zhs", L"Chinese_Simplified", L"\u7B80\u4F53\u4E2D\u6587", false},
    {L"zht", L"Chinese_Traditional", L"\u7E41\u9AD4\u4E2D\u6587", false},
    {L"dan", L"Danish", L"Dansk", false},
    {L"nld", L"Dutch", L"Nederlands", false},
    {L"est", L"Estonian", L"Eesti", false},
    {L"fin", L"Finnish", L"Suomeksi", false},
    {L"deu", L"German", L"Deutsch", false},
    {L"ell", L"Greek", L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC", false},
    {L"spa", L"Spanish", L"Espa\u00F1ol", false},
    {L"fra", L"French", L"Fran\u00E7ais", false},
    {L"heb", L"Hebrew", L"\u05E2\u05D1\u05E8\u05D9\u05EA", false},
    {L"hin", L"Hindi", L"\u0939\u093F\u0902\u0926\u0940", false},
    {L"ita", L"Italian", L"Italiano", false},
    {L"jpn", L"Japanese", L"\u65E5\u672C\u8A9E", false},
    {L"kor", L"Korean", L"\uD55C\uAD6D\uC5B4", false},
    {L"hun", L"Hungarian", L"Magyar", false},
    {L"nor", L"Norwegian", L"Norsk", false},
    {L"per", L"Persian", L"\u0641\u0627\u0631\u0633\u06CC", false},
    {L"pol", L"Polish", L"Polski", false},
    {L"por", L"Portuguese", L"Portugu\u00EAs", false},
    {L"bra", L"Portuguese_Brazilian", L"Portugus Brasileiro", false},
    {L"rom", L"Romanian", L"Rom\u00E2n\u0103", false},
    {L"rus", L"Russian", L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439", false},
    {L"cpn", L"Serbian_Cyrillic", L"\u0421\u0440\u043F\u0441\u043A\u0438", false},
    {L"slk", L"Slovak", L"Slovensky", false},
    {L"slv", L"Slovenian", L"Slovenski", false},
    {L"swe", L"Swedish", L"Svenska", false},
    {L"tha", L"Thai", L"\u0E44\u0E17\u0E22", false},
    {L"tur", L"Turkish", L"T\u00FCrk\u00E7e", false},
    {L"ukr", L"Ukrainian", L"\u0423\u043A\u0440\u0430\u0457\u043D\u0441\u044C\u043A\u0430", false},
    {L"vie", L"Vietnamese", L"Vi\u1EC7t Nam", false},
    {L"srp", L"Serbian_Latin", L"Srpski (Partial)", true},
    {L"vec", L"Venetian", L"V\u00E8neto (vec-to) (Partial)", true},
};
const uint32_t kLanguageCount = sizeof kLanguages / sizeof kLanguages[0];

// The ids of the pack in document order, as the interface knows them.
const int32_t kIds[] = {
    100000, 101000, 105000, 106000, 107000, 108000, 108100, 108200, 108500, 300000, 400010,
    400020, 400030, 400050, 400080, 400100, 400110, 400120, 400200, 400210, 400220, 400230,
    400300, 400310, 400320, 400330, 400340, 400380, 400390, 500000, 500001, 500002, 500003,
    500004, 500006, 500010, 500020, 500030, 500050, 500051, 500052, 500089, 500090, 500100,
    500101, 500102, 608000, 608010, 608100, 608210, 608220, 608225, 608230, 608240, 608250,
    609000, 609100, 609200, 609300, 609350, 609400, 609420, 609430, 609440,
    609450, 609460, 700000, 700001, 701000, 701100, 701200, 701300, 1000000, 1001000, 1002000,
    1003000, 1004000, 1005000, 1006000, 1006050, 1006060, 1006070, 1006080, 1006085, 1006090,
    1100000, 1100100, 1100200, 1100300, 1200000, 1200100, 1200101, 1200200, 1200201, 1200300,
    1200301, 1200400, 1200401, 1200901, 1200902, 1200903, 1200904, 1500000, 1500010,
    2010000000, 2010001000,
};
// Beside them: the text of an output folder that cannot be used.
const int32_t kOutputFolderText = 608299;

// Names of the maker and the product, web addresses, the version and the date, and the name
// of the output subfolder: the same in every language.
const std::set<int32_t> kSameEverywhere = {100000, 101000, 106000, 108000, 108200, 108500, 300000, 500000,
                                           500002, 500003, 500004, 500006, 500010, 500020, 500100, 608225};

// A translated text that is rightly the English word in that language.
const std::set<std::pair<std::wstring, int32_t>> kSameWord = {
#include "SameWords.inc"
};

// The pack document as this program stores it: parsed, each entry's texts by tag.
struct Document {
    Document() {
        HMODULE self = GetModuleHandleW(nullptr);
        HRSRC found = FindResourceExW(self, L"IDR_XML", MAKEINTRESOURCEW(kPackId), 0);
        if (!found) return;
        const void* bytes = LockResource(LoadResource(self, found));
        if (!bytes || !root->parseBytes(static_cast<const uint8_t*>(bytes), SizeofResource(self, found))) return;
        const s::xml::Node* entries = root->childByName(L"entries", -1);
        for (uint32_t i = 0; entries && i < entries->childCount(); ++i) {
            const s::xml::Node* entry = entries->childAt(i);
            s::str::strbuffer::StrBuffer text;
            entry->getUnescapedText(L"id", &text, false, L"");
            const int32_t id = text.toInt();
            ids.push_back(id);
            for (uint32_t c = 0; c < entry->childCount(); ++c) {
                entry->childAt(c)->getUnescapedText(L"", &text, false, L"");
                std::wstring tag = entry->childAt(c)->name();
                if (c == 0) firstTags.push_back(tag);
                texts[id][tag] = tests::text(&text);
            }
        }
    }
    Pooled<s::xml::Node> root;
    std::vector<int32_t> ids;
    std::vector<std::wstring> firstTags;
    std::map<int32_t, std::map<std::wstring, std::wstring>> texts;
};

TEST(PackResource, FortyLanguagesInTheirOrderWithTheirNames) {
    tests::FakeLangSystem system(L"English");
    Pooled<Localizer> l(ownLocalizer(L"IDR_XML", kPackId));
    ASSERT_EQ(kLanguageCount, l->packCount());
    for (uint32_t i = 0; i < kLanguageCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::wstring(kLanguages[i].tag), l->packAt(i)->tagName().cString());
        EXPECT_EQ(std::wstring(kLanguages[i].english), l->packAt(i)->englishName().cString());
        EXPECT_EQ(std::wstring(kLanguages[i].native), l->packAt(i)->nativeName().cString());
        EXPECT_EQ(sizeof kIds / sizeof kIds[0] + 1, l->packAt(i)->textCount());
    }
    EXPECT_EQ(L"English", std::wstring(l->currentPack()->englishName().cString()));
}

TEST(PackResource, AResourceOfAnotherLanguageIsFoundToo) {
    tests::FakeLangSystem system(L"German");
    Pooled<Localizer> l(ownLocalizer(L"IDR_XML", kUsEnglishPackId));
    EXPECT_EQ(kLanguageCount, l->packCount());
    EXPECT_EQ(std::wstring(L"Bereit"), l->getText(609450));
}

TEST(PackResource, EveryIdInDocumentOrderWithItsEnglishTextFirst) {
    Document d;
    std::vector<int32_t> expected(std::begin(kIds), std::end(kIds));
    expected.insert(std::find(expected.begin(), expected.end(), 609000), kOutputFolderText);
    EXPECT_EQ(expected, d.ids);
    for (size_t i = 0; i < d.firstTags.size(); ++i) EXPECT_EQ(L"eng", d.firstTags[i]) << d.ids[i];
}

TEST(PackResource, EveryPackThatIsNotPartialHasEveryTextOfItsOwn) {
    Document d;
    ASSERT_FALSE(d.ids.empty());
    for (const Language& language : kLanguages) {
        if (language.partial) continue;
        for (int32_t id : d.ids) {
            const auto& byTag = d.texts[id];
            const auto text = byTag.find(language.tag);
            EXPECT_TRUE(text != byTag.end() && !text->second.empty())
                << testing::PrintToString(std::wstring(language.tag)) << " lacks " << id;
        }
    }
}

TEST(PackResource, NoEnglishIsLeftInATranslatedPackButNamesAndAddresses) {
    Document d;
    ASSERT_FALSE(d.ids.empty());
    for (const Language& language : kLanguages) {
        if (std::wstring(language.tag) == L"eng") continue;
        for (int32_t id : d.ids) {
            const auto& byTag = d.texts[id];
            const auto text = byTag.find(language.tag);
            if (text == byTag.end()) continue;  // a partial pack's fallback
            const bool same = text->second == byTag.at(L"eng");
            const std::string where = testing::PrintToString(std::wstring(language.tag)) + " " + std::to_string(id);
            if (kSameEverywhere.count(id)) {
                EXPECT_TRUE(same) << where << " changed";
            } else if (!kSameWord.count({language.tag, id})) {
                EXPECT_FALSE(same) << where << " is English";
            }
        }
    }
}

TEST(PackResource, TheEnglishTextsAreTheInterfacesOwn) {
    tests::FakeLangSystem system(L"English");
    Pooled<Localizer> l(ownLocalizer(L"IDR_XML", kPackId));
    const std::wstring nbsp = L"\u00A0";
    struct Row {
        int32_t id;
        std::wstring text;
    } const rows[] = {
        {300000, L"Ostrel Brakvane"},
        {400010, L"Version:"},
        {400020, L"Last Updated:"},
        {400050, L"License:"},
        {400080, L"URL:"},
        {400100, L"Version Information"},
        {400120, L"Close"},
        {400210, L"There is improved version available."},
        {400230, L"Would you like to check it out?"},
        {400300, L"Confirmation Dialog"},
        {400320, L"Are you sure you want to proceed this operation?"},
        {400330, L"Yes"},
        {400340, L"No"},
        {400380, L"Don't ask me again"},
        {400390, L"Ask Confirmation"},
        {500010, L"1.23"},
        {107000, L"More Software from Ostrel (online)"},
        {108100, L"Using at Workplace? (online)"},
        {608299, L"The output folder is inaccessible or write-protected."},
        {609000, L"View"},
        {609100, L"Keep on Top"},
        {609200, L"Right-Click Transform"},
        {609300, L"Easy Drag"},
        {609350, L"Close By Mouse-Wheel Click"},
        {609450, L"Ready"},
        {609460, L"Done!"},
        {700000, L"Language"},
        {700001, L"Translate? (online)"},
        {701000, L"About"},
        {701100, L"Version Information"},
        {701200, L"Software Page (online)"},
        {701300, L"Tell Developers (online)"},
        {1000000, L"Keep on Top"},
        {1001000, L"Drop Box"},
        {1002000, L"Please drop file(s) / folder(s) to Shred."},
        {1003000, L"[*Unrecoverable*]"},
        {1004000, L"Method:"},
        {1005000, L"Detailed Description >>"},
        {1006000, L"<< Minimize"},
        {1006050, L"Cancel"},
        {1100000, L"Ruziruru (Vanish it!)"},
        {1100100, L"Into Ashes (Extremely Secure)"},
        {1100200, L"Extra Carefully (Even More Secure)"},
        {1100300, L"Shred Once (Usually Unrecoverable)"},
        {1200000, L"Algorithm of Choice"},
        {1200100, L"1. Overwrite all the Data (Including Cluster Tip Area and ADS) using  \"Gutmann\"  (35 Times)"},
        {1200101, L"(20 Times)"},
        {1200200, L"1. Overwrite all the Data (Including Cluster Tip Area and ADS) using  "
                  L"\"US DoD 5220.22-M (8-306. / E, C and E)\"  (7 Times)"},
        {1200201, L"(15 Times)"},
        {1200300, L"1. Overwrite all the Data (Including Cluster Tip Area and ADS) using  "
                  L"\"US DoD 5220.22-M (8-306. / E)\"  (3 Times)"},
        {1200301, L"(7 Times)"},
        {1200400, L"1. Overwrite all the Data (Including Cluster Tip Area and ADS) using  \"Pseudo-Random\"  (Once)"},
        {1200401, L"(Twice)"},
        {1200901, L"2. Change File Size (0 at the end)" + nbsp},
        {1200902, L"3. Change File Name" + nbsp},
        {1200903, L"4. Change File Attribute" + nbsp},
        {1200904, L"5. Change File Timestamp" + nbsp},
        {1500000, L"Confirm File Shred"},
        {1500010, L"Are you sure you want to permanently erase the dropped item(s)?"},
    };
    for (const Row& row : rows) EXPECT_EQ(row.text, l->getText(row.id)) << row.id;
    // Any text enables the update check; the version text is regular (two digits after '.').
    EXPECT_TRUE(l->hasText(400200));
    EXPECT_EQ(std::wstring(L"http://"), std::wstring(l->getText(500006)).substr(0, 7));
    EXPECT_EQ(L'/', std::wstring(l->getText(500006)).back());
}

TEST(PackResource, VenetianShowsTheOlderLetterOnlyOnOlderSystems) {
    for (bool older : {false, true}) {
        SCOPED_TRACE(older ? "older" : "current");
        tests::FakeLangSystem system(L"Venetian", older);
        Pooled<Localizer> l(ownLocalizer(L"IDR_XML", kPackId));
        const LangPack* vec = l->currentPack();
        ASSERT_EQ(L"vec", std::wstring(vec->tagName().cString()));
        uint32_t stored = 0, repaired = 0;
        for (uint32_t i = 0; i < vec->textCount(); ++i)
            for (const wchar_t* c = vec->textAt(i); *c; ++c) {
                stored += *c == LangPack::kVenetianL;
                repaired += *c == LangPack::kOlderSystemsL;
            }
        EXPECT_EQ(older ? 0u : 1u, stored > 0 ? 1u : 0u);
        EXPECT_EQ(older ? 1u : 0u, repaired > 0 ? 1u : 0u);
    }
}

TEST(PackResource, AMissingOrDamagedResourceGivesEmptyTexts) {
    tests::FakeLangSystem system(L"English");
    struct Row {
        const char* why;
        const wchar_t* type;
        uint16_t id;
    } const rows[] = {
        {"no such id", L"IDR_XML", 999},
        {"no such type", L"IDR_JPG", kPackId},
        {"not a pack", L"IDR_XML", kDamagedId},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Pooled<Localizer> l(ownLocalizer(row.type, row.id));
        ASSERT_NE(nullptr, l.get());
        EXPECT_EQ(0u, l->packCount());
        EXPECT_EQ(std::wstring(L""), l->getText(609450));
        EXPECT_FALSE(l->hasText(609450));
        l->setLanguageByIndex(0);
        l->setLanguage(L"German");
    }
    Pooled<Localizer> none(ownLocalizer(nullptr, kPackId));
    EXPECT_EQ(0u, none->packCount());
}

}  // namespace
