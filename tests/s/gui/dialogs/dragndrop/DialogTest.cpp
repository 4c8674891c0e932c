// tests/s/gui/dialogs/dragndrop/DialogTest.cpp
//
// The drop-box dialog of the library with the hooks its own product leaves off turned on by
// a test dialog: the maximize box, drops on the whole window, the option panel with its
// finished notice, option boxes by the option chosen, the priority while in the tray, and
// the output folder chosen by its menu, resolved by every mode, created and refused. The
// base task only reports what it was given: nothing dropped is touched, and every path
// lies in a sandbox on the fixture drive.
#include "s/gui/dialogs/dragndrop/Dialog.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/StrBuffer.h"

#include "s/app/win/AppBase.h"
#include "s/app/win/AppWindow.h"
#include "s/file/win/PathWin.h"
#include "s/gui/combobox/ComboBoxItem.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/CheckBox.h"
#include "s/gui/win/GroupBox.h"
#include "s/gui/win/ComboBox.h"
#include "s/gui/win/MenuEx.h"
#include "s/gui/win/PopupMenu.h"
#include "s/gui/win/Window.h"
#include "support/Sandbox.h"
#include "support/program/DropBlock.h"
#include "support/gui/GuiHarness.h"
#include "support/gui/ScreenLock.h"
#include "tests/s/app/win/AppFixture.h"

namespace {

using s::gui::win::kWaitForever;
using Dialog = s::gui::dialogs::dragndrop::Dialog;
using s::gui::dialogs::dragndrop::OutputFolder;
using s::gui::win::Box;

struct Hooks {
    bool optionBoxes = false;
    bool maximizeBox = false;
    bool wholeWindow = false;
    bool optionPanel = false;
    bool outputOption = false;
    bool menuInline = true;
    bool createMissing = false;
    int32_t defaultMode = OutputFolder::kBesideItem;
};

struct MadeBox {
    int32_t index;
    std::wstring text;
    int32_t value1, value2;
    Box* box;
};

// The library dialog with each hook as the test sets it, and two options to choose from.
class TestDialog final : public Dialog {
public:
    explicit TestDialog(const Hooks& given) : hooks(given) {}
    void releaseToPool() override { delete this; }

