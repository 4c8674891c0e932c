// s/file/win/ListingFilter.h
//
// Which folder entries a listing shows, as plain functions of an entry's attributes and
// name and of Explorer's two visibility settings, so that the rules can be tested without a
// registry. Safe on any thread.
#pragma once
#include <windows.h>

namespace s::file::win {

struct Visibility {
    bool showHidden = true;      // entries with FILE_ATTRIBUTE_HIDDEN
    bool showSystem = false;     // entries with FILE_ATTRIBUTE_SYSTEM
    bool onWindowsVolume = false;  // the listed folder lies on the Windows folder's volume
};

// Explorer's values: "Hidden" (1 when missing) shows hidden entries unless it is 2;
// "ShowSuperHidden" (0 when missing) shows system entries when it is not 0.
Visibility visibilityFromSettings(DWORD hidden, DWORD showSuperHidden, bool onWindowsVolume);

// "." and ".." and every link, junction or mount point (FILE_ATTRIBUTE_REPARSE_POINT) never;
// with `all` everything else; otherwise hidden and system entries as the settings say, and
// "AUTOEXEC.BAT" and "CONFIG.SYS" (any case) are left out on the Windows volume when either
// kind is not shown.
bool isListable(DWORD attributes, const wchar_t* name, bool all, const Visibility& visibility);

// Kinds of a listing: everything, folders ((attributes & 0x410) == 0x10) or files
// ((attributes & 0x410) == 0).
enum class EntryKind { Children, Folders, Files };
bool matchesKind(DWORD attributes, EntryKind kind);

}  // namespace s::file::win
