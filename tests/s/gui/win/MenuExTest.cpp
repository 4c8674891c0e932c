// tests/s/gui/win/MenuExTest.cpp
//
// The owner-painted menu bar in a real Window: commands by click and by WM_COMMAND, its
// drop-downs opened, answered through the watcher and switched by the cursor, the re-open
// guard, and the captions in step with the language.
#include "s/gui/win/MenuEx.h"

#include <gmock/gmock.h>

#include "s/gui/drawer/Skinner.h"
#include "s/gui/drawer/menu/win/Basic.h"
#include "s/gui/menuitem/MenuItem.h"
#include "s/gui/win/PopupMenu.h"
#include "s/gui/win/Window.h"
#include "support/Pooled.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"

namespace s::gui::win {
namespace {

using s::gui::menuitem::MenuItem;
using s::gui::menuitem::newMenuItem;
using tests::Pooled;
using tests::gui::eventually;
using tests::gui::FakeLocalizer;
using tests::gui::ModalWatcher;
using tests::gui::Recorder;

Window* newWindow() { return s::thread::Pool<Window, 0>::obtain(); }

// Texts: 1 "View", 2 "Big", 3 "Small", 4 "About", 5 "Help", 6 "Topics"; German in 1.
void fillTexts(FakeLocalizer& language) {
    language.texts[0] = {{1, L"View"}, {2, L"Big"}, {3, L"Small"}, {4, L"About"}, {5, L"Help"}, {6, L"Topics"}};
    language.texts[1] = {{1, L"Ansicht"}, {2, L"Gross"}, {3, L"Klein"}, {4, L"Info"}, {5, L"Hilfe"}, {6, L"Themen"}};
}

class MenuExTest : public tests::gui::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        fillTexts(language);
        window.reset(newWindow());
        window->setLocalizer(&language);
        handle = window->getHandle();
        view = newPopupMenu(1, &language);
        view->addItem(MenuItem::create(&language, 2, 60, true));
        view->addItem(MenuItem::create(&language, 3, 61, false));
        help = newPopupMenu(5, &language);
        help->addItem(MenuItem::create(&language, 6, 70, false));
        bar = newMenuEx(100);
        bar->addItem(view);
        bar->addItem(help);
        bar->addItemByTextId(MenuItem::create(&language, 4, 50, false));
        bar->addCommandListener(&commands);
        bar->addDropDownListener(&dropDowns);
        window->addChild(bar);
        bar->setBounds(0, 0, 300, bar->getMinHeight());
        window->setBounds(40, 300, 320, 200);
        // The bar follows the real cursor while a menu is open: it starts far from any bar.
        SetCursorPos(1270, 1010);
        window->show(true, true);
    }
    void TearDown() override {
        window.reset();
        GuiTest::TearDown();
    }
    POINT centreOf(uint32_t entry) const {
        const RECT r = bar->getEntryRect(entry);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void click(uint32_t entry) {
        const POINT p = centreOf(entry);
        PostMessageW(bar->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        PostMessageW(bar->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }
    bool closed() {
        return eventually([&] { return !bar->isDropDownOpen(); }, 5000);
    }

    FakeLocalizer language;
    std::unique_ptr<Window, void (*)(Window*)> window{nullptr, [](Window* w) { w->releaseToPool(); }};
    HWND handle = nullptr;
    PopupMenu* view = nullptr;
    PopupMenu* help = nullptr;
    MenuEx* bar = nullptr;
    Recorder commands, dropDowns;
};

TEST_F(MenuExTest, EntriesAreMeasuredSideBySide) {
    ASSERT_NE(nullptr, bar->m_hWnd);
    ASSERT_EQ(3u, bar->getEntryCount());
    EXPECT_EQ(0, bar->getEntryRect(0).left);
    EXPECT_EQ(bar->getEntryRect(0).right, bar->getEntryRect(1).left);
    EXPECT_EQ(bar->getEntryRect(1).right, bar->getEntryRect(2).left);
    EXPECT_GT(bar->getMinHeight(), 6);
    EXPECT_EQ(0, bar->getMinWidth());
    EXPECT_EQ(std::wstring(L"About"), bar->getCaption(2));
    EXPECT_EQ(-1, bar->entryAt(299, 2));
}

TEST_F(MenuExTest, ACommandEntryIsChosenByAClickAndDropDownCommandsByWmCommand) {
    click(2);
    ASSERT_TRUE(eventually([&] { return commands.calls.load() == 1; }, 5000));
    EXPECT_EQ(50, bar->getChosenCommand());
    EXPECT_EQ(0, commands.lastCode.load());
    PostMessageW(bar->m_hWnd, WM_COMMAND, 61, 0);
    ASSERT_TRUE(eventually([&] { return commands.calls.load() == 2; }, 5000));
    EXPECT_EQ(61, bar->getChosenCommand());
    // A command the bar does not hold is not chosen.
    SendMessageW(bar->m_hWnd, WM_COMMAND, 99, 0);
    EXPECT_EQ(2, commands.calls.load());
    EXPECT_TRUE(bar->isItemChecked(60));
    EXPECT_TRUE(bar->setItemChecked(60, false));
    EXPECT_FALSE(bar->isItemChecked(60));
    EXPECT_FALSE(GetMenuState(view->handle(), 0, MF_BYPOSITION) & MF_CHECKED);
}


TEST_F(MenuExTest, ADropDownOpensBelowItsEntryAndItsPickIsChosen) {
    watcher->setMenuAnswer(ModalWatcher::kMenuHold);
    // Its own place on the screen, for the screenshots.
    window->setPosition(40, 600);
    click(0);
    ASSERT_TRUE(watcher->waitForMenus(1, 5000));
    EXPECT_EQ(1, dropDowns.calls.load());
    EXPECT_EQ(1, dropDowns.lastCode.load());
    EXPECT_EQ(view->handle(), watcher->menus()[0].menu);
    RECT menuRect = {};
    GetWindowRect(watcher->menus()[0].window, &menuRect);
    POINT below = {bar->getEntryRect(0).left, bar->getEntryRect(0).bottom};
    ClientToScreen(bar->m_hWnd, &below);
    EXPECT_NEAR(below.x, menuRect.left, 2);
    EXPECT_NEAR(below.y, menuRect.top, 2);
    Sleep(100);
    EXPECT_FALSE(tests::gui::saveScreenshot(handle, L"menu_bar_with_drop_down").empty());
    EXPECT_FALSE(tests::gui::saveScreenshot(watcher->menus()[0].window, L"menu_bar_drop_down").empty());
    // Down twice and return: the second entry.
    PostMessageW(watcher->menus()[0].window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(watcher->menus()[0].window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(watcher->menus()[0].window, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(eventually([&] { return commands.calls.load() == 1; }, 5000));
    EXPECT_EQ(61, bar->getChosenCommand());
    EXPECT_TRUE(closed());
}

TEST_F(MenuExTest, TheSameEntryClickedRightAfterItsMenuClosedDoesNotReopenIt) {
    click(0);
    ASSERT_TRUE(watcher->waitForMenus(1, 5000));
    ASSERT_TRUE(closed());
    click(0);
    Sleep(150);
    EXPECT_EQ(1u, watcher->menus().size());
    Sleep(MenuEx::kReopenGuardMs);
    click(0);
    EXPECT_TRUE(watcher->waitForMenus(2, 5000));
    EXPECT_TRUE(closed());
}

// With one drop-down open the real cursor moves onto the next: the first closes and the
// next opens without a click.
TEST_F(MenuExTest, TheCursorReachingAnotherDropDownSwitchesTheOpenMenu) {
    watcher->setMenuAnswer(ModalWatcher::kMenuHold);
    // Away from the other tests' bars, which may be open on the same screen.
    window->setPosition(700, 600);
    POINT at = centreOf(0);
    ClientToScreen(bar->m_hWnd, &at);
    SetCursorPos(at.x, at.y);
    click(0);
    ASSERT_TRUE(watcher->waitForMenus(1, 5000));
    POINT next = centreOf(1);
    ClientToScreen(bar->m_hWnd, &next);
    SetCursorPos(next.x, next.y);
    // The cursor is the whole screen's: other tests may move it too, so the switch is
    // shown by the help menu opening without a click, whatever came between.
    const HMENU helpMenu = help->handle();
    EXPECT_TRUE(eventually(
        [&] {
            SetCursorPos(next.x, next.y);
            for (const tests::gui::SeenMenu& seen : watcher->menus()) {
                if (seen.menu == helpMenu) return true;
            }
            return false;
        },
        5000));
    EXPECT_GE(dropDowns.calls.load(), 2);
    watcher->setMenuAnswer(ModalWatcher::kMenuClose);
    watcher->closeOpenMenus();
    EXPECT_TRUE(closed());
    EXPECT_EQ(0, commands.calls.load());
}

TEST_F(MenuExTest, ALanguageChangeReTextsTheEntriesAndTheirMenus) {
    Recorder retexts;
    bar->addRetextListener(&retexts);
    window->setPosition(400, 40);
    language.switchTo(1);
    EXPECT_EQ(1, retexts.calls.load());
    EXPECT_EQ(std::wstring(L"Ansicht"), bar->getCaption(0));
    EXPECT_EQ(std::wstring(L"Info"), bar->getCaption(2));
    wchar_t text[64] = {};
    GetMenuStringW(view->handle(), 1, text, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(L"Klein"), text);
    EXPECT_TRUE(GetMenuState(view->handle(), 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ(bar->getEntryRect(0).right, bar->getEntryRect(1).left);
    RedrawWindow(bar->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(tests::gui::saveScreenshot(handle, L"menu_bar_german").empty());
}

// Without a skinner the bar paints with a menu drawer of its own in the system's highlight
// colours; in a window with a skinner it takes the skin's, and the next skin's after a change.
TEST_F(MenuExTest, TheBarHasItsOwnDrawerUntilASkinGivesOne) {
    auto* own = dynamic_cast<s::gui::drawer::menu::win::Basic*>(bar->getDrawer());
    ASSERT_NE(nullptr, own);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), own->getHoverColour());
    EXPECT_TRUE(own->isHoverFill());

    s::gui::drawer::Skinner* skinner = s::gui::drawer::newSkinnerThinWindow();
    ASSERT_NE(nullptr, skinner);
    ASSERT_GE(skinner->getSkinCount(), 2u);
    skinner->selectSkin(skinner->getSkin(0)->getName());
    {
        Pooled<Window> skinned(newWindow());
        skinned->setSkinner(skinner);
        MenuEx* skinnedBar = newMenuEx(100);
        skinnedBar->addItemByTextId(newMenuItem(L"File", 90));
        skinned->addChild(skinnedBar);
        EXPECT_EQ(skinner->getSkin(0)->getMenuDrawer(), skinnedBar->getDrawer());
        skinner->selectSkin(skinner->getSkin(1)->getName());
        EXPECT_EQ(skinner->getSkin(1)->getMenuDrawer(), skinnedBar->getDrawer());
        EXPECT_GT(skinnedBar->getMinHeight(), 6);
        skinned->setBounds(700, 40, 300, 120);
        skinnedBar->setBounds(0, 0, 298, skinnedBar->getMinHeight());
        skinned->show(true, true);
        RedrawWindow(skinned->getHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        EXPECT_FALSE(tests::gui::saveScreenshot(skinned->getHandle(), L"menu_bar_skinned").empty());
    }
    // The window and its bar left the skinner's listeners when they went.
    EXPECT_EQ(0u, skinner->getListenerCount());
    skinner->releaseToPool();
}

// Taken off its window, the bar's native window goes with it (on the window's UI thread),
// as every component's does.
TEST_F(MenuExTest, ABarTakenOffItsWindowDestroysItsNativeWindow) {
    const HWND native = bar->m_hWnd;
    ASSERT_TRUE(IsWindow(native));
    window->removeChild(bar, true);
    EXPECT_FALSE(IsWindow(native));
    bar = nullptr;
}

HWND WINAPI refuseChildren(DWORD exStyle, LPCWSTR className, LPCWSTR name, DWORD style, int x, int y, int w,
                           int h, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    if (style & WS_CHILD) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return CreateWindowExW(exStyle, className, name, style, x, y, w, h, parent, menu, instance, param);
}

TEST_F(MenuExTest, ABarThatCannotBeMadeSaysSo) {
    Pooled<Window> other(newWindow());
    MenuEx* refused = newMenuEx(100);
    refused->addItemByTextId(newMenuItem(L"File", 90));
    mfc::CWnd::setCreateWindowFunction(&refuseChildren);
    other->addChild(refused);
    mfc::CWnd::setCreateWindowFunction(nullptr);
    EXPECT_EQ(nullptr, refused->m_hWnd);
    ASSERT_TRUE(watcher->waitForBoxes(1, 5000));
    EXPECT_EQ(L"Error!", watcher->boxes()[0].caption);
    EXPECT_EQ(L"Window Creation Failed!", watcher->boxes()[0].text);
}

}  // namespace
}  // namespace s::gui::win
