// s/file/win/PathArray.cpp
//
// The items and their marks, searching, joining, the texts of the items and the lists
// derived from them.
#include "s/file/win/PathArray.h"

#include "s/cleaner/CleanerIObject.h"
#include "s/col/_array/ArrayS32.h"
#include "s/file/win/PathWin.h"
#include "s/str/strarray/StrArray.h"
#include "s/thread/Pool.h"

namespace s::file::win {

namespace {

using s::col::_array::ArrayS32;
using s::str::strarray::StrArray;
using s::str::strbuffer::StrBuffer;

}  // namespace

PathArray::PathArray() { m_items.setElementDestructor(&s::cleaner::CleanerIObject::instance()); }

PathArray::~PathArray() {
    clearAll();
    if (m_marks) m_marks->releaseToPool();
    m_marks = nullptr;
}

PathArray* newPathArray() { return s::thread::Pool<PathArray>::obtain(); }

s::base::IObject* PathArray::newInstance() const { return newPathArray(); }

void PathArray::releaseToPool() { s::thread::Pool<PathArray>::release(this); }

PathWin* PathArray::at(uint32_t index) const { return m_items.item<PathWin>(index); }

IPath* PathArray::item(uint32_t index) const { return at(index); }

// Items and marks

void PathArray::clear() {
    if (m_marks) m_marks->releaseToPool();
    m_marks = nullptr;
}

void PathArray::clearItemsKeepMarks() { m_items.freeAll(); }

void PathArray::clearAll() {
    clearItemsKeepMarks();
    clear();
}

void PathArray::forEach() {
    for (uint32_t i = 0; i < m_items.count(); ++i) item(i);
}

bool PathArray::setMark(uint32_t index, int32_t value, bool insert) {
    if (!m_marks) return true;
    if (!insert) return m_marks->set(index, value);
    return m_marks->insertAt(index, &value, 1, 0);
}

bool PathArray::insertAt(uint32_t index, IPath* path) {
    if (!path) return false;
    if (index > m_items.count()) index = m_items.count();
    void* element = path;
    if (!m_items.insertAt(index, &element, 1, 0)) {
        path->releaseToPool();
        return false;
    }
    setMark(index, 0, true);
    return true;
}

bool PathArray::insertTextAt(uint32_t index, const wchar_t* text) { return insertAt(index, pathFromString(text)); }

bool PathArray::push(IPath* path) { return insertAt(m_items.count(), path); }

bool PathArray::pushText(const wchar_t* text) { return push(pathFromString(text)); }

IPath* PathArray::takeAt(uint32_t index) {
    if (index >= m_items.count()) return nullptr;
    IPath* path = static_cast<IPath*>(m_items.removeAt(index));
    if (m_marks) m_marks->removeAt(index);
    return path;
}

bool PathArray::removeAt(uint32_t index) {
    IPath* path = takeAt(index);
    delete path;
    return path != nullptr;
}

bool PathArray::removeLast() { return m_items.count() && removeAt(m_items.count() - 1); }

void PathArray::assignTexts(uint32_t count, const wchar_t* const* texts) {
    clearAll();
    for (uint32_t i = 0; texts && i < count; ++i) pushText(texts[i]);
}

bool PathArray::isFolderItem(uint32_t index) const {
    PathWin* path = at(index);
    return path && path->exists() && path->isDirectory();
}

void PathArray::markFolders() {
    if (!m_marks) m_marks = s::thread::Pool<ArrayS32>::obtain();
    if (!m_marks) return;
    m_marks->clear();
    for (uint32_t i = 0; i < m_items.count(); ++i) m_marks->add(isFolderItem(i) ? 1 : 0);
}

bool PathArray::isMarked(uint32_t index) const { return m_marks && m_marks->get(index) != 0; }

IPathArray* PathArray::moveFoldersTo(IPathArray* out) {
    IPathArray* target = out ? out : newPathArray();
    if (!target) return nullptr;
    for (uint32_t i = m_items.count(); i-- > 0;) {
        if (isFolderItem(i)) target->push(takeAt(i));
    }
    return target;
}

// Searching

bool PathArray::indexOf(const IPath* path, bool exactly, int32_t* index) const {
    for (uint32_t i = 0; path && i < m_items.count(); ++i) {
        if (exactly ? at(i)->equals(path) : at(i)->equalsIgnoreCase(path)) {
            if (index) *index = static_cast<int32_t>(i);
            return true;
        }
    }
    if (index) *index = -1;
    return false;
}

bool PathArray::find(const IPath* path, int32_t* index) const { return indexOf(path, false, index); }

bool PathArray::findText(const wchar_t* text, int32_t* index) const {
    PathWin path;
    path.assignText(text);
    return find(&path, index);
}

bool PathArray::findExact(const IPath* path, int32_t* index) const { return indexOf(path, true, index); }

// Texts

StrBuffer* PathArray::joinPaths(StrBuffer* out, bool append) const {
    StrBuffer* joined = s::str::strbuffer::resultString(out, append);
    if (!joined) return nullptr;
    for (uint32_t i = 0; i < m_items.count(); ++i) {
        joined->appendText(at(i)->getFullPath());
        joined->appendChar(0);
    }
    joined->appendChar(0);
    return joined;
}

const wchar_t* PathArray::joinPathsOwn() {
    joinPaths(&m_joined, false);
    return m_joined.cString();
}

StrArray* PathArray::toNameList() const {
    StrArray* names = s::thread::Pool<StrArray>::obtain();
    for (uint32_t i = 0; names && i < m_items.count(); ++i) names->addBuffer(at(i)->copyName(nullptr, false));
    return names;
}

IPathArray* PathArray::rebaseNames(const wchar_t* folder) const {
    PathArray* rebased = newPathArray();
    if (!rebased) return nullptr;
    StrBuffer name;
    for (uint32_t i = 0; i < m_items.count(); ++i) {
        at(i)->copyName(&name, false);
        rebased->push(pathFromFolderAndName(folder, name.cString()));
    }
    if (m_marks) {
        rebased->m_marks = s::thread::Pool<ArrayS32>::obtain();
        if (rebased->m_marks) rebased->m_marks->copyFrom(m_marks, 0, 0, -1);
    }
    return rebased;
}

// A drive-only item ("C:") becomes folder\C; any other item folder\name.
IPathArray* PathArray::rebaseDrives(const wchar_t* folder) const {
    PathArray* rebased = newPathArray();
    if (!rebased) return nullptr;
    StrBuffer name;
    for (uint32_t i = 0; i < m_items.count(); ++i) {
        PathWin* path = at(i);
        if (path->isDriveOnly()) {
            name.clear();
            name.appendChar(path->firstChar());
        } else {
            path->copyName(&name, false);
        }
        rebased->push(pathFromFolderAndName(folder, name.cString()));
    }
    rebased->m_marks = s::thread::Pool<ArrayS32>::obtain();
    for (uint32_t i = 0; rebased->m_marks && i < rebased->count(); ++i) rebased->m_marks->add(0);
    return rebased;
}

void PathArray::replaceWithUniqueNames() {
    for (uint32_t i = 0; i < m_items.count(); ++i) {
        PathWin* path = at(i);
        if (!path->exists()) continue;
        IPath* unique = path->uniquePathNumbered();
        if (!unique) continue;
        m_items.set(i, unique);
        delete path;
    }
}

}  // namespace s::file::win
