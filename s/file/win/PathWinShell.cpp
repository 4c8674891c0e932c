// s/file/win/PathWinShell.cpp
//
// What the path hands to the shell or to other items: the recycle bin, copies, shortcuts
// and internet shortcuts, the shell's type name, the size text, folder shortcuts (a folder
// holding "target.lnk") and the neighbour of an item in its folder.
#include "s/file/win/PathWin.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "s/col/_array/ArrayP.h"
#include "s/col/_array/MergeSort.h"
#include "s/file/win/PathText.h"
#include "s/file/win/ShellFileOperation.h"
#include "s/file/win/ShellLinks.h"
#include "s/str/strarray/StrArray.h"

namespace s::file::win {

namespace {

using s::col::_array::ArrayP;
using s::str::strarray::StrArray;
using s::str::strbuffer::StrBuffer;
using s::str::strbuffer::resultString;

constexpr uint32_t kSizeTextUnits = 64;

int compareNames(const void* a, const void* b, void*) {
    return s::str::strbuffer::compareStrBuffersIgnoreCase(static_cast<const StrBuffer*>(a),
                                                          static_cast<const StrBuffer*>(b));
}

// Whether the name's extension (from its last dot) is one of the ";"-separated list.
bool hasListedExtension(const StrBuffer& name, const wchar_t* extensions) {
    if (!extensions || !*extensions) return true;
    uint32_t dot = 0;
    if (!name.lastIndexOf(L'.', &dot)) return false;
    const wchar_t* ext = name.chars() + dot;
    const uint32_t length = name.length() - dot;
    for (const wchar_t* p = extensions; *p;) {
        const wchar_t* end = p;
        while (*end && *end != L';') ++end;
        if (static_cast<uint32_t>(end - p) == length && _wcsnicmp(p, ext, length) == 0) return true;
        p = *end ? end + 1 : end;
    }
    return false;
}

}  // namespace

// The shell takes the full path as text: it must reach this item and no other.
bool PathWin::moveToRecycleBin(bool showUi, bool notify) {
    if (m_stream || refusesChange() || !isShellPath(m_fullPath.chars(), m_fullPath.length())) return false;
    const bool folder = isKnownFolder();
    StrBuffer from;  // double-terminated: the embedded NUL and the string's own terminator
    from.setStr(&m_fullPath);
    from.appendChar(0);
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.cString();
    operation.fFlags = FOF_ALLOWUNDO | (showUi ? 0 : FOF_NOCONFIRMATION | FOF_SILENT);
    const bool done = runShellFileOperation(&operation) == 0 && !operation.fAnyOperationsAborted;
    if (done && notify) notifyShell(folder ? SHCNE_RMDIR : SHCNE_DELETE, getFullPath());
    return done;
}

// A link is not copied through: a folder link would copy its target's contents. Nor is one
// copied into: the copies would replace what lies in the link's target. A root is no target.
bool PathWin::copyTo(const wchar_t* target, bool replace) {
    if (!m_parsed || isReparsePoint()) return false;
    PathWin to;
    if (!to.assignText(target) || to.refusesChange() || !exists()) return false;
    if (!isKnownFolder()) {
        return CopyFileW(getApiPath(), to.getApiPath(), !replace) ||
               (to.ensureParentFolder() && CopyFileW(getApiPath(), to.getApiPath(), !replace));
    }
    // Inside means below a whole component: "C:\ab\x" is not inside "C:\a".
    StrBuffer mine, theirs;
    copyFullPathSlash(&mine, false);
    to.copyFullPathSlash(&theirs, false);
    if (theirs.startsWithIgnoreCase(mine.cString())) return false;
    if (to.exists()) {
        if (!replace) return false;
    } else if (!to.createFolder(false)) {
        return false;
    }
    // A folder that cannot be read to its end is not copied whole.
    bool all = false;
    ArrayP* children = listEveryChild(&all);
    if (!children) return false;
    StrBuffer childTarget, name;
    for (uint32_t i = 0; i < children->count(); ++i) {
        PathWin* child = children->item<PathWin>(i);
        child->copyName(&name, false);
        childTarget.setStr(&theirs);
        childTarget.appendStr(&name);
        all = child->copyTo(childTarget.cString(), replace) && all;
    }
    children->releaseToPool();
    return all;
}

bool PathWin::createShortcut(const wchar_t* linkPath, bool replace, const wchar_t* arguments) {
    if (!m_parsed || !linkPath) return false;
    StrBuffer text;
    text.setText(linkPath);
    if (!text.endsWithIgnoreCase(L".lnk")) text.appendText(L".lnk");
    PathWin link;
    if (!link.assignPath(&text) || (link.exists() && !replace)) return false;
    return createShellLinkFile(getFullPath(), link.getFullPath(), arguments);
}

// Only a file is replaced: removing a folder would take everything in it away.
bool PathWin::createUrlShortcut(const wchar_t* url, bool replace) {
    if (!m_parsed) return false;
    const DWORD attributes = readLiveAttributes();
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (!replace || (attributes & FILE_ATTRIBUTE_DIRECTORY) || !remove(false, false)))
        return false;
    return createUrlShortcutFile(url, getFullPath());
}

