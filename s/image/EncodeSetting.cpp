// s/image/EncodeSetting.cpp
#include "s/image/EncodeSetting.h"

#include "s/image/EncodeSettingBoxes.h"
#include "s/map/IMappedData.h"

namespace s::image {

IEncodeSettingBox* EncodeSetting::createBox() {
    const EncodeSettingBoxMaker maker = encodeSettingBoxMaker();
    IEncodeSettingBox* box = maker ? maker(boxClassId()) : nullptr;
    if (!box) return nullptr;
    box->link(this);
    m_box = box;
    return box;
}

// Every format saves what its box gave: a choice applied but not saved would be lost when
// the program ends.
bool EncodeSetting::applyBox() {
    if (!m_box) return true;
    m_box->applyTo(this);
    clampValues();
    save();
    return true;
}

void EncodeSetting::attachStore(const wchar_t* baseKey, s::map::IMappedData* store) {
    m_keyPath.assign(baseKey ? baseKey : L"");
    if (!m_keyPath.empty()) m_keyPath += L'\\';
    m_keyPath += keyName();
    m_store = store;
    load();
}

void EncodeSetting::load() {
    if (!m_store) return;
    readValues(m_store, m_keyPath.c_str());
    clampValues();
}

void EncodeSetting::save() {
    if (m_store) writeValues(m_store, m_keyPath.c_str());
}

void EncodeSetting::forgetStoreAndBox() {
    m_store = nullptr;
    m_keyPath.clear();
    m_box = nullptr;
}

}  // namespace s::image
