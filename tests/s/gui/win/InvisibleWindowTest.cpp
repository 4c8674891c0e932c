// tests/s/gui/win/InvisibleWindowTest.cpp
//
// A close sent to a window's hidden owner from outside, as a task killer sends one to every
// top-level window: the owned window is closed as by its close box (its listeners asked,
// a veto kept), never destroyed behind the window's back.
#include "s/gui/win/InvisibleWindow.h"

#include <gmock/gmock.h>

#include "s/gui/win/Window.h"
#include "support/Pooled.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"

namespace s::gui::win {
namespace {

using tests::Pooled;

class InvisibleWindowTest : public tests::gui::GuiTest {};

TEST_F(InvisibleWindowTest, CloseSentToTheHiddenOwnerClosesTheWindowAsItsCloseBoxDoes) {
    struct Row {
        const char* name;
        bool veto;
    };
    for (const Row& row : {Row{"closed", false}, Row{"vetoed", true}}) {
        SCOPED_TRACE(row.name);
        Pooled<Window> window(s::thread::Pool<Window, 0>::obtain());
        ASSERT_NE(nullptr, window->getHandle());
        ASSERT_NE(nullptr, window->invisibleHandle());
        tests::gui::Recorder closes;
        Window* raw = window.get();
        if (row.veto) closes.action = [raw] { raw->vetoClose(); };
        window->addCloseListener(&closes);
        window->show(true, false);
        DWORD_PTR answer = 0;
        ASSERT_TRUE(SendMessageTimeoutW(window->invisibleHandle(), WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &answer));
        EXPECT_EQ(1, closes.calls.load());
        EXPECT_EQ(!row.veto, window->isClosed());
        EXPECT_TRUE(IsWindow(window->getHandle())) << "the native window lives until the Window goes";
        EXPECT_TRUE(IsWindow(window->invisibleHandle()));
        EXPECT_EQ(row.veto, IsWindowVisible(window->getHandle()) != FALSE);
        window->removeListener(kEventClose, &closes);
    }
}

}  // namespace
}  // namespace s::gui::win
