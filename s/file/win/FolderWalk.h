// s/file/win/FolderWalk.h
//
// A depth-first walk of a tree whose stack lives on the heap: one frame per open folder,
// each holding the listing of its folder, so the depth of a tree costs no thread stack.
// Any depth that fits a path works (Windows takes 32,767 characters through the long form;
// Wine on Linux ends where the host's 4,096-byte paths end). Every child is listed with the
// "all" switch (hidden and system entries; links never).
#pragma once

namespace s::file::win {

class IFolderVisitor;
class PathWin;

// Visits `top` and, for each folder that the visitor enters, its children, then leaves it.
// False when a frame could not be made (the visitor is then told through `whole`).
bool walkFolders(PathWin& top, IFolderVisitor& visitor);

}  // namespace s::file::win
