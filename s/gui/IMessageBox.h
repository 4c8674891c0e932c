// s/gui/IMessageBox.h
//
// A modal message box captioned with the application's title. Each call blocks the calling
// thread until the box is answered.
#pragma once
#include "s/base/IObject.h"

namespace s::gui {

class IMessageBox : public s::base::IObject {
public:
    // A stored mode, 0, 1 or 2, that the boxes themselves do not read.
    virtual void setMode0() = 0;
    virtual void setMode1() = 0;
    virtual void setMode2() = 0;
    virtual void showInformation(const wchar_t* text) = 0;
    virtual void showWarning(const wchar_t* text) = 0;
    virtual void showError(const wchar_t* text) = 0;
    virtual bool askYesNo(const wchar_t* text) = 0;  // true exactly for Yes
    // Yes: answer true, true; No: answer false, true; Cancel or closed: answer false, false.
    virtual bool askYesNoCancel(const wchar_t* text, bool* answer) = 0;
};

}  // namespace s::gui
