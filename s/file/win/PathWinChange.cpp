// s/file/win/PathWinChange.cpp
//
// Changing an item in place: writable and hidden bits, time stamps, creating folders and
// empty files, removing (now or at reboot) and the exclusive-access test. Each of these
// reads the item's attributes fresh before it acts, so that a link put in the item's place
// after it was listed is still never followed.
#include "s/file/win/PathWin.h"

#include <shlobj.h>

#include <new>

#include "s/col/_array/ArrayP.h"
#include "s/file/win/FolderWalk.h"
#include "s/file/win/IFolderVisitor.h"
#include "s/file/win/NtFile.h"
#include "s/file/win/ShellFileOperation.h"
#include "s/time/Time.h"

namespace s::file::win {

namespace {

using s::col::_array::ArrayP;

FILETIME fileTimeOf(int64_t unixSeconds) {
    uint64_t units = s::time::secondsToFileTime(unixSeconds);
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(units);
    time.dwHighDateTime = static_cast<DWORD>(units >> 32);
    return time;
}

bool isGone(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

DeleteFunction g_delete = &DeleteFileW;

// Runs change(child) on every child (all of them, one level) and answers whether all succeeded;
// a folder that could not be listed to its end fails.
template <class Change>
bool forEachChild(PathWin& folder, Change change) {
    bool all = false;
    ArrayP* children = folder.listEveryChild(&all);
    if (!children) return false;
    for (uint32_t i = 0; i < children->count(); ++i) all = change(*children->item<PathWin>(i)) && all;
    children->releaseToPool();
    return all;
}

}  // namespace

bool isRewrittenElsewhere(DWORD attributes) {
    constexpr DWORD kRewrittenElsewhere = FILE_ATTRIBUTE_ENCRYPTED | FILE_ATTRIBUTE_COMPRESSED | FILE_ATTRIBUTE_SPARSE_FILE;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kRewrittenElsewhere);
}

DWORD settableAttributes(DWORD attributes) {
    DWORD value = attributes & kSettableAttributes;
    if (value & ~FILE_ATTRIBUTE_NORMAL) value &= ~FILE_ATTRIBUTE_NORMAL;
    return value ? value : FILE_ATTRIBUTE_NORMAL;
}

// Writable and hidden

bool PathWin::setWritable(bool on) {
    DWORD attributes = readLiveAttributes();
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    DWORD value = settableAttributes(attributes);
    value = on ? value & ~FILE_ATTRIBUTE_READONLY : value | FILE_ATTRIBUTE_READONLY;
    return setAttributes(settableAttributes(value));
}

bool PathWin::setWritableLike() { return setWritable(isWritable()); }

bool PathWin::makeWritable() { return setWritable(true); }

bool PathWin::makeHidden() { return addAttributes(FILE_ATTRIBUTE_HIDDEN); }

// Time stamps

bool PathWin::setTimes(int64_t creation, int64_t write, int64_t access, bool applyNormal, bool applyReadOnly,
                       bool applyHidden, bool applySystem, bool recurse) {
    if (refusesChange()) return false;
    const DWORD attributes = readLiveAttributes();
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    const bool apply = (attributes & FILE_ATTRIBUTE_SYSTEM)     ? applySystem
                       : (attributes & FILE_ATTRIBUTE_HIDDEN)   ? applyHidden
                       : (attributes & FILE_ATTRIBUTE_READONLY) ? applyReadOnly
                                                                : applyNormal;
    if (!apply) return true;
    bool ok = true;
    if (recurse && !m_stream && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ok = forEachChild(*this, [&](PathWin& child) {
            return child.setTimes(creation, write, access, applyNormal, applyReadOnly, applyHidden, applySystem, true);
        });
    }
    const wchar_t* api = getApiPath();
    SetFileAttributesW(api, FILE_ATTRIBUTE_NORMAL);
    HANDLE h = openItem(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_FLAG_BACKUP_SEMANTICS);
    if (h == INVALID_HANDLE_VALUE) {
        ok = false;
    } else {
        FILETIME c = fileTimeOf(creation), w = fileTimeOf(write), a = fileTimeOf(access);
        ok = SetFileTime(h, creation < 0 ? nullptr : &c, access < 0 ? nullptr : &a, write < 0 ? nullptr : &w) && ok;
        CloseHandle(h);
    }
    SetFileAttributesW(api, settableAttributes(attributes));
    m_statLoaded = false;
    m_attributesLoaded = false;
    return ok;
}

// Creating

bool PathWin::createFolder(bool notify) {
    if (!m_parsed || isRootLike()) return false;
    bool made = CreateDirectoryW(getApiPath(), nullptr) || (ensureParentFolder() && CreateDirectoryW(getApiPath(), nullptr));
    if (made && notify) notifyShell(SHCNE_MKDIR, getFullPath());
    return made;
}

bool PathWin::createEmptyFile(bool notify) {
    if (!m_parsed || isRootLike()) return false;
    auto create = [this] {
        HANDLE h = CreateFileW(getApiPath(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        CloseHandle(h);
        return true;
    };
    bool made = create() || (ensureParentFolder() && create());
    if (made && notify) notifyShell(SHCNE_CREATE, getFullPath());
    return made;
}

bool PathWin::ensureParentFolder() {
    IPath* parent = parentPathOrNull();
    if (!parent) return true;
    PathWin* folder = static_cast<PathWin*>(parent);
    bool there = folder->exists();
    if (!there && !folder->isRootLike() && folder->ensureParentFolder())
        there = CreateDirectoryW(folder->getApiPath(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
    folder->releaseToPool();
    return there;
}

// Removing

bool PathWin::remove(bool notify, bool atReboot) { return removeChecked(notify, atReboot, true); }

bool PathWin::removeItemOnly(bool notify) { return removeChecked(notify, false, false); }

bool PathWin::removeChecked(bool notify, bool atReboot, bool withContents) {
    if (!m_parsed || isRootLike()) return false;
    const DWORD attributes = readLiveAttributes();
    if (attributes == INVALID_FILE_ATTRIBUTES) return isGone(GetLastError());
    // Through a link Wine removes its target (RemoveDirectoryW empties nothing but takes an
    // empty target folder away; Wine 8.0, checked): a link is never removed through its path.
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return false;
    if (m_stream || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return removeFile(notify, atReboot);
    return removeFolder(notify, atReboot, withContents);
}

DeleteFunction installDeleteFunction(DeleteFunction remove) {
    DeleteFunction before = g_delete;
    g_delete = remove ? remove : &DeleteFileW;
    return before;
}

bool PathWin::removeFile(bool notify, bool atReboot) {
    const wchar_t* api = getApiPath();
    bool done = g_delete(api) != 0;
    if (!done) {
        DWORD error = GetLastError();
        if (isGone(error)) return true;
        if (error == ERROR_ACCESS_DENIED && makeWritable()) done = g_delete(api) != 0;
    }
    if (done) {
        if (notify) notifyShell(SHCNE_DELETE, getFullPath());
        return true;
    }
    if (atReboot) scheduleRemovalAtReboot();
    return false;
}

bool PathWin::removeOnClose(HANDLE item) {
    if (!m_parsed || isRootLike()) return false;
    const bool folder = !m_stream && isKnownFolder();
    if (!folder && g_delete != &DeleteFileW) return removeFile(false, false);
    if (deleteOnClose(item)) return true;
    if (folder || GetLastError() != ERROR_ACCESS_DENIED) return false;
    loadAttributesThrough(item);
    const DWORD attributes = m_attributes == INVALID_FILE_ATTRIBUTES ? FILE_ATTRIBUTE_NORMAL : m_attributes;
    return setAttributesThrough(item, settableAttributes(settableAttributes(attributes) & ~FILE_ATTRIBUTE_READONLY)) &&
           deleteOnClose(item);
}

namespace {

// Removal of a folder's contents, deepest first. A folder is tried empty before it is listed,
// so a tree costs one listing per folder that still holds something.
class RemovingVisitor final : public IFolderVisitor {
public:
    explicit RemovingVisitor(bool atReboot) : m_atReboot(atReboot) {}
    bool topRemoved = false;

    void* enter(PathWin& item, void* parent, uint32_t, uint32_t) override {
        if (!parent) return &m_top;  // the caller found the top to be a folder that holds something
        Folder* folder = static_cast<Folder*>(parent);
        const DWORD attributes = item.readLiveAttributes();
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            folder->emptied = isGone(GetLastError()) && folder->emptied;
        } else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            folder->emptied = false;
        } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            folder->emptied = item.removeFile(false, m_atReboot) && folder->emptied;
        } else if (!RemoveDirectoryW(item.getApiPath())) {
            Folder* inner = new (std::nothrow) Folder();
            if (!inner) folder->emptied = false;
            return inner;
        }
        return nullptr;
    }
    void* listingHandle(void*) override { return nullptr; }
    bool goOn(void*) override { return true; }
    void leave(PathWin& item, void* state, void* parent, bool whole) override {
        Folder* folder = static_cast<Folder*>(state);
        bool removed = folder && folder->emptied && whole && RemoveDirectoryW(item.getApiPath());
        if (!removed && m_atReboot) item.scheduleRemovalAtReboot();
        if (folder != &m_top) delete folder;
        if (!parent)
            topRemoved = removed;
        else
            static_cast<Folder*>(parent)->emptied = removed && static_cast<Folder*>(parent)->emptied;
    }

private:
    struct Folder {
        bool emptied = true;  // every child so far is gone
    };
    Folder m_top;
    bool m_atReboot;
};

// Scheduling for reboot, children before their folder.
class SchedulingVisitor final : public IFolderVisitor {
public:
    bool all = true;

    void* enter(PathWin& item, void* parent, uint32_t, uint32_t) override {
        const DWORD attributes = item.readLiveAttributes();
        if (attributes == INVALID_FILE_ATTRIBUTES || (parent && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))) {
            all = false;
            return nullptr;
        }
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return this;
        all = item.scheduleRemovalAtReboot() && all;
        return nullptr;
    }
    void* listingHandle(void*) override { return nullptr; }
    bool goOn(void*) override { return true; }
    void leave(PathWin& item, void*, void*, bool) override { all = item.scheduleRemovalAtReboot() && all; }
};

}  // namespace

// A folder that keeps a child (a link is never listed, so never removed) stays.
bool PathWin::removeFolder(bool notify, bool atReboot, bool withContents) {
    bool done = RemoveDirectoryW(getApiPath()) != 0;
    if (!done && withContents) {
        RemovingVisitor removing(atReboot);
        walkFolders(*this, removing);
        if (removing.topRemoved && notify) notifyShell(SHCNE_RMDIR, getFullPath());
        return removing.topRemoved;
    }
    if (done) {
        if (notify) notifyShell(SHCNE_RMDIR, getFullPath());
        return true;
    }
    if (atReboot) scheduleRemovalAtReboot();
    return false;
}

bool PathWin::scheduleRemovalAtReboot() { return MoveFileExW(getApiPath(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0; }

bool PathWin::removeAtReboot() {
    if (refusesChange()) return false;
    const DWORD attributes = readLiveAttributes();
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (m_stream || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return scheduleRemovalAtReboot();
    SchedulingVisitor scheduling;
    walkFolders(*this, scheduling);
    return scheduling.all;
}

// The exclusive-access test: what the wiper will need, tried without writing anything.

bool PathWin::checkExclusiveAccess(bool, bool restoreAttributes, void* buffer, uint32_t bufferSize) {
    if (!m_parsed || isRootLike()) return false;
    const DWORD kept = readLiveAttributes();
    if (kept == INVALID_FILE_ATTRIBUTES || (kept & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    const bool folder = !m_stream && (kept & FILE_ATTRIBUTE_DIRECTORY);
    if (!folder && !mayHoldData()) return true;
    bool ok = setAttributes(FILE_ATTRIBUTE_NORMAL) &&
              addAttributes(FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | (kept & FILE_ATTRIBUTE_DIRECTORY));
    if (folder) {
        ok = forEachChild(*this, [&](PathWin& child) {
                 return child.checkExclusiveAccess(false, restoreAttributes, buffer, bufferSize);
             }) && ok;
    }
    if (!m_stream && isNtfs()) {
        ArrayP* streams = listStreams(nullptr);
        for (uint32_t i = 0; streams && i < streams->count(); ++i)
            ok = streams->item<PathWin>(i)->checkExclusiveAccess(false, restoreAttributes, buffer, bufferSize) && ok;
        if (streams) streams->releaseToPool();
    }
    if (!folder && !isRewrittenElsewhere(kept)) {
        HANDLE h = openItem(GENERIC_READ | GENERIC_WRITE, 0, FILE_FLAG_NO_BUFFERING | FILE_ATTRIBUTE_NORMAL);
        if (h == INVALID_HANDLE_VALUE)
            ok = false;
        else
            CloseHandle(h);
    }
    if (restoreAttributes) setAttributes(settableAttributes(kept));
    return ok;
}

}  // namespace s::file::win
