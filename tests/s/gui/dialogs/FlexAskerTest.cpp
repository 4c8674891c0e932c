// tests/s/gui/dialogs/FlexAskerTest.cpp
//
// The question box answered as a user answers it: by its buttons, by its close box, by the
// keyboard, with and without "Don't ask me again", over a parent window and over none.
#include "s/gui/dialogs/FlexAsker.h"

#include <gmock/gmock.h>

#include <cwchar>
#include <memory>

#include "mfc/CWnd.h"
#include "s/gui/win/Window.h"
#include "s/lang/Localizer.h"
#include "s/gui/win/WindowClass.h"
#include "s/thread/Pool.h"
#include "support/gui/GuiHarness.h"
#include "tests/s/app/win/AppFixture.h"
#include "tests/s/gui/dialogs/QuestionDriver.h"
#include "support/gui/RefusedWindows.h"

namespace {

using s::gui::dialogs::FlexAsker;
using tests::gui::QuestionDriver;

class FlexAskerTest : public tests::app::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        watcher = std::make_unique<tests::gui::ModalWatcher>(IDOK);
        app = startBase();
        ASSERT_NE(nullptr, app);
        asker = FlexAsker::createWindow(app);
        ASSERT_NE(nullptr, asker);
    }
    void TearDown() override {
        mfc::CWnd::setCreateWindowFunction(nullptr);
        if (asker) asker->releaseToPool();
        if (app) app->releaseToPool();
        watcher.reset();
        AppFixture::TearDown();
    }

    std::unique_ptr<tests::gui::ModalWatcher> watcher;
    s::app::win::AppBase* app = nullptr;
    FlexAsker* asker = nullptr;
};

void shoot(HWND question, const wchar_t* name) { tests::gui::saveScreenshot(question, name); }

struct Case {
    const char* name;
    QuestionDriver::Act act;
    bool answer;
    bool ticked;
};

TEST_F(FlexAskerTest, AnsweredByButtonsCloseBoxAndKeys) {
    const Case cases[] = {
        {"Yes", [](HWND q) { shoot(q, L"question-default"); tests::gui::clickButton(q, L"Yes"); }, true, false},
        {"No", [](HWND q) { tests::gui::clickButton(q, L"No"); }, false, false},
        {"closed", [](HWND q) { tests::gui::closeWindow(q); }, false, false},
        {"ticked then Yes",
         [](HWND q) {
             tests::gui::clickButton(q, L"Don't ask me again");
             shoot(q, L"question-ticked");
             tests::gui::clickButton(q, L"Yes");
         },
         true, true},
        {"ticked then closed",
         [](HWND q) {
             tests::gui::clickButton(q, L"Don't ask me again");
             tests::gui::closeWindow(q);
         },
         false, true},
        // Yes has the focus at first; Tab moves it to No and back.
        {"Enter",
         [](HWND q) {
             EXPECT_TRUE(tests::gui::focusReaches(q, L"Yes"));
             tests::gui::pressKey(q, VK_RETURN);
         },
         true, false},
        {"Tab Enter",
         [](HWND q) {
             EXPECT_TRUE(tests::gui::focusReaches(q, L"Yes"));
             tests::gui::pressKey(q, VK_TAB);
             EXPECT_TRUE(tests::gui::focusReaches(q, L"No"));
             tests::gui::pressKey(q, VK_RETURN);
         },
         false, false},
        {"Tab Tab Enter",
         [](HWND q) {
             EXPECT_TRUE(tests::gui::focusReaches(q, L"Yes"));
             tests::gui::pressKey(q, VK_TAB);
             tests::gui::pressKey(q, VK_TAB);
             EXPECT_TRUE(tests::gui::focusReaches(q, L"Yes"));
             tests::gui::pressKey(q, VK_RETURN);
         },
         true, false},
        // Escape answers No wherever the focus is; Return answers the default, Yes, also
        // from the check box (a question left open is closed, which answers No).
        {"Escape", [](HWND q) { tests::gui::pressKey(q, VK_ESCAPE); }, false, false},
        {"ticked then Enter",
         [](HWND q) {
             // Once the question has given Yes its focus, which comes right after the window
             // shows: a click before it lost the focus to Yes on a loaded machine.
             EXPECT_TRUE(tests::gui::focusReaches(q, L"Yes"));
             tests::gui::clickButton(q, L"Don't ask me again");
             EXPECT_TRUE(tests::gui::focusReaches(q, L"Don't ask me again"));
             tests::gui::pressKey(q, VK_RETURN);
             if (!tests::gui::eventually([&] { return !IsWindowVisible(q); }, 3000)) tests::gui::closeWindow(q);
         },
         true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tests::gui::phase(std::string("question answered: ") + c.name);
        QuestionDriver driver(L"Confirm File Shred", c.act);
        bool answer = asker->ask(nullptr, L"Confirm File Shred", L"Erase the dropped item(s)?");
        EXPECT_EQ(c.answer, answer);
        EXPECT_EQ(c.answer, asker->getAnswer());
        EXPECT_EQ(c.ticked, asker->isDontAskChecked());
        // Under load the driver may meet the same window twice on its way out; what counts
        // is that it was asked and answered once.
        EXPECT_TRUE(driver.waitForQuestions(1, 5000));
    }
    EXPECT_TRUE(watcher->boxes().empty());
}

TEST_F(FlexAskerTest, WithoutTitleAndMessageThePackDefaultsAreShown) {
    QuestionDriver driver(L"Confirmation Dialog", [](HWND q) { tests::gui::clickButton(q, L"No"); });
    EXPECT_FALSE(asker->ask(nullptr, nullptr, nullptr));
    EXPECT_TRUE(driver.waitForQuestions(1, 5000));
        EXPECT_EQ(1u, driver.seen().size());
}

TEST_F(FlexAskerTest, ShownCentredOverItsParentWhichIsDisabledMeanwhile) {
    s::gui::win::Window* parent = s::thread::Pool<s::gui::win::Window, 0>::obtain();
    ASSERT_NE(nullptr, parent->getHandle());
    parent->setBounds(100, 120, 500, 400);
    parent->show(true, false);
    HWND parentHandle = parent->getHandle();
    QuestionDriver driver(
        L"Over the parent", [](HWND q) { tests::gui::clickButton(q, L"Yes"); }, parentHandle);
    EXPECT_TRUE(asker->ask(parentHandle, L"Over the parent", nullptr));
    ASSERT_TRUE(driver.waitForQuestions(1, 5000));
    ASSERT_EQ(1u, driver.seen().size());
    tests::gui::SeenQuestion seen = driver.seen()[0];
    EXPECT_FALSE(seen.ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(parentHandle));
    const int width = seen.rect.right - seen.rect.left, height = seen.rect.bottom - seen.rect.top;
    EXPECT_EQ((100 + 600) / 2 - width / 2, seen.rect.left);
    EXPECT_EQ((120 + 520) / 2 - height / 2, seen.rect.top);
    // Never narrower than its content.
    EXPECT_GE(width, FlexAsker::kDefaultWidth);
    parent->releaseToPool();
}

TEST_F(FlexAskerTest, AParentThatIsNoWindowIsNeitherCentredOnNorDisabled) {
    HWND stale = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x7ff0));
    QuestionDriver driver(L"No parent", [](HWND q) { tests::gui::clickButton(q, L"Yes"); });
    EXPECT_TRUE(asker->ask(stale, L"No parent", nullptr));
    EXPECT_TRUE(driver.waitForQuestions(1, 5000));
        EXPECT_EQ(1u, driver.seen().size());
}

