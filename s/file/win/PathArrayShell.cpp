// s/file/win/PathArrayShell.cpp
//
// Operations of the whole list through the shell: change notifications, copying and moving
// into a folder, shortcuts, the recycle bin and the property sheets; and expanding folders
// into their contents.
#include "s/file/win/PathArray.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "s/file/win/PathText.h"
#include "s/file/win/PathWin.h"
#include "s/file/win/ShellFileOperation.h"
#include "s/file/win/ShellProperties.h"

namespace s::file::win {

namespace {

using s::str::strbuffer::StrBuffer;

// What the shell will find when it deletes: the folder bit read before the items are gone
// (a missing item reads as all bits set).
bool wasFolder(IPath* path) {
    const uint32_t attributes = path->getAttributes();
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Only what the recycle bin keeps: a fully qualified path of a file or folder, not a root,
// a stream or a link (the shell deletes a relative path for good), that the shell reaches
// as its text shows.
bool isRecyclable(PathWin* path) {
    return path->isParsed() && !path->isStream() && !path->isRootLike() &&
           isShellPath(path->getFullPath(), path->getLength()) && !path->isReparsePoint();
}

// A folder the shell copies must be readable to its end: the shell answers success for a
// copy of what it could list, however little that was.
bool isReadableToItsEnd(PathWin* path) {
    if (!path->isDirectory()) return true;
    bool whole = false;
    s::col::_array::ArrayP* children = path->listEveryChild(&whole);
    if (children) children->releaseToPool();
    return whole;
}

// Where the shell may copy or move to: a folder it reaches as its text shows (a drive root
// too), never a stream or a link (what lies in the link's target would be replaced).
bool isShellTarget(IPath* folder) {
    PathWin* path = dynamic_cast<PathWin*>(folder);
    if (!path || !path->isParsed() || path->isStream() || path->isReparsePoint()) return false;
    StrBuffer text;
    path->copyFullPathSlash(&text, false);
    return isShellPath(text.cString(), text.length());
}

}  // namespace

void PathArray::notifyShellCreated() {
    for (uint32_t i = 0; i < m_items.count(); ++i)
        notifyShell(wasFolder(at(i)) ? SHCNE_MKDIR : SHCNE_CREATE, at(i)->getFullPath());
}

void PathArray::notifyShellDeleted() {
    for (uint32_t i = 0; i < m_items.count(); ++i)
        notifyShell(wasFolder(at(i)) ? SHCNE_RMDIR : SHCNE_DELETE, at(i)->getFullPath());
}

void PathArray::expandFolders(bool recursive) {
    const uint32_t present = m_items.count();
    for (uint32_t i = 0; i < present; ++i) {
        if (isFolderItem(i)) at(i)->listChildrenMatching(recursive, this, false);
    }
}

// A folder shortcut stands for its target folder; the result is the caller's to release.
IPath* PathArray::followFolderShortcut(IPath* folder) const {
    IPath* target = folder->isFolderShortcut() ? folder->folderShortcutTargetPath() : nullptr;
    return target ? target : copyPath(folder);
}

int32_t PathArray::copyToFolder(IPath* folder, bool notify, void* ownerWindow) {
    return transferToFolder(folder, notify, ownerWindow, FO_COPY);
}

int32_t PathArray::moveToFolder(IPath* folder, bool notify, void* ownerWindow) {
    return transferToFolder(folder, notify, ownerWindow, FO_MOVE);
}

// The shell takes every item by its text, as the recycle bin does: the same guards hold.
int32_t PathArray::transferToFolder(IPath* folder, bool notify, void* ownerWindow, unsigned operationKind) {
    if (m_items.count() == 0 || !folder || !folder->isParsed()) return 0;
    for (uint32_t i = 0; i < m_items.count(); ++i) {
        if (!isRecyclable(at(i)) || (operationKind == FO_COPY && !isReadableToItsEnd(at(i)))) return 0;
    }
    IPath* target = followFolderShortcut(folder);
    if (!target) return 0;
    if (!isShellTarget(target)) {
        target->releaseToPool();
        return 0;
    }
    StrBuffer to;  // double-terminated
    to.setText(target->getFullPath());
    if (m_items.count() == 1) {
        to.appendChar(L'\\');
        to.appendText(at(0)->nameText());
    }
    to.appendChar(0);
    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = static_cast<HWND>(ownerWindow);
    operation.wFunc = operationKind;
    operation.pFrom = joinPathsOwn();
    operation.pTo = to.cString();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMMKDIR;
    int32_t result = 0;
    if (runShellFileOperation(&operation) == 0) result = operation.fAnyOperationsAborted ? 1 : 2;
    if (result && notify) {
        IPathArray* created = rebaseNames(target->getFullPath());
        if (created) {
            created->notifyShellCreated();
            created->releaseToPool();
        }
    }
    target->releaseToPool();
    return result;
}

int32_t PathArray::createShortcutsIn(IPath* folder, bool replace) {
    if (!folder) return 0;
    IPath* target = followFolderShortcut(folder);
    if (!target) return 0;
    uint32_t made = 0, failed = 0;
    StrBuffer link;
    for (uint32_t i = 0; i < m_items.count(); ++i) {
        PathWin* path = at(i);
        if (!path->exists()) continue;
        link.setText(target->getFullPath());
        link.appendChar(L'\\');
        link.appendText(path->nameText());
        if (path->createShortcut(link.cString(), replace, nullptr))
            ++made;
        else
            ++failed;
    }
    target->releaseToPool();
    return made == 0 ? 0 : (failed ? 1 : 2);
}

bool PathArray::deleteToRecycleBin(bool notify, bool showUi, void* ownerWindow) {
    if (m_items.count() == 0) return false;
    for (uint32_t i = 0; i < m_items.count(); ++i) {
        if (!isRecyclable(at(i))) return false;
        wasFolder(at(i));  // loads the attributes the notification will need
    }
    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = static_cast<HWND>(ownerWindow);
    operation.wFunc = FO_DELETE;
    operation.pFrom = joinPathsOwn();
    operation.fFlags = FOF_ALLOWUNDO | (showUi ? 0 : FOF_NOCONFIRMATION | FOF_SILENT);
    const bool done = runShellFileOperation(&operation) == 0 && !operation.fAnyOperationsAborted;
    if (done && notify) notifyShellDeleted();
    return done;
}

bool PathArray::showProperties() {
    const uint32_t n = m_items.count();
    if (n == 0) return false;
    if (n == 1) return showFileProperties(at(0)->getFullPath());
    s::col::_array::ArrayP texts;
    for (uint32_t i = 0; i < n; ++i) texts.add(const_cast<wchar_t*>(at(i)->getFullPath()));
    return showMultiFileProperties(texts.count(), reinterpret_cast<const wchar_t* const*>(texts.data()));
}

}  // namespace s::file::win
