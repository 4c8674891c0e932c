// s/file/Extension.cpp
#include "s/file/Extension.h"

#include "s/col/_array/ArrayP.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"

namespace s::file {

Extension::~Extension() {
    delete m_key;
    delete m_paths;
}

bool Extension::setKey(const wchar_t* text) {
    if (!m_key) m_key = s::thread::Pool<s::str::strbuffer::StrBuffer>::obtain();
    return m_key && m_key->setText(text);
}

const wchar_t* Extension::keyText() const { return m_key ? m_key->cString() : L""; }

bool Extension::add(IPath* path) {
    if (!m_paths) m_paths = s::thread::Pool<s::col::_array::ArrayP>::obtain();
    return m_paths && m_paths->add(path);
}

uint32_t Extension::count() const { return m_paths ? m_paths->count() : 0; }

IPath* Extension::at(uint32_t i) const { return m_paths ? m_paths->item<IPath>(i) : nullptr; }

// Another group stands for its key; a string is a key itself.
const s::base::IComparable* Extension::keyOf(const s::base::IComparable* other) const {
    const Extension* group = dynamic_cast<const Extension*>(other);
    return group ? group->m_key : other;
}

int32_t Extension::compareTo(const s::base::IComparable* other, s::base::IComparator* comparator) const {
    if (!m_key) return IComparable::compareTo(other, comparator);
    return m_key->compareTo(keyOf(other), comparator);
}

int32_t Extension::compareToIgnoreCase(const s::base::IComparable* other, s::base::IComparator* comparator) const {
    if (!m_key) return IComparable::compareToIgnoreCase(other, comparator);
    return m_key->compareToIgnoreCase(keyOf(other), comparator);
}

bool Extension::equals(const s::base::IComparable* other, s::base::IComparator* comparator) const {
    if (!m_key) return IComparable::equals(other, comparator);
    return m_key->equals(keyOf(other), comparator);
}

bool Extension::equalsIgnoreCase(const s::base::IComparable* other, s::base::IComparator* comparator) const {
    if (!m_key) return IComparable::equalsIgnoreCase(other, comparator);
    return m_key->equalsIgnoreCase(keyOf(other), comparator);
}

uint32_t Extension::hashCode() const { return m_key ? m_key->hashCode() : 0; }

uint32_t Extension::hashCodeIgnoreCase() const { return m_key ? m_key->hashCodeIgnoreCase() : 0; }

s::base::IObject* Extension::newInstance() const { return s::thread::Pool<Extension>::obtain(); }

void Extension::releaseToPool() { s::thread::Pool<Extension>::release(this); }

void Extension::resetForReuse() {
    if (m_key) m_key->releaseToPool();
    if (m_paths) m_paths->releaseToPool();
    m_key = nullptr;
    m_paths = nullptr;
}

}  // namespace s::file
