// tests/s/archive/dll/win/ArchiveTest.cpp
//
// The module archive on the program's own resources (carried by this test program) and on
// the fixture module: the find table, languages, extraction, the resource text, loading a
// foreign module as data, failures to open, updating a copy and exporting every entry.
#include "s/archive/dll/win/Archive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "s/archive/dll/TypeCodes.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/system/win/OsVersion.h"
#include "s/xml/Node.h"
#include "support/Sandbox.h"
#include "tests/s/archive/ArchiveFixture.h"

namespace {

using s::archive::dll::win::Archive;
using s::archive::dll::win::Entry;
using namespace s::archive::dll;
using tests::archive::OpenArchive;

struct FindRow {
    const char* why;
    bool (*find)(Archive* archive, uint32_t* index);
    bool found;
    const wchar_t* type;  // the found entry's type text, or null for a numeric type
    uint32_t typeCode;    // its type code when numeric
    const wchar_t* name;  // its text name, or null for a numeric name
    uint16_t nameId;
};

const FindRow kProgramRows[] = {
    {"the language pack", [](Archive* a, uint32_t* i) { return a->findTypeTextNameId(L"IDR_XML", 130, i); }, true,
     L"IDR_XML", 0, nullptr, 130},
    {"type texts compare exactly", [](Archive* a, uint32_t* i) { return a->findTypeTextNameId(L"idr_xml", 130, i); },
     false, nullptr, 0, nullptr, 0},
    {"first skin picture", [](Archive* a, uint32_t* i) { return a->findTypeTextNameId(L"IDR_JPG", 131, i); }, true,
     L"IDR_JPG", 0, nullptr, 131},
    {"second skin picture", [](Archive* a, uint32_t* i) { return a->findTypeTextNameId(L"IDR_JPG", 132, i); }, true,
     L"IDR_JPG", 0, nullptr, 132},
    {"no third picture", [](Archive* a, uint32_t* i) { return a->findTypeTextNameId(L"IDR_JPG", 133, i); }, false,
     nullptr, 0, nullptr, 0},
    {"the icon group", [](Archive* a, uint32_t* i) { return a->findTypeIdNameId(kGroupIcon, 128, i); }, true, nullptr,
     kGroupIcon, nullptr, 128},
    {"a name id of another type", [](Archive* a, uint32_t* i) { return a->findTypeIdNameId(kIcon, 128, i); }, false,
     nullptr, 0, nullptr, 0},
    {"the second icon image", [](Archive* a, uint32_t* i) { return a->findNthOfType(kIcon, 1, i); }, true, nullptr,
     kIcon, nullptr, 2},
    {"the ninth icon image is none", [](Archive* a, uint32_t* i) { return a->findNthOfType(kIcon, 8, i); }, false,
     nullptr, 0, nullptr, 0},
    {"the manifest", [](Archive* a, uint32_t* i) { return a->findTypeIdNameId(kManifest, 1, i); }, true, nullptr,
     kManifest, nullptr, 1},
    {"the version record", [](Archive* a, uint32_t* i) { return a->findTypeIdNameId(kVersion, 1, i); }, true,
     nullptr, kVersion, nullptr, 1},
    {"a name id alone", [](Archive* a, uint32_t* i) { return a->findByNameId(130, i); }, true, L"IDR_XML", 0, nullptr,
     130},
};

const FindRow kFixtureRows[] = {
    {"a text name", [](Archive* a, uint32_t* i) { return a->findByName(L"NAMED", i); }, true, nullptr, kRcData,
     L"NAMED", 0},
    {"text names compare exactly", [](Archive* a, uint32_t* i) { return a->findByName(L"named", i); }, false, nullptr,
     0, nullptr, 0},
    {"a text name ignoring case", [](Archive* a, uint32_t* i) { return a->findByNameIgnoreCase(L"named", i); }, true,
     nullptr, kRcData, L"NAMED", 0},
    {"type code and text name", [](Archive* a, uint32_t* i) { return a->findTypeIdName(kRcData, L"NAMED", i); }, true,
     nullptr, kRcData, L"NAMED", 0},
    {"type code and name ignoring case",
     [](Archive* a, uint32_t* i) { return a->findTypeIdNameIgnoreCase(kRcData, L"nAmEd", i); }, true, nullptr, kRcData,
     L"NAMED", 0},
    {"both texts", [](Archive* a, uint32_t* i) { return a->findTypeTextName(L"MYDATA", L"TEXTNAME", i); }, true,
     L"MYDATA", 0, L"TEXTNAME", 0},
    {"both texts ignoring case",
     [](Archive* a, uint32_t* i) { return a->findTypeTextNameIgnoreCase(L"mydata", L"textname", i); }, true, L"MYDATA",
     0, L"TEXTNAME", 0},
    {"type text and name id", [](Archive* a, uint32_t* i) { return a->findTypeTextNameId(L"MYDATA", 801, i); }, true,
     L"MYDATA", 0, nullptr, 801},
    {"the second of a type in listing order (text names first, then ids)",
     [](Archive* a, uint32_t* i) { return a->findNthOfType(kRcData, 1, i); }, true, nullptr, kRcData, nullptr, 800},
    {"a number that is no standard type", [](Archive* a, uint32_t* i) { return a->findNthOfType(300, 0, i); }, true,
     nullptr, 300, nullptr, 802},
    {"a name id of a number type", [](Archive* a, uint32_t* i) { return a->findTypeIdNameId(300, 802, i); }, true,
     nullptr, 300, nullptr, 802},
    {"a type code is no number type", [](Archive* a, uint32_t* i) { return a->findTypeIdNameId(kRcData, 802, i); },
     false, nullptr, 0, nullptr, 0},
};

void checkRows(Archive* archive, const FindRow* rows, size_t count) {
    for (size_t k = 0; k < count; ++k) {
        const FindRow& row = rows[k];
        SCOPED_TRACE(row.why);
        uint32_t index = 12345;
        ASSERT_EQ(row.found, row.find(archive, &index));
        if (!row.found) {
            EXPECT_EQ(12345u, index);
            continue;
        }
        const Entry* entry = archive->entryOf(index);
        ASSERT_NE(nullptr, entry);
        if (row.type) {
            EXPECT_TRUE(entry->hasTextType());
            EXPECT_STREQ(row.type, entry->typeText());
        } else {
            EXPECT_TRUE(entry->hasNumericType());
            EXPECT_EQ(row.typeCode, entry->typeId());
        }
        if (row.name) {
            EXPECT_TRUE(entry->hasTextName());
            EXPECT_STREQ(row.name, entry->nameText());
        } else {
            EXPECT_TRUE(entry->hasNumericName());
            EXPECT_EQ(row.nameId, entry->nameId());
        }
    }
}

TEST(DllArchive, FindTableOnTheProgramsOwnResources) {
    OpenArchive program(tests::archive::ownProgram());
    ASSERT_NE(nullptr, program.get());
    checkRows(program.get(), kProgramRows, sizeof kProgramRows / sizeof kProgramRows[0]);
}

TEST(DllArchive, FindTableOnTheFixtureModule) {
    OpenArchive fixture(tests::archive::fixtureModule());
    ASSERT_NE(nullptr, fixture.get());
    checkRows(fixture.get(), kFixtureRows, sizeof kFixtureRows / sizeof kFixtureRows[0]);
}

TEST(DllArchive, AForeignModuleIsReadAsDataItsEntryCodeNeverRuns) {
    // The fixture's entry refuses to be loaded as a module of the process.
    EXPECT_EQ(nullptr, LoadLibraryW(tests::archive::fixtureModule().c_str()));
    OpenArchive fixture(tests::archive::fixtureModule());
    ASSERT_NE(nullptr, fixture.get());
    EXPECT_GT(fixture->entryCount(), 10u);
    EXPECT_EQ("eight", tests::archive::entryBytes(fixture.get(), kRcData, 800));
}

TEST(DllArchive, EveryEntryHasLanguage0WhereLanguagesAreNotListed) {
    // Wine 8.0 reports 6.1 by default: one entry per type and name, found with language 0.
    ASSERT_TRUE(s::system::win::osVersion().isVersion60OrLater);
    OpenArchive fixture(tests::archive::fixtureModule());
    ASSERT_NE(nullptr, fixture.get());
    for (uint32_t k = 0; k < fixture->entryCount(); ++k) {
        EXPECT_EQ(0, fixture->entryOf(k)->primaryLanguage());
        EXPECT_EQ(0, fixture->entryOf(k)->subLanguage());
        EXPECT_NE(nullptr, fixture->entryOf(k)->handle());
    }
    EXPECT_EQ("de", tests::archive::entryBytes(fixture.get(), kRcData, 950));
}

TEST(DllArchive, LanguagesAreListedAsStoredBefore60) {
    tests::Pooled<s::file::win::PathWin> path(s::file::win::pathFromString(tests::archive::fixtureModule().c_str()));
    tests::Pooled<Archive> archive;
    archive->setListsLanguages(true);
    ASSERT_TRUE(archive->open(path.get()));
    uint32_t index = 0;
    ASSERT_TRUE(archive->findTypeIdNameId(kRcData, 950, &index));
    EXPECT_EQ(7, archive->entryOf(index)->primaryLanguage());
    EXPECT_EQ(1, archive->entryOf(index)->subLanguage());
    EXPECT_EQ("de", tests::archive::entryBytes(archive.get(), kRcData, 950));
    ASSERT_TRUE(archive->findTypeIdNameId(kRcData, 800, &index));
    EXPECT_EQ(0, archive->entryOf(index)->primaryLanguage());
}

TEST(DllArchive, ReadEntryWritesExactlyTheResourceSize) {
    OpenArchive program(tests::archive::ownProgram());
    ASSERT_NE(nullptr, program.get());
    for (uint32_t k = 0; k < program->entryCount(); ++k) {
        tests::Pooled<s::col::_array::ArrayU08> out;
        ASSERT_TRUE(program->readEntry(program->entryAt(k), out.get()));
        EXPECT_EQ(program->entryAt(k)->size(), out->count());
        EXPECT_GT(out->count(), 0u);
    }
    // An entry of another archive is not read.
    OpenArchive fixture(tests::archive::fixtureModule());
    tests::Pooled<s::col::_array::ArrayU08> out;
    EXPECT_FALSE(program->readEntry(fixture->entryAt(0), out.get()));
    EXPECT_EQ(0u, out->count());
}

// The pack's version text (id 500010, its English child) as the raw pack holds it.
std::wstring packVersionText(const std::wstring& pack) {
    const size_t entry = pack.find(L"id=\"500010\"");
    const size_t open = pack.find(L"<eng>", entry);
    const size_t close = pack.find(L"</eng>", open);
    if (entry == std::wstring::npos || open == std::wstring::npos || close == std::wstring::npos) return L"";
    return pack.substr(open + 5, close - open - 5);
}

TEST(DllArchive, TheLanguagePackIsReadAsTextAndAsXml) {
    OpenArchive program(tests::archive::ownProgram());
    ASSERT_NE(nullptr, program.get());
    tests::Pooled<s::str::strbuffer::StrBuffer> text(
        s::archive::dll::win::loadResourceText(program.get(), L"IDR_XML", 130));
    ASSERT_NE(nullptr, text.get());
    const std::wstring pack = tests::text(text.get());
    EXPECT_EQ(0u, pack.find(L"<lang>"));
    // The version record of the program names the version the pack gives.
    const std::wstring version = packVersionText(pack);
    ASSERT_FALSE(version.empty());
    uint32_t index = 0;
    ASSERT_TRUE(program->findTypeIdNameId(kVersion, 1, &index));
    tests::Pooled<s::col::_array::ArrayU08> record;
    ASSERT_TRUE(program->versionAsText(index, record.get()));
    const std::wstring rendered = tests::archive::utf16Of(record.get());
    EXPECT_NE(std::wstring::npos, rendered.find(L"FileVersion: " + version + L"\r\n")) << rendered.c_str();
    EXPECT_NE(std::wstring::npos, rendered.find(L"ProductVersion: " + version + L"\r\n"));

    tests::Pooled<s::xml::Node> root(s::archive::dll::win::loadXmlResource(program.get(), L"IDR_XML", 130));
    ASSERT_NE(nullptr, root.get());
    EXPECT_STREQ(L"lang", root->name());
    EXPECT_NE(nullptr, root->childByName(L"languages", -1));
    EXPECT_NE(nullptr, root->childByName(L"entries", -1));

    EXPECT_EQ(nullptr, s::archive::dll::win::loadResourceText(program.get(), L"IDR_XML", 131));
    EXPECT_EQ(nullptr, s::archive::dll::win::loadXmlResource(program.get(), L"IDR_JPG", 999));
    EXPECT_EQ(nullptr, s::archive::dll::win::loadResourceText(nullptr, L"IDR_XML", 130));
}

TEST(DllArchive, WhatIsNoModuleDoesNotOpen) {
    tests::Sandbox box;
    ASSERT_TRUE(box.ok());
    ASSERT_TRUE(box.writeFile(L"notes.txt", "no module at all"));
    ASSERT_TRUE(box.writeFile(L"cut.dll", "MZ\x90\x00\x03\x00\x00\x00"));
    ASSERT_TRUE(box.makeFolder(L"folder.dll"));
    for (const wchar_t* name : {L"notes.txt", L"cut.dll", L"folder.dll", L"missing.dll"}) {
        SCOPED_TRACE(testing::Message() << name);
        tests::Pooled<s::file::win::PathWin> path(s::file::win::pathFromString(box.at(name).c_str()));
        tests::Pooled<Archive> archive;
        EXPECT_FALSE(archive->open(path.get()));
        EXPECT_EQ(0u, archive->entryCount());
        EXPECT_EQ(nullptr, archive->module());
    }
    EXPECT_EQ(nullptr, s::archive::dll::win::newDllArchive(nullptr));
}

// A copy of the fixture module in the test's own folder. Wine 8.0 rewrites a module through
// a temporary copy in the temporary folder (checked): that folder is the test's own too, so
// that no other test sees the file come and go.
class FixtureCopy {
public:
    FixtureCopy() {
        if (!m_box.ok()) return;
        m_ok = CopyFileW(tests::archive::fixtureModule().c_str(), path().c_str(), TRUE) != FALSE;
        for (const wchar_t* name : {L"TMP", L"TEMP"}) {
            wchar_t value[MAX_PATH] = {};
            m_saved.push_back(GetEnvironmentVariableW(name, value, MAX_PATH) ? value : L"");
            SetEnvironmentVariableW(name, m_box.path().c_str());
        }
    }
    ~FixtureCopy() {
        const wchar_t* names[] = {L"TMP", L"TEMP"};
        for (size_t k = 0; k < m_saved.size(); ++k)
            SetEnvironmentVariableW(names[k], m_saved[k].empty() ? nullptr : m_saved[k].c_str());
    }
    bool ok() const { return m_ok; }
    std::wstring path() const { return m_box.at(L"copy.dll"); }
    const tests::Sandbox& box() const { return m_box; }

private:
    tests::Sandbox m_box;
    bool m_ok = false;
    std::vector<std::wstring> m_saved;
};

s::col::_array::ArrayU08* bytesArray(const std::string& bytes) {
    auto* array = s::thread::Pool<s::col::_array::ArrayU08>::obtain();
    array->append(bytes.data(), static_cast<uint32_t>(bytes.size()), 0);
    return array;
}

TEST(DllArchive, UpdateEntryAddsAndReplacesResourcesInTheFile) {
    FixtureCopy copy;
    ASSERT_TRUE(copy.ok());
    OpenArchive archive(copy.path());
    ASSERT_NE(nullptr, archive.get());
    const uint32_t before = archive->entryCount();
    tests::Pooled<s::col::_array::ArrayU08> fresh(bytesArray("fresh bytes"));
    ASSERT_TRUE(archive->updateEntry(fresh.get(), RT_RCDATA, MAKEINTRESOURCEW(850), 0));
    EXPECT_EQ(before + 1, archive->entryCount());
    EXPECT_EQ("fresh bytes", tests::archive::entryBytes(archive.get(), kRcData, 850));
    tests::Pooled<s::col::_array::ArrayU08> other(bytesArray("replaced"));
    ASSERT_TRUE(archive->updateEntry(other.get(), RT_RCDATA, MAKEINTRESOURCEW(800), 0));
    EXPECT_EQ(before + 1, archive->entryCount());
    EXPECT_EQ("replaced", tests::archive::entryBytes(archive.get(), kRcData, 800));
    // Every other entry was looked up afresh in the rewritten file.
    EXPECT_EQ("nine", tests::archive::entryBytes(archive.get(), kRcData, 900));

    OpenArchive reopened(copy.path());
    ASSERT_NE(nullptr, reopened.get());
    EXPECT_EQ("fresh bytes", tests::archive::entryBytes(reopened.get(), kRcData, 850));
    EXPECT_EQ("replaced", tests::archive::entryBytes(reopened.get(), kRcData, 800));
    OpenArchive original(tests::archive::fixtureModule());
    EXPECT_EQ("eight", tests::archive::entryBytes(original.get(), kRcData, 800));
}

TEST(DllArchive, UpdateEntryOfTheRunningProgramFailsAndKeepsTheArchive) {
    OpenArchive program(tests::archive::ownProgram());
    ASSERT_NE(nullptr, program.get());
    const uint32_t before = program->entryCount();
    tests::Pooled<s::col::_array::ArrayU08> bytes(bytesArray("x"));
    // The file of a running program cannot be rewritten; nothing is said to be done.
    EXPECT_FALSE(program->updateEntry(bytes.get(), RT_RCDATA, MAKEINTRESOURCEW(4321), 0));
    EXPECT_NE(nullptr, program->module());
    uint32_t index = 0;
    EXPECT_TRUE(program->findTypeTextNameId(L"IDR_XML", 130, &index));
    EXPECT_NE(nullptr, program->entryOf(index)->handle());
    EXPECT_GE(program->entryCount(), before);
}

TEST(DllArchive, DamagedBitmapsAreNoBmpFile) {
    FixtureCopy copy;
    ASSERT_TRUE(copy.ok());
    std::string header(40, '\0');
    header[0] = 40;
    const struct {
        const char* why;
        std::string bytes;
    } rows[] = {
        {"a header size beyond the data", std::string("\x7f\0\0\0", 4) + std::string(20, '\0')},
        {"shorter than any header", std::string("\x28\0", 2)},
        {"a colour table beyond the data", header.substr(0, 14) + std::string("\x08\0", 2) + header.substr(16)},
        {"too many colours", header.substr(0, 32) + std::string("\0\x10\0\0", 4) + header.substr(36)},
        {"a size of 2^31 pixels", std::string("\x28\0\0\0\xff\xff\xff\x7f\xff\xff\xff\x7f\x01\0\x18\0", 16) +
                                      std::string(24, '\0')},
    };
    OpenArchive archive(copy.path());
    ASSERT_NE(nullptr, archive.get());
    uint16_t id = 710;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        tests::Pooled<s::col::_array::ArrayU08> bytes(bytesArray(row.bytes));
        ASSERT_TRUE(archive->updateEntry(bytes.get(), RT_BITMAP, MAKEINTRESOURCEW(id), 0));
        uint32_t index = 0;
        ASSERT_TRUE(archive->findTypeIdNameId(kBitmap, id++, &index));
        tests::Pooled<s::col::_array::ArrayU08> out;
        EXPECT_FALSE(archive->bitmapAsBmp(index, out.get()));
    }
}

