// s/xml/MappedData.cpp
#include "s/xml/MappedData.h"

#include <cwchar>
#include <cwctype>

#include "s/col/_array/ArrayU08.h"
#include "s/file/win/PathText.h"
#include "s/file/win/PathWin.h"
#include "s/thread/Pool.h"
#include "s/xml/Node.h"

namespace s::xml {

namespace {

using s::file::win::isPathSeparator;

int hexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

uint32_t segmentCount(const wchar_t* p) {
    uint32_t n = 0;
    for (; *p; ++p)
        if (!isPathSeparator(*p) && (p[1] == 0 || isPathSeparator(p[1]))) ++n;
    return n;
}

bool sameTextIgnoringCase(const s::str::strbuffer::StrBuffer& a, const wchar_t* b) {
    const size_t n = std::wcslen(b);
    return a.length() == n && (n == 0 || _wcsnicmp(a.chars(), b, n) == 0);
}

}  // namespace

MappedData::~MappedData() { resetForReuse(); }

void MappedData::releaseDocument() {
    if (m_root) m_root->releaseToPool();
    m_root = nullptr;
    forgetSelection();
}

void MappedData::forgetSelection() {
    m_selected = nullptr;
    m_lastPath.clear();
}

bool MappedData::attachFile(IPath* path) {
    releaseDocument();
    if (m_path && m_path != path) m_path->releaseToPool();
    m_path = path;
    m_root = s::thread::Pool<Node>::obtain();
    if (!m_root) return false;
    // A file that parses to a nameless root (empty, or no element at all) is not a document,
    // nor one that begins with a comment: values kept under it would be written back as a
    // comment and lost on the next load.
    const bool loaded =
        m_path && m_path->exists() && m_root->loadFile(m_path) && *m_root->name() && !m_root->isComment();
    if (!loaded) {
        m_root->clear();
        m_root->setName(L"savedata", -1);
    }
    m_selected = m_root;
    return loaded;
}

// The element of the key path, made where missing when `create`; null when a segment is
// missing (or could not be made) or the path is deeper than kMaxSegments.
Node* MappedData::walk(const wchar_t* path, bool create) {
    Node* at = m_root;
    const wchar_t* p = path ? path : L"";
    // Counted before the walk, so that a refused path makes no element at all.
    if (segmentCount(p) > kMaxSegments) return nullptr;
    while (at) {
        while (isPathSeparator(*p)) ++p;
        if (!*p) return at;
        const wchar_t* segment = p;
        while (*p && !isPathSeparator(*p)) ++p;
        const int32_t length = static_cast<int32_t>(p - segment);
        Node* child = at->childByName(segment, length);
        if (!child && create) child = at->addChildNamed(segment, length);
        at = child;
    }
    return nullptr;
}

// Only a walk that reached its element is remembered: after a failed one nothing is
// selected, so a write to the same path walks again and makes it, instead of landing on
// whatever ancestor the failed walk had reached.
bool MappedData::select(const wchar_t* path, bool create) {
    if (!path) path = L"";
    if (m_selected && sameTextIgnoringCase(m_lastPath, path)) return true;
    Node* found = walk(path, create);
    if (!found || !m_lastPath.setText(path)) {
        forgetSelection();
        return false;
    }
    m_selected = found;
    return true;
}

void MappedData::saveWhenAuto() {
    if (m_autoSave) save();
}

void MappedData::save() {
    if (m_path && m_root) m_root->saveFile(m_path);
}

void MappedData::openPath(const wchar_t* path) { select(path, true); }

void MappedData::removePath(const wchar_t* path) {
    StrBuffer parent;
    if (!path || !parent.setText(path)) return;
    while (parent.length() && isPathSeparator(parent.charAt(parent.length() - 1))) parent.setLength(parent.length() - 1);
    uint32_t cut = 0;
    const bool nested = parent.lastIndexOfAny(L"\\/", 2, &cut);
    const uint32_t start = nested ? cut + 1 : 0;
    const int32_t nameLength = static_cast<int32_t>(parent.length() - start);
    if (nameLength == 0) return;
    StrBuffer name;
    if (!name.append(parent.chars() + start, nameLength)) return;
    parent.setLength(nested ? cut : 0);
    Node* owner = walk(parent.cString(), false);
    const int32_t index = owner ? owner->findChild(name.cString(), nameLength) : -1;
    if (index >= 0) owner->removeChildAt(static_cast<uint32_t>(index));
    // The selection may have lain in the removed tree.
    forgetSelection();
    saveWhenAuto();
}

bool MappedData::selectPath(const wchar_t* path) { return select(path, false); }

bool MappedData::hasValue(const wchar_t* path, const wchar_t* name) {
    return select(path, false) && m_selected->findAttribute(name ? name : L"", nullptr);
}

const wchar_t* MappedData::valueOf(const wchar_t* path, const wchar_t* name) {
    return select(path, false) ? m_selected->getText(name ? name : L"", nullptr) : nullptr;
}

uint8_t MappedData::getU8(const wchar_t* path, const wchar_t* name, uint8_t defaultValue) {
    const wchar_t* v = valueOf(path, name);
    return v ? static_cast<uint8_t>(std::wcstoul(v, nullptr, 10)) : defaultValue;
}
uint16_t MappedData::getU16(const wchar_t* path, const wchar_t* name, uint16_t defaultValue) {
    const wchar_t* v = valueOf(path, name);
    return v ? static_cast<uint16_t>(std::wcstoul(v, nullptr, 10)) : defaultValue;
}
uint32_t MappedData::getU32(const wchar_t* path, const wchar_t* name, uint32_t defaultValue) {
    const wchar_t* v = valueOf(path, name);
    return v ? static_cast<uint32_t>(std::wcstoul(v, nullptr, 10)) : defaultValue;
}
uint64_t MappedData::getU64(const wchar_t* path, const wchar_t* name, uint64_t defaultValue) {
    const wchar_t* v = valueOf(path, name);
    return v ? static_cast<uint64_t>(_wtoi64(v)) : defaultValue;
}
int8_t MappedData::getS8(const wchar_t* path, const wchar_t* name, int8_t defaultValue) {
    const wchar_t* v = valueOf(path, name);
    return v ? static_cast<int8_t>(_wtoi(v)) : defaultValue;
}
int16_t MappedData::getS16(const wchar_t* path, const wchar_t* name, int16_t defaultValue) {
    const wchar_t* v = valueOf(path, name);
    return v ? static_cast<int16_t>(_wtoi(v)) : defaultValue;
}
int32_t MappedData::getS32(const wchar_t* path, const wchar_t* name, int32_t defaultValue) {
    const wchar_t* v = valueOf(path, name);
    return v ? static_cast<int32_t>(_wtoi(v)) : defaultValue;
}
int64_t MappedData::getS64(const wchar_t* path, const wchar_t* name, int64_t defaultValue) {
    const wchar_t* v = valueOf(path, name);
    return v ? static_cast<int64_t>(_wtoi64(v)) : defaultValue;
}
float MappedData::getFloat(const wchar_t* path, const wchar_t* name, float defaultValue) {
    const wchar_t* v = valueOf(path, name);
    return v ? static_cast<float>(std::wcstod(v, nullptr)) : defaultValue;
}
double MappedData::getDouble(const wchar_t* path, const wchar_t* name, double defaultValue) {
    const wchar_t* v = valueOf(path, name);
    return v ? std::wcstod(v, nullptr) : defaultValue;
}
bool MappedData::getBool(const wchar_t* path, const wchar_t* name, bool defaultValue) {
    return select(path, false) ? m_selected->getBool(name ? name : L"", defaultValue) : defaultValue;
}

// The value unescaped into the scratch string; false when it is missing.
bool MappedData::unescapedValue(const wchar_t* path, const wchar_t* name) {
    return select(path, false) && m_selected->getUnescapedText(name ? name : L"", &m_scratch, false, nullptr);
}

const wchar_t* MappedData::getString(const wchar_t* path, const wchar_t* name, const wchar_t* defaultText,
                                     bool* wasExpandable, bool) {
    if (wasExpandable) *wasExpandable = false;
    return unescapedValue(path, name) ? m_scratch.cString() : defaultText;
}

MappedData::ArrayU08* MappedData::getBytes(const wchar_t* path, const wchar_t* name, ArrayU08* bytes) {
    ArrayU08* out = bytes ? bytes : s::thread::Pool<ArrayU08>::obtain();
    if (!out) return nullptr;
    out->clear();
    if (!unescapedValue(path, name)) return out;
    for (uint32_t i = 0; i + 1 < m_scratch.length(); i += 2) {
        const int high = hexValue(m_scratch.charAt(i));
        const int low = hexValue(m_scratch.charAt(i + 1));
        if (high < 0 || low < 0 || !out->add(static_cast<uint8_t>(high << 4 | low))) break;
    }
    return out;
}

// Every pair of the name goes: a first copy left in a hand-edited file would hide the rest.
void MappedData::deleteValue(const wchar_t* path, const wchar_t* name) {
    if (select(path, false)) m_selected->attributes().removeAll(name ? name : L"");
    saveWhenAuto();
}

// The old pairs of the name go first, so the new one is the only one and the last.
template <class F>
void MappedData::write(const wchar_t* path, const wchar_t* name, F set) {
    if (!name) name = L"";
    if (select(path, true)) {
        m_selected->attributes().removeAll(name);
        set(*m_selected, name);
    }
    saveWhenAuto();
}

void MappedData::setU8(const wchar_t* path, const wchar_t* name, uint8_t value) {
    write(path, name, [&](Node& n, const wchar_t* v) { n.setU8(v, value); });
}
void MappedData::setU16(const wchar_t* path, const wchar_t* name, uint16_t value) {
    write(path, name, [&](Node& n, const wchar_t* v) { n.setU16(v, value); });
}
void MappedData::setU32(const wchar_t* path, const wchar_t* name, uint32_t value) {
    write(path, name, [&](Node& n, const wchar_t* v) { n.setU32(v, value); });
}
void MappedData::setU64(const wchar_t* path, const wchar_t* name, uint64_t value) {
    write(path, name, [&](Node& n, const wchar_t* v) { n.setU64(v, value); });
}
void MappedData::setS8(const wchar_t* path, const wchar_t* name, int8_t value) {
    write(path, name, [&](Node& n, const wchar_t* v) { n.setS8(v, value); });
}
void MappedData::setS16(const wchar_t* path, const wchar_t* name, int16_t value) {
    write(path, name, [&](Node& n, const wchar_t* v) { n.setS16(v, value); });
}
void MappedData::setS32(const wchar_t* path, const wchar_t* name, int32_t value) {
    write(path, name, [&](Node& n, const wchar_t* v) { n.setS32(v, value); });
}
void MappedData::setS64(const wchar_t* path, const wchar_t* name, int64_t value) {
    write(path, name, [&](Node& n, const wchar_t* v) { n.setS64(v, value); });
}
void MappedData::setFloat(const wchar_t* path, const wchar_t* name, float value) {
    write(path, name, [&](Node& n, const wchar_t* v) { n.setFloat(v, value); });
}
void MappedData::setDouble(const wchar_t* path, const wchar_t* name, double value) {
    write(path, name, [&](Node& n, const wchar_t* v) { n.setDouble(v, value); });
}
void MappedData::setBool(const wchar_t* path, const wchar_t* name, bool value) {
    write(path, name, [&](Node& n, const wchar_t* v) { n.setU8(v, value ? 1 : 0); });
}
void MappedData::setString(const wchar_t* path, const wchar_t* name, const wchar_t* text) {
    write(path, name, [&](Node& n, const wchar_t* v) { n.setText(v, text); });
}
void MappedData::setExpandString(const wchar_t* path, const wchar_t* name, const wchar_t* text) {
    setString(path, name, text);
}
void MappedData::setBytes(const wchar_t* path, const wchar_t* name, const ArrayU08* bytes) {
    write(path, name, [&](Node& n, const wchar_t* v) {
        n.setHex8(v, bytes ? bytes->data() : nullptr, bytes ? bytes->count() : 0);
    });
}

void MappedData::setStringList(const wchar_t*, const wchar_t*, const StrArray*) { saveWhenAuto(); }

// IObject, IPoolable

s::base::IObject* MappedData::newInstance() const { return s::thread::Pool<MappedData>::obtain(); }

void MappedData::releaseToPool() { s::thread::Pool<MappedData>::release(this); }

void MappedData::resetForReuse() {
    releaseDocument();
    if (m_path) m_path->releaseToPool();
    m_path = nullptr;
    m_scratch.freeBuffer();
    m_lastPath.freeBuffer();
    m_autoSave = false;
}

MappedData* openXmlData(const wchar_t* pathText) {
    MappedData* store = s::thread::Pool<MappedData>::obtain();
    if (!store) return nullptr;
    s::file::win::PathWin* path = s::file::win::pathFromString(pathText);
    if (!path) {
        store->releaseToPool();
        return nullptr;
    }
    store->attachFile(path);
    return store;
}

}  // namespace s::xml
