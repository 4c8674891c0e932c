// s/archive/IconDirectoryEntry.cpp
#include "s/archive/IconDirectoryEntry.h"

#include "s/col/_array/ArrayU08.h"
#include "s/io/IInputStream.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"

namespace s::archive {

using s::col::_array::ArrayU08;

IconDirectoryEntry::~IconDirectoryEntry() {
    if (m_data) m_data->releaseToPool();
}

void IconDirectoryEntry::place(uint64_t position, const IconFileEntry& entry) {
    m_position = position;
    m_entry = entry;
}

void IconDirectoryEntry::takeData(ArrayU08* bytes) {
    if (m_data) m_data->releaseToPool();
    m_data = bytes;
    m_loaded = bytes != nullptr;
    m_entry.dataSize = bytes ? bytes->count() : 0;
}

bool IconDirectoryEntry::loadData(s::io::IInputStream* in) {
    if (m_loaded) return true;
    if (!in || !in->seek(m_entry.dataOffset)) return false;
    ArrayU08* bytes = s::thread::Pool<ArrayU08>::obtain();
    if (!bytes) return false;
    uint32_t got = 0;
    const bool whole = bytes->setCount(m_entry.dataSize) &&
                       (m_entry.dataSize == 0 || (in->read(bytes->data(), m_entry.dataSize, &got) &&
                                                  got == m_entry.dataSize));
    if (!whole) {
        bytes->releaseToPool();
        return false;
    }
    m_data = bytes;
    m_loaded = true;
    return true;
}

ArrayU08* IconDirectoryEntry::copyData() const {
    if (!m_loaded) return nullptr;
    ArrayU08* copy = s::thread::Pool<ArrayU08>::obtain();
    if (copy && m_data->count() && !copy->append(m_data->data(), m_data->count(), 0)) {
        copy->releaseToPool();
        return nullptr;
    }
    return copy;
}

s::str::strbuffer::StrBuffer* IconDirectoryEntry::name(s::str::strbuffer::StrBuffer* out, bool append) const {
    s::str::strbuffer::StrBuffer* result = s::str::strbuffer::resultString(out, append);
    if (!result) return nullptr;
    result->appendUInt32(width());
    result->append(L" x ");
    result->appendUInt32(height());
    result->append(L", ");
    result->appendUInt32(m_entry.bitCount);
    result->append(L" bits");
    return result;
}

void IconDirectoryEntry::resetForReuse() {
    takeData(nullptr);
    m_position = 0;
    m_entry = IconFileEntry{};
}

}  // namespace s::archive
