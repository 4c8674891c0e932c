// s/archive/dll/win/Archive.h
//
// The resources of a module file (pooled, capacity 1000): the running program is loaded as
// itself, any other file only as data, so that no code of a foreign file runs. Owns its
// path, its entries and the module while open. One thread at a time, no lock: the start-up
// thread reads it before any window exists. Implemented in Archive.cpp (loading, finding,
// extracting, updating) and ArchiveExport.cpp (icons, bitmaps, renderings, exportAll).
#pragma once
#include <windows.h>

#include "s/archive/dll/IArchive.h"
#include "s/archive/dll/win/Entry.h"
#include "s/col/_array/ArrayP.h"

namespace s::file::win { class PathWin; }
namespace s::str::strbuffer { class StrBuffer; }
namespace s::xml { class Node; }

namespace s::archive::dll::win {

class Archive final : public s::archive::dll::IArchive {
public:
    Archive() = default;
    ~Archive() override;
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    Entry* entryOf(uint32_t index) const { return m_entries.item<Entry>(index); }
    HMODULE module() const { return m_module; }
    const s::file::win::PathWin* path() const { return m_path; }
    // Whether the languages of each resource are listed (systems before 6.0); a test sets
    // it to see both ways on one system.
    void setListsLanguages(bool on) { m_listsLanguages = on; m_listsLanguagesSet = true; }
    // A pooled array with the entry's bytes; null when it cannot be read.
    s::col::_array::ArrayU08* extractEntry(const s::archive::IEntry* entry);

    // s::archive::IArchive
    uint64_t totalSize() const override { return m_fileSize; }
    uint32_t entryCount() const override { return m_entries.count(); }
    const s::col::_array::ArrayP& entries() const override { return m_entries; }
    s::archive::IEntry* entryAt(uint32_t index) const override { return entryOf(index); }
    bool open(s::file::IPath* path) override;
    void close() override;
    bool readEntry(s::archive::IEntry* entry, s::io::IOutputStream* out) override;
    void clearOpen() override;

    // s::archive::dll::IArchive
    bool findByName(const wchar_t* name, uint32_t* index) const override;
    bool findByNameId(uint16_t id, uint32_t* index) const override;
    bool findByNameIgnoreCase(const wchar_t* name, uint32_t* index) const override;
    bool findNthOfType(uint32_t typeCode, uint32_t n, uint32_t* index) const override;
    bool findTypeTextName(const wchar_t* type, const wchar_t* name, uint32_t* index) const override;
    bool findTypeTextNameId(const wchar_t* type, uint16_t id, uint32_t* index) const override;
    bool findTypeIdName(uint32_t typeCode, const wchar_t* name, uint32_t* index) const override;
    bool findTypeIdNameId(uint32_t typeCode, uint16_t id, uint32_t* index) const override;
    bool findTypeTextNameIgnoreCase(const wchar_t* type, const wchar_t* name, uint32_t* index) const override;
    bool findTypeIdNameIgnoreCase(uint32_t typeCode, const wchar_t* name, uint32_t* index) const override;
    bool exportAll(s::file::IPath* folder) override;
    bool groupIconAsIco(uint32_t index, s::io::IOutputStream* out) override;
    bool groupCursorAsCur(uint32_t index, s::io::IOutputStream* out) override;
    bool bitmapAsBmp(uint32_t index, s::io::IOutputStream* out) override;
    bool versionAsText(uint32_t index, s::io::IOutputStream* out) override;
    bool stringTableAsText(uint32_t index, s::io::IOutputStream* out) override;
    bool describeAccelerators(uint32_t index, s::io::IOutputStream* out) override;
    bool describeMenu(uint32_t index, s::io::IOutputStream* out) override;
    bool describeDialog(uint32_t index, s::io::IOutputStream* out) override;
    bool updateEntry(const s::col::_array::ArrayU08* bytes, const wchar_t* type, const wchar_t* name,
                     uint16_t language) override;
    void forgetModule() override { m_module = nullptr; }

    // IObject
    const wchar_t* classId() const override { return L"s_archive_dll_win_Archive"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override { close(); }

    // Enumeration callbacks (Archive.cpp).
    bool addResource(const wchar_t* type, const wchar_t* name, LANGID language);
    bool listLanguages() const;

private:
    using Match = bool (*)(const Entry& entry, const void* a, const void* b);
    bool findFirst(Match match, const void* a, const void* b, uint32_t* index) const;
    bool loadModule();
    void freeModule();
    bool enumerate();
    void refreshHandles();
    void releaseEntries();
    // The entry's bytes in the module (valid while it stays loaded); false when absent.
    bool lockEntry(const Entry* entry, const uint8_t** bytes, uint32_t* size) const;
    // Renders the entry of that type code with a text renderer into the stream as UTF-16LE.
    using Renderer = bool (*)(const uint8_t* bytes, uint32_t size, s::str::strbuffer::StrBuffer* text);
    bool render(uint32_t index, uint32_t typeCode, Renderer renderer, bool utf8, s::io::IOutputStream* out);
    bool exportEntry(uint32_t index, s::file::IPath* folder);

    s::file::win::PathWin* m_path = nullptr;
    uint64_t m_fileSize = 0;
    s::col::_array::ArrayP m_entries;
    HMODULE m_module = nullptr;
    bool m_listsLanguages = false;
    bool m_listsLanguagesSet = false;
};

// A pooled archive opened on the path; null when it cannot be opened.
Archive* newDllArchive(s::file::IPath* path);
// The resource of that text type and numeric id, UTF-8 decoded by its size (pooled); null
// when absent.
s::str::strbuffer::StrBuffer* loadResourceText(Archive* archive, const wchar_t* type, uint16_t id);
// That text parsed (pooled); null when absent.
s::xml::Node* loadXmlResource(Archive* archive, const wchar_t* type, uint16_t id);

}  // namespace s::archive::dll::win
