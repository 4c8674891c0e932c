// s/app/win/UpdateServices.h
//
// The real services of the update check for one window: the system clock, the question
// box asked over the window, the page opened by the shell and the texts of the window's
// localizer. Lives for one check on the caller's thread.
#pragma once
#include "s/system/network/IPageOpener.h"
#include "s/system/network/IUpdateAsker.h"
#include "s/system/network/IUpdateClock.h"
#include "s/system/network/IUpdateTexts.h"

namespace s::app { class IAppBase; }
namespace s::gui { class IWindow; class ITextLocalizer; }

namespace s::app::win {

class UpdateServices final : public s::system::network::IUpdateClock,
                             public s::system::network::IUpdateAsker,
                             public s::system::network::IPageOpener,
                             public s::system::network::IUpdateTexts {
public:
    UpdateServices(s::app::IAppBase* base, s::gui::IWindow* window, s::gui::ITextLocalizer* localizer)
        : m_base(base), m_window(window), m_localizer(localizer) {}

    int64_t currentTimeMillis() override;
    // The question box over the window (it waits until the box is closed); no window, or
    // a box that could not be made, answers no.
    bool askYes(const wchar_t* title, const wchar_t* message, const wchar_t* yesText,
                const wchar_t* noText, const wchar_t* checkText, bool showCheck) override;
    void open(const wchar_t* address) override;
    const wchar_t* text(uint32_t id) override;

private:
    s::app::IAppBase* m_base;
    s::gui::IWindow* m_window;
    s::gui::ITextLocalizer* m_localizer;
};

}  // namespace s::app::win