struct ExportRow {
    const wchar_t* file;
    const char* why;
};

const ExportRow kExported[] = {
    {L"MENU\\200.txt", "menus as text"},
    {L"ACCELERATOR\\300.txt", "accelerators as text"},
    {L"DIALOG\\400.txt", "dialogs as text"},
    {L"DIALOG\\401.txt", "extended dialogs as text"},
    {L"STRING\\2.txt", "string tables by block id"},
    {L"VERSION\\1.txt", "the version record"},
    {L"CURSOR\\600.cur", "a group cursor as a file"},
    {L"CURSOR\\1", "a cursor image raw"},
    {L"BITMAP\\700.bmp", "a bitmap as a file"},
    {L"RCDATA\\NAMED", "a text name"},
    {L"RCDATA\\800", "raw data"},
    {L"MYDATA\\801", "a text type"},
    {L"MYDATA\\TEXTNAME", "a text type and name"},
    {L"300\\802", "a number type"},
    {L"IDR_GIF\\1000", "a picture"},
    {L"__\\_CON", "a hostile type and a device name"},
    {L"RCDATA\\___X", "a climbing name"},
    {L"RCDATA\\A_B_C_D_E_F_G_H_I_", "the characters file names refuse"},
};

TEST(DllArchive, ExportAllWritesEveryEntryUnderSafeNames) {
    FixtureCopy copy;
    ASSERT_TRUE(copy.ok());
    {
        OpenArchive archive(copy.path());
        ASSERT_NE(nullptr, archive.get());
        tests::Pooled<s::col::_array::ArrayU08> bytes(bytesArray("hostile"));
        ASSERT_TRUE(archive->updateEntry(bytes.get(), L"..", L"CON", 0));
        ASSERT_TRUE(archive->updateEntry(bytes.get(), RT_RCDATA, L"..\\X", 0));
        ASSERT_TRUE(archive->updateEntry(bytes.get(), RT_RCDATA, L"A\\B/C:D*E?F\"G<H>I|", 0));
    }
    ASSERT_TRUE(copy.box().makeFolder(L"out"));
    OpenArchive archive(copy.path());
    ASSERT_NE(nullptr, archive.get());
    tests::Pooled<s::file::win::PathWin> folder(s::file::win::pathFromString(copy.box().at(L"out").c_str()));
    EXPECT_TRUE(archive->exportAll(folder.get()));
    for (const ExportRow& row : kExported) {
        SCOPED_TRACE(row.why);
        EXPECT_TRUE(copy.box().exists(std::wstring(L"out\\") + row.file)) << std::string(row.file, row.file + wcslen(row.file));
    }
    std::string bytes;
    ASSERT_TRUE(copy.box().readFile(L"out\\RCDATA\\800", &bytes));
    EXPECT_EQ("eight", bytes);
    // Nothing beside the export folder and the module.
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(copy.box().at(L"*").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    int others = 0;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L".." && name != L"out" && name != L"copy.dll") ++others;
    } while (FindNextFileW(find, &found));
    FindClose(find);
    EXPECT_EQ(0, others);
    // Not into a missing folder.
    tests::Pooled<s::file::win::PathWin> missing(s::file::win::pathFromString(copy.box().at(L"none").c_str()));
    EXPECT_FALSE(archive->exportAll(missing.get()));
}

}  // namespace
