// s/gui/win/MessageBoxW.cpp
#include "s/gui/win/MessageBoxW.h"

#include <windows.h>

#include "mfc/Afx.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

namespace {

const wchar_t* shown(const wchar_t* text) { return text ? text : L""; }

template <class Show>
auto withPooledBox(Show show) {
    MessageBoxW* box = s::thread::Pool<MessageBoxW>::obtain();
    if (!box) {
        MessageBoxW local;
        return show(&local);
    }
    auto result = show(box);
    box->releaseToPool();
    return result;
}

}  // namespace

void MessageBoxW::showInformation(const wchar_t* text) {
    mfc::AfxMessageBox(shown(text), MB_ICONINFORMATION, 0);
}

void MessageBoxW::showWarning(const wchar_t* text) {
    mfc::AfxMessageBox(shown(text), MB_ICONWARNING, 0);
}

void MessageBoxW::showError(const wchar_t* text) {
    mfc::AfxMessageBox(shown(text), MB_ICONERROR, 0);
}

bool MessageBoxW::askYesNo(const wchar_t* text) {
    return mfc::AfxMessageBox(shown(text), MB_YESNO | MB_ICONQUESTION, 0) == IDYES;
}

bool MessageBoxW::askYesNoCancel(const wchar_t* text, bool* answer) {
    int chosen = mfc::AfxMessageBox(shown(text), MB_YESNOCANCEL | MB_ICONQUESTION, 0);
    if (answer) *answer = chosen == IDYES;
    return chosen == IDYES || chosen == IDNO;
}

s::base::IObject* MessageBoxW::newInstance() const {
    return s::thread::Pool<MessageBoxW>::obtain();
}

void MessageBoxW::releaseToPool() { s::thread::Pool<MessageBoxW>::release(this); }

void showInfoMessage(const wchar_t* text) {
    withPooledBox([text](MessageBoxW* box) {
        box->showInformation(text);
        return 0;
    });
}

void showErrorMessage(const wchar_t* text) {
    withPooledBox([text](MessageBoxW* box) {
        box->showError(text);
        return 0;
    });
}

bool askYesNo(const wchar_t* text) {
    return withPooledBox([text](MessageBoxW* box) { return box->askYesNo(text); });
}

void showStartupWarning(const wchar_t* text) {
    ::MessageBoxW(nullptr, text, L"Error!", MB_ICONWARNING);
}

void showCreationFailed() { showStartupWarning(kCreationFailedText); }

}  // namespace s::gui::win
