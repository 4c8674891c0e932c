// tests/s/file/gui/dialogs/brakvane/ProductEndListTest.cpp
//
// The end of a run as the user is told it: the list of what could not be wiped, each item
// with how it was left, in the language of the window; one line per item however its path
// was dropped; and a close during a run, by the user (the list is shown, then the window
// goes) or from outside (nothing is shown; at the end of the session the run has stopped
// before the window lets the session go on).
#include <gmock/gmock.h>

#include <string>

#include "s/gui/win/MenuEx.h"
#include "s/lang/LangPack.h"
#include "s/lang/Localizer.h"
#include "tests/s/file/gui/dialogs/brakvane/FakeWiperFixture.h"

namespace {

using s::gui::win::kWaitForever;
using s::file::wiper::Survival;
using testing::HasSubstr;
using testing::Not;
using tests::product::FakeWiper;
using tests::product::Product;
using Dragndrop = s::gui::dialogs::dragndrop::Dialog;

TEST(ProductEndList, EveryWayAnItemStayedHasAPackTextOfItsOwn) {
    struct Row {
        Survival why;
        int32_t text;
    } const rows[] = {
        {Survival::kUnknown, 0},
        {Survival::kLeftAsItWas, 1500110},
        {Survival::kNotFound, 1500120},
        {Survival::kThroughLink, 1500130},
        {Survival::kOtherNames, 1500140},
        {Survival::kPartlyOverwritten, 1500150},
        {Survival::kPartlyWiped, 1500160},
        {Survival::kNameLeft, 1500170},
        {Survival::kNameLeftAs, 1500180},
        {Survival::kStreamsUnknown, 1500190},
    };
    for (const Row& row : rows) EXPECT_EQ(row.text, Product::survivalTextId(row.why)) << static_cast<int>(row.why);
}

class ProductEndListTest : public tests::product::FakeWiperFixture {
protected:
    void SetUp() override {
        FakeWiperFixture::SetUp();
        ASSERT_TRUE(sandbox.writeFile(L"other.txt", "dropped too"));
    }
    // A run that lasts until it is stopped, leaving the given list.
    void longRunLeaving(std::vector<FakeWiper::Failure> failures) {
        fake.runMs = 60000;
        fake.failures = std::move(failures);
    }
};

TEST_F(ProductEndListTest, EachItemIsListedWithHowItWasLeftInTheWindowsLanguage) {
    fake.runMs = 100;
    fake.failures = {
        {L"T:\\x\\big.bin", Survival::kPartlyOverwritten, L""},
        {L"T:\\x\\link.bin", Survival::kThroughLink, L""},
        {L"T:\\x\\alias.txt", Survival::kOtherNames, L""},
        {L"T:\\x\\gone.txt", Survival::kNameLeftAs, L"Qz7.f3M"},
        {L"T:\\x\\folder", Survival::kPartlyWiped, L""},
        {L"T:\\x\\caller", Survival::kUnknown, L""},
    };
    openProduct();
    watcher->setBeforeAnswer([](HWND box) { tests::gui::saveScreenshot(box, L"product-end-list"); });
    ASSERT_TRUE(dropAndFinish({sandbox.at(L"item.txt")}, 0));
    ASSERT_TRUE(watcher->waitForBoxes(1, 5000));
    // The dropped item is still there and was not in the wiper's list: as it was.
    EXPECT_EQ(L"These items could not be wiped:\r\n"
              L"T:\\x\\big.bin (partly overwritten: its data is destroyed, its name and size remain)\r\n"
              L"T:\\x\\link.bin (a link: it and its target were left as they were)\r\n"
              L"T:\\x\\alias.txt (it has other names (hard links): left as it was)\r\n"
              L"T:\\x\\gone.txt (its data is destroyed, it remains as Qz7.f3M)\r\n"
              L"T:\\x\\folder (partly wiped: some of its contents are destroyed)\r\n"
              L"T:\\x\\caller\r\n" +
                  sandbox.at(L"item.txt") + L" (left as it was)",
              watcher->boxes()[0].text);

    s::lang::Localizer* texts = app->localizer();
    int32_t german = -1;
    for (uint32_t i = 0; i < texts->packCount(); ++i)
        if (wcscmp(texts->packAt(i)->englishName().cString(), L"German") == 0) german = static_cast<int32_t>(i);
    ASSERT_GE(german, 0);
    onUiThread(*window, [&] { dialog->menuBar()->chooseCommand(Dragndrop::kFirstLanguage + german); }, kWaitForever);
    fake.failures = {{L"T:\\x\\big.bin", Survival::kPartlyOverwritten, L""}};
    ASSERT_TRUE(waitIdle(5000));
    drop({sandbox.at(L"other.txt")});
    ASSERT_TRUE(watcher->waitForBoxes(2, 10000));
    EXPECT_EQ(std::wstring(texts->getText(Product::kNotWipedText)) + L"\r\nT:\\x\\big.bin (" +
                  texts->getText(1500150) + L")\r\n" + sandbox.at(L"other.txt") + L" (" + texts->getText(1500110) + L")",
              watcher->boxes()[1].text);
    EXPECT_THAT(watcher->boxes()[1].text, HasSubstr(L"teilweise"));
}

// The user's close (what the close box sends) stops the run as Cancel does, keeps the
// window until the end of the run has been shown with its list, then closes it.
TEST_F(ProductEndListTest, TheUsersCloseDuringARunShowsTheListBeforeTheWindowGoes) {
    longRunLeaving({{sandbox.at(L"item.txt"), Survival::kPartlyOverwritten, L""}});
    openProduct();
    static HWND s_main = nullptr;
    static bool s_shownWhileAsked = false;
    s_main = window->getHandle();
    s_shownWhileAsked = false;
    watcher->setBeforeAnswer([](HWND box) {
        s_shownWhileAsked = IsWindowVisible(s_main) != FALSE;
        tests::gui::saveScreenshot(box, L"product-closed-by-user");
    });
    drop({sandbox.at(L"item.txt")});
    ASSERT_TRUE(tests::gui::eventually([&] { return fake.starts.load() == 1 && dialog->isBusy(); }, 10000));
    PostMessageW(window->getHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(watcher->waitForBoxes(1, 10000)) << "the end of the run was not shown";
    EXPECT_TRUE(s_shownWhileAsked) << "the window stays while its list is shown";
    EXPECT_THAT(watcher->boxes()[0].text, HasSubstr(L"partly overwritten"));
    EXPECT_TRUE(tests::gui::eventually([&] { return window->isClosed(); }, 10000)) << "then it goes";
    EXPECT_TRUE(trailHas(L"Canceling.."));
    EXPECT_FALSE(dialog->isBusy());
}

// Another program's WM_CLOSE: the window goes at once, the run is stopped, nothing is shown.
TEST_F(ProductEndListTest, ACloseFromOutsideDuringARunEndsItWithoutABox) {
    longRunLeaving({{sandbox.at(L"item.txt"), Survival::kPartlyOverwritten, L""}});
    openProduct();
    drop({sandbox.at(L"item.txt")});
    ASSERT_TRUE(tests::gui::eventually([&] { return fake.starts.load() == 1 && dialog->isBusy(); }, 10000));
    PostMessageW(window->getHandle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(tests::gui::eventually([&] { return window->isClosed(); }, 5000));
    EXPECT_TRUE(tests::gui::eventually([&] { return !dialog->isBusy(); }, 6000)) << "the run ends";
    Sleep(300);
    EXPECT_TRUE(watcher->boxes().empty());
}

// At the end of the session the system may end the process as soon as the window has
// answered: the run has stopped by then, within the stop's limit, and nothing is shown.
TEST_F(ProductEndListTest, TheEndOfTheSessionStopsTheRunBeforeItIsAnswered) {
    longRunLeaving({{sandbox.at(L"item.txt"), Survival::kPartlyOverwritten, L""}});
    openProduct();
    drop({sandbox.at(L"item.txt")});
    ASSERT_TRUE(tests::gui::eventually([&] { return fake.starts.load() == 1 && dialog->isBusy(); }, 10000));
    DWORD_PTR ignored = 0;
    const DWORD start = GetTickCount();
    ASSERT_TRUE(SendMessageTimeoutW(window->getHandle(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 20000, &ignored));
    EXPECT_LT(GetTickCount() - start, Dragndrop::kSessionEndWaitMs);
    EXPECT_FALSE(dialog->isBusy()) << "the run was still going when the session was let go";
    EXPECT_FALSE(fake.isRunning());
    EXPECT_TRUE(window->isClosed());
    Sleep(300);
    EXPECT_TRUE(watcher->boxes().empty());
}

// The drive root dropped as "R:\" (the session's root with a canary only) is refused by the
// real wiper and listed once, not once by the wiper and once more by its dropped text.
TEST_F(ProductEndListTest, ADroppedDriveRootIsListedOnce) {
    Product::setWiperSource(nullptr);
    openProduct();
    ASSERT_TRUE(dropAndFinish({L"R:\\"}, 0));
    ASSERT_TRUE(watcher->waitForBoxes(1, 5000));
    const std::wstring text = watcher->boxes()[0].text;
    EXPECT_EQ(L"These items could not be wiped:\r\nR: (left as it was)", text);
    HANDLE canary = CreateFileW(L"R:\\canary.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, canary);
    CloseHandle(canary);
}

}  // namespace
