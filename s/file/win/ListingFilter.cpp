// s/file/win/ListingFilter.cpp
#include "s/file/win/ListingFilter.h"

#include <cwchar>

namespace s::file::win {

namespace {

constexpr DWORD kFolderOrLink = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;

bool isDotEntry(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

}  // namespace

Visibility visibilityFromSettings(DWORD hidden, DWORD showSuperHidden, bool onWindowsVolume) {
    Visibility visibility;
    visibility.showHidden = hidden != 2;
    visibility.showSystem = showSuperHidden != 0;
    visibility.onWindowsVolume = onWindowsVolume;
    return visibility;
}

bool isListable(DWORD attributes, const wchar_t* name, bool all, const Visibility& visibility) {
    if (!name || isDotEntry(name) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    if (all) return true;
    if ((attributes & FILE_ATTRIBUTE_HIDDEN) && !visibility.showHidden) return false;
    if ((attributes & FILE_ATTRIBUTE_SYSTEM) && !visibility.showSystem) return false;
    if (visibility.onWindowsVolume && !(visibility.showHidden && visibility.showSystem) &&
        (_wcsicmp(name, L"AUTOEXEC.BAT") == 0 || _wcsicmp(name, L"CONFIG.SYS") == 0))
        return false;
    return true;
}

bool matchesKind(DWORD attributes, EntryKind kind) {
    switch (kind) {
        case EntryKind::Folders: return (attributes & kFolderOrLink) == FILE_ATTRIBUTE_DIRECTORY;
        case EntryKind::Files: return (attributes & kFolderOrLink) == 0;
        default: return true;
    }
}

}  // namespace s::file::win
