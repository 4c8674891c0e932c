// s/file/win/PathWin.h
//
// The Windows path object (see s/file/IPath.h for the contract). Pooled, capacity 1000;
// one thread at a time; no lock of its own. The implementation is split by theme:
// PathWin.cpp (parsing, identity, free functions), PathWinParts.cpp (parts, derived paths,
// relative paths), PathWinInfo.cpp (attributes, sizes, times, volume), PathWinChange.cpp
// (writable bits, time stamps, creating, removing, exclusive test), PathWinRename.cpp (renames and
// moves), PathWinShell.cpp (shell operations, shortcuts), PathWinList.cpp (folder listings)
// and PathWinData.cpp (streams of data: alternate data streams and file streams).
#pragma once
#include <windows.h>

#include "s/file/IPath.h"
#include "s/file/win/ListingFilter.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/IPoolable.h"

namespace s::file::win {

// The system call behind renameTo, replaceable by tests; none restores MoveFileExW.
// Answers the call installed before.
using MoveFunction = BOOL(WINAPI*)(LPCWSTR from, LPCWSTR to, DWORD flags);
MoveFunction installMoveFunction(MoveFunction move);
// The same for removing a file (DeleteFileW).
using DeleteFunction = BOOL(WINAPI*)(LPCWSTR path);
DeleteFunction installDeleteFunction(DeleteFunction remove);

class PathWin final : public s::file::IPath, public virtual s::thread::IPoolable {
public:
    PathWin() = default;
    ~PathWin() override = default;
    PathWin(const PathWin&) = delete;
    PathWin& operator=(const PathWin&) = delete;

    // Windows-only helpers of the engine.
    // A handle on the item itself (FILE_FLAG_OPEN_REPARSE_POINT is always added), through the
    // API path; INVALID_HANDLE_VALUE on failure.
    HANDLE openItem(DWORD access, DWORD share, DWORD flags) const;
    // The same through `folder`, an open handle on the folder that holds the item: by the
    // item's bare name, which costs no walk of the path. Without a folder handle, or where
    // copyBareName refuses, as openItem.
    HANDLE openInOwnFolder(HANDLE folder, DWORD access, DWORD share, DWORD flags) const;
    // The item's name into *name when a call inside its folder's handle may take it as it
    // is; false for a stream or a name the path reaches by its long form alone.
    bool copyBareName(StrBuffer* name) const;
    // Attribute changes through an open handle that the caller found to be the item itself;
    // the cache follows as with setAttributes and addAttributes.
    bool setAttributesThrough(HANDLE item, uint32_t value);
    bool addAttributesThrough(HANDLE item, uint32_t bits);
    // renameToRandomName's rounds, each try a rename of the item of `item` inside `folder`
    // (its own folder's handle) that refuses a name already there; the attributes are set
    // through `item`.
    bool renameToRandomNameThrough(HANDLE item, HANDLE folder, int32_t count, StrBuffer* received,
                                   const std::atomic<bool>* stop);
    // The item of `item` (an open handle on it with DELETE access, found to be the item) goes
    // when that handle is closed: a file, once more after clearing read-only when refused;
    // a folder only when empty. A stand-in installed for DeleteFileW takes a file's removal.
    bool removeOnClose(HANDLE item);
    // Fresh attributes from the disk (the cache is left alone); INVALID_FILE_ATTRIBUTES when
    // the item cannot be read.
    DWORD readLiveAttributes() const;
    // A link, junction or mount point, read fresh: never follow it.
    bool isReparsePoint() const;
    // A root by its text (see PathText.h), or a path whose ".." climbs out of its root.
    bool isRootLike() const;
    // The text the path was made from, before anything was resolved.
    const wchar_t* givenText() const { return m_given.cString(); }
    int64_t knownStreamSize() const { return m_streamSize; }  // -1 until known
    // A byte count rounded up to whole clusters of this path's volume (0 for 0 or less): what
    // a file of that size occupies on the disk.
    int64_t roundUpToCluster(int64_t size);
    // Whether the file or stream may hold bytes: a size that reads 0 (a stream that no
    // listing knows, a read that failed) is asked of the item's own handle before anything
    // takes it for empty; a size that cannot be read counts as data.
    bool mayHoldData();
    // A child found by listing this folder lies on its volume (links and mount points are
    // never listed): it takes the file system, cluster size and volume flags known here
    // instead of asking the volume again.
    void inheritVolume(const PathWin& folder);
    // Every child (hidden and system ones too, links never), as listChildren gives them;
    // *whole tells whether the folder was read to its end: a listing that failed or broke
    // off is not an empty folder.
    ArrayP* listEveryChild(bool* whole);
    // The same through `folder`, an open handle on this folder with FILE_LIST_DIRECTORY
    // access, found to be the folder itself.
    ArrayP* listEveryChildThrough(HANDLE folder, bool* whole);
    // The alternate data streams, as listStreams gives them; *known turns false when the
    // volume keeps streams but this item's could not be listed (they may hold data).
    ArrayP* listEveryStream(bool* known);
    // The item alone, by the rules of remove: a file or stream, a folder only while it is
    // empty (what appears in a folder after its wipe is never deleted unwritten).
    bool removeItemOnly(bool notify);
    // The item alone is marked for deletion at the next start (MOVEFILE_DELAY_UNTIL_REBOOT).
    bool scheduleRemovalAtReboot();
    // A file or stream: DeleteFileW, once more after clearing read-only on access denied.
    bool removeFile(bool notify, bool atReboot);

