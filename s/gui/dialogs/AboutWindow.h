// s/gui/dialogs/AboutWindow.h
//
// What the About command keeps between its uses: the holder "AboutWindow" (340 x 285 times
// the UI scale, with a skinner of its own in the "ThinWindow" family at "Classic LG"), its
// About3, both made on the first show and kept for later ones, so the window comes back where
// the user left it. show is one call from the command's handler; release gives everything back (also
// done by the destructor).
#pragma once
#include <windows.h>

namespace s::app { class IAppBase; }
namespace s::app::win { class AppWindow; }
namespace s::gui::drawer { class Skinner; }

namespace s::gui::dialogs {

class About3;

class AboutWindow {
public:
    static constexpr int kWidth = 340;
    static constexpr int kHeight = 285;
    static constexpr wchar_t kName[] = L"AboutWindow";
    static constexpr wchar_t kSkin[] = L"Classic LG";

    AboutWindow() = default;
    ~AboutWindow() { release(); }
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    // Shows the About window over the parent; false when the holder cannot be made.
    bool show(s::app::IAppBase* base, HWND parent);
    void release();

    s::app::win::AppWindow* holder() const { return m_holder; }
    About3* about() const { return m_about; }
    s::gui::drawer::Skinner* skinner() const { return m_skinner; }

private:
    s::gui::drawer::Skinner* m_skinner = nullptr;
    s::app::win::AppWindow* m_holder = nullptr;
    About3* m_about = nullptr;
};

}  // namespace s::gui::dialogs
