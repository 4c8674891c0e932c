// s/file/win/HandleCheck.h
//
// Whether an open handle is the item itself, asked before anything is written, cut, renamed
// or deleted through it or through the item's name. A handle that reached another item
// through a link must change nothing; and the attributes cannot always tell (Wine 8.0 shows
// a link to a file as a plain file, 0x20 everywhere, while a link to a folder shows 0x410;
// checked). Where the system knows a handle's final path (GetFinalPathNameByHandleW, Vista
// on, looked up at run time) that path must be the item's own place: where its folder
// really is, and its own name. Where it does not (XP) the attributes are the rule. A file
// that other names share (hard links) would be changed for every name at once, so it too
// counts as reaching outside the item.
//
// The rules are pure functions, tested by tables; the system calls behind them are seams.
// Any thread; the seam is installed only while no handle is checked.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::str::strbuffer { class StrBuffer; }

namespace s::file::win {

class PathWin;

enum class HandleVerdict {
    kItself,
    kThroughLink,  // a link, or a handle whose final path is elsewhere
    kOtherNames,   // a file with more than one name
    kUnknown,      // the handle told nothing (its information could not be read)
};

// What a handle tells of the item it was opened on.
struct HandleFacts {
    bool informed = false;    // the handle's attributes and link count were read
    DWORD attributes = 0;     // from that answer
    DWORD names = 0;          // nNumberOfLinks
    bool placeKnown = false;  // the final path and the item's own place were both read
    bool atOwnPlace = false;  // the final path is the item's own place
};

// The rule: a reparse attribute or a final path elsewhere is a link; a file with more than
// one name has other names (never a folder: a folder's link count is not its names, Wine
// 8.0 answers 1 where Linux counts its subfolders, checked); nothing read is unknown.
HandleVerdict judgeHandle(const HandleFacts& facts, bool folder);

// Whether two paths name the same place as the system compares names: letters ignoring
// case, "\\?\X:\..." as "X:\...", "\\?\UNC\server\..." as "\\server\...", trailing
// separators aside. Short (8.3) names are expanded by the caller (see ownPlace).
bool isSamePlace(const wchar_t* a, uint32_t aLength, const wchar_t* b, uint32_t bLength);

// GetFinalPathNameByHandleW, or the one a test installed; null where there is none.
using FinalPathFunction = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
FinalPathFunction finalPathFunction();
// Puts f in its place (null: none, as on XP); answers the one before.
FinalPathFunction installFinalPathFunction(FinalPathFunction f);

// The final path of an open handle (normalised, with the drive letter) into out; false when
// the system has no such call or it failed.
bool readFinalPath(HANDLE handle, s::str::strbuffer::StrBuffer* out);

// The final path of the folder that holds the item, opened as its path leads (a link above
// the item leads to the folder the user chose): where the item's own name lies. False when
// it cannot be read.
bool readFolderPlace(const PathWin& item, s::str::strbuffer::StrBuffer* out);

// The folder that holds the item, opened as its path leads with `access` (and SYNCHRONIZE),
// sharing everything; INVALID_HANDLE_VALUE when it cannot be opened.
HANDLE openFolderOf(const PathWin& item, DWORD access);

// The item's own place: `folderPlace`, a separator and the item's own name (a short name
// expanded to its long one).
void ownPlace(const PathWin& item, const wchar_t* folderPlace, s::str::strbuffer::StrBuffer* out);

// The verdict on a handle opened on the item, whose folder lies at `folderPlace` (null when
// that is not known: the attributes are the rule then). `final`, when given, receives the
// handle's final path (empty when it could not be read).
HandleVerdict checkHandle(HANDLE handle, const PathWin& item, const wchar_t* folderPlace, bool folder,
                          s::str::strbuffer::StrBuffer* final);

}  // namespace s::file::win
