// s/gui/win/NativeWindowOf.h
//
// The native window object a component is, by the interface it shows: a plain CWnd, or
// the control object of the system control it is made on.
#pragma once
#include "mfc/CEdit.h"
#include "mfc/CSliderCtrl.h"
#include "mfc/CWnd.h"

namespace s::gui {
class ISlider;
class ITextField;
}  // namespace s::gui

namespace s::gui::win {

template <class I>
struct NativeWindowOf {
    using Type = mfc::CWnd;
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
