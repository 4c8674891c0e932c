// s/file/win/NtFile.h
//
// The few ntdll file calls made on handles already held: an open by a bare name inside an
// open folder, a rename inside a folder, deletion through the handle, the attributes, times
// and link count of a handle, and a folder's listing through its handle. ntdll is asked for
// them at run time (XP has them all). Each answers as the call does and, on failure, sets
// the last error from the status, as kernel32 would.
//
// Why: under Wine each open by whole path walks every folder of the path again, and each
// name looked up in other than its exact case (or not there at all) reads the whole folder
// (Wine 8.0, checked); a handle and a bare name cost neither. Wine's
// GetFileInformationByHandle asks the server several times; the two queries here ask once.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::file::win {

// Whether every call below is there.
bool ntFileCallsAvailable();

// Options of openInFolder.
enum NtOpenOption : uint32_t {
    kNtOpenFolder = 1,        // the item must be a folder
    kNtOpenUnbuffered = 2,    // FILE_FLAG_NO_BUFFERING's counterpart
    kNtOpenBackupIntent = 4,  // FILE_FLAG_BACKUP_SEMANTICS's counterpart: folders open too
};

// `name` (no separator: one name inside `folder`) opened as CreateFileW's OPEN_EXISTING
// with FILE_FLAG_OPEN_REPARSE_POINT would: never through a reparse point, and without
// kNtOpenBackupIntent never a folder. `access` may hold GENERIC_ bits; SYNCHRONIZE and
// FILE_READ_ATTRIBUTES are added, as CreateFileW adds them. INVALID_HANDLE_VALUE on failure.
HANDLE openInFolder(HANDLE folder, const wchar_t* name, uint32_t length, DWORD access, DWORD share,
                    uint32_t options);

// The item of `file` takes the name `name` inside `folder` (the folder it is in); an item
// already of that name refuses it, nothing is replaced. Needs DELETE access.
bool renameInFolder(HANDLE file, HANDLE folder, const wchar_t* name, uint32_t length);

// The item goes when its last handle closes (a folder only when empty). Needs DELETE access.
bool deleteOnClose(HANDLE file);

// Whether the system answers that no item of that name (in any case) is inside `folder`;
// false when it is there or the answer is another error. Under Wine a look-up by whole
// path of a name that is not there walks every folder of the path (33 ms at depth 1,000;
// Wine 8.0, measured); inside a held folder it costs none of that.
bool nameIsMissingInFolder(HANDLE folder, const wchar_t* name, uint32_t length);

// Attributes and the four times (0 where a time is not known or not to be changed).
struct NtFileBasics {
    LONGLONG creation = 0, access = 0, write = 0, change = 0;
    DWORD attributes = 0;
};
bool readBasics(HANDLE file, NtFileBasics* out);
// Only the attributes (those SetFileAttributesW may set; the folder and link bits are no
// one's to set); the times stay as they are. Needs FILE_WRITE_ATTRIBUTES.
bool writeAttributes(HANDLE file, DWORD attributes);

// How many names the item has and whether it is a folder.
bool readLinkCount(HANDLE file, DWORD* names, bool* folder);

// One batch of the listing of an open folder (FILE_LIST_DIRECTORY access) as
// FILE_DIRECTORY_INFORMATION records into `buffer`; `restart` starts from the first entry.
// 1 when records came, 0 at the end, -1 on failure (last error set).
int32_t listFolderBatch(HANDLE folder, void* buffer, uint32_t size, bool restart);

}  // namespace s::file::win
