// s/gui/win/WindowHotKeys.cpp
#include "s/gui/win/WindowHotKeys.h"

#include "s/gui/win/MessageBoxW.h"
#include "s/gui/win/Window.h"

namespace s::gui::win {

bool WindowHotKeys::add(uint32_t modifiers, uint32_t key, const wchar_t* name, bool report,
                        const wchar_t* failure) {
    const ATOM id = GlobalAddAtomW(name);
    if (id && RegisterHotKey(m_window.getHandle(), id, modifiers, key)) {
        m_names.push_back(name);
        return true;
    }
    const DWORD error = GetLastError();
    // The atom was only for this key; a clash must not leave it behind.
    if (id) GlobalDeleteAtom(id);
    if (report) {
        const std::wstring text = L"(" + std::to_wstring(error) + L") " + failure;
        showInfoMessage(text.c_str());
    }
    return false;
}

void WindowHotKeys::remove(const wchar_t* name) {
    for (auto i = m_names.begin(); i != m_names.end(); ++i) {
        if (*i != name) continue;
        const ATOM id = GlobalFindAtomW(name);
        if (id) {
            UnregisterHotKey(m_window.getHandle(), id);
            GlobalDeleteAtom(id);
        }
        m_names.erase(i);
        return;
    }
}

void WindowHotKeys::removeAll() {
    while (!m_names.empty()) remove(std::wstring(m_names.back()).c_str());
}

bool WindowHotKeys::isOwn(const wchar_t* name) const {
    const ATOM id = name ? GlobalFindAtomW(name) : 0;
    return id && id == m_last;
}

void WindowHotKeys::onHotKey(WPARAM id) {
    m_last = static_cast<int32_t>(id);
    m_window.fire(s::gui::kEventHotKey);
}

}  // namespace s::gui::win
