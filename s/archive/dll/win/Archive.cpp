// s/archive/dll/win/Archive.cpp
#include "s/archive/dll/win/Archive.h"

#include "s/archive/dll/TypeCodes.h"
#include "s/col/_array/ArrayU08.h"
#include "s/file/win/PathWin.h"
#include "s/io/IOutputStream.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/system/win/OsVersion.h"
#include "s/system/win/ProgramFile.h"
#include "s/thread/Pool.h"
#include "s/xml/Node.h"

#include <cwchar>

namespace s::archive::dll::win {

using s::col::_array::ArrayU08;
using s::str::strbuffer::StrBuffer;

namespace {

BOOL CALLBACK addLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR archive) {
    return reinterpret_cast<Archive*>(archive)->addResource(type, name, language);
}

BOOL CALLBACK addName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR archive) {
    Archive* self = reinterpret_cast<Archive*>(archive);
    if (!self->listLanguages()) return self->addResource(type, name, 0);
    EnumResourceLanguagesW(module, type, name, &addLanguage, archive);
    return TRUE;
}

BOOL CALLBACK addType(HMODULE module, LPWSTR type, LONG_PTR archive) {
    EnumResourceNamesW(module, type, &addName, archive);
    return TRUE;
}

bool isOwnProgram(const wchar_t* path) {
    StrBuffer own;
    return s::system::win::programFileText(&own) && lstrcmpiW(own.cString(), path) == 0;
}

// Matches of the find table; a and b are its arguments.
bool textIs(const wchar_t* have, const void* want) { return wcscmp(have, static_cast<const wchar_t*>(want)) == 0; }
bool textIsFolded(const wchar_t* have, const void* want) {
    return lstrcmpiW(have, static_cast<const wchar_t*>(want)) == 0;
}
uint32_t numberOf(const void* p) { return *static_cast<const uint32_t*>(p); }
// A code names a standard type; a larger number names a type that is no standard one.
bool typeIsCode(const Entry& e, uint32_t code) {
    return e.hasNumericType() && e.typeId() == code && e.hasStandardType() == (code < kTypeCodeCount);
}

bool byName(const Entry& e, const void* a, const void*) { return e.hasTextName() && textIs(e.nameText(), a); }
bool byNameId(const Entry& e, const void* a, const void*) { return e.hasNumericName() && e.nameId() == numberOf(a); }
bool byNameFolded(const Entry& e, const void* a, const void*) {
    return e.hasTextName() && textIsFolded(e.nameText(), a);
}
bool byTextTypeName(const Entry& e, const void* a, const void* b) {
    return e.hasTextType() && textIs(e.typeText(), a) && byName(e, b, nullptr);
}
bool byTextTypeNameId(const Entry& e, const void* a, const void* b) {
    return e.hasTextType() && textIs(e.typeText(), a) && byNameId(e, b, nullptr);
}
bool byTypeName(const Entry& e, const void* a, const void* b) { return typeIsCode(e, numberOf(a)) && byName(e, b, nullptr); }
bool byTypeNameId(const Entry& e, const void* a, const void* b) {
    return typeIsCode(e, numberOf(a)) && byNameId(e, b, nullptr);
}
bool byTextTypeNameFolded(const Entry& e, const void* a, const void* b) {
    return e.hasTextType() && textIsFolded(e.typeText(), a) && byNameFolded(e, b, nullptr);
}
bool byTypeNameFolded(const Entry& e, const void* a, const void* b) {
    return typeIsCode(e, numberOf(a)) && byNameFolded(e, b, nullptr);
}

}  // namespace

Archive::~Archive() { close(); }

bool Archive::open(s::file::IPath* path) {
    close();
    if (!path || !path->isFile()) return false;
    m_path = s::file::win::copyPath(path);
    const int64_t size = path->getSize(false, false, nullptr, nullptr, false);
    m_fileSize = size > 0 ? static_cast<uint64_t>(size) : 0;
    if (!m_path || !loadModule() || !enumerate()) {
        close();
        return false;
    }
    return true;
}

