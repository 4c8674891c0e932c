// tests/s/file/gui/dialogs/brakvane/ProductDialogTest.cpp
//
// The product's window driven as its user drives it: files dropped on the drop box,
// the confirmation answered, the run followed to "Done!", the dropped items gone and a
// bystander beside them untouched; refusals, cancel, the methods, the views and the
// language. Only sandbox paths on the fixture drive are ever dropped.
#include <gmock/gmock.h>

#include <string>

#include "s/gui/combobox/ComboBoxItem.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/CheckBox.h"
#include "s/gui/win/StatusBar.h"
#include "s/gui/win/ComboBox.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/MenuEx.h"
#include "s/gui/win/ProgressBar.h"
#include "s/gui/win/UiScale.h"
#include "s/lang/LangPack.h"
#include "s/lang/Localizer.h"
#include "tests/s/file/gui/dialogs/brakvane/ProductFixture.h"

namespace {

using s::gui::win::kWaitForever;
using tests::gui::QuestionDriver;
using tests::product::Product;
using Dragndrop = s::gui::dialogs::dragndrop::Dialog;

class ProductDialogTest : public tests::product::ProductFixture {
protected:
    void makeVictims() {
        ASSERT_TRUE(sandbox.makeFolder(L"victim"));
        ASSERT_TRUE(sandbox.makeFolder(L"victim\\inner"));
        ASSERT_TRUE(sandbox.writeFile(L"victim\\a.txt", "first secret"));
        ASSERT_TRUE(sandbox.writeFile(L"victim\\inner\\b.bin", std::string(70000, 'b')));
        ASSERT_TRUE(sandbox.writeFile(L"loose.txt", "loose secret"));
        ASSERT_TRUE(sandbox.makeFolder(L"keep"));
        ASSERT_TRUE(sandbox.writeFile(L"keep\\bystander.txt", kBystander));
    }
    void expectBystanderWhole() {
        std::string bytes;
        ASSERT_TRUE(sandbox.readFile(L"keep\\bystander.txt", &bytes));
        EXPECT_EQ(kBystander, bytes);
    }
    void clickCancel() {
        HWND cancel = dialog->cancelButton()->nativeWindow()->m_hWnd;
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(cancel, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &ignored);
    }
    void choose(int32_t method) {
        onUiThread(*window, [&] { dialog->optionControl()->setSelection(method, true); }, kWaitForever);
    }
    static inline const std::string kBystander = "not dropped: must stay byte for byte";
};

TEST_F(ProductDialogTest, ConfirmedDropIsShreddedToDoneAndTheBystanderStays) {
    makeVictims();
    openProduct(true);
    shoot(L"product-ready");
    QuestionDriver driver(L"Confirm File Shred", [](HWND q) {
        tests::gui::saveScreenshot(q, L"product-confirmation");
        tests::gui::clickButton(q, L"Yes");
    });
    ASSERT_TRUE(dropAndFinish({sandbox.at(L"victim"), sandbox.at(L"loose.txt")}, 0));
    EXPECT_TRUE(driver.waitForQuestions(1, 5000));
        EXPECT_EQ(1u, driver.seen().size());
    EXPECT_FALSE(sandbox.exists(L"victim"));
    EXPECT_FALSE(sandbox.exists(L"loose.txt"));
    expectBystanderWhole();
    // The end state: a full bar, "Done!" standing a while and giving way to "Ready", nothing
    // left in the queue.
    const std::wstring atTheEnd = dialog->statusLabel()->getText();
    EXPECT_EQ(L"Done!", atTheEnd);
    shoot(L"product-done");
    EXPECT_EQ(1, dialog->progressBar()->getRangeMaximum());
    EXPECT_EQ(1, dialog->progressBar()->getProgress());
    EXPECT_TRUE(tests::gui::eventually(
        [&] { return std::wstring(dialog->statusLabel()->getText()) == L"Ready"; }, 10000));
    EXPECT_EQ(0u, dialog->queuedCount());
    EXPECT_TRUE(watcher->boxes().empty()) << "no failure to list";
}

TEST_F(ProductDialogTest, NoInTheConfirmationChangesNothingAndDontAskSwitchesItOff) {
    makeVictims();
    openProduct(true);
    {
        QuestionDriver driver(L"Confirm File Shred", [](HWND q) { tests::gui::clickButton(q, L"No"); });
        drop({sandbox.at(L"loose.txt")});
        ASSERT_TRUE(driver.waitForQuestions(1, 10000));
        Sleep(300);
        EXPECT_FALSE(dialog->isBusy());
        EXPECT_TRUE(sandbox.exists(L"loose.txt"));
        EXPECT_TRUE(dialog->isAskingConfirmation());
    }
    {
        // Ticked and No: this drop is refused, and no question comes again.
        QuestionDriver driver(L"Confirm File Shred", [](HWND q) {
            tests::gui::clickButton(q, L"Don't ask me again");
            tests::gui::clickButton(q, L"No");
        });
        drop({sandbox.at(L"loose.txt")});
        ASSERT_TRUE(driver.waitForQuestions(1, 10000));
        ASSERT_TRUE(tests::gui::eventually([&] { return !dialog->isAskingConfirmation(); }, 5000));
        EXPECT_TRUE(sandbox.exists(L"loose.txt"));
        uint32_t saved = 1;
        EXPECT_TRUE(readsAsDword(L"SaveData\\MainWindow\\View", L"AskConfirmation", &saved));
        EXPECT_EQ(0u, saved);
        EXPECT_FALSE(dialog->menuBar()->isItemChecked(Dragndrop::kAskConfirmation));
    }
    QuestionDriver never(L"Confirm File Shred", [](HWND q) { tests::gui::clickButton(q, L"No"); });
    ASSERT_TRUE(dropAndFinish({sandbox.at(L"loose.txt")}, 0));
    EXPECT_TRUE(never.seen().empty());
    EXPECT_FALSE(sandbox.exists(L"loose.txt"));
    expectBystanderWhole();
}

TEST_F(ProductDialogTest, EveryMethodThroughTheComboShredsAndIsRemembered) {
    openProduct();
    // The default is the last method.
    EXPECT_EQ(Product::kDefaultMethod, dialog->optionControl()->getSelectedIndex());
    const wchar_t* captions[] = {L"Ruziruru (Vanish it!)", L"Into Ashes (Extremely Secure)",
                                 L"Extra Carefully (Even More Secure)", L"Shred Once (Usually Unrecoverable)"};
    for (int32_t method = 0; method < Product::kMethodCount; ++method) {
        SCOPED_TRACE(method);
        const std::wstring name = L"m" + std::to_wstring(method) + L".txt";
        ASSERT_TRUE(sandbox.writeFile(name, std::string(5000, 'x')));
        choose(method);
        EXPECT_EQ(captions[method], readString(L"SaveData\\MainWindow\\View", L"ConvertTo"));
        ASSERT_TRUE(dropAndFinish({sandbox.at(name)}, static_cast<size_t>(method)));
        EXPECT_FALSE(sandbox.exists(name));
    }
    // A new window selects the saved method again.
    choose(1);
    closeProduct();
    openProduct();
    EXPECT_EQ(1, dialog->optionControl()->getSelectedIndex());
}

TEST_F(ProductDialogTest, CancelDuringAGutmannRunKeepsTheFileAndADropMeanwhileIsRefused) {
    // Large enough that 35 passes take far longer than the test needs to cancel them.
    ASSERT_TRUE(sandbox.writeFile(L"large.bin", std::string(96 << 20, 'L')));
    ASSERT_TRUE(sandbox.writeFile(L"late.txt", "dropped while busy"));
    openProduct();
    choose(0);
    drop({sandbox.at(L"large.bin")});
    ASSERT_TRUE(waitBusy(10000));
    drop({sandbox.at(L"late.txt")});
    ASSERT_TRUE(tests::gui::eventually([&] { return dialog->copyStatusTrail(nullptr) > 0; }, 10000));
    EXPECT_TRUE(IsWindowVisible(dialog->progressBar()->nativeWindow()->m_hWnd));
    shoot(L"product-running");
    EXPECT_EQ(1u, dialog->queuedCount());
    clickCancel();
    ASSERT_TRUE(waitIdle(15000));
    EXPECT_EQ(0u, trailCount(L"Done!") - 1) << "one end, of the cancelled run";
    EXPECT_TRUE(sandbox.exists(L"late.txt"));
    EXPECT_TRUE(sandbox.exists(L"large.bin"));
    EXPECT_TRUE(trailHas(L"Canceling.."));
    EXPECT_TRUE(tests::gui::eventually(
        [&] { return std::wstring(dialog->statusLabel()->getText()) == L"Ready"; }, 10000));
    // The cut-short run lists the large file as not wiped.
    ASSERT_TRUE(watcher->waitForBoxes(1, 5000));
    EXPECT_THAT(watcher->boxes()[0].text, testing::HasSubstr(L"large.bin"));
    // Ready again: the next drop runs.
    choose(3);
    ASSERT_TRUE(dropAndFinish({sandbox.at(L"late.txt")}, trailCount(L"Done!")));
    EXPECT_FALSE(sandbox.exists(L"late.txt"));
}

TEST_F(ProductDialogTest, ItemsThatCouldNotBeWipedAreListedToTheUser) {
    ASSERT_TRUE(sandbox.writeFile(L"locked.txt", "held open"));
    ASSERT_TRUE(sandbox.writeFile(L"free.txt", "can go"));
    HANDLE held = CreateFileW(sandbox.at(L"locked.txt").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    openProduct();
    ASSERT_TRUE(dropAndFinish({sandbox.at(L"locked.txt"), sandbox.at(L"free.txt")}, 0));
    CloseHandle(held);
    ASSERT_TRUE(watcher->waitForBoxes(1, 5000));
    const std::wstring text = watcher->boxes()[0].text;
    EXPECT_THAT(text, testing::HasSubstr(L"could not be wiped"));
    EXPECT_THAT(text, testing::HasSubstr(L"locked.txt"));
    EXPECT_THAT(text, testing::Not(testing::HasSubstr(L"free.txt")));
    EXPECT_TRUE(sandbox.exists(L"locked.txt"));
    EXPECT_FALSE(sandbox.exists(L"free.txt"));
}

TEST_F(ProductDialogTest, AnUnusableFolderRefusesTheDropWithTheFolderNamed) {
    openProduct();
    const std::wstring missing = sandbox.at(L"no\\such\\item.txt");
    drop({missing});
    ASSERT_TRUE(watcher->waitForBoxes(1, 5000));
    EXPECT_EQ(L"The output folder is inaccessible or write-protected.\r\n\"" + sandbox.at(L"no\\such") + L"\"",
              watcher->boxes()[0].text);
    EXPECT_FALSE(dialog->isBusy());
    EXPECT_EQ(0u, dialog->queuedCount());
}

TEST_F(ProductDialogTest, ViewsSwitchAndKeepTheirSizesPerSection) {
    openProduct();
    EXPECT_TRUE(dialog->isCompact());
    EXPECT_EQ(250, window->getWidth());
    EXPECT_STREQ(L"Detailed Description >>", dialog->toggleButton()->getText());
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(dialog->toggleButton()->nativeWindow()->m_hWnd, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &ignored);
    ASSERT_TRUE(tests::gui::eventually([&] { return IsWindowVisible(window->getHandle()) && !dialog->isCompact(); }, 5000));
    EXPECT_EQ(500, window->getWidth());
    EXPECT_EQ(400, window->getHeight());
    EXPECT_STREQ(L"<< Minimize", dialog->toggleButton()->getText());
    EXPECT_TRUE(dialog->descriptionPanel()->isVisible());
    shoot(L"product-large-view");
    uint32_t value = 0;
    EXPECT_TRUE(readsAsDword(L"SaveData\\MainWindow\\View", L"SmallWidth", &value));
    EXPECT_EQ(250u, value);
    EXPECT_TRUE(readsAsDword(L"SaveData\\MainWindow\\View", L"CompactView", &value));
    EXPECT_EQ(0u, value);
    window->setSize(520, 420);
    SendMessageTimeoutW(dialog->toggleButton()->nativeWindow()->m_hWnd, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &ignored);
    ASSERT_TRUE(tests::gui::eventually([&] { return IsWindowVisible(window->getHandle()) && dialog->isCompact(); }, 5000));
    EXPECT_TRUE(readsAsDword(L"SaveData\\MainWindow\\View", L"LargeWidth", &value));
    EXPECT_EQ(520u, value);
    EXPECT_FALSE(dialog->descriptionPanel()->isVisible());
    shoot(L"product-compact-view");
}

TEST_F(ProductDialogTest, ALanguageCommandReTextsTheWindowAndOnesOutsideTheListAreIgnored) {
    openProduct();
    s::lang::Localizer* texts = app->localizer();
    ASSERT_NE(nullptr, texts);
    int32_t german = -1;
    for (uint32_t i = 0; i < texts->packCount(); ++i)
        if (wcscmp(texts->packAt(i)->englishName().cString(), L"German") == 0) german = static_cast<int32_t>(i);
    ASSERT_GE(german, 0);
    const int32_t english = texts->currentIndex();
    for (int32_t outside : {1, Dragndrop::kFirstLanguage + static_cast<int32_t>(texts->packCount()), 99}) {
        onUiThread(*window, [&] { dialog->menuBar()->chooseCommand(outside); }, kWaitForever);
        EXPECT_EQ(english, texts->currentIndex()) << outside;
    }
    onUiThread(*window, [&] { dialog->menuBar()->chooseCommand(Dragndrop::kFirstLanguage + german); }, kWaitForever);
    EXPECT_EQ(german, texts->currentIndex());
    EXPECT_STREQ(texts->getText(1005000), dialog->toggleButton()->getText());
    EXPECT_STRNE(L"Detailed Description >>", dialog->toggleButton()->getText());
    EXPECT_EQ(L"German", readString(L"SaveData\\Language", L""));
    shoot(L"product-german");
    onUiThread(*window, [&] { dialog->menuBar()->chooseCommand(Dragndrop::kFirstLanguage + english); }, kWaitForever);
    EXPECT_STREQ(L"Detailed Description >>", dialog->toggleButton()->getText());
}

struct OutsideSearch {
    HWND top;
    RECT client;
    std::wstring outside;
};

BOOL CALLBACK findOutside(HWND child, LPARAM context) {
    auto* s = reinterpret_cast<OutsideSearch*>(context);
    if (!IsWindowVisible(child)) return TRUE;
    RECT r = {};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, s->top, reinterpret_cast<POINT*>(&r), 2);
    if (r.left >= 0 && r.top >= 0 && r.right <= s->client.right && r.bottom <= s->client.bottom) return TRUE;
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    s->outside = std::wstring(name) + L" at " + std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"-" +
                 std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom);
    return FALSE;
}

