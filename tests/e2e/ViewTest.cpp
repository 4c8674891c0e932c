// tests/e2e/ViewTest.cpp
//
// The program's window as the user changes it: the compact and the large view, and the
// language chosen in its menu re-texting everything it shows.
#include <windows.h>

#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "s/lang/Localizer.h"
#include "s/gui/win/Window.h"
#include "tests/e2e/ProgramFixture.h"

namespace tests::program {
namespace {

using testing::Contains;

constexpr wchar_t kToLarge[] = L"Detailed Description >>";
constexpr wchar_t kToCompact[] = L"<< Minimize";

class ViewTest : public ProgramFixture {
protected:
    Control button(const wchar_t* text) const { return window->find(L"s_gui_win_Button", text); }
    bool descriptionShown() const {
        for (const std::wstring& text : window->visibleTexts())
            if (text == L"Algorithm of Choice") return true;
        return false;
    }
    SIZE size() const {
        RECT r = {};
        GetWindowRect(window->handle(), &r);
        return SIZE{r.right - r.left, r.bottom - r.top};
    }
};

TEST_F(ViewTest, TheToggleSwitchesBetweenTheCompactAndTheLargeView) {
    // The session's screen is small enough for scale 1: compact 250 wide (at least 250 high,
    // more when its content needs it), large 500 x 400.
    EXPECT_EQ(250, size().cx);
    EXPECT_GE(size().cy, 250);
    const LONG compactHeight = size().cy;
    EXPECT_FALSE(descriptionShown());
    shoot(L"compact");
    ASSERT_TRUE(window->click(button(kToLarge)));
    ASSERT_TRUE(tests::gui::eventually([&] { return button(kToCompact).visible; }, 5000));
    EXPECT_EQ(500, size().cx);
    EXPECT_EQ(400, size().cy);
    EXPECT_TRUE(descriptionShown());
    EXPECT_FALSE(button(kToLarge).handle) << "one toggle, re-captioned";
    shoot(L"large");
    ASSERT_TRUE(window->click(button(kToCompact)));
    ASSERT_TRUE(tests::gui::eventually([&] { return button(kToLarge).visible; }, 5000));
    EXPECT_EQ(250, size().cx);
    EXPECT_EQ(compactHeight, size().cy);
    EXPECT_FALSE(descriptionShown());
    // The drop box works in both views: it is there and takes files in the compact one.
    EXPECT_NE(nullptr, window->dropArea(kDropBoxTitle));
}

TEST_F(ViewTest, ALanguageChosenInTheMenuReTextsTheWholeWindow) {
    auto* localizer = dynamic_cast<s::lang::Localizer*>(window->toolkitWindow()->getLocalizer());
    ASSERT_NE(nullptr, localizer);
    int32_t german = -1, english = -1;
    const s::lang::LangPack* germanPack = localizer->findLanguage(L"German");
    const s::lang::LangPack* englishPack = localizer->findLanguage(L"English");
    for (uint32_t i = 0; i < localizer->packCount(); ++i) {
        if (localizer->packAt(i) == germanPack) german = static_cast<int32_t>(i);
        if (localizer->packAt(i) == englishPack) english = static_cast<int32_t>(i);
    }
    ASSERT_GE(german, 0);
    ASSERT_GE(english, 0);
    // Texts the window shows, by id: the drop box, its prompt, the method label, the
    // toggle, the status line.
    const int32_t ids[] = {1001000, 1002000, 1004000, 1005000, 609450};
    std::vector<std::wstring> englishTexts, germanTexts;
    for (int32_t id : ids) {
        englishTexts.push_back(localizer->captionAt(static_cast<uint32_t>(english), static_cast<uint32_t>(id)));
        germanTexts.push_back(localizer->captionAt(static_cast<uint32_t>(german), static_cast<uint32_t>(id)));
    }
    for (size_t i = 0; i < englishTexts.size(); ++i) {
        ASSERT_NE(englishTexts[i], germanTexts[i]) << "the pack has no German text of " << ids[i];
        EXPECT_THAT(window->visibleTexts(), Contains(englishTexts[i]));
    }
    tests::gui::phase("German");
    window->menuCommand(german + 2);
    ASSERT_TRUE(tests::gui::eventually(
        [&] { return window->find(L"s_gui_win_GroupBox", germanTexts[0].c_str()).handle != nullptr; }, 5000));
    const std::vector<std::wstring> shown = window->visibleTexts();
    for (size_t i = 0; i < germanTexts.size(); ++i) {
        EXPECT_THAT(shown, Contains(germanTexts[i])) << ids[i];
        EXPECT_THAT(shown, testing::Not(Contains(englishTexts[i]))) << ids[i];
    }
    shoot(L"german");
    tests::gui::phase("English again");
    window->menuCommand(english + 2);
    ASSERT_TRUE(tests::gui::eventually(
        [&] { return window->find(L"s_gui_win_GroupBox", englishTexts[0].c_str()).handle != nullptr; }, 5000));
    EXPECT_THAT(window->visibleTexts(), Contains(englishTexts[4]));
}

}  // namespace
}  // namespace tests::program
