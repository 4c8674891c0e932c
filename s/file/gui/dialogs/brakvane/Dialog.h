// s/file/gui/dialogs/brakvane/Dialog.h
//
// The product: the drop-box dialog whose task destroys the dropped files and folders with
// one wiper, by the method chosen in its combo box, with the method's description beside
// it. One per process, taken by the start-up with obtain and released when its window has
// closed (the release waits for a run to end and gives the wiper back).
//
// Where the run may go wrong the user is told: a wiper that could not get its write buffer
// refuses the drop with a message (nothing runs without it), and after a run every item
// the wiper could not wipe is listed in a message box, each with how it was left (as it
// was, partly overwritten, a link, ...) in the user's language; a run that the window's
// close from outside ended shows nothing. The window's close never resets a wiper that a
// run is using. Pooled.
#pragma once
#include <cstdint>

#include "s/col/_array/ArrayS32.h"
#include "s/file/wiper/Survival.h"
#include "s/gui/dialogs/dragndrop/Dialog.h"
#include "s/str/strarray/StrArray.h"

namespace s::app { class IAppWindow; }
namespace s::file::wiper { class IWiper; class IMethod; }

namespace s::file::gui::dialogs::brakvane {

class Dialog final : public s::gui::dialogs::dragndrop::Dialog {
public:
    static constexpr int32_t kMethodCount = 4;
    static constexpr int32_t kDefaultMethod = 3;  // "Shred Once"
    static constexpr uint32_t kPollMs = 100;
    static constexpr int32_t kConfirmTitleText = 1500000;
    static constexpr int32_t kConfirmText = 1500010;
    static constexpr int32_t kNotWipedText = 1500100;  // "These items could not be wiped:"

    // Where the dialog's wiper comes from and goes back to: the wiper's pool, unless a test
    // gives one of its own.
    struct WiperSource {
        s::file::wiper::IWiper* (*obtain)();
        void (*release)(s::file::wiper::IWiper* wiper);
    };
    static void setWiperSource(const WiperSource* source);  // null: the pool

    Dialog() = default;
    ~Dialog() override;

    // From the pool, attached to the main window's holder; not built yet (buildUi does).
    static Dialog* obtain(s::app::IAppWindow* owner);

    // The prepare hook: a wiper ready for the next run with the combo's method; false when
    // its write buffer could not be had. A running wiper is left as it is.
    bool prepareWiper();
    // The task: the queue handed to the wiper, its progress reported every 100 ms.
    void run() override;

    // The method of a combo index, a new instance from its class's pool, and the repeat
    // count of its follow-up steps; an index outside the table means the default method.
    static s::file::wiper::IMethod* newMethod(int32_t index);
    static int32_t repeatCount(int32_t index);
    static int32_t methodIndexOf(int32_t comboIndex);
    // The text id that tells how an item was left (0: nothing to add to its path). A text
    // holding "{name}" takes the name the item has now.
    static int32_t survivalTextId(s::file::wiper::Survival why);

    s::file::wiper::IWiper* wiper() const { return m_wiper; }
    // The items of the last run that were not wiped, and how each was left.
    const s::str::strarray::StrArray& failures() const { return m_failures; }
    s::file::wiper::Survival failureSurvival(uint32_t index) const {
        return static_cast<s::file::wiper::Survival>(m_failureWhy.get(index));
    }

    const wchar_t* classId() const override { return L"s_file_gui_dialogs_brakvane_Dialog"; }
    s::base::IObject* newInstance() const override;
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    int32_t largeWidth() override { return 500 * m_scale; }
    int32_t largeHeight() override { return 400 * m_scale; }
    bool prepare() override { return prepareWiper(); }
    const wchar_t* prepareFailureText() override;
    s::gui::win::ComboBox* createOptionControl() override;
    s::gui::win::Box* createDescriptionPanel() override;
    bool onControlEvent(void* source, int32_t code) override;
    void onFinished() override;
    int32_t dropColumnWidth() override { return 130 * m_scale; }
    int32_t cancelButtonWidth() override { return 80 * m_scale; }
    int32_t cancelButtonGap() override { return 15 * m_scale; }
    int32_t defaultOptionIndex() override { return kDefaultMethod; }
    bool hasConfirmationOption() override { return true; }
    const wchar_t* confirmationTitle() override { return text(kConfirmTitleText); }
    const wchar_t* confirmationText() override { return text(kConfirmText); }

private:
    s::gui::win::Box* newMethodPanel(int32_t index);
    bool handOverQueue();
    void followWiper();
    void collectFailures(bool started);
    void addFailure(const wchar_t* path, s::file::wiper::Survival why, const wchar_t* nowNamed);
    void clearFailures();
    static bool isStillThere(const wchar_t* path);
    bool isListed(const wchar_t* path) const;
    void appendFailureLine(uint32_t index);
    void releaseWiper();

    s::file::wiper::IWiper* m_wiper = nullptr;
    // The last run's list (written by the task under the lock, read on the UI thread in
    // its end event): paths, how each was left, the name each has now ("" for its own).
    s::str::strarray::StrArray m_failures;
    s::col::_array::ArrayS32 m_failureWhy;
    s::str::strarray::StrArray m_failureNow;
    s::str::strbuffer::StrBuffer m_notice;
};

}  // namespace s::file::gui::dialogs::brakvane
