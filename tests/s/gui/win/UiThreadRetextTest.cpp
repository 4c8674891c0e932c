// tests/s/gui/win/UiThreadRetextTest.cpp
//
// A language or a skin chosen on another thread than a window's reaches the window's
// controls on the window's own UI thread, where they paint and are laid out: the texts and
// the drawers are seen to be fetched there, control kind by control kind.
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "s/gui/ITextLocalizer.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/drawer/button/win/Thin.h"
#include "s/gui/drawer/checkbox/win/Thin.h"
#include "s/gui/drawer/combo/win/Thin.h"
#include "s/gui/drawer/groupbox/win/Thin.h"
#include "s/gui/drawer/menu/win/Basic.h"
#include "s/gui/drawer/radiobutton/win/Thin.h"
#include "s/gui/drawer/skin/Thin.h"
#include "s/gui/menuitem/MenuItem.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/CheckBox.h"
#include "s/gui/win/ComboBox.h"
#include "s/gui/win/GroupBox.h"
#include "s/gui/win/MenuEx.h"
#include "s/gui/win/PopupMenu.h"
#include "s/gui/win/RadioButton.h"
#include "support/Pooled.h"
#include "support/gui/GuiTest.h"
#include "support/gui/ShownBox.h"

namespace s::gui::win {
namespace {

using tests::Pooled;
using tests::gui::ShownBox;

class UiThreadRetextTest : public tests::gui::GuiTest {};

// Texts in two languages; every text asked for is noted with the thread that asked.
class NotingLocalizer final : public s::gui::ITextLocalizer {
public:
    int language = 0;
    const wchar_t* getText(int32_t id) override {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_threads.insert(GetCurrentThreadId());
        }
        m_text = (language ? L"Zweite " : L"First ") + std::to_wstring(id);
        return m_text.c_str();
    }
    const wchar_t* currentLanguageName() override { return language ? L"German" : L"English"; }
    void addListener(s::gui::events::IEventListener* listener) override {
        std::lock_guard<std::mutex> lock(m_lock);
        m_listeners.push_back(listener);
    }
    void removeListener(s::gui::events::IEventListener* listener) override {
        std::lock_guard<std::mutex> lock(m_lock);
        for (auto i = m_listeners.begin(); i != m_listeners.end();)
            i = *i == listener ? m_listeners.erase(i) : i + 1;
    }
    // Every listener hears of it on this thread, as the language pack tells them.
    void switchTo(int next) {
        language = next;
        std::vector<s::gui::events::IEventListener*> round;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            round = m_listeners;
            m_threads.clear();
        }
        for (auto* listener : round) listener->onEvent(static_cast<s::gui::ITextLocalizer*>(this), 0);
    }
    std::set<DWORD> askingThreads() {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_threads;
    }

private:
    std::mutex m_lock;
    std::vector<s::gui::events::IEventListener*> m_listeners;
    std::set<DWORD> m_threads;
    std::wstring m_text;
};

struct Kind {
    const char* name;
    std::function<void(ShownBox&, s::gui::ITextLocalizer*)> add;
};

constexpr int32_t kText = 4711;

TEST_F(UiThreadRetextTest, ALanguageChosenElsewhereIsTakenOnTheWindowsThread) {
    const Kind kinds[] = {
        {"button", [](ShownBox& s, s::gui::ITextLocalizer*) { s.add(newButtonFromTextId(kText, -1, -1)); }},
        {"check box", [](ShownBox& s, s::gui::ITextLocalizer*) { s.add(newCheckBox(kText, false)); }},
        {"radio button", [](ShownBox& s, s::gui::ITextLocalizer*) { s.add(newRadioButtonFromTextId(kText, false)); }},
        {"group box", [](ShownBox& s, s::gui::ITextLocalizer*) { s.add(newGroupBoxFromTextId(1, 0, 0, kText, -1)); }},
        {"menu bar",
         [](ShownBox& s, s::gui::ITextLocalizer* texts) {
             MenuEx* bar = s.add(newMenuEx(100));
             bar->addItemByTextId(s::gui::menuitem::MenuItem::create(texts, kText, 7, false));
         }},
        {"drop-down menu",
         [](ShownBox& s, s::gui::ITextLocalizer* texts) {
             MenuEx* bar = s.add(newMenuEx(100));
             PopupMenu* menu = newPopupMenu(kText, texts);
             menu->addItem(s::gui::menuitem::MenuItem::create(texts, kText + 1, 8, true));
             bar->addItem(menu);
         }},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        NotingLocalizer texts;
        ShownBox s;
        s.window->setLocalizer(&texts);
        kind.add(s, &texts);
        s.show();
        texts.switchTo(1);
        const std::set<DWORD> asking = texts.askingThreads();
        EXPECT_FALSE(asking.empty());
        EXPECT_EQ(std::set<DWORD>{s.window->uiThreadId()}, asking);
        s.window->setLocalizer(nullptr);
    }
}