StrBuffer* PathWin::copyTypeName(StrBuffer* out, bool append) {
    StrBuffer* result = resultString(out, append);
    if (!result || !m_parsed) return result;
    const bool there = exists();
    SHFILEINFOW info = {};
    DWORD attributes = there && isKnownFolder() ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    if (SHGetFileInfoW(there ? getFullPath() : getExtension(), attributes, &info, sizeof info,
                       SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES))
        result->appendText(info.szTypeName);
    return result;
}

const wchar_t* PathWin::typeNameText() { return intoScratchLoaded(&PathWin::copyTypeName); }

StrBuffer* PathWin::copySizeString(StrBuffer* out, bool append) {
    StrBuffer* result = resultString(out, append);
    if (!result || (exists() && isKnownFolder())) return result;
    wchar_t text[kSizeTextUnits] = {0};
    if (StrFormatByteSizeW(getSize(false, false, nullptr, nullptr, true), text, kSizeTextUnits)) result->appendText(text);
    return result;
}

const wchar_t* PathWin::sizeString() { return intoScratchLoaded(&PathWin::copySizeString); }

StrBuffer* PathWin::copyUrlTarget(StrBuffer* out, bool append) {
    StrBuffer* result = resultString(out, append);
    if (result && exists() && isUrlShortcut()) readUrlShortcutTarget(getFullPath(), result, true);
    return result;
}

const wchar_t* PathWin::urlTargetText() { return intoScratchLoaded(&PathWin::copyUrlTarget); }

// Folder shortcuts

StrBuffer* PathWin::copyFolderShortcutTarget(StrBuffer* out, bool append) {
    StrBuffer* result = resultString(out, append);
    if (!result || !exists() || !isKnownFolder()) return result;
    PathWin* link = pathFromFolderAndName(getFullPath(), L"target.lnk");
    if (!link) return result;
    StrBuffer target;
    if (link->exists()) resolveShellLinkFile(link->getFullPath(), &target, false);
    link->releaseToPool();
    PathWin folder;
    if (target.length() && folder.assignPath(&target) && folder.exists() && folder.isKnownFolder())
        result->appendStr(&target);
    return result;
}

const wchar_t* PathWin::folderShortcutTargetText() { return intoScratchLoaded(&PathWin::copyFolderShortcutTarget); }

bool PathWin::isFolderShortcut() {
    StrBuffer target;
    copyFolderShortcutTarget(&target, false);
    return target.length() != 0;
}

IPath* PathWin::folderShortcutTargetPath() {
    StrBuffer target;
    copyFolderShortcutTarget(&target, false);
    return target.length() ? pathFromString(target.cString()) : nullptr;
}

IPath* PathWin::shortcutTarget() {
    if (!exists() || !isShortcut()) return nullptr;
    StrBuffer target;
    resolveShellLinkFile(getFullPath(), &target, false);
    return target.length() ? pathFromString(target.cString()) : nullptr;
}

// The neighbour in the folder: the next (or previous) of the folder's listed names that
// carry one of the extensions; from the first (or last) when this one is not among them.
IPath* PathWin::siblingPath(bool previous, const wchar_t* extensions, bool sorted, bool wrap) {
    IPath* parent = parentPathOrNull();
    if (!parent) return nullptr;
    StrArray* names = static_cast<PathWin*>(parent)->listChildNames(false, false);
    IPath* sibling = nullptr;
    if (names) {
        ArrayP& list = names->list();
        for (uint32_t i = list.count(); i-- > 0;) {
            if (hasListedExtension(*names->at(i), extensions)) continue;
            names->at(i)->releaseToPool();
            list.removeAt(i);
        }
        if (sorted) s::col::_array::sortStable(list, &compareNames, nullptr);
        StrBuffer mine;
        copyName(&mine, false);
        int32_t at = -1;
        const int32_t n = static_cast<int32_t>(list.count());
        int32_t next = -1;
        if (names->find(&mine, &at)) {
            next = at + (previous ? -1 : 1);
            if (next < 0 || next >= n) next = wrap ? (next < 0 ? n - 1 : 0) : -1;
            if (next == at) next = -1;
        } else if (n > 0) {
            next = previous ? n - 1 : 0;
        }
        if (next >= 0) sibling = pathFromFolderAndName(parent->getFullPath(), names->at(next)->cString());
        names->releaseToPool();
    }
    parent->releaseToPool();
    return sibling;
}

}  // namespace s::file::win
