// s/image/gui/boxes/ColorPicker.cpp
#include "s/image/gui/boxes/ColorPicker.h"

#include <cwctype>

#include "s/gui/IBox.h"
#include "s/gui/dialogs/win/ColorPicker.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/TextField.h"
#include "s/thread/Pool.h"

namespace s::image::gui::boxes {

namespace {
constexpr int32_t kSwatchSide = 20;
constexpr int32_t kFieldWidth = 70;
}  // namespace

std::wstring ColorPicker::hexText(uint32_t rgb) {
    wchar_t text[8] = {};
    swprintf(text, 8, L"%06X", rgb & 0xFFFFFF);
    return text;
}

bool ColorPicker::parseHex(const wchar_t* text, uint32_t* rgb) {
    if (!text) return false;
    while (*text == L' ') ++text;
    uint32_t value = 0;
    int digits = 0;
    for (; iswxdigit(*text) && digits < 7; ++text, ++digits)
        value = value << 4 | static_cast<uint32_t>(iswdigit(*text) ? *text - L'0' : (towupper(*text) - L'A' + 10));
    while (*text == L' ') ++text;
    if (digits != 6 || *text) return false;
    *rgb = value;
    return true;
}

s::gui::IBox* ColorPicker::build() {
    if (m_row) return m_row;
    m_row = s::gui::win::newBox(s::gui::IBox::kRow, 0, 100.0, -1.0, 1, 6, 0, 0, 0);
    m_swatch = s::gui::win::newBox(s::gui::IBox::kRow, 0, -1.0, -1.0, 0, 0, 0, 0, 0);
    m_swatch->setFixedWidth(kSwatchSide, false);
    m_swatch->setFixedHeight(kSwatchSide, false);
    m_text = s::gui::win::newTextField();
    m_text->setFixedWidth(kFieldWidth);
    m_button = s::gui::win::newChangeColorButton();
    m_button->setEnabled(true);
    m_row->addChild(m_swatch);
    m_row->addChild(m_text);
    m_row->addChild(m_button);
    m_button->addClickListener(this);
    m_text->addChangeListener(this);
    showColor(true);
    return m_row;
}

void ColorPicker::setColor(int32_t red, int32_t green, int32_t blue) {
    auto part = [](int32_t v) { return static_cast<uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); };
    m_rgb = part(red) << 16 | part(green) << 8 | part(blue);
    showColor(true);
}

void ColorPicker::setEnabled(bool enabled) {
    if (m_text) m_text->setEnabled(enabled);
    if (m_button) m_button->setEnabled(enabled);
}

void ColorPicker::showColor(bool writeText) {
    if (!m_row) return;
    m_swatch->setBackgroundColour(getRed(), getGreen(), getBlue(), true);
    if (!writeText) return;
    m_writing = true;
    m_text->setText(hexText(m_rgb).c_str(), false);
    m_writing = false;
}

void ColorPicker::chooseInDialog() {
    auto* dialog = s::thread::Pool<s::gui::dialogs::win::ColorPicker>::obtain();
    if (!dialog) return;
    dialog->setColor(getRed(), getGreen(), getBlue());
    if (dialog->show(m_row)) setColor(dialog->getRed(), dialog->getGreen(), dialog->getBlue());
    dialog->releaseToPool();
}

void ColorPicker::onEvent(void* source, int32_t) {
    if (!m_row) return;
    if (source == static_cast<s::gui::IComponent*>(m_button)) {
        chooseInDialog();
        return;
    }
    if (source == static_cast<s::gui::IComponent*>(m_text) && !m_writing) {
        uint32_t typed = 0;
        if (parseHex(m_text->getText(), &typed)) {
            m_rgb = typed;
            showColor(false);
        }
    }
}

s::base::IObject* ColorPicker::newInstance() const { return s::thread::Pool<ColorPicker>::obtain(); }

void ColorPicker::releaseToPool() { s::thread::Pool<ColorPicker>::release(this); }

// The row and its controls are their parent's to release.
void ColorPicker::resetForReuse() {
    m_row = m_swatch = nullptr;
    m_text = nullptr;
    m_button = nullptr;
    m_rgb = 0xFFFFFF;
    m_writing = false;
}

}  // namespace s::image::gui::boxes
