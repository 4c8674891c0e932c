// tests/e2e/CloseTest.cpp
//
// The program ends when it is told to, whatever the user is being asked at that moment: a
// close or a log-off that reaches the window while the drop's question is open ends the
// program within a few seconds, answering the question No.
#include <windows.h>

#include <gmock/gmock.h>

#include "tests/e2e/ProgramFixture.h"

namespace tests::program {
namespace {

struct Ending {
    const char* name;
    UINT message;
    WPARAM wParam;
};

class CloseTest : public ProgramFixture, public testing::WithParamInterface<Ending> {};

TEST_P(CloseTest, AnEndArrivingWhileTheQuestionIsOpenEndsTheProgram) {
    ASSERT_TRUE(box.writeFile(L"asked.txt", "asked about"));
    // Nobody answers: the question stays open until the end comes.
    dropPaths({L"asked.txt"}, true);
    HWND question = nullptr;
    ASSERT_TRUE(tests::gui::eventually([&] { return (question = findTopWindow(kConfirmTitle, false)) != nullptr; },
                                       10000));
    tests::gui::phase(GetParam().name);
    DWORD_PTR ignored = 0;
    const DWORD start = GetTickCount();
    SendMessageTimeoutW(window->handle(), GetParam().message, GetParam().wParam, 0, SMTO_NORMAL, 10000, &ignored);
    EXPECT_TRUE(program->waitForEnd(4000)) << "the program still runs "
                                           << (GetTickCount() - start) << " ms after the end came";
    EXPECT_FALSE(IsWindowVisible(question)) << "the question outlived the program";
    EXPECT_TRUE(box.exists(L"asked.txt")) << "nothing was confirmed";
}

INSTANTIATE_TEST_SUITE_P(Endings, CloseTest,
                         testing::Values(Ending{"close", WM_CLOSE, 0}, Ending{"log-off", WM_ENDSESSION, TRUE}),
                         [](const testing::TestParamInfo<Ending>& info) {
                             return std::string(info.param.message == WM_CLOSE ? "Close" : "LogOff");
                         });

}  // namespace
}  // namespace tests::program