TEST_F(FlexAskerTest, AWindowThatCouldNotBeMadeAnswersNoAtOnce) {
    mfc::CWnd::setCreateWindowFunction(&tests::gui::refuseToolkitTopWindows);
    const DWORD start = GetTickCount();
    EXPECT_FALSE(asker->ask(nullptr, L"Never shown", nullptr));
    EXPECT_FALSE(asker->getAnswer());
    EXPECT_FALSE(asker->isDontAskChecked());
    EXPECT_EQ(nullptr, asker->window());
    // The window's own report of the failure is the only box.
    ASSERT_TRUE(watcher->waitForBoxes(1, 5000));
    EXPECT_EQ(L"Window Creation Failed!", watcher->boxes()[0].text);
    EXPECT_LT(GetTickCount() - start, 10000u);
}

TEST_F(FlexAskerTest, WithoutTheCheckBoxOptionNoneIsShown) {
    asker->setShowCheckBox(false);
    bool found = true;
    QuestionDriver driver(L"Plain", [&](HWND q) {
        HWND box = tests::gui::findButton(q, L"Don't ask me again");
        found = box && IsWindowVisible(box);
        tests::gui::clickButton(q, L"No");
    });
    EXPECT_FALSE(asker->ask(nullptr, L"Plain", nullptr));
    EXPECT_TRUE(driver.waitForQuestions(1, 5000));
        EXPECT_EQ(1u, driver.seen().size());
    EXPECT_FALSE(found);
}

// A question answered and released leaves nothing behind in the language's listeners: a
// language change afterwards would re-text its controls, long gone.
TEST_F(FlexAskerTest, AReleasedQuestionLeavesNoListenerOfTheLanguage) {
    s::lang::Localizer* texts = app->localizer();
    ASSERT_NE(nullptr, texts);
    const uint32_t before = texts->listenerCount();
    QuestionDriver driver(L"Listeners", [](HWND q) { tests::gui::clickButton(q, L"No"); });
    EXPECT_FALSE(asker->ask(nullptr, L"Listeners", nullptr));
    EXPECT_TRUE(driver.waitForQuestions(1, 5000));
    asker->releaseToPool();
    asker = nullptr;
    EXPECT_EQ(before, texts->listenerCount());
    texts->setLanguage(L"German");
    texts->setLanguage(L"English");
}

}  // namespace
