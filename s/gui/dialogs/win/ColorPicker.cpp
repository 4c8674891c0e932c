// s/gui/dialogs/win/ColorPicker.cpp
#include "s/gui/dialogs/win/ColorPicker.h"

#include "mfc/CColorDialog.h"
#include "s/gui/dialogs/win/ParentTopmost.h"
#include "s/thread/Pool.h"

namespace s::gui::dialogs::win {

namespace {
uint8_t clamp(int32_t value) { return static_cast<uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value)); }
}  // namespace

void ColorPicker::setColor(int32_t red, int32_t green, int32_t blue) {
    m_red = clamp(red);
    m_green = clamp(green);
    m_blue = clamp(blue);
}

bool ColorPicker::show(s::gui::IComponent* parent) {
    ParentTopmost owner(parent);
    mfc::CColorDialog dialog(RGB(m_red, m_green, m_blue), CC_FULLOPEN, owner.handle());
    if (dialog.DoModal() != IDOK) return false;
    const COLORREF chosen = dialog.GetColor();
    setColor(GetRValue(chosen), GetGValue(chosen), GetBValue(chosen));
    return true;
}

s::base::IObject* ColorPicker::newInstance() const { return s::thread::Pool<ColorPicker>::obtain(); }

void ColorPicker::releaseToPool() { s::thread::Pool<ColorPicker>::release(this); }

}  // namespace s::gui::dialogs::win