    // IPath
    void dump() override;
    void reset() override;
    bool isParsed() const override { return m_parsed; }
    bool isAbsolute() const override;
    bool exists() override;
    bool isNtfs() override;
    bool isFat() override;
    uint32_t getAttributes() override;
    bool addAttributes(uint32_t bits) override;
    bool setAttributes(uint32_t value) override;
    bool isReadable() override;
    bool isWritable() override;
    bool isReadWritable() override;
    bool isDirectory() override;
    bool isEmptyDirectory() override;
    bool isFile() override;
    bool isStream() const override { return m_stream; }
    bool isHidden() override;
    bool isSystem() override;
    bool isArchive() override;
    bool isExecutable() override;
    bool isShortcut() override;
    bool isUrlShortcut() override;
    bool isFolderShortcut() override;
    bool isUnc() const override;
    StrBuffer* getUncServer(StrBuffer* out, bool append) const override;
    bool isDriveOnly() const override;
    bool hasDriveLetter() const override;
    wchar_t firstChar() const override { return m_fullPath.charAt(0); }
    bool isSameDrive(const wchar_t* text) const override;
    StrBuffer* relativePathTo(const wchar_t* text, bool baseIsFolder, StrBuffer* out, bool append) override;
    StrBuffer* resolveRelative(const wchar_t* text, bool baseIsFolder, StrBuffer* out, bool append) override;
    const wchar_t* getFullPath() const override { return m_fullPath.cString(); }
    const wchar_t* getApiPath() const override;
    uint32_t getLength() const override { return m_fullPath.length(); }
    const wchar_t* getVolumeRoot() override;
    const wchar_t* getExtension() const override { return m_ext.cString(); }
    int64_t getSize(bool folderTotal, bool recurse, int32_t* fileCount, int32_t* folderCount,
                    bool countFiles) override;
    int64_t getSizeOnDisk() override;
    void presetSize(int64_t size) override { m_streamSize = size; }
    int64_t getCreationTime(bool refresh) override;
    int64_t getAccessTime(bool refresh) override;
    int64_t getWriteTime(bool refresh) override;
    bool setTimes(int64_t creation, int64_t write, int64_t access, bool applyNormal, bool applyReadOnly,
                  bool applyHidden, bool applySystem, bool recurse) override;
    bool setWritableLike() override;
    bool setWritable(bool on) override;
    bool makeWritable() override;
    bool makeHidden() override;
    bool renameTo(const wchar_t* text) override;
    bool renameToRandomName(int32_t count, StrBuffer* received, bool restoreAttributes,
                            const std::atomic<bool>* stop) override;
    bool createFolder(bool notify) override;
    bool createEmptyFile(bool notify) override;
    bool ensureParentFolder() override;
    bool remove(bool notify, bool atReboot) override;
    bool removeAtReboot() override;
    bool moveToRecycleBin(bool showUi, bool notify) override;
    bool copyTo(const wchar_t* target, bool replace) override;
    bool moveTo(const wchar_t* target, bool replace, bool notify) override;
    bool createShortcut(const wchar_t* linkPath, bool replace, const wchar_t* arguments) override;
    bool createUrlShortcut(const wchar_t* url, bool replace) override;
    StrBuffer* copyFullPath(StrBuffer* out, bool append) const override;
    StrBuffer* copyFullPathSlash(StrBuffer* out, bool append) const override;
    const wchar_t* fullPathSlashText() override;
    IPath* parentPathOrNull() const override;
    StrBuffer* copyDirSlash(StrBuffer* out, bool append) const override;
    const wchar_t* dirSlashText() override;
    StrBuffer* copyDir(StrBuffer* out, bool append) const override;
    const wchar_t* dirText() override;
    StrBuffer* copyName(StrBuffer* out, bool append) const override;
    const wchar_t* nameText() override;
    StrBuffer* copyTitle(StrBuffer* out, bool append) const override;
    const wchar_t* titleText() override;
    StrBuffer* copyExt(StrBuffer* out, bool append) const override;
    const wchar_t* extText() override;
    StrBuffer* copyExtNoDot(StrBuffer* out, bool append) const override;
    const wchar_t* extNoDotText() override;
    StrBuffer* copyTypeName(StrBuffer* out, bool append) override;
    const wchar_t* typeNameText() override;
    StrBuffer* copySizeString(StrBuffer* out, bool append) override;
    const wchar_t* sizeString() override;
    StrBuffer* copyUrlTarget(StrBuffer* out, bool append) override;
    const wchar_t* urlTargetText() override;
    StrBuffer* copyFolderShortcutTarget(StrBuffer* out, bool append) override;
    const wchar_t* folderShortcutTargetText() override;
    IPath* childPath(const wchar_t* name) const override;
    IPath* withExtension(const wchar_t* text) const override;
    IPath* withSuffix(const wchar_t* text) override;
    IPath* uniquePathNumbered() override;
    IPath* uniquePathNumberedPlain() override;
    IPath* parentFolder() const override;
    IPath* shortcutTarget() override;
    IPath* folderShortcutTargetPath() override;
    IPath* siblingPath(bool previous, const wchar_t* extensions, bool sorted, bool wrap) override;
    bool hasChildren(bool all) override;
    StrArray* listChildNames(bool fullPaths, bool all) override;
    StrArray* listFolderNames(bool fullPaths, bool all) override;
    StrArray* listFileNames(bool fullPaths, bool all) override;
    ArrayP* listChildren(bool recurse, ArrayP* array, bool all) override;
    ArrayP* listFolders(bool recurse, ArrayP* array, bool all) override;
    ArrayP* listFiles(bool recurse, ArrayP* array, bool all) override;
    IPathArray* listChildrenMatching(bool recurse, IPathArray* array, bool all) override;
    IPathArray* listFoldersMatching(bool recurse, IPathArray* array, bool all) override;
    IPathArray* listFilesMatching(bool recurse, IPathArray* array, bool all) override;
    ArrayP* listStreams(ArrayP* array) override;
    ArrayP* listChildrenInto(ArrayP* array, bool recurse, bool all) override;
    ArrayP* listChildrenInto(ArrayP* array, bool recurse, bool all, bool withFolders) override;
    IFileInputStream* openInputStream() override;
    IFileOutputStream* openOutputStream(bool append) override;
    ArrayU08* readAll(ArrayU08* array) override;
    bool writeAll(const ArrayU08* array, bool append) override;
    bool writeObject(s::io::IInputStreamable* object, bool append) override;
    bool checkExclusiveAccess(bool unused, bool restoreAttributes, void* buffer, uint32_t bufferSize) override;
    bool hasExtension(const wchar_t* text) const override;
    bool assignPath(const StrBuffer* text) override;
    bool assignText(const wchar_t* text) override;

