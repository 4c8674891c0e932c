// tests/s/gui/dialogs/win/FolderSelectorTest.cpp
//
// The folder browser driven through the box watcher: opened at a start folder (selected by
// the callback) and taken with OK, opened without one (no callback, the default title) and
// cancelled, and the flags for both.
#include "s/gui/dialogs/win/FolderSelector.h"

#include <gmock/gmock.h>

#include <atomic>

#include "s/gui/win/Window.h"
#include "s/thread/Pool.h"
#include "support/Pooled.h"
#include "support/Sandbox.h"
#include "tests/s/gui/dialogs/DialogFixture.h"

namespace s::gui::dialogs::win {
namespace {

using tests::gui::CallThread;

class FolderSelectorTest : public tests::gui::DialogFixture {
protected:
    void SetUp() override {
        DialogFixture::SetUp();
        ASSERT_TRUE(box.ok());
        parent->setBounds(80, 80, 300, 200);
        parent->show(true, false);
    }
    tests::Sandbox box;
    tests::Pooled<s::gui::win::Window> parent{s::thread::Pool<s::gui::win::Window, 0>::obtain()};
    tests::Pooled<FolderSelector> selector;
    std::atomic<bool> chosen{false};
};

TEST(FolderSelectorRules, AStartFolderAddsValidation) {
    EXPECT_EQ(0x50u, FolderSelector::browseFlags(false));
    EXPECT_EQ(0x70u, FolderSelector::browseFlags(true));
}

TEST_F(FolderSelectorTest, TheStartFolderIsSelectedAndTakenWithOk) {
    ASSERT_TRUE(box.makeFolder(L"Destination"));
    const std::wstring start = box.at(L"Destination");
    parent->setTopmost(true);
    CallThread call([&] { chosen = selector->show(parent.get(), start.c_str(), L"Where to?"); });
    HWND dialog = this->dialog(0);
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(tests::gui::showsText(dialog, L"Where to?"));
    EXPECT_FALSE(parent->isTopmost());  // a topmost parent would cover the browser
    Sleep(500);
    tests::gui::saveScreenshot(dialog, L"folder_selector");
    answer(IDOK);
    ASSERT_TRUE(call.join(20000));
    EXPECT_TRUE(chosen);
    EXPECT_TRUE(selector->usedCallback());
    EXPECT_EQ(start, selector->getPath());
    EXPECT_TRUE(parent->isTopmost());
}

TEST_F(FolderSelectorTest, WithoutAStartFolderNoCallbackAndACancelChoosesNothing) {
    CallThread call([&] { chosen = selector->show(parent.get(), nullptr, nullptr); });
    HWND dialog = this->dialog(0);
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(tests::gui::showsText(dialog, FolderSelector::kDefaultTitle));
    answer(IDCANCEL);
    ASSERT_TRUE(call.join(20000));
    EXPECT_FALSE(chosen);
    EXPECT_FALSE(selector->usedCallback());
    EXPECT_EQ(std::wstring(), selector->getPath());
}

}  // namespace
}  // namespace s::gui::dialogs::win
