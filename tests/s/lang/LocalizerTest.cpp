// tests/s/lang/LocalizerTest.cpp
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "FakeLangSystem.h"
#include "s/gui/events/IEventListener.h"
#include "s/lang/LangPack.h"
#include "s/lang/Localizer.h"
#include "s/xml/Node.h"
#include "support/Pooled.h"

namespace {

using s::lang::LangPack;
using s::lang::Localizer;
using tests::Pooled;

// Five languages; entries that test fallback, case, escapes, notes and repeated ids.
const wchar_t kDocument[] =
    L"<lang><languages>\n"
    L"<entry tagName=\"eng\" engName=\"English\" trueName=\"English\"></entry>\n"
    L"<entry tagName=\"deu\" engName=\"German\" trueName=\"Deutsch\"></entry>\n"
    L"<entry tagName=\"zht\" engName=\"Chinese_Traditional\" trueName=\"\u7E41\u9AD4\u4E2D\u6587\"></entry>\n"
    L"<entry tagName=\"bra\" engName=\"Portuguese_Brazilian\" trueName=\"Portugus Brasileiro\"></entry>\n"
    L"<entry tagName=\"srp\" engName=\"Serbian_Latin\"></entry>\n"
    L"</languages><entries>\n"
    L"<entry id=\"609450\">the status text<eng>Ready</eng><deu>Bereit</deu><bra>Pronto</bra></entry>\n"
    L"<entry id=\"1006000\"><eng>&lt;&lt; Minimize</eng><DEU>&lt;&lt; Verkleinern</DEU></entry>\n"
    L"<entry id=\"500000\"><eng>Brakvane</eng></entry>\n"
    L"<entry id=\"42\"><xyz>first child of no pack</xyz><deu>zweiundvierzig</deu></entry>\n"
    L"<entry id=\"title\"><eng>Title</eng><deu>Titel</deu></entry>\n"
    L"<entry id=\"609450\"><eng>again</eng><zht>\u518D\u6B21</zht></entry>\n"
    L"<entry id=\"7\"><deu>erste</deu><deu>zweite</deu></entry>\n"
    L"<entry id=\"8\"><eng></eng><deu>acht</deu></entry>\n"
    L"<other id=\"9\"><eng>not an entry</eng></other>\n"
    L"</entries></lang>";

class Loaded {
public:
    explicit Loaded(const wchar_t* document = kDocument) {
        if (m_root->parse(document)) m_localizer->loadXml(m_root.get());
    }
    Localizer* operator->() const { return m_localizer.get(); }
    Localizer* get() const { return m_localizer.get(); }

private:
    Pooled<s::xml::Node> m_root;
    Pooled<Localizer> m_localizer;
};

std::wstring nameOf(const LangPack* pack) { return pack ? pack->englishName().cString() : L"(none)"; }

TEST(Localizer, LanguagesInDocumentOrderWithTheirNames) {
    tests::FakeLangSystem system(L"English");
    Loaded l;
    ASSERT_EQ(5u, l->packCount());
    EXPECT_EQ(L"eng", std::wstring(l->packAt(0)->tagName().cString()));
    EXPECT_EQ(L"Portuguese_Brazilian", nameOf(l->packAt(3)));
    EXPECT_EQ(L"Portugus Brasileiro", std::wstring(l->packAt(3)->nativeName().cString()));
    EXPECT_EQ(L"", std::wstring(l->packAt(4)->nativeName().cString()));  // a missing attribute
    EXPECT_EQ(l->packAt(1), l->findByTag(L"DEU"));
    EXPECT_EQ(nullptr, l->findByTag(L"fra"));
}

TEST(Localizer, LanguageZeroLookups) {
    tests::FakeLangSystem system(L"English");
    Loaded l;
    EXPECT_EQ(std::wstring(L"Ready"), l->getText(609450));
    EXPECT_EQ(std::wstring(L"<< Minimize"), l->getText(1006000));
    EXPECT_EQ(std::wstring(L"Brakvane"), l->getText(500000));
    EXPECT_EQ(std::wstring(L"first child of no pack"), l->getText(42));
    EXPECT_EQ(0, l->currentIndex());
    EXPECT_TRUE(l->hasText(609450));
    EXPECT_FALSE(l->hasText(8));  // present, but empty
    EXPECT_FALSE(l->hasText(9));  // only under an element that is no entry
    EXPECT_EQ(std::wstring(L""), l->getText(123456));
    EXPECT_FALSE(l->hasText(123456));
    EXPECT_EQ(std::wstring(L"Title"), l->packAt(0)->findTextById(L"title"));
}

TEST(Localizer, EveryPackEndsWithEveryIdAndTheFirstChildFillsTheGaps) {
    tests::FakeLangSystem system(L"English");
    Loaded l;
    struct Row {
        const char* why;
        uint32_t pack;
        int32_t id;
        const wchar_t* text;
    } const rows[] = {
        {"its own text", 1, 609450, L"Bereit"},
        {"tags compare ignoring case", 1, 1006000, L"<< Verkleinern"},
        {"no text: the English one", 2, 1006000, L"<< Minimize"},
        {"only English in the entry", 3, 500000, L"Brakvane"},
        {"a first child of no pack still gives the fallback", 4, 42, L"first child of no pack"},
        {"the first text of a repeated id wins", 0, 609450, L"Ready"},
        {"a later entry's text stays behind an earlier fallback", 2, 609450, L"Ready"},
        {"an id twice in one entry: the first", 1, 7, L"erste"},
        {"the first child is the fallback, whatever its language", 0, 7, L"erste"},
        {"an empty English text falls back to nothing", 2, 8, L""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const wchar_t* text = l->packAt(row.pack)->findText(row.id);
        ASSERT_NE(nullptr, text);
        EXPECT_EQ(std::wstring(row.text), text);
    }
    EXPECT_EQ(std::wstring(L"Title"), l->packAt(2)->findTextById(L"title"));
    EXPECT_EQ(std::wstring(L"Titel"), l->packAt(1)->findTextById(L"title"));
    for (uint32_t p = 0; p < l->packCount(); ++p) EXPECT_FALSE(l->packAt(p)->hasId(9)) << p;
}

TEST(Localizer, FindsLanguagesByNameAndTheirVariants) {
    tests::FakeLangSystem system(L"English");
    Loaded l;
    struct Row {
        const wchar_t* name;
        const wchar_t* found;
    } const rows[] = {
        {L"german", L"German"},
        {L"CHINESE_TRADITIONAL", L"Chinese_Traditional"},
        {L"Chinese_simplified", L"Chinese_Traditional"},  // the variant the pack has
        {L"Chinese", L"Chinese_Traditional"},
        {L"Portuguese_portugal", L"Portuguese_Brazilian"},
        {L"Portuguese", L"Portuguese_Brazilian"},
        {L"Serbian_cyrillic", L"Serbian_Latin"},
        {L"Serbian", L"Serbian_Latin"},
        {L"Klingon", L"(none)"},
        {L"", L"(none)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.name)));
        EXPECT_EQ(row.found, nameOf(l->findLanguage(row.name)));
    }
    EXPECT_EQ(nullptr, l->findLanguage(nullptr));
}

TEST(Localizer, TheSystemLanguageIsChosenOnTheFirstLookup) {
    struct Row {
        const wchar_t* system;
        const wchar_t* chosen;
    } const rows[] = {
        {L"German", L"German"},
        {L"Portuguese_portugal", L"Portuguese_Brazilian"},  // the Brazilian variant is tried first
        {L"Chinese_traditional", L"Chinese_Traditional"},
        {L"Unknown", L"English"},  // the first pack
        {L"Arabic", L"English"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.system)));
        tests::FakeLangSystem system(row.system);
        Loaded l;
        l->getText(1);
        EXPECT_EQ(row.chosen, nameOf(l->currentPack()));
    }
}

class Recorder : public s::gui::events::IEventListener {
public:
    void onEvent(void* source, int32_t code) override {
        sources.push_back(source);
        codes.push_back(code);
    }
    std::vector<void*> sources;
    std::vector<int32_t> codes;
};

TEST(Localizer, ListenersHearOfRealChangesOnly) {
    tests::FakeLangSystem system(L"English");
    Loaded l;
    Recorder first, second;
    l->addListener(&first);
    l->addListener(&second);
    l->addListener(nullptr);
    EXPECT_EQ(2u, l->listenerCount());
    l->getText(1);  // the first choice tells nobody
    l->setLanguage(L"ENGLISH");
    EXPECT_TRUE(first.codes.empty());
    l->setLanguage(L"German");
    ASSERT_EQ(1u, first.codes.size());
    EXPECT_EQ(Localizer::kLanguageChanged, first.codes[0]);
    EXPECT_EQ(static_cast<void*>(static_cast<s::gui::ITextLocalizer*>(l.get())), first.sources[0]);
    EXPECT_EQ(std::wstring(L"German"), l->currentLanguageName());
    EXPECT_EQ(1u, second.codes.size());
    EXPECT_EQ(std::wstring(L"Bereit"), l->getText(609450));
    l->setLanguage(L"german");  // the current one again
    l->setLanguageByIndex(1);
    EXPECT_EQ(1u, first.codes.size());
    l->setLanguage(L"Klingon");  // matches nothing: English
    EXPECT_EQ(L"English", nameOf(l->currentPack()));
    EXPECT_EQ(2u, first.codes.size());
    l->setLanguage(L"Portuguese");
    EXPECT_EQ(std::wstring(L"Pronto"), l->getText(609450));
    l->removeListener(&first);
    l->setLanguageByIndex(1);
    EXPECT_EQ(3u, first.codes.size());
    EXPECT_EQ(4u, second.codes.size());
}

TEST(Localizer, IndexesOutsideTheListAreIgnored) {
    tests::FakeLangSystem system(L"German");
    Loaded l;
    Recorder heard;
    l->addListener(&heard);
    for (int32_t index : {-1, -2, 5, 6, 0x7FFFFFFF}) {
        l->setLanguageByIndex(index);
        EXPECT_EQ(L"German", nameOf(l->currentPack())) << index;
    }
    EXPECT_TRUE(heard.codes.empty());
    l->setLanguageByIndex(4);
    EXPECT_EQ(L"Serbian_Latin", nameOf(l->currentPack()));
    EXPECT_EQ(1u, heard.codes.size());
}

// A component that goes away while it re-texts, optionally taking another with it.
class Leaver : public s::gui::events::IEventListener {
public:
    Leaver(Localizer* localizer, IEventListener* alsoRemove = nullptr)
        : m_localizer(localizer), m_alsoRemove(alsoRemove) {}
    void onEvent(void*, int32_t) override {
        ++calls;
        text = m_localizer->getText(609450);
        m_localizer->removeListener(this);
        if (m_alsoRemove) m_localizer->removeListener(m_alsoRemove);
    }
    int calls = 0;
    std::wstring text;

private:
    Localizer* m_localizer;
    IEventListener* m_alsoRemove;
};

TEST(Localizer, AListenerMayRemoveItselfWhileItReTexts) {
    tests::FakeLangSystem system(L"English");
    Loaded l;
    Recorder before, after, gone;
    Leaver leaver(l.get(), &gone);
    l->addListener(&before);
    l->addListener(&leaver);
    l->addListener(&after);
    l->addListener(&gone);
    l->setLanguage(L"German");
    EXPECT_EQ(1, leaver.calls);
    EXPECT_EQ(L"Bereit", leaver.text);
    EXPECT_EQ(1u, before.codes.size());
    EXPECT_EQ(1u, after.codes.size());  // the one after the leaver is still told
    EXPECT_TRUE(gone.codes.empty());    // removed during the round: not told afterwards
    EXPECT_EQ(2u, l->listenerCount());
    l->setLanguage(L"English");
    EXPECT_EQ(1, leaver.calls);
    EXPECT_EQ(2u, after.codes.size());
}

TEST(Localizer, ListenersComeAndGoFromManyThreadsDuringChanges) {
    tests::FakeLangSystem system(L"English");
    Loaded l;
    struct Shared {
        Localizer* localizer;
        Recorder listeners[8];
    };
    Shared shared{l.get(), {}};
    LPTHREAD_START_ROUTINE churn = [](void* p) WINAPI -> DWORD {
        Shared* s = static_cast<Shared*>(p);
        for (int round = 0; round < 2000; ++round)
            for (Recorder& r : s->listeners) {
                s->localizer->addListener(&r);
                s->localizer->removeListener(&r);
            }
        return 0;
    };
    HANDLE thread = CreateThread(nullptr, 0, churn, &shared, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    for (int i = 0; i < 2000; ++i) l->setLanguageByIndex(i % 2);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 60000));
    CloseHandle(thread);
    EXPECT_EQ(0u, l->listenerCount());
}

