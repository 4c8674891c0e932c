// s/file/IPathArray.h
//
// A list of paths with grouping, searching, joining and shell operations on all its
// members; s::file::win::PathArray is the implementation. The list owns its paths: a path
// pushed or inserted belongs to it (also when the push fails: the path is then released),
// takeAt hands one back to the caller. One thread at a time. Groups are s::file::Extension
// objects in an array that owns them (release the array to its pool); a group's paths stay
// the list's and are valid while the list keeps them.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::col::_array { class ArrayP; }
namespace s::str::strarray { class StrArray; }
namespace s::str::strbuffer { class StrBuffer; }

namespace s::file {

class IPath;

class IPathArray : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    using ArrayP = s::col::_array::ArrayP;
    using StrArray = s::str::strarray::StrArray;
    using StrBuffer = s::str::strbuffer::StrBuffer;

    virtual void clear() = 0;  // drops the marks
    virtual void clearItemsKeepMarks() = 0;
    virtual void clearAll() = 0;
    virtual uint32_t count() const = 0;
    virtual void forEach() = 0;
    // An index equal to the count (or beyond it) appends.
    virtual bool insertAt(uint32_t index, IPath* path) = 0;
    virtual bool insertTextAt(uint32_t index, const wchar_t* text) = 0;
    virtual IPath* takeAt(uint32_t index) = 0;  // null beyond the count
    virtual bool removeAt(uint32_t index) = 0;
    virtual bool removeLast() = 0;
    // Stable; full paths (or extensions) ignoring case, then the shorter first.
    virtual bool sortByPath() = 0;
    virtual bool sortByExtension() = 0;
    virtual ArrayP* buildExtensionGroups() = 0;
    virtual ArrayP* groupByExtension(bool parts) = 0;
    virtual ArrayP* groupByCompoundExtension(bool parts) = 0;
    // Size classes keyed "1024", "10240" ... "1073741824" (groups left empty are left out).
    virtual ArrayP* groupBySizeBelow() = 0;
    virtual ArrayP* groupBySizeAtLeast() = 0;
    // The first item equal to the path (ignoring case, or exactly): true and *index (when
    // given); false, *index -1.
    virtual bool find(const IPath* path, int32_t* index) const = 0;
    virtual bool findText(const wchar_t* text, int32_t* index) const = 0;
    virtual bool findExact(const IPath* path, int32_t* index) const = 0;
    virtual void expandFolders(bool recursive) = 0;
    // The full paths, each followed by a NUL, and one more NUL: the list SHFileOperationW takes.
    virtual StrBuffer* joinPaths(StrBuffer* out, bool append) const = 0;
    virtual const wchar_t* joinPathsOwn() = 0;
    virtual void markFolders() = 0;
    virtual bool isMarked(uint32_t index) const = 0;
    virtual IPathArray* moveFoldersTo(IPathArray* out) = 0;
    virtual void assignTexts(uint32_t count, const wchar_t* const* texts) = 0;
    virtual StrArray* toNameList() const = 0;
    virtual IPathArray* rebaseNames(const wchar_t* folder) const = 0;
    virtual IPathArray* rebaseDrives(const wchar_t* folder) const = 0;
    virtual void replaceWithUniqueNames() = 0;
    virtual void notifyShellCreated() = 0;
    virtual void notifyShellDeleted() = 0;
    // 0 on failure, 1 when the user aborted part of it, 2 when complete. ownerWindow: an HWND.
    virtual int32_t copyToFolder(IPath* folder, bool notify, void* ownerWindow) = 0;
    virtual int32_t moveToFolder(IPath* folder, bool notify, void* ownerWindow) = 0;
    // 0 when none was made, 1 when some failed, 2 when all were made.
    virtual int32_t createShortcutsIn(IPath* folder, bool replace) = 0;
    // Absolute paths only (the shell deletes relative ones for good): else refused, false.
    virtual bool deleteToRecycleBin(bool notify, bool showUi, void* ownerWindow) = 0;
    virtual bool showProperties() = 0;
    virtual IPath* item(uint32_t index) const = 0;  // null beyond the count
    virtual bool pushText(const wchar_t* text) = 0;
    virtual bool push(IPath* path) = 0;
};

}  // namespace s::file