    Hooks hooks;
    std::vector<MadeBox> madeBoxes;
    s::gui::win::CheckBox* noticeBox = nullptr;

protected:
    s::gui::win::ComboBox* createOptionControl() override {
        s::gui::win::ComboBox* combo = s::gui::win::newComboBox(100);
        const wchar_t* captions[] = {L"Alpha", L"Beta"};
        for (int32_t i = 0; i < 2; ++i) {
            s::gui::combobox::ComboBoxItem* entry = s::gui::combobox::ComboBoxItem::withCaption(captions[i]);
            entry->setKey(70 + i);
            entry->setListFlags(i);
            combo->addItem(entry);
        }
        return combo;
    }
    bool usesOptionBoxes() override { return hooks.optionBoxes; }
    Box* createOptionBox(int32_t index, const wchar_t* text, int32_t value1, int32_t value2) override {
        Box* box = s::gui::win::newBox(1, 0, 100, -1, 0, 0, 0, 0, 0);
        madeBoxes.push_back({index, text ? text : L"", value1, value2, box});
        return box;
    }
    bool hasMaximizeBox() override { return hooks.maximizeBox; }
    bool dropOnWholeWindow() override { return hooks.wholeWindow; }
    Box* createOptionPanel() override {
        Box* panel = Dialog::createOptionPanel();
        noticeBox = s::gui::win::newCheckBoxWithText(L"Tell me when finished", true);
        if (panel) panel->addChild(noticeBox);
        return panel;
    }
    bool hasOptionPanel() override { return hooks.optionPanel; }
    bool hasOutputFolderOption() override { return hooks.outputOption; }
    bool outputFolderMenuInline() override { return hooks.menuInline; }
    int32_t defaultOutputFolderMode() override { return hooks.defaultMode; }
    bool createMissingFolder() override { return hooks.createMissing; }
};

class DragDialogTest : public tests::app::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        watcher = std::make_unique<tests::gui::ModalWatcher>(IDOK);
        ASSERT_TRUE(sandbox.ok());
        ASSERT_TRUE(sandbox.writeFile(L"item.txt", "left alone"));
        app = startBase();
        ASSERT_NE(nullptr, app);
        holder = s::app::win::createAppWindow(app, L"MainWindow", 250, 250, app->skinner());
        ASSERT_NE(nullptr, holder);
    }
    void TearDown() override {
        close();
        if (holder) holder->releaseToPool();
        if (app) app->releaseToPool();
        watcher.reset();
        AppFixture::TearDown();
    }
    void open(const Hooks& hooks) {
        close();
        dialog = new TestDialog(hooks);
        dialog->keepStatusTrail(1000);
        dialog->attach(holder);
        tests::gui::phase("building the test dialog");
        ASSERT_TRUE(dialog->showUi());
        window = dialog->window();
        ASSERT_NE(nullptr, window->getHandle());
        window->setPosition(tests::gui::kQuietCornerX - 400, tests::gui::kQuietCornerY - 300);
    }
    void close() {
        if (!dialog) return;
        if (window && !window->isClosed()) window->close();
        dialog->releaseToPool();
        dialog = nullptr;
        window = nullptr;
    }
    // Posted as the shell does; target is the window that takes the drop. Only sandbox
    // paths are ever dropped.
    void drop(HWND target, const std::vector<std::wstring>& paths) {
        for (const std::wstring& p : paths) ASSERT_TRUE(tests::program::isInsideSandbox(sandbox.path(), p)) << p;
        HGLOBAL memory = tests::program::newDropBlock(paths);
        ASSERT_NE(nullptr, memory);
        ASSERT_TRUE(PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0));
    }
    size_t trailCount(const wchar_t* text) {
        size_t n = 0;
        s::str::strarray::StrArray trail;
        dialog->copyStatusTrail(&trail);
        for (uint32_t i = 0; i < trail.count(); ++i)
            if (wcscmp(trail.at(i)->cString(), text) == 0) ++n;
        return n;
    }
    bool ranToTheEnd(uint32_t limitMs) {
        return tests::gui::eventually([&] { return trailCount(L"Done!") > 0 && !dialog->isBusy(); }, limitMs);
    }
    static HWND handleOf(s::gui::IComponent* c) { return c->nativeWindow()->m_hWnd; }

    tests::Sandbox sandbox;
    std::unique_ptr<tests::gui::ModalWatcher> watcher;
    s::app::win::AppBase* app = nullptr;
    s::app::win::AppWindow* holder = nullptr;
    TestDialog* dialog = nullptr;
    s::gui::win::Window* window = nullptr;
};

TEST_F(DragDialogTest, TheMaximizeBoxIsTheHooksChoice) {
    for (bool on : {false, true}) {
        SCOPED_TRACE(on);
        Hooks hooks;
        hooks.maximizeBox = on;
        open(hooks);
        EXPECT_EQ(on, (GetWindowLongW(window->getHandle(), GWL_STYLE) & WS_MAXIMIZEBOX) != 0);
    }
}

