// tests/support/gui/Fakes.h
//
// Stand-ins for what a window is given by the application: a localizer with a few texts in
// two languages, window settings kept in memory, a menu bar holding some command ids, and
// a listener that records its calls (thread, code, count) and can run an action.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "s/gui/IMenuBar.h"
#include "s/gui/ITextLocalizer.h"
#include "s/gui/IWindowSettings.h"
#include "s/gui/events/IEventListener.h"

namespace tests::gui {

class FakeLocalizer final : public s::gui::ITextLocalizer {
public:
    std::map<int32_t, std::wstring> texts[2];
    int language = 0;
    std::vector<s::gui::events::IEventListener*> listeners;

    const wchar_t* getText(int32_t id) override {
        auto found = texts[language].find(id);
        return found == texts[language].end() ? L"" : found->second.c_str();
    }
    const wchar_t* currentLanguageName() override { return language ? L"German" : L"English"; }
    void addListener(s::gui::events::IEventListener* listener) override {
        listeners.push_back(listener);
    }
    void removeListener(s::gui::events::IEventListener* listener) override {
        for (auto i = listeners.begin(); i != listeners.end();)
            i = *i == listener ? listeners.erase(i) : i + 1;
    }
    // As the language pack does: every listener hears of it on the changing thread.
    void switchTo(int next) {
        language = next;
        for (auto* listener : std::vector<s::gui::events::IEventListener*>(listeners))
            listener->onEvent(static_cast<s::gui::ITextLocalizer*>(this), 0);
    }
};

class FakeSettings final : public s::gui::IWindowSettings {
public:
    s::gui::ITextLocalizer* givenLocalizer = nullptr;
    int32_t titleId = -1;
    bool positioned = false;
    int32_t x = 0, y = 0, width = 300, height = 200;
    bool maximized = false, easyDrag = false, keepOnTop = false;
    std::wstring middleClick = L"DoNothing";
    std::wstring language;
    int writes = 0;
    int saves = 0;

    s::gui::ITextLocalizer* localizer() override { return givenLocalizer; }
    int32_t titleTextId() override { return titleId; }
    bool hasPosition() override { return positioned; }
    int32_t getX() override { return x; }
    int32_t getY() override { return y; }
    int32_t getWidth() override { return width; }
    int32_t getHeight() override { return height; }
    void setX(int32_t v) override { x = v, ++writes; }
    void setY(int32_t v) override { y = v, ++writes; }
    void setWidth(int32_t v) override { width = v, ++writes; }
    void setHeight(int32_t v) override { height = v, ++writes; }
    bool getMaximized() override { return maximized; }
    void setMaximized(bool v) override { maximized = v; }
    bool getEasyDrag() override { return easyDrag; }
    bool getKeepOnTop() override { return keepOnTop; }
    const wchar_t* getMiddleClickAction() override { return middleClick.c_str(); }
    void setLanguage(const wchar_t* name) override { language = name ? name : L""; }
    void saveStore() override { ++saves; }
    s::image::IBufferedImageSet* givenIcons = nullptr;
    s::gui::drawer::Skinner* givenSkinner = nullptr;
    s::image::IBufferedImageSet* iconSet() override { return givenIcons; }
    s::gui::drawer::Skinner* skinner() override { return givenSkinner; }
};

class FakeMenuBar final : public s::gui::IMenuBar {
public:
    std::vector<uint32_t> held;
    std::atomic<uint32_t> chosen{0};
    std::atomic<DWORD> chosenOnThread{0};
    HMENU menuHandle() override { return nullptr; }
    bool hasCommand(uint32_t id) override {
        for (uint32_t h : held)
            if (h == id) return true;
        return false;
    }
    void choose(uint32_t id) override {
        chosen = id;
        chosenOnThread = GetCurrentThreadId();
    }
};

class Recorder final : public s::gui::events::IEventListener {
public:
    std::atomic<int> calls{0};
    std::atomic<DWORD> thread{0};
    std::atomic<int32_t> lastCode{0};
    void* lastSource = nullptr;
    std::function<void()> action;
    void onEvent(void* source, int32_t code) override {
        lastSource = source;
        lastCode = code;
        thread = GetCurrentThreadId();
        ++calls;
        if (action) action();
    }
};

}  // namespace tests::gui
