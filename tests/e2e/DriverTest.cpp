// tests/e2e/DriverTest.cpp
//
// The end-to-end driver's own pieces: the drop block the window is handed, the guard that
// keeps every drop inside the test's sandbox, and the program's start-up run in this process.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "s/app/win/AppBase.h"
#include "s/gui/dialogs/FlexAsker.h"
#include "support/RegistryFixture.h"
#include "support/Sandbox.h"
#include "support/program/DropBlock.h"
#include "tests/e2e/LongPath.h"
#include "tests/e2e/ProgramFixture.h"

namespace tests::program {
namespace {

TEST(DropBlockTest, ThePathsReadBackWholeAndInOrderAsTheReceiverReadsThem) {
    tests::Sandbox box;
    ASSERT_TRUE(box.ok());
    const std::wstring longFile = makeLongFile(box, L"long", 300, "long");
    ASSERT_EQ(300u, longFile.size());
    ASSERT_TRUE(longPathExists(longFile));
    // No empty list: the shell never hands one over (and Wine 8.0 reads one empty name from it).
    const std::vector<std::vector<std::wstring>> cases = {
        {L"T:\\a.txt"},
        {box.at(L"one"), longFile, box.at(L"with space.txt")},
        {box.at(L"\u00e4\u00f6\u00fc \u65e5\u672c.txt"), box.at(L"folder")},
    };
    for (const std::vector<std::wstring>& paths : cases) {
        SCOPED_TRACE(paths.size());
        HGLOBAL block = newDropBlock(paths, POINT{7, 9});
        ASSERT_NE(nullptr, block);
        EXPECT_EQ(paths, pathsOfDropBlock(block));
        POINT at = {};
        EXPECT_TRUE(DragQueryPoint(static_cast<HDROP>(block), &at));
        EXPECT_EQ(7, at.x);
        EXPECT_EQ(9, at.y);
        auto* header = static_cast<DROPFILES*>(GlobalLock(block));
        ASSERT_NE(nullptr, header);
        EXPECT_EQ(sizeof(DROPFILES), header->pFiles);
        EXPECT_TRUE(header->fWide);
        GlobalUnlock(block);
        DragFinish(static_cast<HDROP>(block));
    }
}

TEST(SandboxGuardTest, OnlyNamesBelowTheSandboxFolderPass) {
    const std::wstring box = L"T:\\box-12-0";
    struct Case {
        const wchar_t* path;
        bool inside;
    };
    const Case cases[] = {
        {L"T:\\box-12-0\\a.txt", true},
        {L"t:\\BOX-12-0\\deep\\er\\b", true},
        {L"T:\\box-12-0\\x\\..\\y", false},     // a step back
        {L"T:\\box-12-0\\..\\box-12-1\\a", false},
        {L"T:\\box-12-0\\.\\a", false},
        {L"T:\\box-12-0", false},               // the sandbox itself
        {L"T:\\box-12-0\\", false},
        {L"T:\\box-12-01\\a", false},           // a neighbour sharing the prefix
        {L"T:\\box-12-0\\a\\\\b", false},       // an empty step
        {L"T:\\box-12-0/a", false},
        {L"T:\\box-12-0\\a:stream", false},
        {L"C:\\box-12-0\\a", false},
        {L"\\\\?\\T:\\box-12-0\\a", false},
        {L"T:\\", false},
        {L"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(c.inside, isInsideSandbox(box, c.path)) << std::wstring(c.path).size();
    // Roots and relative names are no sandbox at all.
    EXPECT_FALSE(isInsideSandbox(L"T:\\", L"T:\\a"));
    EXPECT_FALSE(isInsideSandbox(L"T:", L"T:\\a"));
    EXPECT_FALSE(isInsideSandbox(L"box", L"box\\a"));
    EXPECT_FALSE(isInsideSandbox(L"T:\\x\\..", L"T:\\x\\..\\a"));
}

// The watcher against the program's own question window, asked on a thread of its own as
// the window's UI thread asks it.
class QuestionWatcherTest : public tests::RegistryFixture {};

struct Asked {
    s::gui::dialogs::FlexAsker* asker;
    bool answer;
    bool ticked;
};

DWORD WINAPI askOnce(void* context) {
    auto* asked = static_cast<Asked*>(context);
    asked->answer = asked->asker->ask(nullptr, L"Driver Question", L"Answer me");
    asked->ticked = asked->asker->isDontAskChecked();
    return 0;
}

TEST_F(QuestionWatcherTest, AnswersTheQuestionWindowAsTold) {
    tests::gui::Watchdog watchdog("QuestionWatcherTest", 60000);
    tests::gui::ScreenLock screen;
    s::app::win::AppBase* base = s::app::win::AppBase::obtain(nullptr, this->base().c_str());
    ASSERT_NE(nullptr, base);
    struct Case {
        const wchar_t* button;
        const wchar_t* tick;
        bool answer;
        bool ticked;
        const wchar_t* seenAnswer;
    };
    const Case cases[] = {
        {L"Yes", nullptr, true, false, L"Yes"},
        {L"No", kDontAsk, false, true, L"No"},
        {L"", kDontAsk, false, true, L"close"},
        {L"Yes", kDontAsk, true, true, L"Yes"},
    };
    QuestionWatcher watcher(L"Driver Question", L"");
    size_t answered = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::wstring(c.button) + L"/" + (c.tick ? c.tick : L"-"));
        watcher.setAnswer(c.button, c.tick);
        Asked asked = {s::gui::dialogs::FlexAsker::createWindow(base), !c.answer, !c.ticked};
        ASSERT_NE(nullptr, asked.asker);
        HANDLE thread = CreateThread(nullptr, 0, &askOnce, &asked, 0, nullptr);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 20000)) << "the question was not answered";
        CloseHandle(thread);
        asked.asker->releaseToPool();
        EXPECT_EQ(c.answer, asked.answer);
        EXPECT_EQ(c.ticked, asked.ticked);
        ASSERT_EQ(++answered, watcher.seen().size());
        const SeenQuestion seen = watcher.seen().back();
        EXPECT_EQ(c.seenAnswer, seen.answer);
        EXPECT_THAT(seen.texts, testing::Contains(L"Answer me"));
    }
    base->releaseToPool();
}

class ProgramStartTest : public ProgramFixture {};

TEST_F(ProgramStartTest, RunsInThisProcessShowsItsWindowAndEndsWhenClosed) {
    EXPECT_EQ(L"Brakvane v1.23", window->title());
    shoot(L"started");
    tests::gui::phase("closing by WM_CLOSE");
    window.reset();
    program->close();
    ASSERT_TRUE(program->waitForEnd(30000));
    EXPECT_EQ(FALSE, program->answer());
    EXPECT_EQ(nullptr, findTopWindow(L"Brakvane", true));
}

}  // namespace
}  // namespace tests::program
