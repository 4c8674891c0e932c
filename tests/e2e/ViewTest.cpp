// tests/e2e/ViewTest.cpp
//
// The program's window as the user changes it: the compact and the large view, and the
// language chosen in its menu re-texting everything it shows.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "s/lang/Localizer.h"
#include "s/gui/win/Window.h"
#include "support/gui/PaintCounter.h"
#include "support/gui/RealInput.h"
#include "tests/e2e/ProgramFixture.h"

namespace tests::program {
namespace {

using testing::Contains;

constexpr wchar_t kToLarge[] = L"Detailed Description >>";
constexpr wchar_t kToCompact[] = L"<< Minimize";
// A pick repaints what it changed once, when the window's thread is idle; one more is left
// for the system's own (a control's focus), never one per layout.
constexpr uint32_t kPaintsPerPick = 2;

class ViewTest : public ProgramFixture {
protected:
    Control button(const wchar_t* text) const { return window->find(L"s_gui_win_Button", text); }
    bool descriptionShown() const {
        for (const std::wstring& text : window->visibleTexts())
            if (text == L"Algorithm of Choice") return true;
        return false;
    }
    RECT rectOf(const Control& c) const {
        RECT r = {};
        GetWindowRect(c.handle, &r);
        return r;
    }
    // A control's rectangle in the main window's client area.
    RECT inClient(const Control& c) const {
        RECT r = rectOf(c);
        MapWindowPoints(nullptr, window->handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // Every control shown lies inside the client area, the toggle is as wide as its caption
    // needs, and the status bar ends at the client's bottom.
    void expectLaidOutToTheClient(const char* when) {
        SCOPED_TRACE(when);
        RECT client = {};
        GetClientRect(window->handle(), &client);
        Control status{};
        for (const Control& c : window->controls()) {
            if (!c.visible) continue;
            const RECT r = inClient(c);
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
                << testing::PrintToString(c.classId) << " " << testing::PrintToString(c.text) << " at " << r.left
                << "," << r.top << "-" << r.right << "," << r.bottom << " outside 0,0-" << client.right << ","
                << client.bottom;
            if (c.classId == L"s_gui_win_StatusBar") status = c;
        }
        ASSERT_TRUE(status.handle) << "no status bar shown";
        EXPECT_EQ(client.bottom, inClient(status).bottom) << "the status bar is not at the bottom";
        for (const wchar_t* caption : {kToLarge, kToCompact}) {
            const Control toggle = button(caption);
            if (!toggle.visible) continue;
            SIZE ideal = {};
            SendMessageW(toggle.handle, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
            EXPECT_GE(rectOf(toggle).right - rectOf(toggle).left, ideal.cx) << "the toggle is cut";
        }
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


TEST_F(ViewTest, AfterARestartInTheLargeViewEveryMethodPickAnswersAtOnceWithoutRepainting) {
    // As the user gets there: the button, the close box, the next start.
    ASSERT_TRUE(window->click(button(kToLarge)));
    ASSERT_TRUE(tests::gui::eventually([&] { return button(kToCompact).visible; }, 5000));
    restart();
    ASSERT_TRUE(tests::gui::eventually([&] { return button(kToCompact).visible; }, 5000)) << "not the large view";
    // Laid out as after the button: the method row beside the drop column, at the size kept.
    EXPECT_EQ(500, size().cx);
    EXPECT_EQ(400, size().cy);
    const Control combo = window->find(L"s_gui_win_ComboBox", L"");
    const Control drop = window->find(L"s_gui_win_GroupBox", kDropBoxTitle);
    ASSERT_TRUE(combo.handle && drop.handle);
    EXPECT_GE(rectOf(combo).left, rectOf(drop).right) << "stacked, not side by side";
    EXPECT_LT(rectOf(combo).top, rectOf(drop).bottom) << "stacked, not side by side";
    shoot(L"large-after-restart");
    tests::gui::PaintCounter paints(GetWindowThreadProcessId(window->handle(), nullptr));
    ASSERT_TRUE(paints.ok());
    for (int round = 0; round < 3; ++round) {
        for (int32_t method : {0, 1, 2, 3}) {
            SCOPED_TRACE(testing::Message() << "round " << round << ", method " << method);
            tests::gui::phase("picking method " + std::to_string(method));
            paints.reset();
            const DWORD start = GetTickCount();
            ASSERT_TRUE(window->chooseInCombo(combo, method)) << "the pick was not taken";
            EXPECT_LE(GetTickCount() - start, 1000u) << "the pick took longer than a second";
            // A paint loop shows within a while: the window must still answer, and no child
            // may have been painted over and over.
            Sleep(400);
            DWORD_PTR answer = 0;
            ASSERT_NE(0, SendMessageTimeoutW(window->handle(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &answer))
                << "the window no longer answers";
            for (const auto& [handle, count] : paints.paints()) {
                wchar_t name[64] = {};
                GetClassNameW(handle, name, 64);
                EXPECT_LE(count, kPaintsPerPick) << "a " << testing::PrintToString(std::wstring(name))
                                                 << " window painted again and again";
            }
        }
    }
    shoot(L"large-after-picks");
}

TEST_F(ViewTest, TheContentFollowsEverySizeOfTheWindowWithTheStatusBarAtTheBottom) {
    expectLaidOutToTheClient("at start");
    shoot(L"compact-at-start");
    // The user drags the grip 140 to the right and 200 down.
    const Control grip = window->find(L"s_gui_win_Button", L"#Resizer");
    ASSERT_TRUE(grip.visible);
    const SIZE before = size();
    SetForegroundWindow(window->handle());
    const RECT r = rectOf(grip);
    const int32_t x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    tests::gui::moveCursorTo(x, y);
    // The grip takes the mouse once the pointer is over it; moves the system queued before
    // would go to the window underneath on a loaded machine.
    tests::gui::eventually([&] { return tests::gui::capturedBy(grip.handle); }, 3000);
    tests::gui::mouse(MOUSEEVENTF_LEFTDOWN);
    for (int32_t step = 1; step <= 10; ++step) {
        tests::gui::moveCursorTo(x + 14 * step, y + 20 * step);
        Sleep(30);
    }
    tests::gui::mouse(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(tests::gui::eventually([&] { return size().cx >= before.cx + 100 && size().cy >= before.cy + 150; },
                                       5000))
        << "the grip did not make the window larger";
    Sleep(200);
    expectLaidOutToTheClient("after the grip");
    shoot(L"compact-after-grip");
    ASSERT_TRUE(window->click(button(kToLarge)));
    ASSERT_TRUE(tests::gui::eventually([&] { return button(kToCompact).visible; }, 5000));
    expectLaidOutToTheClient("in the large view");
    shoot(L"large-laid-out");
    restart();
    ASSERT_TRUE(tests::gui::eventually([&] { return button(kToCompact).visible; }, 5000));
    EXPECT_EQ(500, size().cx);
    EXPECT_EQ(400, size().cy);
    expectLaidOutToTheClient("after a restart");
}

TEST_F(ViewTest, ALanguageChangeInTheLargeViewKeepsTheMakersLinkAndLeavesNothingOfTheOldLanguage) {
    auto* localizer = dynamic_cast<s::lang::Localizer*>(window->toolkitWindow()->getLocalizer());
    ASSERT_NE(nullptr, localizer);
    int32_t german = -1;
    for (uint32_t i = 0; i < localizer->packCount(); ++i)
        if (localizer->packAt(i) == localizer->findLanguage(L"German")) german = static_cast<int32_t>(i);
    ASSERT_GE(german, 0);
    const std::wstring germanMinimize = localizer->captionAt(static_cast<uint32_t>(german), 1006000);
    ASSERT_NE(germanMinimize, kToCompact);
    ASSERT_TRUE(window->click(button(kToLarge)));
    ASSERT_TRUE(tests::gui::eventually([&] { return button(kToCompact).visible; }, 5000));
    const Control link = window->find(L"s_gui_win_Label", L"ostrel");
    ASSERT_TRUE(link.visible);
    const LONG linkWidth = rectOf(link).right - rectOf(link).left;
    ASSERT_GT(linkWidth, 0);
    window->menuCommand(german + 2);
    ASSERT_TRUE(tests::gui::eventually([&] { return button(germanMinimize.c_str()).visible; }, 1000))
        << "the window took longer than a second to change its language";
    DWORD_PTR answer = 0;
    ASSERT_NE(0, SendMessageTimeoutW(window->handle(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &answer));
    shoot(L"large-german");
    int32_t toggles = 0;
    for (const Control& c : window->controls()) {
        if (!c.visible) continue;
        EXPECT_NE(kToCompact, c.text) << "English left over";
        if (c.classId == L"s_gui_win_Button" && c.text == germanMinimize) ++toggles;
        if (c.classId == L"s_gui_win_ComboBox") {
            EXPECT_EQ(4, c.range) << "the method combo lost its items";
            EXPECT_FALSE(c.text.empty()) << "the method combo shows nothing";
        }
    }
    EXPECT_EQ(1, toggles);
    const Control after = window->find(L"s_gui_win_Label", L"ostrel");
    ASSERT_TRUE(after.visible) << "the maker's link lost its text";
    EXPECT_EQ(linkWidth, rectOf(after).right - rectOf(after).left);
}

// The user's right click in the window's body, by real input, as the hand gives it.
void rightClickAt(HWND top, POINT p) {
    SetForegroundWindow(top);
    tests::gui::moveCursorTo(p.x, p.y);
    Sleep(100);
    tests::gui::mouse(MOUSEEVENTF_RIGHTDOWN);
    tests::gui::mouse(MOUSEEVENTF_RIGHTUP);
}

TEST_F(ViewTest, ARightClickInTheBodySwitchesTheViewWithEasyDragOnAndOff) {
    const auto bodyPoint = [&] {
        const RECT area = rectOf(window->find(L"s_gui_win_GroupBox", kDropBoxTitle));
        return POINT{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    };
    // Easy drag is on by default: the click lands on what the window calls its caption.
    rightClickAt(window->handle(), bodyPoint());
    EXPECT_TRUE(tests::gui::eventually([&] { return button(kToCompact).visible; }, 3000))
        << "a right click with easy drag on did not switch to the large view";
    EXPECT_TRUE(boxes->menus().empty()) << "the caption's system menu opened";
    window->menuCommand(120);  // "Easy Drag" off
    Sleep(300);
    rightClickAt(window->handle(), bodyPoint());
    EXPECT_TRUE(tests::gui::eventually([&] { return button(kToLarge).visible; }, 3000))
        << "a right click with easy drag off did not switch back";
    window->menuCommand(120);
    Sleep(300);
    rightClickAt(window->handle(), bodyPoint());
    EXPECT_TRUE(tests::gui::eventually([&] { return button(kToCompact).visible; }, 3000));
    // A left drag on the body still moves the window: easy drag itself is unchanged.
    const RECT before = [&] { RECT r = {}; GetWindowRect(window->handle(), &r); return r; }();
    const POINT p = bodyPoint();
    tests::gui::moveCursorTo(p.x, p.y);
    Sleep(100);
    tests::gui::mouse(MOUSEEVENTF_LEFTDOWN);
    for (int32_t step = 1; step <= 5; ++step) {
        tests::gui::moveCursorTo(p.x + 6 * step, p.y + 4 * step);
        Sleep(30);
    }
    tests::gui::mouse(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(tests::gui::eventually([&] {
        RECT r = {};
        GetWindowRect(window->handle(), &r);
        return r.left != before.left || r.top != before.top;
    }, 3000)) << "the drag on the body no longer moves the window";
}

}  // namespace
}  // namespace tests::program
