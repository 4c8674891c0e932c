// s/file/win/PathArrayGroups.cpp
//
// Sorting and grouping. Groups are s::file::Extension objects in a pooled array that gives
// them back to their pool when it is released; the groups point at the list's own paths.
#include "s/file/win/PathArray.h"

#include "s/col/_array/ArrayS32.h"
#include "s/col/_array/MergeSort.h"
#include "s/file/Extension.h"
#include "s/file/win/PathWin.h"
#include "s/map/MapTable.h"
#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/AsciiCase.h"
#include "s/thread/Pool.h"

namespace s::file::win {

namespace {

using s::col::_array::ArrayP;
using s::file::Extension;
using s::str::strarray::StrArray;
using s::str::strbuffer::StrBuffer;

// The size classes, smallest first.
constexpr int64_t kSizeClasses[] = {1024, 10240, 102400, 1048576, 10485760, 104857600, 1073741824};
constexpr uint32_t kSizeClassCount = sizeof kSizeClasses / sizeof kSizeClasses[0];

// Ignoring case (A-Z), then the shorter first.
int compareTexts(const wchar_t* a, const wchar_t* b) {
    const uint32_t la = static_cast<uint32_t>(wcslen(a)), lb = static_cast<uint32_t>(wcslen(b));
    int r = s::str::strbuffer::compareFolded(a, b, la < lb ? la : lb);
    if (r) return r;
    return la == lb ? 0 : (la < lb ? -1 : 1);
}

int compareFullPaths(const void* a, const void* b, void*) {
    return compareTexts(static_cast<const PathWin*>(a)->getFullPath(), static_cast<const PathWin*>(b)->getFullPath());
}

int compareExtensions(const void* a, const void* b, void*) {
    return compareTexts(static_cast<const PathWin*>(a)->getExtension(), static_cast<const PathWin*>(b)->getExtension());
}

int compareGroupSizes(const void* a, const void* b, void*) {
    const uint32_t x = static_cast<const Extension*>(a)->count(), y = static_cast<const Extension*>(b)->count();
    return x == y ? 0 : (x < y ? -1 : 1);
}

ArrayP* newGroupList() {
    ArrayP* groups = s::thread::Pool<ArrayP>::obtain();
    if (groups) groups->setElementDestructor(&s::thread::Pool<Extension>::pooler());
    return groups;
}

Extension* newGroup(ArrayP* groups, const wchar_t* key) {
    Extension* group = s::thread::Pool<Extension>::obtain();
    if (!group) return nullptr;
    if (!group->setKey(key) || !groups->add(group)) {
        group->releaseToPool();
        return nullptr;
    }
    return group;
}

// The group of the key, found through the table (which compares ignoring case; a group
// compares as its key), made and entered when there is none yet.
Extension* groupOf(s::map::MapTable& table, ArrayP* groups, const StrBuffer& key) {
    const uint32_t hash = table.hashOf(&key);
    if (const s::map::MapTableNode* node = table.find(hash, &key)) return static_cast<Extension*>(node->value());
    Extension* group = newGroup(groups, key.cString());
    if (group) table.put(hash, group, group);  // when memory runs out a later equal key makes its own group
    return group;
}

}  // namespace

bool PathArray::sortByPath() {
    clear();
    return s::col::_array::sortStable(m_items, &compareFullPaths, nullptr);
}

bool PathArray::sortByExtension() {
    clear();
    return s::col::_array::sortStable(m_items, &compareExtensions, nullptr);
}

ArrayP* PathArray::buildExtensionGroups() {
    sortByExtension();
    ArrayP* groups = newGroupList();
    Extension* group = nullptr;
    for (uint32_t i = 0; groups && i < m_items.count(); ++i) {
        PathWin* path = at(i);
        if (!group || !group->key()->regionMatchesIgnoreCase(0, path->getExtension(), 0, -1))
            group = newGroup(groups, path->getExtension());
        if (group) group->add(path);
    }
    return groups;
}

ArrayP* PathArray::groupByExtension(bool parts) { return groupByWords(parts, false); }

ArrayP* PathArray::groupByCompoundExtension(bool parts) { return groupByWords(parts, true); }

// Keys: the distinct words of each title; compound adds the extension (longer than its dot)
// when it is not among them. Groups are kept only when some key is shared by two paths.
ArrayP* PathArray::groupByWords(bool parts, bool compound) {
    ArrayP* groups = newGroupList();
    s::map::MapTable* table = s::thread::Pool<s::map::MapTable>::obtain();
    if (!groups || !table) {
        if (groups) groups->releaseToPool();
        if (table) table->releaseToPool();
        return nullptr;
    }
    table->setIgnoreCase(true);  // the groups belong to the list of groups, not to the table
    StrBuffer title, ext;
    for (uint32_t i = 0; i < m_items.count(); ++i) {
        PathWin* path = at(i);
        path->copyTitle(&title, false);
        StrArray* words = title.distinctWords(parts);
        if (!words) continue;
        path->copyExt(&ext, false);
        if (compound && ext.length() > 1 && !words->find(&ext, nullptr)) words->addString(ext.cString());
        for (uint32_t w = 0; w < words->count(); ++w) {
            Extension* group = groupOf(*table, groups, *words->at(w));
            if (group) group->add(path);
        }
        words->releaseToPool();
    }
    table->releaseToPool();
    s::col::_array::sortStable(*groups, &compareGroupSizes, nullptr);
    while (groups->count() && groups->item<Extension>(groups->count() - 1)->count() <= 1) {
        groups->item<Extension>(groups->count() - 1)->releaseToPool();
        groups->dropLast(1);
    }
    return groups;
}

ArrayP* PathArray::groupBySizeBelow() { return groupBySize(true); }

ArrayP* PathArray::groupBySizeAtLeast() { return groupBySize(false); }

// Below: every class whose key is larger than the size. At least: every class whose key is
// not above it (so nothing under 1024 bytes).
ArrayP* PathArray::groupBySize(bool below) {
    Extension* classes[kSizeClassCount] = {};
    ArrayP* groups = newGroupList();
    if (!groups) return nullptr;
    for (uint32_t i = 0; i < m_items.count(); ++i) {
        const int64_t size = at(i)->getSize(false, false, nullptr, nullptr, true);
        for (uint32_t k = 0; k < kSizeClassCount; ++k) {
            if (below ? kSizeClasses[k] <= size : kSizeClasses[k] > size) continue;
            if (!classes[k]) {
                classes[k] = s::thread::Pool<Extension>::obtain();
                StrBuffer key;
                key.appendInt64(kSizeClasses[k]);
                if (classes[k] && !classes[k]->setKey(key.cString())) {
                    classes[k]->releaseToPool();
                    classes[k] = nullptr;
                }
            }
            if (classes[k]) classes[k]->add(at(i));
        }
    }
    for (Extension* group : classes) {
        if (group && !groups->add(group)) group->releaseToPool();
    }
    return groups;
}

}  // namespace s::file::win
