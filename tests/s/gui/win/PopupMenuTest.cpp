// tests/s/gui/win/PopupMenuTest.cpp
//
// Pop-up menus: the native entries read back from the system after each change, the
// language switch shown again with its marks, and a context menu opened by a right press
// and answered through the watcher as a user would.
#include "s/gui/win/PopupMenu.h"

#include <string>

#include <gmock/gmock.h>

#include "s/gui/menuitem/MenuItem.h"
#include "s/gui/win/Window.h"
#include "support/Pooled.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"

namespace s::gui::win {
namespace {

using s::gui::menuitem::MenuItem;
using s::gui::menuitem::newMenuItem;
using s::gui::menuitem::newMenuSeparator;
using tests::Pooled;
using tests::gui::FakeLocalizer;
using tests::gui::ModalWatcher;
using tests::gui::Recorder;

class PopupMenuTest : public tests::gui::GuiTest {};

std::wstring textAt(HMENU menu, UINT position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return text;
}

bool checkedAt(HMENU menu, UINT position) { return (GetMenuState(menu, position, MF_BYPOSITION) & MF_CHECKED) != 0; }

bool radioAt(HMENU menu, UINT position) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    GetMenuItemInfoW(menu, position, TRUE, &info);
    return (info.fType & MFT_RADIOCHECK) && (info.fState & MFS_CHECKED);
}

TEST_F(PopupMenuTest, ItemsAndASeparatorAreRemovedByCommandAtTheirPosition) {
    Pooled<PopupMenu> menu;
    menu->addItem(newMenuItem(L"A", 10));
    menu->addItem(newMenuSeparator());
    menu->addItem(newMenuItem(L"B", 11));
    EXPECT_TRUE(menu->hasCommand(11));
    EXPECT_FALSE(menu->hasCommand(12));
    EXPECT_EQ(3u, menu->getItemCount());
    EXPECT_EQ(3, GetMenuItemCount(menu->handle()));
    EXPECT_TRUE(menu->removeByCommandId(11));
    EXPECT_EQ(2, GetMenuItemCount(menu->handle()));
    EXPECT_EQ(10u, GetMenuItemID(menu->handle(), 0));
    EXPECT_TRUE(GetMenuState(menu->handle(), 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_FALSE(menu->removeByCommandId(11));
}

// A sub-menu between items keeps positions and list places in step, and searches by
// command reach into it.
TEST_F(PopupMenuTest, ASubMenuBetweenItemsKeepsThePositionsOfTheItemsAfterIt) {
    Pooled<PopupMenu> menu;
    menu->addItem(newMenuItem(L"A", 10));
    PopupMenu* sub = PopupMenu::obtain();
    sub->setTitle(L"More");
    sub->addItem(newMenuItem(L"Deep", 20));
    menu->addSubMenu(sub);
    menu->addItem(newMenuItem(L"B", 11));
    menu->insertItem(newMenuItem(L"First", 9), 0);
    EXPECT_EQ(4u, menu->getItemCount());
    EXPECT_EQ(L"More", textAt(menu->handle(), 2));
    EXPECT_EQ(L"B", textAt(menu->handle(), 3));
    EXPECT_TRUE(menu->hasCommand(20));
    EXPECT_TRUE(menu->setItemChecked(20, true));
    EXPECT_TRUE(checkedAt(sub->handle(), 0));
    EXPECT_TRUE(menu->isItemChecked(20));
    EXPECT_TRUE(menu->removeByCommandId(11));
    EXPECT_EQ(L"More", textAt(menu->handle(), 2));
    EXPECT_EQ(3, GetMenuItemCount(menu->handle()));
    const HMENU subHandle = sub->handle();
    EXPECT_TRUE(menu->removeAt(2));
    // The sub-menu was released with its own native menu, which its owner left to it.
    EXPECT_FALSE(IsMenu(subHandle));
    EXPECT_EQ(2, GetMenuItemCount(menu->handle()));
}

TEST_F(PopupMenuTest, ChecksRadioMarksAndEnabledStatesReachTheNativeMenu) {
    Pooled<PopupMenu> menu;
    for (int32_t id = 30; id < 33; ++id) {
        MenuItem* item = newMenuItem(L"Choice", id);
        item->setKey(id * 100);
        menu->addItem(item);
    }
    EXPECT_TRUE(menu->checkRadioByKey(3100));
    EXPECT_TRUE(radioAt(menu->handle(), 1));
    EXPECT_FALSE(radioAt(menu->handle(), 0));
    EXPECT_TRUE(menu->findItem(31)->isRadio());
    EXPECT_TRUE(menu->checkRadioByCommand(32));
    EXPECT_FALSE(radioAt(menu->handle(), 1));
    EXPECT_TRUE(radioAt(menu->handle(), 2));
    EXPECT_FALSE(menu->findItem(31)->isRadio());
    EXPECT_TRUE(menu->setItemEnabled(30, false));
    EXPECT_TRUE(GetMenuState(menu->handle(), 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(menu->setItemEnabled(99, false));
    EXPECT_TRUE(menu->setItemChecked(30, true));
    EXPECT_TRUE(checkedAt(menu->handle(), 0));
    EXPECT_TRUE(menu->setItemChecked(30, false));
    EXPECT_FALSE(checkedAt(menu->handle(), 0));
}

TEST_F(PopupMenuTest, ALanguageChangeShowsEveryCaptionTitleAndMarkAgain) {
    FakeLocalizer language;
    language.texts[0] = {{1, L"File"}, {2, L"Open"}, {3, L"More"}, {4, L"Deep"}};
    language.texts[1] = {{1, L"Datei"}, {2, L"Öffnen"}, {3, L"Mehr"}, {4, L"Tief"}};
    Pooled<PopupMenu> menu(newPopupMenu(1, &language));
    menu->addItem(MenuItem::create(&language, 2, 10, true));
    menu->addItem(newMenuItem(L"Literal", 11));
    PopupMenu* sub = newPopupMenu(3, &language);
    sub->addItem(MenuItem::create(&language, 4, 20, false));
    menu->addSubMenu(sub);
    menu->checkRadioRange(1, 1, 1);
    EXPECT_EQ(std::wstring(L"File"), menu->getTitle());
    EXPECT_EQ(L"Open", textAt(menu->handle(), 0));
    EXPECT_EQ(L"More", textAt(menu->handle(), 2));

    language.switchTo(1);
    EXPECT_EQ(std::wstring(L"Datei"), menu->getTitle());
    EXPECT_EQ(L"Öffnen", textAt(menu->handle(), 0));
    EXPECT_EQ(L"Literal", textAt(menu->handle(), 1));
    EXPECT_EQ(L"Mehr", textAt(menu->handle(), 2));
    EXPECT_EQ(L"Tief", textAt(sub->handle(), 0));
    EXPECT_TRUE(checkedAt(menu->handle(), 0));
    EXPECT_TRUE(radioAt(menu->handle(), 1));

    // An item named by a text id keeps the language's text.
    EXPECT_TRUE(menu->setItemText(10, L"Other"));
    EXPECT_EQ(L"Öffnen", textAt(menu->handle(), 0));
    EXPECT_TRUE(menu->setItemText(11, L"Other"));
    EXPECT_EQ(L"Other", textAt(menu->handle(), 1));
}

TEST_F(PopupMenuTest, AReleasedMenuLeavesItsLocalizer) {
    FakeLocalizer language;
    PopupMenu* menu = newPopupMenu(1, &language);
    EXPECT_EQ(1u, language.listeners.size());
    menu->releaseToPool();
    EXPECT_TRUE(language.listeners.empty());
    language.switchTo(1);
}

Window* newWindow() { return s::thread::Pool<Window, 0>::obtain(); }

void shootMenu(HWND menu) { tests::gui::saveScreenshot(menu, L"popup_menu_open"); }

TEST_F(PopupMenuTest, ARightPressOpensTheContextMenuAndThePickedCommandIsChosen) {
    Pooled<Window> window(newWindow());
    HWND handle = window->getHandle();
    ASSERT_NE(nullptr, handle);
    PopupMenu* menu = PopupMenu::obtain();
    menu->addItem(newMenuItem(L"Copy", 40));
    menu->addItem(newMenuSeparator());
    menu->addItem(newMenuItem(L"Paste", 41));
    Recorder chosen, opening;
    menu->addListener(&chosen);
    window->addContextMenuListener(&opening);
    window->setContextMenu(menu, true);
    // Shown away from the corner other tests paint and read back.
    window->setPosition(500, 100);
    window->show(true, true);
    watcher->setBeforeAnswer(&shootMenu);
    watcher->setMenuAnswer(1);
    PostMessageW(handle, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    ASSERT_TRUE(watcher->waitForMenus(1, 5000));
    ASSERT_TRUE(tests::gui::eventually([&] { return chosen.calls.load() == 1; }, 5000));
    EXPECT_EQ(41, menu->getChosenCommand());
    EXPECT_EQ(0, chosen.lastCode.load());
    EXPECT_EQ(1, opening.calls.load());
    EXPECT_EQ(menu->handle(), watcher->menus()[0].menu);

    // Closed without a pick, nothing is chosen.
    watcher->setBeforeAnswer(nullptr);
    watcher->setMenuAnswer(ModalWatcher::kMenuClose);
    PostMessageW(handle, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    ASSERT_TRUE(watcher->waitForMenus(2, 5000));
    ASSERT_TRUE(tests::gui::eventually([&] { return opening.calls.load() == 2; }, 5000));
    Sleep(100);
    EXPECT_EQ(1, chosen.calls.load());
}

}  // namespace
}  // namespace s::gui::win
