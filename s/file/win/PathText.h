// s/file/win/PathText.h
//
// The text rules of the path object, as plain functions over (text, length) so that they
// can be tested without touching a disk: splitting a path into drive, folder, title and
// extension, recognising roots that no destructive operation may touch, reserved device
// names, and names that Win32 would silently shorten. Safe on any thread; no allocation.
#pragma once
#include <cstdint>

namespace s::file::win {

inline bool isPathSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// Where the parts of a path end: drive [0, driveEnd), folder [driveEnd, dirEnd) with its
// separators, title [dirEnd, titleEnd), extension [titleEnd, length) with its dot. The run-time
// library's split rules: a drive is the first two units when the second is ":", the folder
// runs to the last separator, the extension starts at the last "." after it.
struct PathSplit {
    uint32_t driveEnd = 0;
    uint32_t dirEnd = 0;
    uint32_t titleEnd = 0;
};
PathSplit splitPath(const wchar_t* path, uint32_t length);

// The length without trailing separators.
uint32_t lengthWithoutTrailingSeparators(const wchar_t* path, uint32_t length);

// "\\?\", "\\.\" or "\??\" (either separator): the path is already in a form Win32 passes on
// without normalising it.
bool hasVerbatimPrefix(const wchar_t* path, uint32_t length);

// Paths that name a whole drive, share or volume, or that Win32 resolves to another item than
// their text shows: 3 units or fewer ("C:\", "\", "X"); a share or server root ("\\server",
// "\\server\share"); a prefixed root ("\\?\C:\", "\\?\Volume{...}\", "\\?\UNC\server\share",
// "\\.\PhysicalDrive0", "\??\C:", "\\?\Global\C:", "\\?\GLOBALROOT\Device\X",
// "\\?\GLOBALROOT\Device\Harddisk0\Partition1", "\\?\GLOBALROOT\Device\Mup\server\share");
// a stream of any of these ("C:\:s"); and any path whose last component is made of dots and
// spaces only ("C:\.", "C:\x\..", "C:\ ."), which normalises to its parent or a root.
// Trailing separators are ignored. Every destructive operation refuses these.
bool isRootLike(const wchar_t* path, uint32_t length);

// CON, PRN, AUX, NUL, COM1-COM9 or LPT1-LPT9, ignoring case, as the whole name or before its
// first dot ("nul.txt"): Win32 opens the device instead of a file of that name.
bool isReservedDeviceName(const wchar_t* name, uint32_t length);

// "X:\..." (a letter, a colon, a separator) or a share path "\\server\share...", without the
// "\\?\" prefix: the only forms the shell takes for what it must not resolve against a
// current folder (the recycle bin deletes a relative path for good).
bool isFullyQualified(const wchar_t* path, uint32_t length);

// A path the shell reaches as its text shows: fully qualified, shorter than MAX_PATH (the
// shell's own buffers), and without a name that Win32 would shorten ("a." reaches "a").
bool isShellPath(const wchar_t* path, uint32_t length);

// An absolute path ("X:\..." or "\\server\...") with a component that ends in "." or " ":
// Win32 strips those from names, so without the "\\?\" form the call would reach the item
// whose name lacks them ("a." reaches "a"). "." and ".." components do not count.
bool needsVerbatimForm(const wchar_t* path, uint32_t length);

}  // namespace s::file::win