bool Archive::loadModule() {
    const wchar_t* file = m_path->getFullPath();
    if (isOwnProgram(file)) {
        m_module = LoadLibraryW(file);
    } else {
        // A foreign module is mapped as data: its entry code never runs. The image-resource
        // flag (which also keeps it from being taken for a loaded module) exists from 6.0 on;
        // XP refuses unknown flags.
        DWORD flags = LOAD_LIBRARY_AS_DATAFILE;
        if (s::system::win::osVersion().isVersion60OrLater) flags |= LOAD_LIBRARY_AS_IMAGE_RESOURCE;
        m_module = LoadLibraryExW(file, nullptr, flags);
    }
    return m_module != nullptr;
}

void Archive::freeModule() {
    if (m_module) FreeLibrary(m_module);
    m_module = nullptr;
}

bool Archive::listLanguages() const {
    return m_listsLanguagesSet ? m_listsLanguages : !s::system::win::osVersion().isVersion60OrLater;
}

bool Archive::enumerate() {
    EnumResourceTypesW(m_module, &addType, reinterpret_cast<LONG_PTR>(this));
    return true;
}

bool Archive::addResource(const wchar_t* type, const wchar_t* name, LANGID language) {
    Entry* entry = s::thread::Pool<Entry>::obtain();
    if (!entry) return false;
    if (!entry->setType(type) || !entry->setName(name) || !m_entries.add(entry)) {
        entry->releaseToPool();
        return false;
    }
    entry->setPrimaryLanguage(PRIMARYLANGID(language));
    entry->setSubLanguage(SUBLANGID(language));
    HRSRC handle = FindResourceExW(m_module, type, name, language);
    entry->setHandle(handle);
    entry->setSize(handle ? SizeofResource(m_module, handle) : 0);
    return true;
}

void Archive::refreshHandles() {
    for (uint32_t k = 0; k < m_entries.count(); ++k) {
        Entry* entry = entryOf(k);
        HRSRC handle = m_module ? FindResourceExW(m_module, entry->systemType(), entry->systemName(),
                                                  entry->language())
                                : nullptr;
        entry->setHandle(handle);
        entry->setSize(handle ? SizeofResource(m_module, handle) : 0);
    }
}

void Archive::releaseEntries() {
    for (uint32_t k = 0; k < m_entries.count(); ++k) entryOf(k)->releaseToPool();
    m_entries.clear();
}

void Archive::close() {
    releaseEntries();
    freeModule();
    clearOpen();
}

void Archive::clearOpen() {
    releaseEntries();
    m_module = nullptr;
    if (m_path) m_path->releaseToPool();
    m_path = nullptr;
    m_fileSize = 0;
}

bool Archive::lockEntry(const Entry* entry, const uint8_t** bytes, uint32_t* size) const {
    int32_t at = -1;
    if (!entry || !m_module || !entry->handle() || !m_entries.indexOf(const_cast<Entry*>(entry), &at)) return false;
    HGLOBAL loaded = LoadResource(m_module, entry->handle());
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return false;
    *bytes = static_cast<const uint8_t*>(data);
    *size = SizeofResource(m_module, entry->handle());
    return true;
}

bool Archive::readEntry(s::archive::IEntry* entry, s::io::IOutputStream* out) {
    const uint8_t* bytes = nullptr;
    uint32_t size = 0;
    if (!out || !lockEntry(static_cast<Entry*>(entry), &bytes, &size)) return false;
    return size == 0 || out->write(bytes, size, nullptr);
}

ArrayU08* Archive::extractEntry(const s::archive::IEntry* entry) {
    const uint8_t* bytes = nullptr;
    uint32_t size = 0;
    if (!lockEntry(static_cast<const Entry*>(entry), &bytes, &size)) return nullptr;
    ArrayU08* array = s::thread::Pool<ArrayU08>::obtain();
    if (array && size && !array->append(bytes, size, 0)) {
        array->releaseToPool();
        return nullptr;
    }
    return array;
}

bool Archive::findFirst(Match match, const void* a, const void* b, uint32_t* index) const {
    for (uint32_t k = 0; k < m_entries.count(); ++k) {
        if (match(*entryOf(k), a, b)) {
            *index = k;
            return true;
        }
    }
    return false;
}

bool Archive::findByName(const wchar_t* name, uint32_t* index) const { return findFirst(&byName, name, nullptr, index); }

bool Archive::findByNameId(uint16_t id, uint32_t* index) const {
    const uint32_t number = id;
    return findFirst(&byNameId, &number, nullptr, index);
}

bool Archive::findByNameIgnoreCase(const wchar_t* name, uint32_t* index) const {
    return findFirst(&byNameFolded, name, nullptr, index);
}

