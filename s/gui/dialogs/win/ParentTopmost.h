// s/gui/dialogs/win/ParentTopmost.h
//
// A topmost parent would cover the common dialog shown over it: it is made an ordinary
// window for the dialog's time and topmost again afterwards. Also gives the parent's handle.
#pragma once
#include <windows.h>

namespace s::gui { class IComponent; class IWindow; }

namespace s::gui::dialogs::win {

class ParentTopmost {
public:
    explicit ParentTopmost(s::gui::IComponent* parent);
    ~ParentTopmost();
    ParentTopmost(const ParentTopmost&) = delete;
    ParentTopmost& operator=(const ParentTopmost&) = delete;

    HWND handle() const { return m_handle; }
    s::gui::IWindow* window() const { return m_window; }

private:
    s::gui::IWindow* m_window = nullptr;
    HWND m_handle = nullptr;
    bool m_wasTopmost = false;
};

}  // namespace s::gui::dialogs::win
