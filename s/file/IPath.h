// s/file/IPath.h
//
// The path object: every file operation of the program goes through one. It parses a text,
// caches attributes, sizes and times, lists folders and streams, and changes, renames and
// removes the item it names. s::file::win::PathWin is the implementation. One thread uses a
// path at a time. Failures answer false, null, 0 or an empty result. Copy operations write
// into the caller's string (cleared unless append) or a pooled one; ...Text operations write
// into the path's own scratch string, valid until the next ...Text call on the same path.
// Paths and lists handed out come from their pools and are released by the caller.
//
// Destructive operations (remove, renames, attribute and time changes, recycling, exclusive
// tests) refuse roots of any form (see s/file/win/PathText.h, isRootLike) and never act
// through an item that is itself a link, junction or mount point (attribute 0x400): such an
// item is not listed into, renamed, stamped or deleted.
#pragma once
#include <atomic>
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::col::_array { class ArrayP; class ArrayU08; }
namespace s::io { class IInputStreamable; }
namespace s::str::strarray { class StrArray; }
namespace s::str::strbuffer { class StrBuffer; }

namespace s::file {

class IFileInputStream;
class IFileOutputStream;
class IPathArray;

class IPath : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    using ArrayP = s::col::_array::ArrayP;
    using ArrayU08 = s::col::_array::ArrayU08;
    using StrArray = s::str::strarray::StrArray;
    using StrBuffer = s::str::strbuffer::StrBuffer;

    virtual void dump() = 0;
    virtual void reset() = 0;
    virtual bool isParsed() const = 0;
    virtual bool isAbsolute() const = 0;
    virtual bool exists() = 0;
    virtual bool isNtfs() = 0;
    virtual bool isFat() = 0;
    // 0 before loading, 0xFFFFFFFF for a missing item (which then reads as a folder: test
    // exists first).
    virtual uint32_t getAttributes() = 0;
    virtual bool addAttributes(uint32_t bits) = 0;
    virtual bool setAttributes(uint32_t value) = 0;
    virtual bool isReadable() = 0;
    virtual bool isWritable() = 0;
    virtual bool isReadWritable() = 0;
    virtual bool isDirectory() = 0;  // never for a stream path
    virtual bool isEmptyDirectory() = 0;
    virtual bool isFile() = 0;  // always for a stream path
    virtual bool isStream() const = 0;
    virtual bool isHidden() = 0;
    virtual bool isSystem() = 0;
    virtual bool isArchive() = 0;
    virtual bool isExecutable() = 0;
    virtual bool isShortcut() = 0;
    virtual bool isUrlShortcut() = 0;
    virtual bool isFolderShortcut() = 0;
    virtual bool isUnc() const = 0;
    virtual StrBuffer* getUncServer(StrBuffer* out, bool append) const = 0;
    virtual bool isDriveOnly() const = 0;
    virtual bool hasDriveLetter() const = 0;
    virtual wchar_t firstChar() const = 0;
    virtual bool isSameDrive(const wchar_t* text) const = 0;
    virtual StrBuffer* relativePathTo(const wchar_t* text, bool baseIsFolder, StrBuffer* out,
                                      bool append) = 0;
    virtual StrBuffer* resolveRelative(const wchar_t* text, bool baseIsFolder, StrBuffer* out,
                                       bool append) = 0;
    virtual const wchar_t* getFullPath() const = 0;
    // The text every Win32 call gets: the "\\?\" form when there is one, else the full path.
    virtual const wchar_t* getApiPath() const = 0;
    virtual uint32_t getLength() const = 0;
    virtual const wchar_t* getVolumeRoot() = 0;
    virtual const wchar_t* getExtension() const = 0;
    virtual int64_t getSize(bool folderTotal, bool recurse, int32_t* fileCount, int32_t* folderCount,
                            bool countFiles) = 0;
    // The size rounded up to whole clusters of the item's volume; 0 for an empty item.
    virtual int64_t getSizeOnDisk() = 0;
    virtual void presetSize(int64_t size) = 0;
    virtual int64_t getCreationTime(bool refresh) = 0;  // Unix seconds; 0 for streams
    virtual int64_t getAccessTime(bool refresh) = 0;
    virtual int64_t getWriteTime(bool refresh) = 0;
    // Unix seconds; a negative time leaves that time alone. True when nothing failed.
    virtual bool setTimes(int64_t creation, int64_t write, int64_t access, bool applyNormal,
                          bool applyReadOnly, bool applyHidden, bool applySystem, bool recurse) = 0;
    virtual bool setWritableLike() = 0;
    virtual bool setWritable(bool on) = 0;
    virtual bool makeWritable() = 0;
    virtual bool makeHidden() = 0;
    // Never replaces: an existing target refuses the rename.
    virtual bool renameTo(const wchar_t* text) = 0;
    // count rounds of random names of the same length, dots kept (names under 3 units grow
    // to 3 random units and "_"); never replaces a sibling; *received gets the final path
    // (none given: a pooled string is used and released). stop (may be null) is tested in
    // every try. True when at least one rename succeeded.
    virtual bool renameToRandomName(int32_t count, StrBuffer* received, bool restoreAttributes,
                                    const std::atomic<bool>* stop) = 0;
    virtual bool createFolder(bool notify) = 0;
    virtual bool createEmptyFile(bool notify) = 0;
    virtual bool ensureParentFolder() = 0;
    // True when the item is gone afterwards (also when it was gone before).
    virtual bool remove(bool notify, bool atReboot) = 0;
    virtual bool removeAtReboot() = 0;
    // Absolute paths only: the shell deletes a relative path for good instead of recycling it.
    virtual bool moveToRecycleBin(bool showUi, bool notify) = 0;
    virtual bool copyTo(const wchar_t* target, bool replace) = 0;
    virtual bool moveTo(const wchar_t* target, bool replace, bool notify) = 0;
    virtual bool createShortcut(const wchar_t* linkPath, bool replace, const wchar_t* arguments) = 0;
    virtual bool createUrlShortcut(const wchar_t* url, bool replace) = 0;
    virtual StrBuffer* copyFullPath(StrBuffer* out, bool append) const = 0;
    virtual StrBuffer* copyFullPathSlash(StrBuffer* out, bool append) const = 0;
    virtual const wchar_t* fullPathSlashText() = 0;
    virtual IPath* parentPathOrNull() const = 0;
    virtual StrBuffer* copyDirSlash(StrBuffer* out, bool append) const = 0;
    virtual const wchar_t* dirSlashText() = 0;
    virtual StrBuffer* copyDir(StrBuffer* out, bool append) const = 0;
    virtual const wchar_t* dirText() = 0;
    virtual StrBuffer* copyName(StrBuffer* out, bool append) const = 0;
    virtual const wchar_t* nameText() = 0;
    virtual StrBuffer* copyTitle(StrBuffer* out, bool append) const = 0;
    virtual const wchar_t* titleText() = 0;
    virtual StrBuffer* copyExt(StrBuffer* out, bool append) const = 0;
    virtual const wchar_t* extText() = 0;
    virtual StrBuffer* copyExtNoDot(StrBuffer* out, bool append) const = 0;
    virtual const wchar_t* extNoDotText() = 0;
    virtual StrBuffer* copyTypeName(StrBuffer* out, bool append) = 0;
    virtual const wchar_t* typeNameText() = 0;
    virtual StrBuffer* copySizeString(StrBuffer* out, bool append) = 0;
    virtual const wchar_t* sizeString() = 0;
    virtual StrBuffer* copyUrlTarget(StrBuffer* out, bool append) = 0;
    virtual const wchar_t* urlTargetText() = 0;
    virtual StrBuffer* copyFolderShortcutTarget(StrBuffer* out, bool append) = 0;
    virtual const wchar_t* folderShortcutTargetText() = 0;
    virtual IPath* childPath(const wchar_t* name) const = 0;
    virtual IPath* withExtension(const wchar_t* text) const = 0;
    virtual IPath* withSuffix(const wchar_t* text) = 0;
    virtual IPath* uniquePathNumbered() = 0;
    virtual IPath* uniquePathNumberedPlain() = 0;
    virtual IPath* parentFolder() const = 0;
    virtual IPath* shortcutTarget() = 0;
    virtual IPath* folderShortcutTargetPath() = 0;
    // extensions: null or empty for every file, else a ";"-separated list such as ".jpg;.png".
    virtual IPath* siblingPath(bool previous, const wchar_t* extensions, bool sorted, bool wrap) = 0;

