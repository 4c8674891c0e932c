// s/gui/win/MessageBoxW.h
//
// The toolkit's modal message box: a system message box captioned with the application's
// title and modal to the calling thread's active window (mfc::AfxMessageBox). Pooled, so
// two threads showing boxes at once each take their own. The free helpers take one from
// the pool, show it and give it back; any thread may call them, and on a window's behalf
// other threads ask that window (kShowInfo, kShowError, kAskYesNo) instead.
#pragma once
#include "s/gui/IMessageBox.h"
#include "s/thread/IPoolable.h"

namespace s::gui::win {

class MessageBoxW final : public s::gui::IMessageBox, public virtual s::thread::IPoolable {
public:
    void setMode0() override { m_mode = 0; }
    void setMode1() override { m_mode = 1; }
    void setMode2() override { m_mode = 2; }
    int32_t getMode() const { return m_mode; }
    void showInformation(const wchar_t* text) override;
    void showWarning(const wchar_t* text) override;
    void showError(const wchar_t* text) override;
    bool askYesNo(const wchar_t* text) override;
    bool askYesNoCancel(const wchar_t* text, bool* answer) override;

    // IObject
    const wchar_t* classId() const override { return L"s_gui_win_MessageBoxW"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override { m_mode = 0; }

private:
    int32_t m_mode = 0;
};

void showInfoMessage(const wchar_t* text);
void showErrorMessage(const wchar_t* text);
bool askYesNo(const wchar_t* text);

// The box of a failure that has no window to belong to: caption "Error!", a warning icon,
// no owner.
void showStartupWarning(const wchar_t* text);
// What a native window that could not be made says, and that startup warning of it.
constexpr wchar_t kCreationFailedText[] = L"Window Creation Failed!";
void showCreationFailed();

}  // namespace s::gui::win