bool Archive::findNthOfType(uint32_t typeCode, uint32_t n, uint32_t* index) const {
    for (uint32_t k = 0; k < m_entries.count(); ++k) {
        if (typeIsCode(*entryOf(k), typeCode) && n-- == 0) {
            *index = k;
            return true;
        }
    }
    return false;
}

bool Archive::findTypeTextName(const wchar_t* type, const wchar_t* name, uint32_t* index) const {
    return findFirst(&byTextTypeName, type, name, index);
}

bool Archive::findTypeTextNameId(const wchar_t* type, uint16_t id, uint32_t* index) const {
    const uint32_t number = id;
    return findFirst(&byTextTypeNameId, type, &number, index);
}

bool Archive::findTypeIdName(uint32_t typeCode, const wchar_t* name, uint32_t* index) const {
    return findFirst(&byTypeName, &typeCode, name, index);
}

bool Archive::findTypeIdNameId(uint32_t typeCode, uint16_t id, uint32_t* index) const {
    const uint32_t number = id;
    return findFirst(&byTypeNameId, &typeCode, &number, index);
}

bool Archive::findTypeTextNameIgnoreCase(const wchar_t* type, const wchar_t* name, uint32_t* index) const {
    return findFirst(&byTextTypeNameFolded, type, name, index);
}

bool Archive::findTypeIdNameIgnoreCase(uint32_t typeCode, const wchar_t* name, uint32_t* index) const {
    return findFirst(&byTypeNameFolded, &typeCode, name, index);
}

bool Archive::updateEntry(const ArrayU08* bytes, const wchar_t* type, const wchar_t* name, uint16_t language) {
    if (!m_path || !type || !name) return false;
    bool known = false;
    for (uint32_t k = 0; k < m_entries.count() && !known; ++k) known = entryOf(k)->matches(type, name, language);
    if (!known) addResource(type, name, language);
    // The file cannot be written while it is mapped.
    freeModule();
    bool written = false;
    HANDLE update = BeginUpdateResourceW(m_path->getFullPath(), FALSE);
    if (update) {
        const bool changed = UpdateResourceW(update, type, name, language, bytes ? bytes->data() : nullptr,
                                             bytes ? bytes->count() : 0) != FALSE;
        written = EndUpdateResourceW(update, changed ? FALSE : TRUE) != FALSE && changed;
    }
    const bool reloaded = loadModule();
    refreshHandles();
    const int64_t size = m_path->getSize(false, false, nullptr, nullptr, false);
    m_fileSize = size > 0 ? static_cast<uint64_t>(size) : 0;
    return written && reloaded;
}

s::base::IObject* Archive::newInstance() const { return s::thread::Pool<Archive>::obtain(); }

void Archive::releaseToPool() { s::thread::Pool<Archive>::release(this); }

Archive* newDllArchive(s::file::IPath* path) {
    Archive* archive = s::thread::Pool<Archive>::obtain();
    if (archive && archive->open(path)) return archive;
    if (archive) archive->releaseToPool();
    return nullptr;
}

StrBuffer* loadResourceText(Archive* archive, const wchar_t* type, uint16_t id) {
    uint32_t index = 0;
    if (!archive || !archive->findTypeTextNameId(type, id, &index)) return nullptr;
    ArrayU08* bytes = archive->extractEntry(archive->entryOf(index));
    if (!bytes) return nullptr;
    StrBuffer* text = s::thread::Pool<StrBuffer>::obtain();
    // The resource is exactly the file that was embedded: no terminator, maybe a BOM.
    const uint8_t* p = bytes->data();
    uint32_t n = bytes->count();
    if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
        p += 3;
        n -= 3;
    }
    const bool decoded = text && (n == 0 || text->setFromUtf8(p, false, static_cast<int32_t>(n)));
    bytes->releaseToPool();
    if (decoded) return text;
    if (text) text->releaseToPool();
    return nullptr;
}

s::xml::Node* loadXmlResource(Archive* archive, const wchar_t* type, uint16_t id) {
    StrBuffer* text = loadResourceText(archive, type, id);
    if (!text) return nullptr;
    s::xml::Node* root = s::thread::Pool<s::xml::Node>::obtain();
    if (root) root->parse(text->cString());
    text->releaseToPool();
    return root;
}

}  // namespace s::archive::dll::win
