// tests/s/file/gui/dialogs/brakvane/ProductMenuTest.cpp
//
// The menu bar's commands: the view options they switch and keep, and the pages they open
// (recorded, never opened).
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "s/gui/win/CheckBox.h"
#include "s/gui/win/MenuEx.h"
#include "s/system/win/ShellOpen.h"
#include "support/gui/GuiHarness.h"
#include "tests/s/file/gui/dialogs/brakvane/ProductFixture.h"

namespace {

using s::gui::win::kWaitForever;
using Dragndrop = s::gui::dialogs::dragndrop::Dialog;

std::vector<std::wstring> g_opened;

BOOL WINAPI recordOpen(SHELLEXECUTEINFOW* info) {
    g_opened.push_back(info && info->lpFile ? info->lpFile : L"");
    return TRUE;
}

class ProductMenuTest : public tests::product::ProductFixture {
protected:
    void SetUp() override {
        ProductFixture::SetUp();
        g_opened.clear();
        s::system::win::setShellExecuteFunction(&recordOpen);
    }
    void TearDown() override {
        s::system::win::setShellExecuteFunction(nullptr);
        ProductFixture::TearDown();
    }
    void command(int32_t id) {
        onUiThread(*window, [&] { dialog->menuBar()->chooseCommand(id); }, kWaitForever);
    }
    bool checked(int32_t id) { return dialog->menuBar()->isItemChecked(id); }
    uint32_t dword(const wchar_t* name) {
        uint32_t value = 99;
        readsAsDword(L"SaveData\\MainWindow\\View", name, &value);
        return value;
    }
};

TEST_F(ProductMenuTest, ViewCommandsSwitchTheirOptionsAndKeepThem) {
    openProduct(true);
    EXPECT_TRUE(checked(Dragndrop::kKeepOnTop));
    command(Dragndrop::kKeepOnTop);
    EXPECT_FALSE(checked(Dragndrop::kKeepOnTop));
    EXPECT_FALSE(window->isTopmost());
    EXPECT_EQ(0u, dword(L"KeepOnTop"));
    command(Dragndrop::kRightClickTransform);
    EXPECT_FALSE(checked(Dragndrop::kRightClickTransform));
    EXPECT_EQ(0u, dword(L"RightClickTransform"));
    command(Dragndrop::kEasyDrag);
    EXPECT_EQ(0u, dword(L"EasyDrag"));
    command(Dragndrop::kCloseByMiddleClick);
    EXPECT_FALSE(checked(Dragndrop::kCloseByMiddleClick));
    EXPECT_EQ(L"DoNothing", readString(L"SaveData\\MainWindow\\View", L"OnMClick"));
    EXPECT_TRUE(dialog->isAskingConfirmation());
    command(Dragndrop::kAskConfirmation);
    EXPECT_FALSE(dialog->isAskingConfirmation());
    EXPECT_EQ(0u, dword(L"AskConfirmation"));
    // Unknown ids do nothing.
    command(12345);
    EXPECT_TRUE(g_opened.empty());
}

TEST_F(ProductMenuTest, PageCommandsOpenTheirAddressesFromThePack) {
    openProduct();
    for (int32_t id : {Dragndrop::kTranslate, Dragndrop::kSoftwarePage, Dragndrop::kTellDevelopers,
                       Dragndrop::kMoreSoftware, Dragndrop::kWorkplace})
        command(id);
    EXPECT_THAT(g_opened, testing::ElementsAre(L"http://www.ostrel.example/translate/",
                                               L"http://www.ostrel.example/brakvane/",
                                               L"http://www.ostrel.example/brakvane/feedback/",
                                               L"http://www.ostrel.example/software/",
                                               L"http://www.ostrel.example/workplace/"));
}

struct TitleSearch {
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK findTitled(HWND w, LPARAM p) {
    auto* search = reinterpret_cast<TitleSearch*>(p);
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    wchar_t text[128] = L"";
    GetWindowTextW(w, text, 128);
    if (process != GetCurrentProcessId() || !IsWindowVisible(w) || wcscmp(text, search->title) != 0)
        return TRUE;
    search->found = w;
    return FALSE;
}

// A shown top-level window of this process with the given title, or none.
HWND shownWindowTitled(const wchar_t* title) {
    TitleSearch search = {title, nullptr};
    EnumWindows(&findTitled, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(ProductMenuTest, VersionInformationShowsTheAboutWindowOverTheMainWindow) {
    openProduct();
    command(Dragndrop::kVersionInformation);
    HWND about = nullptr;
    for (int waited = 0; !about && waited < 5000; waited += 50, Sleep(50))
        about = shownWindowTitled(L"Version Information");
    ASSERT_NE(nullptr, about);
    tests::gui::saveScreenshot(about, L"product-about");
    EXPECT_TRUE(g_opened.empty());  // it opens no page by itself
    // Shown again from the menu it is the same window, not a second one.
    command(Dragndrop::kVersionInformation);
    Sleep(200);
    EXPECT_NE(nullptr, shownWindowTitled(L"Version Information"));
}

}  // namespace