// Every control shown lies inside the window's client area; else the first outside.
testing::AssertionResult everyControlInside(HWND top) {
    OutsideSearch search = {top, {}, L""};
    GetClientRect(top, &search.client);
    EnumChildWindows(top, &findOutside, reinterpret_cast<LPARAM>(&search));
    if (search.outside.empty()) return testing::AssertionSuccess();
    return testing::AssertionFailure() << testing::PrintToString(search.outside) << " outside the client of "
                                       << search.client.right << " x " << search.client.bottom;
}

s::gui::IComponent* findGrip(s::gui::IComponent* in) {
    if (!in) return nullptr;
    if (auto* button = dynamic_cast<s::gui::win::Button*>(in))
        if (wcscmp(button->getText(), L"#Resizer") == 0) return in;
    for (uint32_t i = 0; i < in->getChildCount(); ++i)
        if (s::gui::IComponent* found = findGrip(in->getChild(i))) return found;
    return nullptr;
}

COLORREF clientPixel(HWND window, int32_t x, int32_t y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

// At scale 2 the window draws everything at twice the size: the content fits the client in
// both views, the grip is 24 pixels, the check box's box and the combo's arrow grow with the
// text beside them, and the combo takes its whole cell.
TEST_F(ProductDialogTest, AtScaleTwoEverythingTheWindowDrawsFollowsTheScale) {
    s::gui::win::overrideUiScale(2);
    openProduct();
    Sleep(300);
    EXPECT_TRUE(everyControlInside(window->getHandle())) << "compact view";
    shoot(L"product-compact-scale2");
    s::gui::win::ComboBox* combo = dialog->optionControl();
    s::gui::IComponent* row = combo->getParent();
    EXPECT_EQ(row->getInnerWidth(), combo->getX() + combo->getWidth()) << "the combo leaves its cell's end free";
    // The system would draw the arrow and the check mark at their one size.
    EXPECT_NE(nullptr, combo->getDrawer()) << "the combo's arrow keeps the system's size";
    ASSERT_NE(nullptr, dialog->keepOnTopBox());
    EXPECT_NE(nullptr, dialog->keepOnTopBox()->getDrawer()) << "the check mark keeps the system's size";
    // The grip: 24 pixels, its dots twice as large and twice as far from the corner.
    s::gui::IComponent* grip = findGrip(dialog->statusBar());
    ASSERT_NE(nullptr, grip);
    EXPECT_EQ(24, grip->getWidth());
    EXPECT_EQ(24, grip->getHeight());
    HWND gripWindow = grip->nativeWindow()->m_hWnd;
    const COLORREF dotGrey = RGB(0xB8, 0xB5, 0xA1);
    EXPECT_EQ(dotGrey, clientPixel(gripWindow, 24 - 8, 24 - 24)) << "the farthest dot";
    EXPECT_EQ(dotGrey, clientPixel(gripWindow, 24 - 24 + 3, 24 - 8 + 3)) << "a dot two pixels wide";
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(dialog->toggleButton()->nativeWindow()->m_hWnd, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &ignored);
    ASSERT_TRUE(tests::gui::eventually([&] { return IsWindowVisible(window->getHandle()) && !dialog->isCompact(); }, 5000));
    Sleep(300);
    EXPECT_TRUE(everyControlInside(window->getHandle())) << "large view";
    shoot(L"product-large-scale2");
    closeProduct();
    s::gui::win::overrideUiScale(0);
}

TEST_F(ProductDialogTest, UpdatesAreHalvedWhileTheirTotalIsAboveTheBarsRange) {
    openProduct();
    struct Row {
        int32_t total, done, range, position;
    } rows[] = {{100, 37, 101, 38}, {40000, 20000, 20001, 10001}, {70000, 35000, 17501, 8751}};
    for (const Row& r : rows) {
        window->sendUserEvent(Dragndrop::kUpdate, r.total, r.done, L"item");
        EXPECT_EQ(r.range, dialog->progressBar()->getRangeMaximum()) << r.total;
        EXPECT_EQ(r.position, dialog->progressBar()->getProgress()) << r.total;
    }
    EXPECT_STREQ(L"item", dialog->statusLabel()->getText());
}

}  // namespace

