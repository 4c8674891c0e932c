// tests/s/gui/win/MessageBoxWTest.cpp
//
// Real message boxes, found, read and answered by the watcher.
#include "s/gui/win/MessageBoxW.h"

#include <gmock/gmock.h>

#include "mfc/CWinApp.h"
#include "s/gui/win/Window.h"
#include "support/Pooled.h"
#include "support/gui/GuiTest.h"

namespace s::gui::win {
namespace {

using tests::Pooled;
using tests::gui::phase;
using tests::gui::SeenBox;

void screenshotOfBox(HWND box) {
    static int count = 0;
    wchar_t name[160];
    swprintf(name, 160, L"message_box_%hs_%d",
             testing::UnitTest::GetInstance()->current_test_info()->name(), ++count);
    tests::gui::saveScreenshot(box, name);
}

class MessageBoxWTest : public tests::gui::GuiTest {};

TEST_F(MessageBoxWTest, InformationFromAThreadWithoutWindowsHasTheTitleTextAndNoOwner) {
    watcher->setBeforeAnswer(&screenshotOfBox);
    showInfoMessage(L"The output folder is inaccessible or write-protected.");
    ASSERT_EQ(watcher->boxes().size(), 1u);
    SeenBox box = watcher->boxes()[0];
    EXPECT_EQ(box.caption, L"gui_test");  // the program file's name: no title was given
    EXPECT_EQ(box.text, L"The output folder is inaccessible or write-protected.");
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.threadId, GetCurrentThreadId());
    EXPECT_EQ(box.answeredWith, IDOK);
}

TEST_F(MessageBoxWTest, ApplicationTitleCaptionsTheBoxesWhenOneIsGiven) {
    mfc::CWinApp app(L"Shredder Test");
    showErrorMessage(L"failed");
    ASSERT_EQ(watcher->boxes().size(), 1u);
    EXPECT_EQ(watcher->boxes()[0].caption, L"Shredder Test");
    EXPECT_EQ(watcher->boxes()[0].text, L"failed");
}

TEST_F(MessageBoxWTest, AnswersMapToResults) {
    struct Case {
        int answer;  // 0: the box is closed
        bool yesNo, result, answerOut;
    } cases[] = {
        {IDYES, true, true, true},  {IDNO, false, true, false},
        {IDCANCEL, false, false, false}, {0, false, false, false},
    };
    for (const Case& c : cases) {
        watcher->setAnswer(c.answer);
        Pooled<MessageBoxW> box;
        bool answer = true;
        EXPECT_EQ(box->askYesNoCancel(L"Go on?", &answer), c.result) << c.answer;
        EXPECT_EQ(answer, c.answerOut) << c.answer;
        if (c.answer == IDYES || c.answer == IDNO) {
            EXPECT_EQ(askYesNo(L"Sure?"), c.yesNo);
        }
    }
    // Closing a yes/no box is not possible (it has no Cancel); the rest were answered.
    EXPECT_EQ(watcher->boxes().size(), 6u);
}

TEST_F(MessageBoxWTest, ModeIsStoredAndResetToZero) {
    MessageBoxW* box = s::thread::Pool<MessageBoxW>::obtain();
    box->setMode2();
    EXPECT_EQ(box->getMode(), 2);
    box->releaseToPool();
    Pooled<MessageBoxW> again;
    EXPECT_EQ(again->getMode(), 0);
}

TEST_F(MessageBoxWTest, TwoThreadsShowBoxesAtOnceEachWithItsOwnObject) {
    // Both boxes are up at the same time before either is answered.
    watcher->setAnswer(tests::gui::ModalWatcher::kHold);
    struct Shower {
        MessageBoxW* box;
        const wchar_t* text;
        static DWORD WINAPI run(void* self) {
            auto* s = static_cast<Shower*>(self);
            s->box->showWarning(s->text);
            return 0;
        }
    };
    Pooled<MessageBoxW> first, second;
    EXPECT_NE(first.get(), second.get());
    Shower a = {first.get(), L"first"}, b = {second.get(), L"second"};
    HANDLE threads[2] = {CreateThread(nullptr, 0, &Shower::run, &a, 0, nullptr),
                         CreateThread(nullptr, 0, &Shower::run, &b, 0, nullptr)};
    ASSERT_TRUE(watcher->waitForBoxes(2, 10000));
    std::vector<SeenBox> boxes = watcher->boxes();
    EXPECT_NE(boxes[0].threadId, boxes[1].threadId);
    EXPECT_NE(boxes[0].text, boxes[1].text);
    EXPECT_EQ(WaitForMultipleObjects(2, threads, TRUE, 0), DWORD(WAIT_TIMEOUT));
    watcher->answerHeld(IDOK);
    EXPECT_EQ(WaitForMultipleObjects(2, threads, TRUE, 10000), DWORD(WAIT_OBJECT_0));
    CloseHandle(threads[0]);
    CloseHandle(threads[1]);
}

// What the UI thread's active window was when it asked, and the answer.
struct Asked {
    HWND window;
    const wchar_t* text;
    HWND active;
    bool yes;
};

void askOnUiThread(Asked* asked) {
    SetForegroundWindow(asked->window);
    SetActiveWindow(asked->window);
    asked->active = GetActiveWindow();
    asked->yes = askYesNo(asked->text);
}

TEST_F(MessageBoxWTest, WindowAsksOnItsUiThreadWithItselfAsOwner) {
    Pooled<Window> window(s::thread::Pool<Window, 0>::obtain());
    HWND handle = window->getHandle();
    window->setBounds(200, 200, 300, 200);
    window->show(true, true);
    watcher->setBeforeAnswer(&screenshotOfBox);
    watcher->setAnswer(IDYES);
    phase("asking yes");
    EXPECT_TRUE(window->askYesNo(L"Shred 3 items?"));
    watcher->setAnswer(IDNO);
    phase("asking no");
    EXPECT_FALSE(window->askYesNo(L"Shred 3 items?"));
    window->showInformation(L"Done!");
    window->showError(L"Failed!");
    std::vector<SeenBox> boxes = watcher->boxes();
    ASSERT_EQ(boxes.size(), 4u);
    for (const SeenBox& box : boxes) EXPECT_EQ(box.threadId, window->uiThreadId());
    EXPECT_EQ(boxes[0].text, L"Shred 3 items?");
    EXPECT_EQ(boxes[2].text, L"Done!");
    EXPECT_EQ(boxes[3].text, L"Failed!");
    // The owner is the thread's active window. Other test programs share the screen and
    // may take the activation at any moment, so the window is made active just before.
    Asked asked = {handle, L"Owned?", nullptr, false};
    watcher->setAnswer(IDYES);
    onUiThread(*window, [&] { askOnUiThread(&asked); }, kWaitForever);
    EXPECT_TRUE(asked.yes);
    ASSERT_EQ(watcher->boxes().size(), 5u);
    EXPECT_EQ(watcher->boxes()[4].owner, asked.active);
    if (asked.active) {
        EXPECT_EQ(asked.active, handle);
    }
    EXPECT_TRUE(IsWindowEnabled(handle));
}

}  // namespace
}  // namespace s::gui::win