TEST(Localizer, WithoutAnyPackEveryTextIsEmptyAndNothingBreaks) {
    tests::FakeLangSystem system(L"English");
    const wchar_t* documents[] = {
        L"",                                              // nothing at all
        L"garbage without elements",                      // no root name
        L"<lang></lang>",                                 // no languages, no entries
        L"<lang><entries><entry id=\"1\"><eng>x</eng></entry></entries></lang>",  // texts of no pack
    };
    for (const wchar_t* document : documents) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(document)));
        Loaded l(document);
        Recorder heard;
        l->addListener(&heard);
        EXPECT_EQ(0u, l->packCount());
        EXPECT_EQ(std::wstring(L""), l->getText(1));
        EXPECT_FALSE(l->hasText(1));
        l->setLanguage(L"English");
        l->setLanguageByIndex(0);
        EXPECT_EQ(nullptr, l->currentPack());
        EXPECT_EQ(-1, l->currentIndex());
        EXPECT_EQ(std::wstring(L""), l->currentLanguageName());
        EXPECT_EQ(nullptr, l->findLanguage(L"English"));
        EXPECT_EQ(0u, l->languageCount());
        EXPECT_EQ(std::wstring(L""), l->captionAt(0, 1));
        EXPECT_TRUE(heard.codes.empty());
    }
    Pooled<Localizer> empty;
    empty->loadXml(nullptr);
    EXPECT_EQ(std::wstring(L""), empty->getText(1));
}

