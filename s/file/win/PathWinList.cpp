// s/file/win/PathWinList.cpp
//
// Folder listings. One walk serves them all: FindFirstFileW on the API path with "\*",
// entries passed through the listing filter (ListingFilter.h), and with recursion a stack of
// open searches kept on the heap, so a deep tree cannot exhaust the thread's stack. A path
// that is itself a link, junction or mount point is never listed into: FindFirstFileW
// would list its target.
#include "s/file/win/PathWin.h"

#include <winternl.h>

#include <cstddef>
#include <new>

#include "s/col/_array/ArrayP.h"
#include "s/file/IPathArray.h"
#include "s/file/win/ExplorerSettings.h"
#include "s/file/win/NtFile.h"
#include "s/file/win/PathArray.h"
#include "s/str/strarray/StrArray.h"
#include "s/thread/Pool.h"

namespace s::file::win {

namespace {

using s::col::_array::ArrayP;
using s::str::strarray::StrArray;
using s::str::strbuffer::StrBuffer;

// One open search of the walk.
struct Frame {
    HANDLE find = INVALID_HANDLE_VALUE;
    PathWin* folder = nullptr;  // pooled; null for the walk's own folder
    WIN32_FIND_DATAW entry;
    bool pending = false;  // entry holds the first result, not yet handed out
};

HANDLE findFirst(const PathWin& folder, const wchar_t* pattern, WIN32_FIND_DATAW* entry) {
    StrBuffer search;
    search.setText(folder.getApiPath());
    search.appendChar(L'\\');
    search.appendText(pattern);
    return FindFirstFileW(search.cString(), entry);
}

Frame* openFrame(const PathWin& folder, PathWin* owned) {
    Frame* frame = new (std::nothrow) Frame();
    if (!frame) return nullptr;
    frame->folder = owned;
    frame->find = findFirst(folder, L"*", &frame->entry);
    frame->pending = frame->find != INVALID_HANDLE_VALUE;
    return frame;
}

void closeFrame(Frame* frame) {
    if (frame->find != INVALID_HANDLE_VALUE) FindClose(frame->find);
    if (frame->folder) frame->folder->releaseToPool();
    delete frame;
}

bool nextEntry(Frame* frame) {
    if (frame->pending) {
        frame->pending = false;
        return true;
    }
    return frame->find != INVALID_HANDLE_VALUE && FindNextFileW(frame->find, &frame->entry);
}

Visibility visibilityFor(PathWin& folder, bool all) {
    if (all) return Visibility();
    const bool onWindowsVolume = _wcsicmp(folder.getVolumeRoot(), windowsDriveRootText()) == 0;
    return visibilityFromSettings(explorerHiddenSetting(), explorerShowSuperHiddenSetting(), onWindowsVolume);
}

PathWin* entryPath(const PathWin& folder, const WIN32_FIND_DATAW& entry) {
    PathWin* path = pathFromFolderAndName(folder.getFullPath(), entry.cFileName);
    if (path) path->inheritVolume(folder);
    return path;
}

struct PathListing {
    ArrayP* array;
    bool whole;  // every entry read made it into the array
};

bool addPath(const PathWin& folder, const WIN32_FIND_DATAW& entry, void* context) {
    PathListing* listing = static_cast<PathListing*>(context);
    PathWin* path = entryPath(folder, entry);
    if (path && listing->array->add(path)) return true;
    if (path) path->releaseToPool();
    listing->whole = false;
    return true;
}

bool pushPath(const PathWin& folder, const WIN32_FIND_DATAW& entry, void* context) {
    PathWin* path = entryPath(folder, entry);
    if (path) static_cast<s::file::IPathArray*>(context)->push(path);
    return true;
}

struct NameListing {
    StrArray* names;
    bool fullPaths;
};

bool addName(const PathWin& folder, const WIN32_FIND_DATAW& entry, void* context) {
    NameListing* listing = static_cast<NameListing*>(context);
    StrBuffer* name = listing->fullPaths ? s::str::strbuffer::newStrBufferPath(folder.getFullPath(), entry.cFileName)
                                         : s::str::strbuffer::newStrBuffer(entry.cFileName);
    listing->names->addBuffer(name);
    return true;
}

bool stopAtFirst(const PathWin&, const WIN32_FIND_DATAW&, void* context) {
    *static_cast<bool*>(context) = true;
    return false;
}

}  // namespace

bool PathWin::walk(EntryKind kind, bool recurse, bool all, EntryVisitor visitor, void* context) {
    if (!m_parsed || isReparsePoint()) return false;
    const Visibility visibility = visibilityFor(*this, all);
    ArrayP frames;
    Frame* root = openFrame(*this, nullptr);
    if (!root) return false;
    bool readable = root->find != INVALID_HANDLE_VALUE || GetLastError() == ERROR_FILE_NOT_FOUND;
    if (!frames.add(root)) {
        closeFrame(root);
        return false;
    }
    bool going = true;
    while (going && frames.count()) {
        Frame* frame = static_cast<Frame*>(frames.last());
        if (!nextEntry(frame)) {
            // A search of this folder that ends on an error has not seen all of it.
            if (frame == root && frame->find != INVALID_HANDLE_VALUE && GetLastError() != ERROR_NO_MORE_FILES)
                readable = false;
            closeFrame(frame);
            frames.dropLast(1);
            continue;
        }
        const WIN32_FIND_DATAW& entry = frame->entry;
        if (!isListable(entry.dwFileAttributes, entry.cFileName, all, visibility)) continue;
        const PathWin& folder = frame->folder ? *frame->folder : *this;
        if (matchesKind(entry.dwFileAttributes, kind)) going = visitor(folder, entry, context);
        if (going && recurse && matchesKind(entry.dwFileAttributes, EntryKind::Folders)) {
            PathWin* sub = entryPath(folder, entry);
            Frame* next = sub ? openFrame(*sub, sub) : nullptr;
            if (next && !frames.add(next)) closeFrame(next);
            if (sub && !next) sub->releaseToPool();
        }
    }
    for (uint32_t i = 0; i < frames.count(); ++i) closeFrame(static_cast<Frame*>(frames.get(i)));
    return readable;
}

bool PathWin::hasChildren(bool all) {
    bool found = false;
    walk(EntryKind::Children, false, all, &stopAtFirst, &found);
    return found;
}

namespace {

StrArray* listNames(PathWin& folder, EntryKind kind, bool fullPaths, bool all) {
    NameListing listing{s::thread::Pool<StrArray>::obtain(), fullPaths};
    if (listing.names) folder.walk(kind, false, all, &addName, &listing);
    return listing.names;
}

ArrayP* listPaths(PathWin& folder, EntryKind kind, bool recurse, ArrayP* given, bool all, bool* whole = nullptr) {
    PathListing listing{pathListArray(given), true};
    const bool read = listing.array && folder.walk(kind, recurse, all, &addPath, &listing);
    if (whole) *whole = read && listing.whole;
    return listing.array;
}

s::file::IPathArray* pushPaths(PathWin& folder, EntryKind kind, bool recurse, s::file::IPathArray* given,
                               bool all) {
    s::file::IPathArray* array = given ? given : newPathArray();
    if (array) folder.walk(kind, recurse, all, &pushPath, array);
    return array;
}

}  // namespace

ArrayP* pathListArray(ArrayP* given) {
    ArrayP* array = given ? given : s::thread::Pool<ArrayP>::obtain();
    if (array && !array->elementDestructor()) array->setElementDestructor(&s::thread::Pool<PathWin>::pooler());
    return array;
}

StrArray* PathWin::listChildNames(bool fullPaths, bool all) { return listNames(*this, EntryKind::Children, fullPaths, all); }
StrArray* PathWin::listFolderNames(bool fullPaths, bool all) { return listNames(*this, EntryKind::Folders, fullPaths, all); }
StrArray* PathWin::listFileNames(bool fullPaths, bool all) { return listNames(*this, EntryKind::Files, fullPaths, all); }

ArrayP* PathWin::listChildren(bool recurse, ArrayP* array, bool all) {
    return listPaths(*this, EntryKind::Children, recurse, array, all);
}
// Used by the walks that go down a whole tree: the volume is asked once, at the top. Its
// stream flag is asked before the children inherit it: a child whose stream query fails
// would ask the volume again.
ArrayP* PathWin::listEveryChild(bool* whole) {
    detectFileSystem();
    clusterUnit();
    if (isNtfs()) volumeKeepsNoStreams();
    return listPaths(*this, EntryKind::Children, false, nullptr, true, whole);
}
namespace {

constexpr uint32_t kListingBatchBytes = 65536;

// One record of a batch as the listing takes it: its attributes and its name, ended.
bool addRecord(const PathWin& folder, const FILE_DIRECTORY_INFORMATION& record, PathListing* listing) {
    WIN32_FIND_DATAW entry;
    const uint32_t units = record.FileNameLength / sizeof(wchar_t);
    if (units >= MAX_PATH) {
        listing->whole = false;  // no name of a folder entry is this long
        return true;
    }
    entry.dwFileAttributes = record.FileAttributes;
    for (uint32_t i = 0; i < units; ++i) entry.cFileName[i] = record.FileName[i];
    entry.cFileName[units] = 0;
    if (isListable(entry.dwFileAttributes, entry.cFileName, true, Visibility())) addPath(folder, entry, listing);
    return true;
}

}  // namespace

ArrayP* PathWin::listEveryChildThrough(HANDLE folder, bool* whole) {
    detectFileSystem();
    clusterUnit();
    if (isNtfs()) volumeKeepsNoStreams();
    PathListing listing{pathListArray(nullptr), true};
    uint8_t* batch = listing.array ? new (std::nothrow) uint8_t[kListingBatchBytes] : nullptr;
    bool read = batch != nullptr;
    for (bool restart = true; read;) {
        const int32_t got = listFolderBatch(folder, batch, kListingBatchBytes, restart);
        if (got < 0) read = false;
        if (got <= 0) break;
        restart = false;
        for (uint32_t at = 0;;) {
            const auto* record = reinterpret_cast<const FILE_DIRECTORY_INFORMATION*>(batch + at);
            if (at + offsetof(FILE_DIRECTORY_INFORMATION, FileName) + record->FileNameLength > kListingBatchBytes) {
                read = false;
                break;
            }
            addRecord(*this, *record, &listing);
            if (!record->NextEntryOffset) break;
            at += record->NextEntryOffset;
        }
    }
    delete[] batch;
    if (whole) *whole = read && listing.whole;
    return listing.array;
}

ArrayP* PathWin::listFolders(bool recurse, ArrayP* array, bool all) {
    return listPaths(*this, EntryKind::Folders, recurse, array, all);
}
ArrayP* PathWin::listFiles(bool recurse, ArrayP* array, bool all) {
    return listPaths(*this, EntryKind::Files, recurse, array, all);
}

IPathArray* PathWin::listChildrenMatching(bool recurse, IPathArray* array, bool all) {
    return pushPaths(*this, EntryKind::Children, recurse, array, all);
}
IPathArray* PathWin::listFoldersMatching(bool recurse, IPathArray* array, bool all) {
    return pushPaths(*this, EntryKind::Folders, recurse, array, all);
}
IPathArray* PathWin::listFilesMatching(bool recurse, IPathArray* array, bool all) {
    return pushPaths(*this, EntryKind::Files, recurse, array, all);
}

// Wildcard search

namespace {

struct PatternSearch {
    const wchar_t* pattern;
    EntryKind kind;
    bool all;
    Visibility visibility;
    ArrayP* found;
};

void searchIn(const PathWin& folder, const PatternSearch& search) {
    if (folder.isReparsePoint()) return;
    WIN32_FIND_DATAW entry;
    HANDLE find = findFirst(folder, search.pattern, &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    PathListing listing{search.found, true};
    do {
        if (isListable(entry.dwFileAttributes, entry.cFileName, search.all, search.visibility) &&
            matchesKind(entry.dwFileAttributes, search.kind))
            addPath(folder, entry, &listing);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

bool searchInFolder(const PathWin& folder, const WIN32_FIND_DATAW& entry, void* context) {
    PathWin* sub = entryPath(folder, entry);
    if (sub) {
        searchIn(*sub, *static_cast<const PatternSearch*>(context));
        sub->releaseToPool();
    }
    return true;
}

}  // namespace

ArrayP* PathWin::listChildrenInto(ArrayP* array, bool recurse, bool all) {
    return listChildrenInto(array, recurse, all, false);
}

ArrayP* PathWin::listChildrenInto(ArrayP* array, bool recurse, bool all, bool withFolders) {
    ArrayP* found = pathListArray(array);
    if (!found || !m_parsed) return found;
    StrBuffer pattern, folderText;
    copyName(&pattern, false);
    copyDir(&folderText, false);
    PathWin folder;
    if (!folder.assignText(folderText.length() ? folderText.cString() : L".")) return found;
    PatternSearch search{pattern.cString(), withFolders ? EntryKind::Children : EntryKind::Files, all,
                         visibilityFor(folder, all), found};
    searchIn(folder, search);
    if (recurse) folder.walk(EntryKind::Folders, true, all, &searchInFolder, &search);
    return found;
}

}  // namespace s::file::win
