// s/reg/MappedData.cpp
#include "s/reg/MappedData.h"

#include <cwchar>

#include "s/col/_array/ArrayU08.h"
#include "s/reg/win/RegDir.h"
#include "s/thread/Pool.h"

namespace s::reg {

namespace {

using s::reg::win::RegDir;
using s::thread::Lock;

void releaseKey(RegDir*& key) {
    if (key) key->releaseToPool();
    key = nullptr;
}

}  // namespace

MappedData::~MappedData() { releaseKeys(); }

void MappedData::releaseKeys() {
    releaseKey(m_work);
    releaseKey(m_base);
}

void MappedData::attachKey(RegDir* base) {
    Lock lock(m_lock);
    if (base == m_base) return;
    releaseKeys();
    m_base = base;
    m_lastPath.clear();
    if (m_base) replaceWorkingKey(*m_base->keyPath());
}

// Section selection (callers hold the lock)

void MappedData::buildFullPath(const StrBuffer& section) {
    m_scratch.setStr(m_base->keyPath());
    if (section.length() == 0) return;
    if (m_scratch.length()) m_scratch.appendChar(L'\\');
    m_scratch.appendStr(&section);
}

// The cache holds only while the working key is open: a section that failed to open is
// asked again, not answered from the cache.
bool MappedData::isSelected(const StrBuffer& section) const {
    return m_work && m_work->isOpen() && m_lastPath.length() == section.length() &&
           _wcsicmp(m_lastPath.cString(), section.cString()) == 0;
}

bool MappedData::replaceWorkingKey(const StrBuffer& fullPath) {
    releaseKey(m_work);
    m_work = s::thread::Pool<RegDir>::obtain();
    if (!m_work || !m_work->setRoot(m_base->root())) return false;
    return m_work->open(fullPath.cString());
}

bool MappedData::select(const wchar_t* path) {
    s::reg::win::tidyKeyPath(path, &m_section);
    if (isSelected(m_section)) return true;
    m_lastPath.setStr(&m_section);
    if (!m_base) return false;
    buildFullPath(m_section);
    const bool opened = replaceWorkingKey(m_scratch);
    // The base key itself counts as selected even before anything is stored in it.
    return opened || m_section.length() == 0;
}

bool MappedData::selectCreating(const wchar_t* path) {
    s::reg::win::tidyKeyPath(path, &m_section);
    if (isSelected(m_section)) return true;
    m_lastPath.setStr(&m_section);
    if (!m_base) return false;
    buildFullPath(m_section);
    if (replaceWorkingKey(m_scratch)) return true;
    if (!m_work || !m_work->create()) return false;
    saveWhenAuto();
    return true;
}

void MappedData::saveWhenAuto() {
    if (m_autoSave) save();
}

// IMappedData

void MappedData::openPath(const wchar_t* path) {
    Lock lock(m_lock);
    selectCreating(path);
}

void MappedData::removePath(const wchar_t* path) {
    Lock lock(m_lock);
    s::reg::win::tidyKeyPath(path, &m_section);
    if (m_section.length() == 0 || !m_base) return;
    buildFullPath(m_section);
    RegDir* doomed = s::thread::Pool<RegDir>::obtain();
    if (doomed && doomed->setRoot(m_base->root()) && doomed->open(m_scratch.cString())) doomed->deleteKey(true);
    releaseKey(doomed);
    // The working key may lie in the deleted tree: the next operation selects afresh.
    releaseKey(m_work);
    m_lastPath.clear();
    saveWhenAuto();
}

bool MappedData::selectPath(const wchar_t* path) {
    Lock lock(m_lock);
    return select(path);
}

bool MappedData::hasValue(const wchar_t* path, const wchar_t* name) {
    Lock lock(m_lock);
    return select(path) && m_work->queryValue(name, nullptr, nullptr, -1);
}

template <class T>
T MappedData::read(const wchar_t* path, const wchar_t* name, T defaultValue,
                   T (RegDir::*get)(const wchar_t*, T)) {
    Lock lock(m_lock);
    return select(path) ? (m_work->*get)(name, defaultValue) : defaultValue;
}

uint8_t MappedData::getU8(const wchar_t* path, const wchar_t* name, uint8_t defaultValue) {
    return read(path, name, defaultValue, &RegDir::getU8);
}
uint16_t MappedData::getU16(const wchar_t* path, const wchar_t* name, uint16_t defaultValue) {
    return read(path, name, defaultValue, &RegDir::getU16);
}
uint32_t MappedData::getU32(const wchar_t* path, const wchar_t* name, uint32_t defaultValue) {
    return read(path, name, defaultValue, &RegDir::getU32);
}
uint64_t MappedData::getU64(const wchar_t* path, const wchar_t* name, uint64_t defaultValue) {
    return read(path, name, defaultValue, &RegDir::getU64);
}
int8_t MappedData::getS8(const wchar_t* path, const wchar_t* name, int8_t defaultValue) {
    return read(path, name, defaultValue, &RegDir::getS8);
}
int16_t MappedData::getS16(const wchar_t* path, const wchar_t* name, int16_t defaultValue) {
    return read(path, name, defaultValue, &RegDir::getS16);
}
int32_t MappedData::getS32(const wchar_t* path, const wchar_t* name, int32_t defaultValue) {
    return read(path, name, defaultValue, &RegDir::getS32);
}
int64_t MappedData::getS64(const wchar_t* path, const wchar_t* name, int64_t defaultValue) {
    return read(path, name, defaultValue, &RegDir::getS64);
}
float MappedData::getFloat(const wchar_t* path, const wchar_t* name, float defaultValue) {
    return read(path, name, defaultValue, &RegDir::getFloat);
}
double MappedData::getDouble(const wchar_t* path, const wchar_t* name, double defaultValue) {
    return read(path, name, defaultValue, &RegDir::getDouble);
}
bool MappedData::getBool(const wchar_t* path, const wchar_t* name, bool defaultValue) {
    return read(path, name, defaultValue, &RegDir::getBool);
}

const wchar_t* MappedData::getString(const wchar_t* path, const wchar_t* name, const wchar_t* defaultText,
                                     bool* wasExpandable, bool expand) {
    Lock lock(m_lock);
    if (wasExpandable) *wasExpandable = false;
    if (!select(path)) return defaultText;
    StrBuffer* text = m_texts.mine();
    return text && m_work->getString(name, text, wasExpandable, expand) ? text->cString() : defaultText;
}

s::col::_array::ArrayU08* MappedData::getBytes(const wchar_t* path, const wchar_t* name, ArrayU08* bytes) {
    Lock lock(m_lock);
    ArrayU08* out = bytes ? bytes : s::thread::Pool<ArrayU08>::obtain();
    if (!out) return nullptr;
    out->clear();
    if (select(path)) m_work->getBytes(name, out);
    return out;
}

void MappedData::deleteValue(const wchar_t* path, const wchar_t* name) {
    Lock lock(m_lock);
    if (select(path)) m_work->deleteValue(name);
    saveWhenAuto();
}

// The section is made when missing; the key writes the value (or nothing, when the section
// could be neither opened nor made).
template <class T>
void MappedData::write(const wchar_t* path, const wchar_t* name, T value,
                       bool (RegDir::*set)(const wchar_t*, T)) {
    Lock lock(m_lock);
    if (selectCreating(path)) (m_work->*set)(name, value);
    saveWhenAuto();
}

void MappedData::setU8(const wchar_t* path, const wchar_t* name, uint8_t value) {
    write(path, name, value, &RegDir::setU8);
}
void MappedData::setU16(const wchar_t* path, const wchar_t* name, uint16_t value) {
    write(path, name, value, &RegDir::setU16);
}
void MappedData::setU32(const wchar_t* path, const wchar_t* name, uint32_t value) {
    write(path, name, value, &RegDir::setU32);
}
void MappedData::setU64(const wchar_t* path, const wchar_t* name, uint64_t value) {
    write(path, name, value, &RegDir::setU64);
}
void MappedData::setS8(const wchar_t* path, const wchar_t* name, int8_t value) {
    write(path, name, value, &RegDir::setS8);
}
void MappedData::setS16(const wchar_t* path, const wchar_t* name, int16_t value) {
    write(path, name, value, &RegDir::setS16);
}
void MappedData::setS32(const wchar_t* path, const wchar_t* name, int32_t value) {
    write(path, name, value, &RegDir::setS32);
}
void MappedData::setS64(const wchar_t* path, const wchar_t* name, int64_t value) {
    write(path, name, value, &RegDir::setS64);
}
void MappedData::setFloat(const wchar_t* path, const wchar_t* name, float value) {
    write(path, name, value, &RegDir::setFloat);
}
void MappedData::setDouble(const wchar_t* path, const wchar_t* name, double value) {
    write(path, name, value, &RegDir::setDouble);
}
void MappedData::setBool(const wchar_t* path, const wchar_t* name, bool value) {
    write(path, name, value, &RegDir::setBool);
}
void MappedData::setString(const wchar_t* path, const wchar_t* name, const wchar_t* value) {
    write(path, name, value, &RegDir::setString);
}
void MappedData::setExpandString(const wchar_t* path, const wchar_t* name, const wchar_t* value) {
    write(path, name, value, &RegDir::setExpandString);
}
void MappedData::setBytes(const wchar_t* path, const wchar_t* name, const ArrayU08* value) {
    write(path, name, value, &RegDir::setBytes);
}

void MappedData::setStringList(const wchar_t*, const wchar_t*, const StrArray*) {
    Lock lock(m_lock);
    saveWhenAuto();
}

// IObject, IPoolable

s::base::IObject* MappedData::newInstance() const { return s::thread::Pool<MappedData>::obtain(); }

void MappedData::releaseToPool() { s::thread::Pool<MappedData>::release(this); }

void MappedData::resetForReuse() {
    Lock lock(m_lock);
    releaseKeys();
    m_lastPath.clear();
    m_scratch.freeBuffer();
    m_section.freeBuffer();
    m_texts.reset();
    m_autoSave = false;
}

// Opening stores

MappedData* openRegistryData(const wchar_t* path) {
    MappedData* store = s::thread::Pool<MappedData>::obtain();
    if (!store || store->baseKey()) return store;
    RegDir* base = s::thread::Pool<RegDir>::obtain();
    if (!base || !base->setRoot(HKEY_CURRENT_USER)) {
        if (base) base->releaseToPool();
        store->releaseToPool();
        return nullptr;
    }
    base->open(path);
    store->attachKey(base);
    return store;
}

MappedData* openProductRegistryData(const wchar_t* registryName) {
    if (!registryName || !*registryName || std::wcschr(registryName, L'\\')) return nullptr;
    s::str::strbuffer::StrBuffer path;
    if (!path.setText(L"Software\\Ostrel\\") || !path.append(registryName) || !path.append(L"\\SaveData"))
        return nullptr;
    return openRegistryData(path.cString());
}

}  // namespace s::reg