    // Listings. "all" keeps hidden and system entries (the wiper's listing); without it
    // Explorer's settings decide. ".", ".." and links, junctions and mount points are never
    // listed. Path listings append pooled paths to the caller's array (given the PathWin pool
    // as element destructor when it has none) or to a pooled array that owns them.
    virtual bool hasChildren(bool all) = 0;
    virtual StrArray* listChildNames(bool fullPaths, bool all) = 0;
    virtual StrArray* listFolderNames(bool fullPaths, bool all) = 0;
    virtual StrArray* listFileNames(bool fullPaths, bool all) = 0;
    // With recurse, each folder is followed at once by its own listing (depth first).
    virtual ArrayP* listChildren(bool recurse, ArrayP* array, bool all) = 0;
    virtual ArrayP* listFolders(bool recurse, ArrayP* array, bool all) = 0;
    virtual ArrayP* listFiles(bool recurse, ArrayP* array, bool all) = 0;
    virtual IPathArray* listChildrenMatching(bool recurse, IPathArray* array, bool all) = 0;
    virtual IPathArray* listFoldersMatching(bool recurse, IPathArray* array, bool all) = 0;
    virtual IPathArray* listFilesMatching(bool recurse, IPathArray* array, bool all) = 0;
    // The item's alternate data streams (NTFS only), each path "item:name" with its size.
    virtual ArrayP* listStreams(ArrayP* array) = 0;
    // Wildcard search: the name part is the pattern ("*.jpg"), searched in the path's folder
    // and, with recurse, in every subfolder, depth first. Files only, or files and folders.
    virtual ArrayP* listChildrenInto(ArrayP* array, bool recurse, bool all) = 0;
    virtual ArrayP* listChildrenInto(ArrayP* array, bool recurse, bool all, bool withFolders) = 0;

    virtual IFileInputStream* openInputStream() = 0;
    virtual IFileOutputStream* openOutputStream(bool append) = 0;
    // The whole file into the caller's array (emptied first) or a pooled one; null when the
    // file cannot be read or is too large to hold.
    virtual ArrayU08* readAll(ArrayU08* array) = 0;
    virtual bool writeAll(const ArrayU08* array, bool append) = 0;
    virtual bool writeObject(s::io::IInputStreamable* object, bool append) = 0;
    virtual bool checkExclusiveAccess(bool unused, bool restoreAttributes, void* buffer,
                                      uint32_t bufferSize) = 0;
    virtual bool hasExtension(const wchar_t* text) const = 0;
    virtual bool assignPath(const StrBuffer* text) = 0;
    virtual bool assignText(const wchar_t* text) = 0;
};

}  // namespace s::file
