// s/gui/drawer/Skinner.cpp
#include "s/gui/drawer/Skinner.h"

#include <cwchar>

#include "s/gui/drawer/skin/SkinSchemes.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"

namespace s::gui::drawer {

Skinner::Skinner() : m_family(s::thread::Pool<s::str::strbuffer::StrBuffer>::obtain()) { resetForReuse(); }

Skinner::~Skinner() {
    releaseSkins();
    if (m_family) m_family->releaseToPool();
}

const wchar_t* Skinner::getFamilyName() const { return m_family ? m_family->cString() : L""; }

void Skinner::setFamilyName(const wchar_t* name) {
    if (!m_family) return;
    m_family->clear();
    m_family->append(name ? name : L"");
}

bool Skinner::addSkin(ISkin* skin) {
    if (!skin) return false;
    m_names.addString(skin->getName());
    m_skins.add(skin);
    return true;
}

void Skinner::registerSchemes() {
    const wchar_t* family = getFamilyName();
    if (_wcsicmp(family, L"Thin") == 0) {
        for (int32_t i = 0; i < skin::thinSchemeCount(); ++i) addSkin(skin::newThinSkin(skin::thinScheme(i)));
    } else if (_wcsicmp(family, L"ThinWindow") == 0) {
        for (int32_t i = 0; i < skin::thinWindowOrderCount(); ++i) addSkin(skin::skinOfPreset(skin::thinWindowOrder(i)));
    }
}

bool Skinner::findSkinIndex(const wchar_t* name, int32_t* index) const {
    *index = -1;
    if (!name) return false;
    for (uint32_t i = 0; i < m_names.count(); ++i) {
        if (_wcsicmp(m_names.at(i)->cString(), name) == 0) {
            *index = static_cast<int32_t>(i);
            return true;
        }
    }
    return false;
}

bool Skinner::selectSkin(const wchar_t* name) {
    int32_t index = 0;
    if (!findSkinIndex(name, &index)) index = 0;
    ISkin* skin = getSkin(static_cast<uint32_t>(index));
    if (!skin || skin == m_current) return false;
    m_current = skin;
    notifyListeners();
    return true;
}

void Skinner::addListener(ISkinListener* listener) {
    if (listener) m_listeners.add(listener);
}

void Skinner::removeListener(ISkinListener* listener) {
    int32_t index = -1;
    if (m_listeners.indexOfElement(&listener, &index)) m_listeners.removeAt(static_cast<uint32_t>(index), nullptr);
}

void Skinner::notifyListeners() {
    for (uint32_t i = 0; i < m_listeners.count(); ++i) m_listeners.item<ISkinListener>(i)->onEvent(this, 0);
}

void Skinner::releaseSkins() {
    for (uint32_t i = 0; i < m_skins.count(); ++i) {
        if (ISkin* skin = getSkin(i)) skin->releaseToPool();
    }
    m_skins.setCount(0);
    m_names.reset();
}

s::base::IObject* Skinner::newInstance() const { return s::thread::Pool<Skinner>::obtain(); }
void Skinner::releaseToPool() { s::thread::Pool<Skinner>::release(this); }

void Skinner::resetForReuse() {
    releaseSkins();
    setFamilyName(L"Basic");
    m_current = nullptr;
    m_listeners.setCount(0);
}

Skinner* newSkinnerThinWindow() {
    Skinner* skinner = s::thread::Pool<Skinner>::obtain();
    if (!skinner) return nullptr;
    skinner->setFamilyName(L"ThinWindow");
    skinner->registerSchemes();
    return skinner;
}

}  // namespace s::gui::drawer
