// s/file/win/IFolderVisitor.h
//
// What walkFolders (FolderWalk.h) asks of a caller at each item of a tree: whether to go
// into it, when to go on, and what to do with a folder once its children are done. The
// visitor keeps its own state per folder; the walk only hands it back.
#pragma once
#include <cstdint>

namespace s::file::win {

class PathWin;

class IFolderVisitor {
public:
    virtual ~IFolderVisitor() = default;
    // Called once per item, child `index` of `count` of the folder whose state is `parent`
    // (null for the top item). Answers the state of a folder whose children are to be
    // visited next, or null when the item was dealt with in full.
    virtual void* enter(PathWin& item, void* parent, uint32_t index, uint32_t count) = 0;
    // The open handle to list the folder of `state` through (FILE_LIST_DIRECTORY access,
    // found to be the folder itself), or null: the folder is listed by its path.
    virtual void* listingHandle(void* state) = 0;
    // Asked before each child: false leaves the folder's remaining children alone.
    virtual bool goOn(void* state) = 0;
    // After the children of a folder: `whole` is false when the folder could not be read to
    // its end or not every child was visited. The state is the visitor's to free.
    virtual void leave(PathWin& folder, void* state, void* parent, bool whole) = 0;
};

}  // namespace s::file::win
