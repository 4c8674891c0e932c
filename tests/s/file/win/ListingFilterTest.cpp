// tests/s/file/win/ListingFilterTest.cpp
//
// The listing filter as a function of an entry and of Explorer's two settings (the session's
// registry is shared by the tests running side by side, so the settings are not written).
#include "s/file/win/ListingFilter.h"

#include <gmock/gmock.h>

namespace {

using namespace s::file::win;

constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN;
constexpr DWORD kSystem = FILE_ATTRIBUTE_SYSTEM;
constexpr DWORD kFolder = FILE_ATTRIBUTE_DIRECTORY;
constexpr DWORD kLink = FILE_ATTRIBUTE_REPARSE_POINT;
constexpr DWORD kPlain = FILE_ATTRIBUTE_ARCHIVE;

TEST(ListingFilter, ExplorersSettingsAndTheirDefaults) {
    Visibility defaults = visibilityFromSettings(1, 0, false);
    EXPECT_TRUE(defaults.showHidden);
    EXPECT_FALSE(defaults.showSystem);
    EXPECT_FALSE(visibilityFromSettings(2, 0, false).showHidden) << "2 hides hidden entries";
    EXPECT_TRUE(visibilityFromSettings(0, 0, false).showHidden) << "only 2 hides";
    EXPECT_TRUE(visibilityFromSettings(1, 1, false).showSystem);
}

TEST(ListingFilter, WhatEachListingShows) {
    const Visibility hideHidden = visibilityFromSettings(2, 0, false);
    const Visibility showAll = visibilityFromSettings(1, 1, false);
    const Visibility windowsVolume = visibilityFromSettings(1, 0, true);
    const Visibility windowsVolumeAll = visibilityFromSettings(1, 1, true);
    struct Row {
        DWORD attributes;
        const wchar_t* name;
        bool all;
        const Visibility* visibility;
        bool listed;
        const char* why;
    } rows[] = {
        {kFolder, L".", true, &showAll, false, "the folder itself"},
        {kFolder, L"..", true, &showAll, false, "its parent"},
        {kFolder | kLink, L"junction", true, &showAll, false, "links never, even with all"},
        {kPlain | kLink, L"filelink", true, &showAll, false, "file links never"},
        {kPlain | kHidden, L"h.txt", false, &hideHidden, false, "hidden entries hidden"},
        {kPlain | kHidden, L"h.txt", true, &hideHidden, true, "but kept by all (the wiper's listing)"},
        {kPlain | kSystem, L"s.sys", false, &hideHidden, false, "system entries hidden by default"},
        {kPlain | kSystem, L"s.sys", false, &showAll, true, "shown with ShowSuperHidden"},
        {kPlain | kSystem, L"s.sys", true, &hideHidden, true, "kept by all"},
        {kPlain, L"autoexec.bat", false, &windowsVolume, false, "boot files on the Windows volume"},
        {kPlain, L"CONFIG.SYS", false, &windowsVolume, false, "any case"},
        {kPlain, L"CONFIG.SYS", false, &windowsVolumeAll, true, "unless everything is shown"},
        {kPlain, L"CONFIG.SYS", false, &hideHidden, true, "not on another volume"},
        {kPlain, L"CONFIG.SYS", true, &windowsVolume, true, "kept by all"},
        {kPlain, L"a.txt", false, &hideHidden, true, "a plain file"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(isListable(row.attributes, row.name, row.all, *row.visibility), row.listed);
    }
}

TEST(ListingFilter, Kinds) {
    EXPECT_TRUE(matchesKind(kFolder, EntryKind::Folders));
    EXPECT_FALSE(matchesKind(kFolder | kLink, EntryKind::Folders));
    EXPECT_FALSE(matchesKind(kFolder, EntryKind::Files));
    EXPECT_TRUE(matchesKind(kPlain, EntryKind::Files));
    EXPECT_FALSE(matchesKind(kPlain | kLink, EntryKind::Files));
    EXPECT_TRUE(matchesKind(kFolder, EntryKind::Children));
    EXPECT_TRUE(matchesKind(kPlain, EntryKind::Children));
}

}  // namespace