TEST(Localizer, ElementNamesCompareIgnoringCase) {
    tests::FakeLangSystem system(L"German");
    Loaded l(L"<LANG><Languages><ENTRY tagName=\"eng\" engName=\"English\"></ENTRY>"
             L"<Entry tagName=\"deu\" engName=\"German\"></Entry></Languages>"
             L"<ENTRIES><eNtRy id=\"1\"><ENG>One</ENG><Deu>Eins</Deu></eNtRy></ENTRIES></LANG>");
    ASSERT_EQ(2u, l->packCount());
    EXPECT_EQ(std::wstring(L"Eins"), l->getText(1));
}

TEST(Localizer, ALanguagesListWithoutEntriesGivesPacksWithoutTexts) {
    tests::FakeLangSystem system(L"English");
    Loaded l(L"<lang><languages><entry tagName=\"eng\" engName=\"English\"></entry></languages></lang>");
    ASSERT_EQ(1u, l->packCount());
    EXPECT_EQ(std::wstring(L""), l->getText(1));
    EXPECT_EQ(0u, l->packAt(0)->textCount());
}

TEST(Localizer, IsTheCaptionSourceOfEveryLanguage) {
    tests::FakeLangSystem system(L"English");
    Loaded l;
    const s::process::win::ICaptionSource* captions = l.get();
    ASSERT_EQ(5u, captions->languageCount());
    EXPECT_EQ(std::wstring(L"Bereit"), captions->captionAt(1, 609450));
    EXPECT_EQ(std::wstring(L"Pronto"), captions->captionAt(3, 609450));
    for (uint32_t i = 0; i < 5; ++i) EXPECT_EQ(std::wstring(L"Brakvane"), captions->captionAt(i, 500000)) << i;
    EXPECT_EQ(std::wstring(L""), captions->captionAt(5, 500000));
    EXPECT_EQ(std::wstring(L""), captions->captionAt(0, 123456));
}

