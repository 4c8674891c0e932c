// tests/s/file/gui/dialogs/brakvane/ProductFaultsTest.cpp
//
// The places where the dialog could hurt its user: a wiper without its buffer, a close
// in the middle of a run, a drop arriving while a box of the previous one is open, no
// method selected, a window that was never made.
#include <gmock/gmock.h>

#include <cwchar>

#include "mfc/CWnd.h"
#include "s/file/wiper/win/Method_Pseudorandom.h"
#include "s/gui/win/ComboBox.h"
#include "s/gui/win/WindowClass.h"
#include "tests/s/file/gui/dialogs/brakvane/FakeWiperFixture.h"
#include "support/gui/RefusedWindows.h"

namespace {

using tests::product::FakeWiper;
using tests::product::Product;

class ProductFaultsTest : public tests::product::FakeWiperFixture {
protected:
    void TearDown() override {
        mfc::CWnd::setCreateWindowFunction(nullptr);
        FakeWiperFixture::TearDown();
    }
};

TEST_F(ProductFaultsTest, AWiperWithoutItsBufferRefusesTheDropWithAMessage) {
    fake.prepareAnswer = false;
    openProduct();
    drop({sandbox.at(L"item.txt")});
    ASSERT_TRUE(watcher->waitForBoxes(1, 5000));
    EXPECT_THAT(watcher->boxes()[0].text, testing::HasSubstr(L"Nothing was shredded"));
    Sleep(300);
    EXPECT_FALSE(dialog->isBusy());
    EXPECT_EQ(0u, dialog->queuedCount());
    EXPECT_EQ(0, fake.starts.load());
    EXPECT_EQ(0, fake.added.load());
}

TEST_F(ProductFaultsTest, ClosingDuringARunNeverResetsTheWiperUnderTheTask) {
    // The task sits between its last added path and the wiper's start when the close comes.
    fake.addPathDelayMs = 800;
    fake.runMs = 600;
    openProduct();
    drop({sandbox.at(L"item.txt")});
    ASSERT_TRUE(tests::gui::eventually([&] { return fake.inAddPath.load(); }, 5000));
    const int resetsBefore = fake.resets;
    window->close();
    EXPECT_TRUE(window->isClosed());
    const DWORD start = GetTickCount();
    closeProduct();  // waits until the task has ended
    EXPECT_LT(GetTickCount() - start, 8000u);
    EXPECT_EQ(0, fake.resetsWhileBusy.load());
    EXPECT_EQ(resetsBefore, fake.resets.load()) << "no preparing during the run";
    EXPECT_EQ(1, fake.added.load());
}

TEST_F(ProductFaultsTest, ClosingWhenIdlePreparesTheWiperForTheNextStart) {
    openProduct();
    ASSERT_TRUE(dropAndFinish({sandbox.at(L"item.txt")}, 0));
    const int prepares = fake.prepares;
    window->close();
    EXPECT_EQ(prepares + 1, fake.prepares.load());
}

// The combo keeps a selection inside its list, so no selection (-1) is met only here.
TEST(ProductMethods, EveryComboIndexHasAMethodAndOutsideTheTableTheDefault) {
    struct Row {
        int32_t index;
        const wchar_t* method;
        int32_t repeats;
    } rows[] = {
        {-1, L"s_file_wiper_win_Method_Pseudorandom", 2}, {0, L"s_file_wiper_win_Method_Gutmann", 20},
        {1, L"s_file_wiper_win_Method_DoD", 15},          {2, L"s_file_wiper_win_Method_DoD_E", 7},
        {3, L"s_file_wiper_win_Method_Pseudorandom", 2},  {4, L"s_file_wiper_win_Method_Pseudorandom", 2},
    };
    for (const Row& r : rows) {
        s::file::wiper::IMethod* method = Product::newMethod(r.index);
        ASSERT_NE(nullptr, method) << r.index;
        EXPECT_STREQ(r.method, method->classId()) << r.index;
        EXPECT_EQ(r.repeats, Product::repeatCount(r.index)) << r.index;
        dynamic_cast<s::thread::IPoolable*>(method)->releaseToPool();
    }
}

TEST_F(ProductFaultsTest, ADropWhileABoxOfTheLastDropIsOpenIsRefusedAndNeverQueued) {
    openProduct();
    watcher->setAnswer(tests::gui::ModalWatcher::kHold);
    drop({sandbox.at(L"no\\such\\item.txt")});
    ASSERT_TRUE(watcher->waitForBoxes(1, 5000));
    // The box's own loop delivers this drop to the dialog while the first is handled.
    drop({sandbox.at(L"item.txt")});
    Sleep(500);
    watcher->answerHeld(IDOK);
    Sleep(500);
    EXPECT_FALSE(dialog->isBusy());
    EXPECT_EQ(0, fake.added.load());
    EXPECT_EQ(0, fake.starts.load());
    EXPECT_EQ(1u, watcher->boxes().size());
    EXPECT_TRUE(sandbox.exists(L"item.txt"));
    // Afterwards drops are taken again.
    watcher->setAnswer(IDOK);
    ASSERT_TRUE(dropAndFinish({sandbox.at(L"item.txt")}, 0));
    EXPECT_EQ(1, fake.starts.load());
}

TEST_F(ProductFaultsTest, AWindowThatWasNeverMadeEndsTheWaitAtOnce) {
    mfc::CWnd::setCreateWindowFunction(&tests::gui::refuseToolkitTopWindows);
    dialog = Product::obtain(holder);
    ASSERT_NE(nullptr, dialog);
    const DWORD start = GetTickCount();
    EXPECT_FALSE(dialog->buildUi());
    EXPECT_LT(GetTickCount() - start, 10000u);
    mfc::CWnd::setCreateWindowFunction(nullptr);
    window = nullptr;
}

}  // namespace
