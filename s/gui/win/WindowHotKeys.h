// s/gui/win/WindowHotKeys.h
//
// A top-level window's hot keys, each registered under a global atom of its name, which
// outlives the window unless deleted: removing a key deletes its atom, and so does a clash.
// Owned by its Window and touched only on its UI thread; isOwn is a read any thread may
// make. A clash answers false and, when asked, shows the system's error and the keys.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace s::gui::win {

class Window;

class WindowHotKeys {
public:
    explicit WindowHotKeys(Window& window) : m_window(window) {}
    WindowHotKeys(const WindowHotKeys&) = delete;
    WindowHotKeys& operator=(const WindowHotKeys&) = delete;

    bool add(uint32_t modifiers, uint32_t key, const wchar_t* name, bool report, const wchar_t* failure);
    void remove(const wchar_t* name);
    void removeAll();
    bool isEmpty() const { return m_names.empty(); }
    uint32_t count() const { return static_cast<uint32_t>(m_names.size()); }
    // The key last pressed has this name.
    bool isOwn(const wchar_t* name) const;
    void onHotKey(WPARAM id);

private:
    Window& m_window;
    std::vector<std::wstring> m_names;
    int32_t m_last = -1;
};

}  // namespace s::gui::win
