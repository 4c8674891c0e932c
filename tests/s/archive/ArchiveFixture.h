// tests/s/archive/ArchiveFixture.h
//
// Helpers of the archive tests: the running test program (which carries the program's
// resources), the fixture module beside it, archives opened on either, and bytes and texts
// read out of arrays.
#pragma once
#include <windows.h>

#include <string>

#include "s/archive/dll/win/Archive.h"
#include "s/col/_array/ArrayU08.h"
#include "s/file/win/PathWin.h"
#include "support/Pooled.h"

namespace tests::archive {

inline std::wstring ownProgram() {
    wchar_t self[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    return std::wstring(self, n);
}

inline std::wstring besideProgram(const wchar_t* name) {
    std::wstring folder = ownProgram();
    folder.resize(folder.find_last_of(L'\\') + 1);
    return folder + name;
}

inline std::wstring fixtureModule() { return besideProgram(L"archive_fixture.dll"); }

// An archive opened on a file; released at the end of the scope.
class OpenArchive {
public:
    explicit OpenArchive(const std::wstring& file)
        : m_path(s::file::win::pathFromString(file.c_str())), m_archive(s::archive::dll::win::newDllArchive(m_path.get())) {}
    s::archive::dll::win::Archive* get() const { return m_archive.get(); }
    s::archive::dll::win::Archive* operator->() const { return m_archive.get(); }

private:
    tests::Pooled<s::file::win::PathWin> m_path;
    tests::Pooled<s::archive::dll::win::Archive> m_archive;
};

inline std::string bytesOf(const s::col::_array::ArrayU08* array) {
    return array && array->count() ? std::string(reinterpret_cast<const char*>(array->data()), array->count())
                                   : std::string();
}

// UTF-16LE bytes as text.
inline std::wstring utf16Of(const s::col::_array::ArrayU08* array) {
    const std::string bytes = bytesOf(array);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
}

// The bytes of an entry found by type code and id; empty when absent.
inline std::string entryBytes(s::archive::dll::win::Archive* archive, uint32_t typeCode, uint16_t id) {
    uint32_t index = 0;
    if (!archive || !archive->findTypeIdNameId(typeCode, id, &index)) return std::string();
    tests::Pooled<s::col::_array::ArrayU08> bytes(archive->extractEntry(archive->entryOf(index)));
    return bytesOf(bytes.get());
}

}  // namespace tests::archive