    // IComparable: those of the full path
    int32_t compareTo(const s::base::IComparable* other, s::base::IComparator* comparator = nullptr) const override;
    int32_t compareToIgnoreCase(const s::base::IComparable* other,
                                s::base::IComparator* comparator = nullptr) const override;
    bool equals(const s::base::IComparable* other, s::base::IComparator* comparator = nullptr) const override;
    bool equalsIgnoreCase(const s::base::IComparable* other,
                          s::base::IComparator* comparator = nullptr) const override;
    uint32_t hashCode() const override { return m_fullPath.hashCode(); }
    uint32_t hashCodeIgnoreCase() const override { return m_fullPath.hashCodeIgnoreCase(); }

    // IObject
    const wchar_t* classId() const override { return L"s_file_win_PathWin"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override { reset(); }

    // Listing internals (PathWinList.cpp), shared by the listings, sizes and removals.
    // Called for each listed entry of `folder`; false ends the walk.
    using EntryVisitor = bool (*)(const PathWin& folder, const WIN32_FIND_DATAW& entry, void* context);
    // Lists this folder (recurse: depth first, each folder before its contents), without
    // using the call stack for depth. False when this folder could not be read to its end.
    bool walk(EntryKind kind, bool recurse, bool all, EntryVisitor visitor, void* context);

private:
    bool buildLongForm();
    void loadAttributes();
    void loadStat();
    void detectFileSystem();
    int64_t clusterUnit();
    bool isKnownFolder();  // a folder by the cached attributes, never a stream
    bool refusesChange() const;  // unparsed, a root or a link
    // A copy operation written into the scratch string (the ...Text operations); the second
    // form for the copies that read the disk.
    const wchar_t* intoScratch(StrBuffer* (PathWin::*copy)(StrBuffer*, bool) const);
    const wchar_t* intoScratchLoaded(StrBuffer* (PathWin::*copy)(StrBuffer*, bool));
    IPath* uniquePath(bool numberedInBrackets);
    bool removeChecked(bool notify, bool atReboot, bool withContents);
    using RenameTry = int (*)(const StrBuffer& from, const StrBuffer& to, void* context);
    bool renameInRounds(int32_t count, StrBuffer* current, const std::atomic<bool>* stop, RenameTry tryRename,
                        void* context);
    void loadAttributesThrough(HANDLE item);
    bool removeFolder(bool notify, bool atReboot, bool withContents);
    bool streamSizeFromCarrier();
    bool volumeKeepsNoStreams();
    bool queryStreamsInto(ArrayP* found);

    StrBuffer m_scratch;
    StrBuffer m_given;
    StrBuffer m_drive;
    StrBuffer m_volumeRoot;
    StrBuffer m_dir;
    StrBuffer m_longForm;
    int64_t m_size = 0;
    int64_t m_accessTime = 0;
    int64_t m_writeTime = 0;
    int64_t m_creationTime = 0;
    int64_t m_sizeOnDisk = -1;
    bool m_statLoaded = false;
    bool m_parsed = false;
    bool m_stream = false;
    bool m_volumeRootBuilt = false;
    bool m_unreachable = false;  // see buildLongForm
    int64_t m_streamSize = -1;
    bool m_attributesLoaded = false;
    uint32_t m_attributes = 0;
    int32_t m_fileSystem = -1;
    int64_t m_clusterUnit = -1;  // bytes of one cluster of the volume; -1 until asked
    int32_t m_volumeFlagsRead = -1;  // 1 read, 0 unreadable, -1 not asked yet
    DWORD m_volumeFlags = 0;
    StrBuffer m_ext;
    StrBuffer m_fullPath;
    StrBuffer m_title;
};

// Attribute bits that SetFileAttributesW sets (read-only, hidden, system, archive, normal,
// temporary, offline, not content-indexed).
constexpr DWORD kSettableAttributes = 0x31A7;
// Encrypted, compressed or sparse data: writing over it may place the new bytes in other
// clusters and leave the old ones as they were. The one rule of the exclusive-access test,
// the wiper and its slack mode.
bool isRewrittenElsewhere(DWORD attributes);
// The settable part of attributes, NORMAL alone when nothing else is left (NORMAL is only
// valid alone).
DWORD settableAttributes(DWORD attributes);

// Pooled paths (null when the pool has none): from a text; folder + "\" + name; a copy.
PathWin* pathFromString(const wchar_t* text);
PathWin* pathFromFolderAndName(const wchar_t* folder, const wchar_t* name);
PathWin* copyPath(const IPath* path);
// The caller's array of paths, given the PathWin pool as element destructor when it has
// none, or a pooled array that has it; null only when the pool has none to give.
s::col::_array::ArrayP* pathListArray(s::col::_array::ArrayP* given);
// A new empty file "NEW....tmp" in the temporary folder (GetTempFileNameW makes it).
PathWin* makeTempFileName();
PathWin* getDesktopFolder();
// The volume root of the Windows folder, "C:\" when it cannot be found; pooled string.
s::str::strbuffer::StrBuffer* getWindowsDriveRoot();
// The same text, kept for the life of the process.
const wchar_t* windowsDriveRootText();

}  // namespace s::file::win
