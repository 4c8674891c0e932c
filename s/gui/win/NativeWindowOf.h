// s/gui/win/NativeWindowOf.h
//
// The native window object a component is, by the interface it shows: a plain CWnd, or
// the control object of the system control it is made on.
#pragma once
#include "mfc/CButton.h"
#include "mfc/CComboBox.h"
#include "mfc/CEdit.h"
#include "mfc/CProgressCtrl.h"
#include "mfc/CSliderCtrl.h"
#include "mfc/CWnd.h"

namespace s::gui {
class IButton;
class ICheckBox;
class IComboBox;
class IGroupBox;
class IProgressBar;
class IRadioButton;
class ISlider;
class ITextField;
}  // namespace s::gui

namespace s::gui::win {

template <class I>
struct NativeWindowOf {
    using Type = mfc::CWnd;
};

template <>
struct NativeWindowOf<s::gui::IButton> {
    using Type = mfc::CButton;
};

template <>
struct NativeWindowOf<s::gui::ICheckBox> {
    using Type = mfc::CButton;
};

template <>
struct NativeWindowOf<s::gui::IRadioButton> {
    using Type = mfc::CButton;
};

template <>
struct NativeWindowOf<s::gui::IGroupBox> {
    using Type = mfc::CButton;
};

template <>
struct NativeWindowOf<s::gui::IComboBox> {
    using Type = mfc::CComboBox;
};

template <>
struct NativeWindowOf<s::gui::IProgressBar> {
    using Type = mfc::CProgressCtrl;
};

template <>
struct NativeWindowOf<s::gui::ITextField> {
    using Type = mfc::CEdit;
};

template <>
struct NativeWindowOf<s::gui::ISlider> {
    using Type = mfc::CSliderCtrl;
};

}  // namespace s::gui::win
