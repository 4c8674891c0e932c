// tests/s/file/gui/dialogs/brakvane/TextFitTest.cpp
//
// Every text of the product's windows has its room in every language of the pack: the main
// window in both views at scales 1 and 2, the drop's question and the About window. Each
// visible control's text is measured in its own font against its rectangle, what its
// ancestors leave visible and its neighbours (tests/support/gui/TextFit.h); every offence
// of every pack is listed. Screenshots of English, German, Arabic and Japanese are kept to
// be read by eye.
#include <gmock/gmock.h>

#include <ostream>
#include <string>
#include <vector>

#include "s/gui/dialogs/About3.h"
#include "s/gui/dialogs/AboutWindow.h"
#include "s/gui/dialogs/FlexAsker.h"
#include "s/gui/win/MenuEx.h"
#include "s/gui/win/UiScale.h"
#include "s/lang/LangPack.h"
#include "s/lang/Localizer.h"
#include "support/gui/TextFit.h"
#include "tests/s/file/gui/dialogs/brakvane/ProductFixture.h"

namespace {

using s::gui::win::kWaitForever;
using tests::gui::TextFit;
using tests::product::Product;
using Dragndrop = s::gui::dialogs::dragndrop::Dialog;

std::string utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

bool shotOf(const std::wstring& tag) { return tag == L"eng" || tag == L"deu" || tag == L"ara" || tag == L"jpn" || tag == L"ell" || tag == L"hin" || tag == L"tha" || tag == L"heb" || tag == L"kor" || tag == L"zhs" || tag == L"rus"; }

class TextFitTest : public tests::product::ProductFixture {
protected:
    void TearDown() override {
        closeProduct();
        s::gui::win::overrideUiScale(0);
        ProductFixture::TearDown();
    }
    s::lang::Localizer* texts() { return app->localizer(); }
    std::wstring tagAt(uint32_t pack) { return texts()->packAt(pack)->tagName().cString(); }
    void note(const std::wstring& where, const std::vector<std::wstring>& offences) {
        for (const std::wstring& offence : offences) m_report += utf8(where + L": " + offence) + "\n";
    }
    // Packs first .. first + count - 1 through the language menu, as the user changes it, in
    // one view (a large view re-texted takes the longest: ten packs at a time).
    void mainWindowInPacks(int32_t scale, bool compact, uint32_t first, uint32_t count) {
        s::gui::win::overrideUiScale(scale);
        openProduct();
        onUiThread(*window, [&] { dialog->setCompactView(compact, false); }, kWaitForever);
        // The window as it stands after a first choice of method: how the start-up lays it
        // out before any is the layout's own matter, not the texts'.
        onUiThread(*window, [&] {
            dialog->optionControl()->setSelection(2, true);
            dialog->optionControl()->setSelection(Product::kDefaultMethod, true);
        }, kWaitForever);
        const std::wstring view = compact ? L"compact" : L"large";
        for (uint32_t pack = first; pack < first + count && pack < texts()->packCount(); ++pack) {
            tests::gui::phase("pack " + std::to_string(pack));
            onUiThread(*window, [&] { dialog->menuBar()->chooseCommand(Dragndrop::kFirstLanguage + static_cast<int32_t>(pack)); }, kWaitForever);
            onUiThread(*window, [&] { window->doLayout(); }, kWaitForever);
            const std::wstring where = tagAt(pack) + L" " + view + L" scale " + std::to_wstring(scale);
            note(where, TextFit::offences(window));
            if (shotOf(tagAt(pack))) {
                onUiThread(*window, [&] {
                    RedrawWindow(window->getHandle(), nullptr, nullptr,
                                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                }, kWaitForever);
                Sleep(200);
                tests::gui::saveScreenshot(window->getHandle(), (L"fit-" + tagAt(pack) + L"-" + view + L"-" +
                                                                 std::to_wstring(scale)).c_str());
            }
        }
        EXPECT_TRUE(m_report.empty()) << m_report;
    }
    std::string m_report;
};

constexpr uint32_t kPacksAtATime = 10;

struct MainWindowCase {
    int32_t scale;
    bool compact;
    uint32_t firstPack;
};

void PrintTo(const MainWindowCase& c, std::ostream* out) {
    *out << (c.compact ? "compact" : "large") << " view, scale " << c.scale << ", packs from " << c.firstPack;
}

class MainWindowTextFitTest : public TextFitTest, public testing::WithParamInterface<MainWindowCase> {};

TEST_P(MainWindowTextFitTest, EveryTextHasItsRoom) {
    mainWindowInPacks(GetParam().scale, GetParam().compact, GetParam().firstPack, kPacksAtATime);
}

std::vector<MainWindowCase> mainWindowCases() {
    std::vector<MainWindowCase> cases;
    for (int32_t scale : {1, 2})
        for (bool compact : {true, false})
            for (uint32_t first = 0; first < 40; first += kPacksAtATime) cases.push_back({scale, compact, first});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(ViewsScalesAndPacks, MainWindowTextFitTest, testing::ValuesIn(mainWindowCases()),
                         [](const testing::TestParamInfo<MainWindowCase>& info) {
                             return std::string(info.param.compact ? "Compact" : "Large") + "AtScale" +
                                    std::to_string(info.param.scale) + "Packs" + std::to_string(info.param.firstPack) +
                                    "To" + std::to_string(info.param.firstPack + kPacksAtATime - 1);
                         });

TEST_F(TextFitTest, TheQuestionFitsInEveryPack) {
    for (uint32_t pack = 0; pack < texts()->packCount(); ++pack) {
        tests::gui::phase("question in pack " + std::to_string(pack));
        texts()->setLanguageByIndex(static_cast<int32_t>(pack));
        const std::wstring tag = tagAt(pack);
        std::vector<std::wstring> offences;
        s::gui::dialogs::FlexAsker* asker = s::gui::dialogs::FlexAsker::createWindow(app);
        ASSERT_NE(nullptr, asker);
        const std::wstring title = texts()->getText(1500000);
        tests::gui::QuestionDriver driver(title, [&](HWND q) {
            auto* shown = dynamic_cast<s::gui::win::Window*>(mfc::CWnd::FromHandlePermanent(q));
            // Found as soon as it shows: measured once it stands at its size.
            tests::gui::eventually([&] {
                RECT client = {};
                return GetClientRect(q, &client) && client.right > 0 && client.bottom > 0;
            }, 3000);
            Sleep(200);
            if (shown) offences = TextFit::offences(shown);
            if (shotOf(tag)) tests::gui::saveScreenshot(q, (L"fit-question-" + tag).c_str());
            tests::gui::closeWindow(q);
        });
        asker->ask(nullptr, title.c_str(), texts()->getText(1500010));
        EXPECT_TRUE(driver.waitForQuestions(1, 5000)) << utf8(tag);
        asker->releaseToPool();
        note(tag + L" question", offences);
    }
    EXPECT_TRUE(m_report.empty()) << m_report;
}

TEST_F(TextFitTest, TheAboutWindowFitsInEveryPack) {
    s::gui::dialogs::AboutWindow about;
    for (uint32_t pack = 0; pack < texts()->packCount(); ++pack) {
        tests::gui::phase("About in pack " + std::to_string(pack));
        texts()->setLanguageByIndex(static_cast<int32_t>(pack));
        const std::wstring tag = tagAt(pack);
        ASSERT_TRUE(about.show(app, nullptr));
        s::gui::win::Window* shown = about.about()->window();
        ASSERT_NE(nullptr, shown);
        note(tag + L" About", TextFit::offences(shown));
        if (shotOf(tag)) tests::gui::saveScreenshot(shown->getHandle(), (L"fit-about-" + tag).c_str());
    }
    about.release();
    EXPECT_TRUE(m_report.empty()) << m_report;
}

}  // namespace