// With the hook the window's whole content takes drops, not only the drop box.
TEST_F(DragDialogTest, ADropBesideTheDropBoxCountsWithTheWholeWindowHook) {
    for (bool whole : {false, true}) {
        SCOPED_TRACE(whole);
        Hooks hooks;
        hooks.wholeWindow = whole;
        open(hooks);
        const HWND content = handleOf(dialog->mainBox());
        EXPECT_EQ(whole, (GetWindowLongW(content, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0);
        drop(content, {sandbox.at(L"item.txt")});
        if (whole) {
            EXPECT_TRUE(ranToTheEnd(10000));
        } else {
            Sleep(500);
            EXPECT_EQ(0u, trailCount(L"Done!"));
            EXPECT_FALSE(dialog->isBusy());
        }
    }
    EXPECT_TRUE(sandbox.exists(L"item.txt"));
}

// The option panel stands in the window; a run that ends is told in a box while its notice
// is on, and not when it is off.
TEST_F(DragDialogTest, TheOptionPanelIsShownAndItsNoticeTellsTheEndOfARun) {
    Hooks hooks;
    hooks.optionPanel = true;
    open(hooks);
    ASSERT_NE(nullptr, dialog->optionPanel());
    ASSERT_NE(nullptr, dialog->noticeBox);
    EXPECT_TRUE(IsWindowVisible(handleOf(dialog->optionPanel())));
    EXPECT_TRUE(IsWindowVisible(handleOf(dialog->noticeBox)));
    tests::gui::saveScreenshot(window->getHandle(), L"dragndrop-option-panel");
    EXPECT_TRUE(dialog->isFinishedNoticeOn());
    drop(handleOf(dialog->dropBox()->getContent()), {sandbox.at(L"item.txt")});
    ASSERT_TRUE(ranToTheEnd(10000));
    ASSERT_TRUE(watcher->waitForBoxes(1, 5000));
    EXPECT_EQ(L"Done!", watcher->boxes()[0].text);
    dialog->setFinishedNotice(false);
    const size_t dones = trailCount(L"Done!");
    drop(handleOf(dialog->dropBox()->getContent()), {sandbox.at(L"item.txt")});
    ASSERT_TRUE(tests::gui::eventually([&] { return trailCount(L"Done!") > dones && !dialog->isBusy(); }, 10000));
    Sleep(500);
    EXPECT_EQ(1u, watcher->boxes().size());
}

TEST_F(DragDialogTest, WithoutAnOptionPanelARunEndsWithoutANotice) {
    open(Hooks());
    EXPECT_EQ(nullptr, dialog->optionPanel());
    drop(handleOf(dialog->dropBox()->getContent()), {sandbox.at(L"item.txt")});
    ASSERT_TRUE(ranToTheEnd(10000));
    Sleep(500);
    EXPECT_TRUE(watcher->boxes().empty());
}

// Each option chosen makes its own box of options, given the item's caption, key and flags;
// the box shown before goes.
TEST_F(DragDialogTest, OptionBoxesAreMadeForTheOptionChosen) {
    Hooks hooks;
    hooks.optionBoxes = true;
    open(hooks);
    ASSERT_EQ(1u, dialog->madeBoxes.size());
    EXPECT_EQ(0, dialog->madeBoxes[0].index);
    EXPECT_EQ(L"Alpha", dialog->madeBoxes[0].text);
    EXPECT_EQ(70, dialog->madeBoxes[0].value1);
    EXPECT_EQ(0, dialog->madeBoxes[0].value2);
    onUiThread(*window, [&] { dialog->optionControl()->setSelection(1, true); }, kWaitForever);
    ASSERT_EQ(2u, dialog->madeBoxes.size());
    EXPECT_EQ(1, dialog->madeBoxes[1].index);
    EXPECT_EQ(L"Beta", dialog->madeBoxes[1].text);
    EXPECT_EQ(71, dialog->madeBoxes[1].value1);
    EXPECT_EQ(1, dialog->madeBoxes[1].value2);
    ASSERT_EQ(1u, dialog->descriptionPanel()->getChildCount());
    EXPECT_EQ(static_cast<s::gui::IComponent*>(dialog->madeBoxes[1].box), dialog->descriptionPanel()->getChild(0));
}

// Hidden in the tray the run gives way to everything else, once; restored, it runs as
// usual again.
TEST_F(DragDialogTest, TheWorkerRunsLowerWhileTheWindowIsInTheTray) {
    open(Hooks());
    EXPECT_EQ(-1, dialog->workerPriority());
    onUiThread(*window, [&] { dialog->minimiseToTray(); }, kWaitForever);
    EXPECT_TRUE(dialog->isMinimisedToTray());
    EXPECT_TRUE(window->isHiddenToTray());
    EXPECT_EQ(Dialog::kTrayPriority, dialog->workerPriority());
    SendMessageW(window->getHandle(), WM_USER + 3, 0, 0);  // restore, as a second start asks
    EXPECT_TRUE(tests::gui::eventually([&] { return !dialog->isMinimisedToTray(); }, 5000));
    EXPECT_EQ(-1, dialog->workerPriority());
    EXPECT_TRUE(IsWindowVisible(window->getHandle()));
}

struct ModeCase {
    const char* why;
    int32_t mode;
    std::wstring custom;  // relative to the sandbox; empty: none
    bool createMissing;
    std::wstring expected;  // relative to the sandbox; "<desktop>" for the desktop
    bool usable;
    bool createdThere;
};

TEST_F(DragDialogTest, EveryOutputModeResolvesItsFolderAndChecksIt) {
    ASSERT_TRUE(sandbox.makeFolder(L"chosen"));
    ASSERT_TRUE(sandbox.writeFile(L"plain.txt", "not a folder"));
    const ModeCase cases[] = {
        {"beside the item", 11, L"", false, L"", true, false},
        {"a missing subfolder passes by its parent", 12, L"", false, L"Output", true, false},
        {"a missing subfolder is made when asked", 12, L"", true, L"Output", true, true},
        {"the desktop", 13, L"", false, L"<desktop>", true, false},
        {"a custom folder", 0, L"chosen", false, L"chosen", true, false},
        {"custom without a path is beside the item", 0, L"", false, L"", true, false},
        {"a custom folder beneath a missing one", 0, L"no\\such\\deep", false, L"no\\such\\deep", false, false},
        {"a custom file", 0, L"plain.txt", false, L"plain.txt", false, false},
    };
    s::file::win::PathWin* desktop = s::file::win::getDesktopFolder();
    ASSERT_NE(nullptr, desktop);
    const std::wstring desktopPath = desktop->getFullPath();
    desktop->releaseToPool();
    size_t refusals = 0;
    for (const ModeCase& k : cases) {
        SCOPED_TRACE(k.why);
        Hooks hooks;
        hooks.createMissing = k.createMissing;
        open(hooks);
        onUiThread(*window, [&] {
            if (!k.custom.empty()) dialog->setCustomOutputFolder(sandbox.at(k.custom).c_str());
            dialog->setOutputFolderMode(k.mode);
        }, kWaitForever);
        const bool usable = dialog->checkOutputFolder(sandbox.at(L"item.txt").c_str());
        EXPECT_EQ(k.usable, usable);
        const s::file::win::PathWin* folder = dialog->outputFolder().folder();
        ASSERT_NE(nullptr, folder);
        const std::wstring expected =
            k.expected == L"<desktop>" ? desktopPath : k.expected.empty() ? sandbox.path() : sandbox.at(k.expected);
        EXPECT_EQ(expected, std::wstring(folder->getFullPath()));
        if (k.mode == 12) {
            EXPECT_EQ(k.createdThere, sandbox.exists(L"Output"));
        }
        if (!usable) {
            ++refusals;
            ASSERT_TRUE(watcher->waitForBoxes(refusals, 5000));
            EXPECT_EQ(L"The output folder is inaccessible or write-protected.\r\n\"" + expected + L"\"",
                      watcher->boxes()[refusals - 1].text);
        }
    }
    EXPECT_FALSE(sandbox.exists(L"no"));
    EXPECT_TRUE(sandbox.exists(L"item.txt"));
}

// The file menu of the output-folder option: its place first in the bar, the stored choice
// checked, a new choice saved; the folder choices in a sub-menu unless inline.
TEST_F(DragDialogTest, TheOutputFolderMenuShowsAndSavesTheChoice) {
    writeDword(L"SaveData\\MainWindow\\File", L"OutputFolderSetting", OutputFolder::kDesktop);
    for (bool inlineMenu : {true, false}) {
        SCOPED_TRACE(inlineMenu);
        Hooks hooks;
        hooks.outputOption = true;
        hooks.menuInline = inlineMenu;
        open(hooks);
        s::gui::win::PopupMenu* file = dialog->fileMenu();
        ASSERT_NE(nullptr, file);
        EXPECT_EQ(OutputFolder::kDesktop, dialog->outputFolder().mode());
        EXPECT_TRUE(dialog->menuBar()->hasCommand(Dialog::kOpenFiles));
        EXPECT_TRUE(dialog->menuBar()->hasCommand(Dialog::kChooseOutputFolder));
        EXPECT_STREQ(L"File", file->getTitle());
        HMENU folders = file->handle();
        if (!inlineMenu) {
            ASSERT_EQ(3u, file->getItemCount());  // "Open Files...", a separator, the sub-menu
            folders = GetSubMenu(file->handle(), 2);
            ASSERT_NE(nullptr, folders);
        }
        EXPECT_TRUE(GetMenuState(folders, Dialog::kOutputDesktop, MF_BYCOMMAND) & MF_CHECKED);
        onUiThread(*window, [&] { dialog->menuBar()->chooseCommand(Dialog::kOutputSubfolder); }, kWaitForever);
        EXPECT_EQ(OutputFolder::kSubfolder, dialog->outputFolder().mode());
        EXPECT_TRUE(GetMenuState(folders, Dialog::kOutputSubfolder, MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_FALSE(GetMenuState(folders, Dialog::kOutputDesktop, MF_BYCOMMAND) & MF_CHECKED);
        DWORD type = 0;
        std::vector<uint8_t> data;
        ASSERT_TRUE(readRaw(L"SaveData\\MainWindow\\File", L"OutputFolderSetting", &type, &data));
        ASSERT_GE(data.size(), 4u);
        EXPECT_EQ(OutputFolder::kSubfolder, *reinterpret_cast<const int32_t*>(data.data()));
        onUiThread(*window, [&] { dialog->setCustomOutputFolder(sandbox.path().c_str()); }, kWaitForever);
        EXPECT_EQ(sandbox.path(), readString(L"SaveData\\MainWindow\\File", L"OutputDirCustomPath0"));
        EXPECT_EQ(sandbox.path(), readString(L"SaveData\\MainWindow\\File", L"LastBrowsedOutputDirPath"));
        EXPECT_TRUE(GetMenuState(folders, Dialog::kOutputCustom, MF_BYCOMMAND) & MF_CHECKED);
        writeDword(L"SaveData\\MainWindow\\File", L"OutputFolderSetting", OutputFolder::kDesktop);
    }
}

// "Choose Folder..." opens the folder browser at the folder browsed last; the folder taken
// becomes the custom output folder, chosen and kept.
TEST_F(DragDialogTest, TheFolderPickedInTheBrowserBecomesTheCustomOutputFolder) {
    ASSERT_TRUE(sandbox.makeFolder(L"picked"));
    const std::wstring picked = sandbox.at(L"picked");
    writeString(L"SaveData\\MainWindow\\File", L"LastBrowsedOutputDirPath", picked);
    Hooks hooks;
    hooks.outputOption = true;
    open(hooks);
    watcher = std::make_unique<tests::gui::ModalWatcher>(tests::gui::ModalWatcher::kHold);
    // Posted: the browser is modal on the window's thread.
    ASSERT_TRUE(PostMessageW(handleOf(dialog->menuBar()), WM_COMMAND, Dialog::kChooseOutputFolder, 0));
    ASSERT_TRUE(watcher->waitForBoxes(1, 20000));
    Sleep(500);  // the browser selects its start folder after it is shown
    watcher->answerHeld(IDOK);
    ASSERT_TRUE(tests::gui::eventually([&] { return dialog->outputFolder().mode() == OutputFolder::kCustom; }, 10000));
    EXPECT_EQ(picked, std::wstring(dialog->outputFolder().customPath()));
    EXPECT_EQ(picked, readString(L"SaveData\\MainWindow\\File", L"OutputDirCustomPath0"));
    EXPECT_TRUE(GetMenuState(dialog->fileMenu()->handle(), Dialog::kOutputCustom, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(dialog->checkOutputFolder(sandbox.at(L"item.txt").c_str()));
    EXPECT_EQ(picked, std::wstring(dialog->outputFolder().folder()->getFullPath()));
}

// The product's dialog has no output-folder option: no file menu, the mode its default.
TEST_F(DragDialogTest, WithoutTheOptionThereIsNoFileMenu) {
    writeDword(L"SaveData\\MainWindow\\File", L"OutputFolderSetting", OutputFolder::kDesktop);
    open(Hooks());
    EXPECT_EQ(nullptr, dialog->fileMenu());
    EXPECT_FALSE(dialog->menuBar()->hasCommand(Dialog::kOpenFiles));
    EXPECT_EQ(OutputFolder::kBesideItem, dialog->outputFolder().mode());
}

}  // namespace