namespace {

// The status trail is for drivers: nothing is kept unless one asks, and then only the
// latest texts, however long the program runs.
TEST_F(ProductDialogTest, TheStatusTrailIsKeptOnlyWhenAskedAndOnlyItsLatestTexts) {
    openProduct();
    dialog->keepStatusTrail(0);
    ASSERT_TRUE(sandbox.writeFile(L"one.txt", std::string(3000, '1')));
    drop({sandbox.at(L"one.txt")});
    ASSERT_TRUE(tests::gui::eventually([&] { return !sandbox.exists(L"one.txt") && !dialog->isBusy(); }, 30000));
    EXPECT_EQ(0u, dialog->copyStatusTrail(nullptr)) << "kept without being asked";
    dialog->keepStatusTrail(2);
    for (int run = 0; run < 3; ++run) {
        const std::wstring name = L"run" + std::to_wstring(run) + L".txt";
        ASSERT_TRUE(sandbox.writeFile(name, std::string(3000, 'r')));
        drop({sandbox.at(name)});
        ASSERT_TRUE(tests::gui::eventually([&] { return !sandbox.exists(name) && !dialog->isBusy(); }, 30000));
    }
    s::str::strarray::StrArray trail;
    ASSERT_EQ(2u, dialog->copyStatusTrail(&trail));
    // The last run's end: "Done!", then "Ready".
    EXPECT_STREQ(L"Done!", trail.at(0)->cString());
    EXPECT_STREQ(L"Ready", trail.at(1)->cString());
}

}  // namespace

