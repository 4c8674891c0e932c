// s/file/Extension.h
//
// One group of paths that share a key (an extension, a word of their names, a size class),
// as the path arrays build them. The key is the group's own string; the paths belong to the
// list they were grouped from (not owned here). Compares, equals and hashes as its key.
// Pooled, capacity 1000; one thread at a time.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::col::_array { class ArrayP; }
namespace s::str::strbuffer { class StrBuffer; }

namespace s::file {

class IPath;

class Extension final : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    Extension() = default;
    ~Extension() override;
    Extension(const Extension&) = delete;
    Extension& operator=(const Extension&) = delete;

    bool setKey(const wchar_t* text);
    const s::str::strbuffer::StrBuffer* key() const { return m_key; }
    const wchar_t* keyText() const;
    // Adds a path of the group (the list made on the first addition).
    bool add(IPath* path);
    uint32_t count() const;
    IPath* at(uint32_t i) const;  // null beyond the count
    const s::col::_array::ArrayP* paths() const { return m_paths; }

    // IComparable: those of the key
    int32_t compareTo(const s::base::IComparable* other, s::base::IComparator* comparator = nullptr) const override;
    int32_t compareToIgnoreCase(const s::base::IComparable* other,
                                s::base::IComparator* comparator = nullptr) const override;
    bool equals(const s::base::IComparable* other, s::base::IComparator* comparator = nullptr) const override;
    bool equalsIgnoreCase(const s::base::IComparable* other, s::base::IComparator* comparator = nullptr) const override;
    uint32_t hashCode() const override;
    uint32_t hashCodeIgnoreCase() const override;

    // IObject
    const wchar_t* classId() const override { return L"s_file_Extension"; }
    s::base::IObject* newInstance() const override;

    // IPoolable: key and list back to their pools
    void releaseToPool() override;
    void resetForReuse() override;

private:
    const s::base::IComparable* keyOf(const s::base::IComparable* other) const;

    s::str::strbuffer::StrBuffer* m_key = nullptr;
    s::col::_array::ArrayP* m_paths = nullptr;
};

}  // namespace s::file
