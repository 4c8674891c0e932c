// s/file/win/PathArray.h
//
// The Windows list of paths (contract: s/file/IPathArray.h). The items are PathWin objects
// that the list owns and destroys (by their deleting destructor) when it is emptied or
// destroyed; the optional marks (1 for a folder) are rebuilt by markFolders, kept in step
// by inserts and removals, and dropped by the sorts. Pooled, capacity 1000; one thread at a
// time. Split in PathArray.cpp (items, searching, joining, texts), PathArrayGroups.cpp
// (sorts and groups) and PathArrayShell.cpp (shell operations).
#pragma once
#include "s/col/_array/ArrayP.h"
#include "s/file/IPathArray.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::col::_array { class ArrayS32; }

namespace s::file::win {

class PathWin;

class PathArray final : public s::file::IPathArray, public virtual s::thread::IPoolable {
public:
    PathArray();
    ~PathArray() override;
    PathArray(const PathArray&) = delete;
    PathArray& operator=(const PathArray&) = delete;

    PathWin* at(uint32_t index) const;  // null beyond the count

    // IPathArray
    void clear() override;
    void clearItemsKeepMarks() override;
    void clearAll() override;
    uint32_t count() const override { return m_items.count(); }
    void forEach() override;
    bool insertAt(uint32_t index, IPath* path) override;
    bool insertTextAt(uint32_t index, const wchar_t* text) override;
    IPath* takeAt(uint32_t index) override;
    bool removeAt(uint32_t index) override;
    bool removeLast() override;
    bool sortByPath() override;
    bool sortByExtension() override;
    ArrayP* buildExtensionGroups() override;
    ArrayP* groupByExtension(bool parts) override;
    ArrayP* groupByCompoundExtension(bool parts) override;
    ArrayP* groupBySizeBelow() override;
    ArrayP* groupBySizeAtLeast() override;
    bool find(const IPath* path, int32_t* index) const override;
    bool findText(const wchar_t* text, int32_t* index) const override;
    bool findExact(const IPath* path, int32_t* index) const override;
    void expandFolders(bool recursive) override;
    StrBuffer* joinPaths(StrBuffer* out, bool append) const override;
    const wchar_t* joinPathsOwn() override;
    void markFolders() override;
    bool isMarked(uint32_t index) const override;
    IPathArray* moveFoldersTo(IPathArray* out) override;
    void assignTexts(uint32_t count, const wchar_t* const* texts) override;
    StrArray* toNameList() const override;
    IPathArray* rebaseNames(const wchar_t* folder) const override;
    IPathArray* rebaseDrives(const wchar_t* folder) const override;
    void replaceWithUniqueNames() override;
    void notifyShellCreated() override;
    void notifyShellDeleted() override;
    int32_t copyToFolder(IPath* folder, bool notify, void* ownerWindow) override;
    int32_t moveToFolder(IPath* folder, bool notify, void* ownerWindow) override;
    int32_t createShortcutsIn(IPath* folder, bool replace) override;
    bool deleteToRecycleBin(bool notify, bool showUi, void* ownerWindow) override;
    bool showProperties() override;
    IPath* item(uint32_t index) const override;
    bool pushText(const wchar_t* text) override;
    bool push(IPath* path) override;

    // IObject
    const wchar_t* classId() const override { return L"s_file_win_PathArray"; }
    s::base::IObject* newInstance() const override;

    // IPoolable: items destroyed, marks dropped
    void releaseToPool() override;
    void resetForReuse() override { clearAll(); }

private:
    bool setMark(uint32_t index, int32_t value, bool insert);
    bool isFolderItem(uint32_t index) const;
    bool indexOf(const IPath* path, bool exactly, int32_t* index) const;
    ArrayP* groupByWords(bool parts, bool compound);
    ArrayP* groupBySize(bool below);
    int32_t transferToFolder(IPath* folder, bool notify, void* ownerWindow, unsigned operation);
    IPath* followFolderShortcut(IPath* folder) const;

    s::col::_array::ArrayP m_items;
    s::col::_array::ArrayS32* m_marks = nullptr;
    StrBuffer m_joined;
};

// A pooled, empty path array; null when the pool has none.
PathArray* newPathArray();

}  // namespace s::file::win
