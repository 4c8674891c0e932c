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
#include "tests/s/file/gui/dialogs/brakvane/ProductFixture.h"

namespace {

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
        onUiThread([&] { dialog->menuBar()->chooseCommand(id); });
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
    // The About window is not built in this program yet: its command opens nothing.
    command(Dragndrop::kVersionInformation);
    EXPECT_EQ(5u, g_opened.size());
}

}  // namespace
