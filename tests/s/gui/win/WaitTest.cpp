// tests/s/gui/win/WaitTest.cpp
//
// A UI thread that waits still serves what other threads send it.
#include "s/gui/win/Wait.h"

#include <atomic>

#include <gmock/gmock.h>

#include "s/gui/win/Window.h"
#include "support/Pooled.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"

namespace s::gui::win {
namespace {

using tests::Pooled;
using tests::gui::phase;

Window* newWindow() { return s::thread::Pool<Window, 0>::obtain(); }

struct Scene {
    Window* first;   // its UI thread waits for the second to close
    Window* second;
    std::atomic<DWORD> sentTookMs{0};
    std::atomic<bool> waitEnded{false};
};

// Sends to the first window while its thread waits, then closes the second.
DWORD WINAPI sender(void* context) {
    auto* scene = static_cast<Scene*>(context);
    Sleep(100);  // the wait has begun
    DWORD start = GetTickCount();
    scene->first->sendUserEvent(L"while waiting", 0, 0, nullptr);
    scene->sentTookMs = GetTickCount() - start;
    scene->second->close();
    return 0;
}

class WaitTest : public tests::gui::GuiTest {};

TEST_F(WaitTest, WindowThreadWaitingForAnotherWindowAnswersSentMessages) {
    Pooled<Window> first(newWindow());
    Pooled<Window> second(newWindow());
    tests::gui::Recorder heard;
    first->addUserEventListener(&heard);
    Scene scene = {first.get(), second.get()};
    HANDLE thread = CreateThread(nullptr, 0, &sender, &scene, 0, nullptr);
    phase("first window's thread waits for the second to close");
    onUiThread(*first, [&] { scene.waitEnded = scene.second->waitUntilClosed(20000); }, kWaitForever);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_TRUE(scene.waitEnded.load());
    EXPECT_EQ(heard.calls.load(), 1);
    EXPECT_EQ(heard.thread.load(), first->uiThreadId());
    EXPECT_LT(scene.sentTookMs.load(), 5000u);  // served inside the wait, not after it
}

TEST(Wait, ConditionLimitAndHandleEndTheWait) {
    bool yes = true, no = false;
    auto holds = [](const void* c) { return *static_cast<const bool*>(c); };
    EXPECT_TRUE(waitServingSentMessages(holds, &yes, nullptr, 10, 0));
    EXPECT_FALSE(waitServingSentMessages(holds, &no, nullptr, 10, 30));
    HANDLE signalled = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    DWORD start = GetTickCount();
    EXPECT_FALSE(waitServingSentMessages(holds, &no, signalled, 10, kWaitForever));
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_TRUE(waitForHandleServingSentMessages(signalled, 0));
    HANDLE unsignalled = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    EXPECT_FALSE(waitForHandleServingSentMessages(unsignalled, 30));
    CloseHandle(signalled);
    CloseHandle(unsignalled);
}

}  // namespace
}  // namespace s::gui::win