TEST(Localizer, VenetianTextsAreRepairedWhenLoadedOnAnOlderSystem) {
    const wchar_t document[] =
        L"<lang><languages><entry tagName=\"eng\" engName=\"English\"></entry>"
        L"<entry tagName=\"vec\" engName=\"Venetian\"></entry><entry tagName=\"ita\" engName=\"Italian\"></entry>"
        L"</languages><entries><entry id=\"1\"><eng>Language</eng><vec>\u019Aengua</vec><ita>\u019A</ita></entry>"
        L"<entry id=\"2\"><eng>fallback \u019A</eng></entry></entries></lang>";
    for (bool older : {false, true}) {
        SCOPED_TRACE(older ? "older" : "current");
        tests::FakeLangSystem system(L"Venetian", older);
        Loaded l(document);
        const wchar_t l019a[] = {older ? wchar_t(0x0142) : wchar_t(0x019A), 0};
        EXPECT_EQ(std::wstring(l019a) + L"engua", l->getText(1));
        EXPECT_EQ(std::wstring(L"fallback ") + l019a, l->getText(2));  // a fallback is added to the pack too
        EXPECT_EQ(std::wstring(L"\u019A"), l->packAt(2)->findText(1));
        EXPECT_EQ(std::wstring(L"fallback \u019A"), l->packAt(0)->findText(2));
    }
}

TEST(Localizer, AResetLocalizerHasNoPacksNoChoiceAndNoListeners) {
    tests::FakeLangSystem system(L"German");
    Localizer* l = s::thread::Pool<Localizer>::obtain();
    ASSERT_NE(nullptr, l);
    Pooled<s::xml::Node> root;
    root->parse(kDocument);
    l->loadXml(root.get());
    Recorder heard;
    l->addListener(&heard);
    l->getText(1);
    l->resetForReuse();
    EXPECT_EQ(0u, l->packCount());
    EXPECT_EQ(0u, l->listenerCount());
    l->loadXml(root.get());
    l->setLanguage(L"English");  // chooses German first, then changes: nobody listens
    EXPECT_TRUE(heard.codes.empty());
    l->releaseToPool();
}

}  // namespace