namespace {

class ChosenMethodTest : public tests::product::ProductFixture {
protected:
    int32_t packIndex(const wchar_t* name) {
        s::lang::Localizer* texts = app->localizer();
        for (uint32_t i = 0; i < texts->packCount(); ++i)
            if (wcscmp(texts->packAt(i)->englishName().cString(), name) == 0) return static_cast<int32_t>(i);
        return -1;
    }
    // As the user does it: the language from the menu, then the method in the combo.
    void chooseIn(const wchar_t* language, int32_t method) {
        const int32_t pack = packIndex(language);
        ASSERT_GE(pack, 0) << "no pack " << language;
        onUiThread(*window, [&] { dialog->menuBar()->chooseCommand(Dragndrop::kFirstLanguage + pack); }, kWaitForever);
        onUiThread(*window, [&] { dialog->optionControl()->setSelection(method, true); }, kWaitForever);
    }
    // The window made again with the saved settings while another language is current.
    void reopenIn(const wchar_t* language) {
        closeProduct();
        app->localizer()->setLanguage(language);
        openProduct();
    }
};

// The method is what the user chose, whatever the language: a caption of the language of
// the moment alone would match nothing after a change, and 35 passes would become one.
TEST_F(ChosenMethodTest, EachMethodChosenInOneLanguageIsStillChosenInThreeOthers) {
    const wchar_t* languages[] = {L"German", L"Arabic", L"Japanese", L"Hebrew", L"English"};
    for (int32_t method = 0; method < Product::kMethodCount; ++method) {
        const wchar_t* chosenIn = languages[method % 4];
        SCOPED_TRACE(testing::Message() << "method " << method);
        openProduct();
        chooseIn(chosenIn, method);
        for (int32_t step = 1; step <= 3; ++step) {
            const wchar_t* restartIn = languages[(method + step) % 5];
            SCOPED_TRACE(restartIn);
            reopenIn(restartIn);
            EXPECT_EQ(method, dialog->optionControl()->getSelectedIndex());
            EXPECT_STREQ(app->localizer()->getText(dialog->optionControl()->getItem(method)->getTextId()),
                         dialog->optionControl()->getSelectedItem()->getCaption());
        }
        closeProduct();
        app->localizer()->setLanguage(L"English");
    }
}

// Settings saved before the method's id was kept hold only a caption, of any language.
TEST_F(ChosenMethodTest, AnOldCaptionOfAnyLanguageStillFindsItsMethod) {
    s::lang::Localizer* texts = app->localizer();
    const int32_t german = packIndex(L"German"), japanese = packIndex(L"Japanese");
    ASSERT_GE(german, 0);
    ASSERT_GE(japanese, 0);
    struct Row {
        int32_t pack;
        uint32_t captionId;
        int32_t method;
    } rows[] = {{german, 1100000, 0}, {japanese, 1100100, 1}, {german, 1100200, 2}};
    for (const Row& row : rows) {
        const std::wstring caption = texts->captionAt(static_cast<uint32_t>(row.pack), row.captionId);
        ASSERT_NE(caption, texts->captionAt(0, row.captionId)) << "the pack has no own caption";
        writeString(L"SaveData\\MainWindow\\View", L"ConvertTo", caption);
        removeValue(L"SaveData\\MainWindow\\View", L"ConvertToId");
        openProduct();
        EXPECT_EQ(row.method, dialog->optionControl()->getSelectedIndex()) << row.captionId;
        closeProduct();
    }
}

}  // namespace
