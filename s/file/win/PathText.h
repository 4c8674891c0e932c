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
// first dot ("nul.txt"), spaces before the dot or the end ignored ("com1 .c", "aux  "): Win32
// opens the device instead of a file of that name.
bool isReservedDeviceName(const wchar_t* name, uint32_t length);

// Whether a name holds a character that no Windows name may hold (" * < > ? | and control
// characters): a name another system gave, which no Win32 call reaches. (":" is left out:
// it starts a stream.)
bool hasInexpressibleCharacter(const wchar_t* name, uint32_t length);

// Whether the last component of an absolute path (as needsVerbatimForm takes them) is a
// reserved device name: only the "\\?\" form reaches a file of that name.
bool namesDevice(const wchar_t* path, uint32_t length);

// Where the root of a path ends (the part that ".." never climbs out of): "X:\" 3,
// "\\server\share\" and "\\?\X:\", "\\?\UNC\server\share\" after their share or drive (a
// share root without its separator: its length); 0 for other forms (relative ones, devices,
// volumes by name).
uint32_t rootLength(const wchar_t* path, uint32_t length);

// Whether a component before the last one is "." or "..": Win32 resolves those in a plain
// path, but takes them as names in the "\\?\" form.
bool hasInnerDotComponent(const wchar_t* path, uint32_t length);

// Resolves the "." and ".." components that follow the root (rootLength) in place, also
// repeated separators there; returns the new length, or 0 when a ".." would climb out of
// the root or the path has no root this can keep. The last component is left as it is.
uint32_t collapseDotComponents(wchar_t* path, uint32_t length);

// "X:\..." (a letter, a colon, a separator) or a share path "\\server\share...", without the
// "\\?\" prefix: the only forms the shell takes for what it must not resolve against a
// current folder (the recycle bin deletes a relative path for good).
bool isFullyQualified(const wchar_t* path, uint32_t length);

// A path the shell reaches as its text shows: fully qualified, shorter than MAX_PATH (the
// shell's own buffers), without a name that Win32 would shorten ("a." reaches "a"), a "." or
// ".." that it would resolve, or a last name that it would open as a device.
bool isShellPath(const wchar_t* path, uint32_t length);

// An absolute path ("X:\..." or "\\server\...") with a component that ends in "." or " ":
// Win32 strips those from names, so without the "\\?\" form the call would reach the item
// whose name lacks them ("a." reaches "a"). "." and ".." components do not count.
bool needsVerbatimForm(const wchar_t* path, uint32_t length);

}  // namespace s::file::win