// A Thin skin that notes the thread every drawer is fetched on, and goes with its Skinner.
class NotingSkin final : public s::gui::drawer::skin::Thin {
public:
    explicit NotingSkin(const wchar_t* name) {
        setName(name);
        setButtonDrawer(s::gui::drawer::button::win::Thin::obtain());
        setCheckBoxDrawer(s::gui::drawer::checkbox::win::Thin::obtain());
        setRadioButtonDrawer(s::gui::drawer::radiobutton::win::Thin::obtain());
        setGroupBoxDrawer(s::gui::drawer::groupbox::win::Thin::obtain());
        setComboDrawer(s::gui::drawer::combo::win::Thin::obtain());
        setMenuDrawer(s::gui::drawer::menu::win::Basic::obtain());
    }
    s::gui::drawer::IButton* getButtonDrawer() const override { return note(Thin::getButtonDrawer()); }
    s::gui::drawer::ICheckBox* getCheckBoxDrawer() const override { return note(Thin::getCheckBoxDrawer()); }
    s::gui::drawer::IRadioButton* getRadioButtonDrawer() const override {
        return note(Thin::getRadioButtonDrawer());
    }
    s::gui::drawer::IGroupBox* getGroupBoxDrawer() const override { return note(Thin::getGroupBoxDrawer()); }
    s::gui::drawer::ICombo* getComboDrawer() const override { return note(Thin::getComboDrawer()); }
    s::gui::drawer::IMenu* getMenuDrawer() const override { return note(Thin::getMenuDrawer()); }
    void releaseToPool() override { delete this; }

    std::set<DWORD> fetchingThreads() {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_threads;
    }
    void forget() {
        std::lock_guard<std::mutex> lock(m_lock);
        m_threads.clear();
    }

private:
    template <class D>
    D* note(D* drawer) const {
        std::lock_guard<std::mutex> lock(m_lock);
        m_threads.insert(GetCurrentThreadId());
        return drawer;
    }
    mutable std::mutex m_lock;
    mutable std::set<DWORD> m_threads;
};

TEST_F(UiThreadRetextTest, ASkinChosenElsewhereIsTakenOnTheWindowsThread) {
    const Kind kinds[] = {
        {"button", [](ShownBox& s, s::gui::ITextLocalizer*) { s.add(newButtonWithText(L"Push", -1, -1)); }},
        {"check box", [](ShownBox& s, s::gui::ITextLocalizer*) { s.add(newCheckBoxWithText(L"Tick", false)); }},
        {"radio button", [](ShownBox& s, s::gui::ITextLocalizer*) { s.add(newRadioButton(L"Dot", false)); }},
        {"group box", [](ShownBox& s, s::gui::ITextLocalizer*) { s.add(newGroupBox(1, 0, 0, L"Frame", -1)); }},
        {"combo box", [](ShownBox& s, s::gui::ITextLocalizer*) { s.add(newComboBox(120)); }},
        {"menu bar", [](ShownBox& s, s::gui::ITextLocalizer*) { s.add(newMenuEx(100)); }},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        Pooled<s::gui::drawer::Skinner> skinner;
        skinner->setFamilyName(L"Thin");
        auto* first = new NotingSkin(L"First");
        auto* second = new NotingSkin(L"Second");
        ASSERT_TRUE(skinner->addSkin(first));
        ASSERT_TRUE(skinner->addSkin(second));
        ASSERT_TRUE(skinner->selectSkin(L"First"));
        ShownBox s;
        s.window->setSkinner(skinner.get());
        kind.add(s, nullptr);
        s.show();
        second->forget();
        ASSERT_TRUE(skinner->selectSkin(L"Second"));
        const std::set<DWORD> fetching = second->fetchingThreads();
        EXPECT_FALSE(fetching.empty());
        EXPECT_EQ(std::set<DWORD>{s.window->uiThreadId()}, fetching);
        s.window->setSkinner(nullptr);
        s.window->removeAllChildren(true);  // before the skins and their drawers go
    }
}

}  // namespace
}  // namespace s::gui::win
