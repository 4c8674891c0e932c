// s/gui/win/RadioButton.cpp
#include "s/gui/win/RadioButton.h"

#include <initializer_list>

#include "s/gui/drawer/IRadioButton.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/events/Editabler.h"
#include "s/gui/win/Font.h"
#include "s/gui/events/UnEditabler.h"
#include "s/gui/win/UiScale.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

namespace {

s::gui::events::StateAction* makeEditabler() {
    return s::thread::Pool<s::gui::events::Editabler>::obtain();
}
s::gui::events::StateAction* makeUnEditabler() {
    return s::thread::Pool<s::gui::events::UnEditabler>::obtain();
}

}  // namespace

s::base::IObject* RadioButton::newInstance() const { return s::thread::Pool<RadioButton>::obtain(); }

void RadioButton::releaseToPool() { s::thread::Pool<RadioButton>::release(this); }

void RadioButton::resetForReuse() {
    CheckControl::resetForReuse();
    m_drawer.release();
}

void RadioButton::setDrawer(s::gui::drawer::IRadioButton* drawer, bool owned) {
    m_drawer.set(drawer, owned);
    redraw();
}

void RadioButton::setEnabled(bool enabled) {
    CheckControl::setEnabled(enabled);
    if (m_drawer) redraw();
}

void RadioButton::takeSkin(s::gui::drawer::ISkin* skin) {
    if (skin->getRadioButtonDrawer()) setDrawer(skin->getRadioButtonDrawer(), false);
}

void RadioButton::drawFace(HDC dc, int32_t width, int32_t height, Font* font) {
    m_drawer->draw(dc, 0, 0, width, height, getText(), font, m_enabled, isChecked(),
                   getBackgroundColour());
}

void RadioButton::releaseActions() {
    CheckControl::releaseActions();
    for (s::gui::events::StateAction** a : {&m_editabler, &m_readOnly}) {
        if (*a) (*a)->releaseToPool();
        *a = nullptr;
    }
}

void RadioButton::editableWhenChecked(s::gui::IComponent* c) {
    addAction(&m_editabler, &makeEditabler, true, c);
}

void RadioButton::readOnlyWhenUnchecked(s::gui::IComponent* c) {
    addAction(&m_readOnly, &makeUnEditabler, false, c);
}

void RadioButton::followCheckEditable(s::gui::IComponent* c) {
    editableWhenChecked(c);
    readOnlyWhenUnchecked(c);
}

SIZE RadioButton::measureText(HDC, SIZE text) const {
    int32_t scale = uiScale();
    int32_t box = (scale >= 2 ? 24 : 18) * scale;
    return SIZE{text.cx ? text.cx + box : 0, text.cy};
}

RadioButton* newRadioButton(const wchar_t* text, bool checked) {
    RadioButton* radio = s::thread::Pool<RadioButton>::obtain();
    if (!radio) return nullptr;
    radio->setText(text);
    radio->setChecked(checked, false);
    return radio;
}

RadioButton* newRadioButtonFromTextId(int32_t textId, bool checked) {
    RadioButton* radio = s::thread::Pool<RadioButton>::obtain();
    if (!radio) return nullptr;
    radio->setTextId(textId);
    radio->setChecked(checked, false);
    return radio;
}

}  // namespace s::gui::win
