// s/gui/dialogs/FlexAsker.h
//
// The application's own yes/no question: a top-level window "FlexAskerWindow" with a
// message, Yes and No and an optional "Don't ask me again" check box, shown over a parent
// window while the asking thread waits. Anything but Yes answers No: closing the window,
// Escape, and a window that could not be made (then the question answers at once). Return
// answers Yes, the default, unless the focus is on No; Tab moves the focus between the
// two. When the question closes the parent is active again. Used for one
// question and released by the caller, which also releases its window holder. Pooled.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/gui/events/IEventListener.h"
#include "s/thread/IPoolable.h"

namespace s::app { class IAppBase; }
namespace s::app::win { class AppWindow; }
namespace s::gui::win { class Button; class CheckBox; class Window; }

namespace s::gui::dialogs {

class FlexAsker final : public s::gui::events::IEventListener,
                        public s::base::IObject,
                        public virtual s::thread::IPoolable {
public:
    static constexpr int32_t kTitleText = 400300;      // "Confirmation Dialog"
    static constexpr int32_t kMessageText = 400320;    // "Are you sure you want to proceed ...?"
    static constexpr int32_t kYesText = 400330;
    static constexpr int32_t kNoText = 400340;
    static constexpr int32_t kCheckBoxText = 400380;   // "Don't ask me again"
    static constexpr int32_t kDefaultWidth = 400;
    static constexpr int32_t kDefaultHeight = 200;
    static constexpr int32_t kWidthOverContent = 50;
    static constexpr uint32_t kPollMs = 100;

    FlexAsker() = default;
    ~FlexAsker() override;
    FlexAsker(const FlexAsker&) = delete;
    FlexAsker& operator=(const FlexAsker&) = delete;

    // An asker from its pool with a new holder "FlexAskerWindow" (400 x 200, middle click
    // closes); null when either could not be had.
    static FlexAsker* createWindow(s::app::IAppBase* base);

    // Shows the question over parent (centred on it and disabling it, when it is a window)
    // and returns when the window has closed: true for Yes. Title and message may be null
    // for the defaults of the language pack.
    bool ask(HWND parent, const wchar_t* title, const wchar_t* message);
    bool getAnswer() const { return m_answer; }
    // The check box's state when the window closed.
    bool isDontAskChecked() const { return m_checked; }
    void setShowCheckBox(bool show) { m_showCheckBox = show; }

    // The question's window while it is asked (for drivers); null otherwise.
    s::gui::win::Window* window() const { return m_window; }
    s::app::win::AppWindow* holder() const { return m_holder; }

    // IEventListener: the buttons, the check box and the window's close and key events.
    void onEvent(void* source, int32_t code) override;

    // IObject
    const wchar_t* classId() const override { return L"s_gui_dialogs_FlexAsker"; }
    s::base::IObject* newInstance() const override;
    // IPoolable: the window and the holder go back to their pools.
    void releaseToPool() override;
    void resetForReuse() override;

private:
    void attach(s::app::win::AppWindow* holder);
    bool openWindow();
    void buildControls(const wchar_t* message);
    void fitAndPlace(HWND parent);
    const wchar_t* text(int32_t id) const;
    void onKey();
    void releaseWindow();
    static void focusYes(void* self);
    static void moveFocus(void* self);

    HWND m_parent = nullptr;
    s::app::win::AppWindow* m_holder = nullptr;
    s::gui::win::Window* m_window = nullptr;
    s::gui::win::Button* m_yes = nullptr;
    s::gui::win::Button* m_no = nullptr;
    s::gui::win::CheckBox* m_checkBox = nullptr;
    bool m_showCheckBox = true;
    bool m_answer = false;
    bool m_checked = false;
};

}  // namespace s::gui::dialogs
