// s/reg/win/RegDir.cpp
//
// The key object, the three shared buffers of the native calls (values, subkey names,
// value names) and the walks over a tree of handles (delete, total size). Longer than most
// units: the key has some forty operations, and the buffers and walks serve only them.
#include "s/reg/win/RegDir.h"

#include <cstddef>
#include <cstring>
#include <cwchar>
#include <new>

#include "s/col/_array/ArrayP.h"
#include "s/reg/win/NtRegistry.h"
#include "s/str/strarray/StrArray.h"
#include "s/thread/ObjLocker.h"
#include "s/thread/Pool.h"

namespace s::reg::win {

namespace {

using s::col::_array::ArrayP;
using s::col::_array::ArrayU08;
using s::str::strarray::StrArray;
using s::str::strbuffer::StrBuffer;

constexpr ACCESS_MASK kFullAccess = KEY_ALL_ACCESS;  // 0xF003F
constexpr ULONG kCreateNonVolatile = 0;              // REG_OPTION_NON_VOLATILE
// RtlInitUnicodeString counts at most 0xFFFC bytes; a longer text would be cut, and a cut
// path names another key (a parent), so it is refused instead.
constexpr size_t kMaxNativeUnits = 0x7FFE;
// Windows nests keys at most 512 deep; the walks stop there whatever the system shows.
constexpr int kMaxDepth = 512;
constexpr ULONG kValueSlack = 1026;  // added to the reported size when the buffer grows
constexpr int kQueryAttempts = 4;    // a value may grow between two queries

// A process-wide buffer for the native calls, grown on demand, under its own lock.
class SharedBuffer {
public:
    explicit SharedBuffer(ULONG initial) : m_initial(initial) {}
    s::thread::ObjLocker& lock() { return m_lock; }
    uint8_t* bytes() const { return m_bytes; }
    ULONG size() const { return m_size; }
    // At least n bytes (the first use allocates the initial size); call with the lock held.
    bool ensure(uint64_t n) {
        if (n < m_initial) n = m_initial;
        if (m_bytes && n <= m_size) return true;
        if (n > 0x7FFFFFFF) return false;
        uint8_t* grown = new (std::nothrow) uint8_t[static_cast<size_t>(n)];
        if (!grown) return false;
        delete[] m_bytes;
        m_bytes = grown;
        m_size = static_cast<ULONG>(n);
        return true;
    }

private:
    s::thread::ObjLocker m_lock;
    uint8_t* m_bytes = nullptr;
    ULONG m_size = 0;
    const ULONG m_initial;
};

SharedBuffer& valueBuffer() {
    static SharedBuffer buffer(0x4000);
    return buffer;
}
SharedBuffer& subkeyNameBuffer() {
    static SharedBuffer buffer(1024);
    return buffer;
}
SharedBuffer& valueNameBuffer() {
    static SharedBuffer buffer(1024);
    return buffer;
}

bool isTooSmall(NTSTATUS status) {
    return status == kStatusBufferOverflow || status == kStatusBufferTooSmall;
}

// Calls query(buffer, size, &resultLength) into the shared buffer, growing it to the
// reported size + slack while the call finds it too small. Call with the buffer's lock
// held; *valid is how many bytes of the buffer the answer fills.
template <class Query>
NTSTATUS queryGrowing(SharedBuffer& buffer, ULONG slack, ULONG* valid, Query query) {
    NTSTATUS status = kStatusBufferTooSmall;
    for (int attempt = 0; attempt < kQueryAttempts && buffer.ensure(0); ++attempt) {
        ULONG result = 0;
        status = query(buffer.bytes(), buffer.size(), &result);
        if (!isTooSmall(status)) {
            *valid = result < buffer.size() ? result : buffer.size();
            return status;
        }
        uint64_t wanted = result > buffer.size() ? uint64_t{result} + slack : uint64_t{buffer.size()} * 2;
        if (!buffer.ensure(wanted)) break;
    }
    return status;
}

// A native name for a zero-terminated text; false when the text is too long to count.
bool initName(const NtRegistry* nt, UNICODE_STRING* string, const wchar_t* text) {
    if (!text) text = L"";
    if (std::wcslen(text) > kMaxNativeUnits) return false;
    nt->initUnicodeString(string, text);
    return true;
}

void initAttributes(OBJECT_ATTRIBUTES* attributes, UNICODE_STRING* name, HANDLE rootDirectory,
                    ULONG extra) {
    std::memset(attributes, 0, sizeof *attributes);
    attributes->Length = sizeof *attributes;
    attributes->RootDirectory = rootDirectory;
    attributes->ObjectName = name;
    attributes->Attributes = OBJ_CASE_INSENSITIVE | extra;
}

// Opens `path` (relative to `parent` when given); extra OBJ_OPENLINK opens a link itself.
bool openNative(const NtRegistry* nt, HANDLE parent, const wchar_t* path, ULONG extra, HANDLE* handle) {
    UNICODE_STRING name;
    OBJECT_ATTRIBUTES attributes;
    if (!initName(nt, &name, path)) return false;
    initAttributes(&attributes, &name, parent, extra);
    HANDLE h = nullptr;
    if (!NT_SUCCESS(nt->openKey(&h, kFullAccess, &attributes))) return false;
    *handle = h;
    return true;
}

bool createNative(const NtRegistry* nt, const wchar_t* path, HANDLE* handle) {
    UNICODE_STRING name;
    OBJECT_ATTRIBUTES attributes;
    if (!initName(nt, &name, path)) return false;
    initAttributes(&attributes, &name, nullptr, 0);
    HANDLE h = nullptr;
    ULONG disposition = 0;
    if (!NT_SUCCESS(nt->createKey(&h, kFullAccess, &attributes, 0, nullptr, kCreateNonVolatile, &disposition)))
        return false;
    *handle = h;
    return true;
}

// The name of a basic-information record (key or value) at nameOffset, within `valid`
// bytes only, into *name.
bool copyName(const uint8_t* record, ULONG valid, size_t nameOffset, ULONG nameBytes, StrBuffer* name) {
    if (valid < nameOffset || nameBytes > valid - nameOffset) return false;
    name->clear();
    return name->append(reinterpret_cast<const wchar_t*>(record + nameOffset), static_cast<int32_t>(nameBytes / 2));
}

// The name of the entry that `enumerate` reports (a record with a name field), from the
// shared name buffer, into *name.
template <class Record, class Enumerate>
NTSTATUS nameAt(SharedBuffer& buffer, StrBuffer* name, Enumerate enumerate) {
    s::thread::Lock lock(buffer.lock());
    ULONG valid = 0;
    NTSTATUS status = queryGrowing(buffer, 0, &valid, enumerate);
    if (!NT_SUCCESS(status)) return status;
    if (valid < offsetof(Record, name)) return kStatusBufferTooSmall;
    const ULONG nameBytes = reinterpret_cast<const Record*>(buffer.bytes())->nameLength;
    return copyName(buffer.bytes(), valid, offsetof(Record, name), nameBytes, name) ? status : kStatusBufferTooSmall;
}

NTSTATUS subkeyNameAt(const NtRegistry* nt, HANDLE key, ULONG index, StrBuffer* name) {
    return nameAt<KeyBasicInformation>(subkeyNameBuffer(), name, [&](void* b, ULONG n, ULONG* r) {
        return nt->enumerateKey(key, index, kKeyBasicInformation, b, n, r);
    });
}

NTSTATUS valueNameAt(const NtRegistry* nt, HANDLE key, ULONG index, StrBuffer* name) {
    return nameAt<KeyValueBasicInformation>(valueNameBuffer(), name, [&](void* b, ULONG n, ULONG* r) {
        return nt->enumerateValueKey(key, index, kKeyValueBasicInformation, b, n, r);
    });
}

// Where the data of a full-information record lies within `valid` bytes; false when the
// record does not hold it.
bool dataOf(const uint8_t* record, ULONG valid, ULONG* offset, ULONG* length) {
    if (valid < offsetof(KeyValueFullInformation, name)) return false;
    auto* info = reinterpret_cast<const KeyValueFullInformation*>(record);
    if (info->dataLength && (info->dataOffset > valid || info->dataLength > valid - info->dataOffset)) return false;
    *offset = info->dataOffset;
    *length = info->dataLength;
    return true;
}

NTSTATUS valueLengthAt(const NtRegistry* nt, HANDLE key, ULONG index, ULONG* length) {
    SharedBuffer& buffer = valueBuffer();
    s::thread::Lock lock(buffer.lock());
    ULONG valid = 0;
    NTSTATUS status = queryGrowing(buffer, kValueSlack, &valid, [&](void* b, ULONG n, ULONG* r) {
        return nt->enumerateValueKey(key, index, kKeyValueFullInformation, b, n, r);
    });
    if (!NT_SUCCESS(status)) return status;
    ULONG offset = 0;
    return dataOf(buffer.bytes(), valid, &offset, length) ? status : kStatusBufferTooSmall;
}

// Deletes every key below `key`, depth first; links are opened as themselves and removed,
// never followed. False when any could not be deleted (the others still are).
bool deleteSubkeys(const NtRegistry* nt, HANDLE key, int depth) {
    if (depth > kMaxDepth) return false;
    bool ok = true;
    StrBuffer name;
    for (ULONG index = 0;;) {
        NTSTATUS status = subkeyNameAt(nt, key, index, &name);
        if (status == kStatusNoMoreEntries) break;
        if (!NT_SUCCESS(status)) return false;
        HANDLE child = nullptr;
        bool removed = false;
        if (openNative(nt, key, name.cString(), OBJ_OPENLINK, &child)) {
            removed = deleteSubkeys(nt, child, depth + 1) && NT_SUCCESS(nt->deleteKey(child));
            nt->close(child);
        }
        // A deleted key moves the next one to its index; a kept one is stepped over.
        if (!removed) {
            ok = false;
            ++index;
        }
    }
    return ok;
}

uint64_t sizeOfTree(const NtRegistry* nt, HANDLE key, bool recurse, uint32_t* subkeyCount,
                    uint32_t* valueCount, int depth) {
    uint64_t total = 0;
    ULONG length = 0;
    for (ULONG index = 0; NT_SUCCESS(valueLengthAt(nt, key, index, &length)); ++index) {
        total += length;
        if (valueCount) ++*valueCount;
    }
    if (!recurse && !subkeyCount) return total;
    StrBuffer name;
    for (ULONG index = 0; NT_SUCCESS(subkeyNameAt(nt, key, index, &name)); ++index) {
        if (subkeyCount) ++*subkeyCount;
        HANDLE child = nullptr;
        if (recurse && depth < kMaxDepth && openNative(nt, key, name.cString(), OBJ_OPENLINK, &child)) {
            total += sizeOfTree(nt, child, recurse, subkeyCount, valueCount, depth + 1);
            nt->close(child);
        }
    }
    return total;
}

uint32_t componentCount(const StrBuffer& path) {
    uint32_t n = 0;
    for (uint32_t i = 0; i < path.length(); ++i)
        if (path.charAt(i) != L'\\' && (i == 0 || path.charAt(i - 1) == L'\\')) ++n;
    return n;
}

// The units of a string value up to its first zero, within its data only; an odd last
// byte is dropped.
bool decodeText(const ArrayU08& data, StrBuffer* text) {
    const wchar_t* units = reinterpret_cast<const wchar_t*>(data.data());
    uint32_t n = 0;
    const uint32_t count = data.count() / 2;
    while (n < count && units[n]) ++n;
    text->clear();
    return text->append(units, static_cast<int32_t>(n));
}

// Environment variables of `raw` expanded into *text; growing as the system asks.
bool expandInto(const StrBuffer& raw, StrBuffer* text) {
    DWORD room = 520;
    for (int attempt = 0; attempt < kQueryAttempts; ++attempt) {
        if (!text->reserve(room)) return false;
        DWORD n = ExpandEnvironmentStringsW(raw.cString(), text->chars(), text->capacity() + 1);
        if (n == 0) return false;
        if (n <= text->capacity() + 1) {
            text->setLength(n - 1);
            return true;
        }
        room = n;
    }
    return false;
}

uint32_t load32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

uint64_t load64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

}  // namespace

RegDir::RegDir() { buildPaths(); }

RegDir::~RegDir() { close(); }

// Paths and opening

void RegDir::setPath(const wchar_t* path) {
    tidyKeyPath(path, &m_path);
    buildPaths();
}

void RegDir::buildPaths() {
    m_displayPath.setText(m_rootName);
    m_nativePath.setText(m_rootNativePath);
    if (m_path.length() == 0) return;
    m_displayPath.appendChar(L'\\');
    m_displayPath.appendStr(&m_path);
    m_nativePath.appendChar(L'\\');
    m_nativePath.appendStr(&m_path);
}

bool RegDir::setRoot(HKEY root) {
    const wchar_t* name = rootName(root);
    const wchar_t* nativePath = rootNativePath(root);
    if (!name || !nativePath) return false;
    close();
    m_root = root;
    m_rootName = name;
    m_rootNativePath = nativePath;
    buildPaths();
    return true;
}

bool RegDir::openHandle() {
    if (m_handle) return true;
    const NtRegistry* nt = ntRegistry();
    if (!nt || m_rootNativePath[0] == 0) return false;
    return openNative(nt, nullptr, m_nativePath.cString(), 0, &m_handle);
}

bool RegDir::open(const wchar_t* path) {
    close();
    setPath(path);
    return openHandle();
}

bool RegDir::openAt(HKEY root, const wchar_t* path) { return setRoot(root) && open(path); }

bool RegDir::openFullPath(const wchar_t* text) {
    HKEY root = nullptr;
    const wchar_t* rest = nullptr;
    if (splitRootName(text, &root, &rest)) return openAt(root, rest);
    return openAt(HKEY_CURRENT_USER, L"InvalidKey");
}

const wchar_t* RegDir::name() const {
    uint32_t at = 0;
    const wchar_t* path = m_path.cString();
    return m_path.lastIndexOf(L'\\', &at) ? path + at + 1 : path;
}

IRegDir* RegDir::parentKey() const {
    uint32_t at = 0;
    if (!m_path.lastIndexOf(L'\\', &at)) return nullptr;
    RegDir* parent = s::thread::Pool<RegDir>::obtain();
    if (!parent) return nullptr;
    StrBuffer* path = m_path.substring(0, at);
    if (!path || !parent->setRoot(m_root)) {
        if (path) path->releaseToPool();
        parent->releaseToPool();
        return nullptr;
    }
    parent->open(path->cString());
    path->releaseToPool();
    return parent;
}

ArrayP* RegDir::listSubkeys(const wchar_t* prefix) {
    ArrayP* list = s::thread::Pool<ArrayP>::obtain();
    if (!list) return nullptr;
    list->setElementDestructor(&s::thread::Pool<RegDir>::pooler());
    if (!openHandle()) return list;
    const NtRegistry* nt = ntRegistry();
    StrBuffer name;
    StrBuffer path;
    for (ULONG index = 0; NT_SUCCESS(subkeyNameAt(nt, m_handle, index, &name)); ++index) {
        if (prefix && !name.startsWithIgnoreCase(prefix)) continue;
        RegDir* child = s::thread::Pool<RegDir>::obtain();
        if (!child) break;
        path.setStr(&m_path);
        if (path.length()) path.appendChar(L'\\');
        path.appendStr(&name);
        child->setRoot(m_root);
        child->open(path.cString());
        if (!list->add(child)) {
            child->releaseToPool();
            break;
        }
    }
    return list;
}

ArrayP* RegDir::subkeys() { return listSubkeys(nullptr); }

ArrayP* RegDir::subkeysMatching(const wchar_t* prefix) { return listSubkeys(prefix ? prefix : L""); }

void RegDir::close() {
    if (!m_handle) return;
    if (const NtRegistry* nt = ntRegistry()) nt->close(m_handle);
    m_handle = nullptr;
}

bool RegDir::reopen() {
    if (!m_handle) return false;
    close();
    return openHandle();
}

bool RegDir::create() {
    if (m_handle) return true;
    const NtRegistry* nt = ntRegistry();
    if (!nt || m_rootNativePath[0] == 0) return false;
    if (createNative(nt, m_nativePath.cString(), &m_handle)) return true;
    // A missing parent: make each level from the top down, then the key itself.
    StrBuffer level;
    for (uint32_t i = 0; i < m_path.length(); ++i) {
        if (m_path.charAt(i) != L'\\') continue;
        HANDLE made = nullptr;
        level.setText(m_rootNativePath);
        level.appendChar(L'\\');
        level.append(m_path.chars(), static_cast<int32_t>(i));
        if (!createNative(nt, level.cString(), &made)) return false;
        nt->close(made);
    }
    return createNative(nt, m_nativePath.cString(), &m_handle);
}

// The key paths that must never be deleted or renamed: a root (empty path, or another
// root's native path such as HKEY_USERS\<SID>), and the hive roots one level below
// \Registry\Machine and \Registry\User ("\Registry\Machine\SOFTWARE").
bool RegDir::isProtected() const {
    if (m_path.length() == 0 || m_rootNativePath[0] == 0 || componentCount(m_nativePath) < 4) return true;
    const HKEY roots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS,
                          HKEY_CURRENT_CONFIG};
    for (HKEY root : roots) {
        const wchar_t* path = rootNativePath(root);
        if (path && _wcsicmp(m_nativePath.cString(), path) == 0) return true;
    }
    return false;
}

bool RegDir::deleteKey(bool withKey) {
    const NtRegistry* nt = ntRegistry();
    if (!nt || isProtected()) return false;
    close();
    // The key as itself: when it is a link, the link goes, not what it points to.
    HANDLE key = nullptr;
    if (!openNative(nt, nullptr, m_nativePath.cString(), OBJ_OPENLINK, &key)) return false;
    bool ok = deleteSubkeys(nt, key, 0);
    if (ok && withKey) ok = NT_SUCCESS(nt->deleteKey(key));
    nt->close(key);
    return ok;
}

bool RegDir::rename(const wchar_t* newName) {
    const NtRegistry* nt = ntRegistry();
    if (!nt || isProtected() || !newName || !*newName || std::wcschr(newName, L'\\')) return false;
    close();
    UNICODE_STRING name;
    HANDLE key = nullptr;
    if (!initName(nt, &name, newName) || !openNative(nt, nullptr, m_nativePath.cString(), OBJ_OPENLINK, &key))
        return false;
    bool ok = NT_SUCCESS(nt->renameKey(key, &name));
    nt->close(key);
    return ok;
}

bool RegDir::flush() {
    const NtRegistry* nt = ntRegistry();
    return nt && m_handle && NT_SUCCESS(nt->flushKey(m_handle));
}

// Values

bool RegDir::queryValue(const wchar_t* name, uint32_t* type, uint32_t* size, int32_t expectedType) {
    if (type) *type = 0;
    if (size) *size = 0;
    UNICODE_STRING valueName;
    if (!openHandle()) return false;
    const NtRegistry* nt = ntRegistry();
    if (!initName(nt, &valueName, name)) return false;
    SharedBuffer& buffer = valueBuffer();
    s::thread::Lock lock(buffer.lock());
    ULONG valid = 0;
    NTSTATUS status = queryGrowing(buffer, kValueSlack, &valid, [&](void* b, ULONG n, ULONG* r) {
        return nt->queryValueKey(m_handle, &valueName, kKeyValueFullInformation, b, n, r);
    });
    ULONG offset = 0;
    ULONG length = 0;
    if (!NT_SUCCESS(status) || !dataOf(buffer.bytes(), valid, &offset, &length)) return false;
    const ULONG foundType = reinterpret_cast<const KeyValueFullInformation*>(buffer.bytes())->type;
    if (type) *type = foundType;
    if (size) *size = length;
    if (expectedType >= 0 && foundType != static_cast<ULONG>(expectedType)) return false;
    m_value.clear();
    return m_value.append(buffer.bytes() + offset, length, 0);
}

StrArray* RegDir::valueNames() {
    StrArray* list = s::thread::Pool<StrArray>::obtain();
    if (!list || !openHandle()) return list;
    const NtRegistry* nt = ntRegistry();
    StrBuffer name;
    for (ULONG index = 0; NT_SUCCESS(valueNameAt(nt, m_handle, index, &name)); ++index) {
        StrBuffer* copy = name.clone();
        if (!copy || !list->addBuffer(copy)) break;
    }
    return list;
}

uint64_t RegDir::totalSize(bool recurse, uint32_t* subkeyCount, uint32_t* valueCount) {
    if (!openHandle()) return 0;
    return sizeOfTree(ntRegistry(), m_handle, recurse, subkeyCount, valueCount, 0);
}

uint32_t RegDir::valueSize(const wchar_t* name) {
    uint32_t size = 0;
    return queryValue(name, nullptr, &size, -1) ? size : 0;
}

bool RegDir::readSized(const wchar_t* name, uint32_t size) {
    uint32_t found = 0;
    return queryValue(name, nullptr, &found, -1) && found == size;
}

uint32_t RegDir::readDword(const wchar_t* name, uint32_t defaultValue) {
    return readSized(name, 4) ? load32(m_value.data()) : defaultValue;
}

uint64_t RegDir::readQword(const wchar_t* name, uint64_t defaultValue) {
    return readSized(name, 8) ? load64(m_value.data()) : defaultValue;
}

uint8_t RegDir::getU8(const wchar_t* name, uint8_t defaultValue) {
    return static_cast<uint8_t>(readSized(name, 4) ? load32(m_value.data()) : defaultValue);
}

uint16_t RegDir::getU16(const wchar_t* name, uint16_t defaultValue) {
    return static_cast<uint16_t>(readSized(name, 4) ? load32(m_value.data()) : defaultValue);
}

uint32_t RegDir::getU32(const wchar_t* name, uint32_t defaultValue) { return readDword(name, defaultValue); }

uint64_t RegDir::getU64(const wchar_t* name, uint64_t defaultValue) { return readQword(name, defaultValue); }

int8_t RegDir::getS8(const wchar_t* name, int8_t defaultValue) {
    return static_cast<int8_t>(getU8(name, static_cast<uint8_t>(defaultValue)));
}

int16_t RegDir::getS16(const wchar_t* name, int16_t defaultValue) {
    return static_cast<int16_t>(getU16(name, static_cast<uint16_t>(defaultValue)));
}

int32_t RegDir::getS32(const wchar_t* name, int32_t defaultValue) {
    return static_cast<int32_t>(readDword(name, static_cast<uint32_t>(defaultValue)));
}

int64_t RegDir::getS64(const wchar_t* name, int64_t defaultValue) {
    return static_cast<int64_t>(readQword(name, static_cast<uint64_t>(defaultValue)));
}

float RegDir::getFloat(const wchar_t* name, float defaultValue) {
    if (!readSized(name, 4)) return defaultValue;
    float v;
    std::memcpy(&v, m_value.data(), 4);
    return v;
}

double RegDir::getDouble(const wchar_t* name, double defaultValue) {
    if (!readSized(name, 8)) return defaultValue;
    double v;
    std::memcpy(&v, m_value.data(), 8);
    return v;
}

bool RegDir::getBool(const wchar_t* name, bool defaultValue) {
    return readSized(name, 4) ? load32(m_value.data()) != 0 : defaultValue;
}

bool RegDir::getString(const wchar_t* name, StrBuffer* text, bool* wasExpandable, bool expand) {
    if (wasExpandable) *wasExpandable = false;
    uint32_t type = 0;
    uint32_t size = 0;
    if (!text || !queryValue(name, &type, &size, -1)) return false;
    if (size == 0) {
        text->clear();
        return true;
    }
    if (type == REG_SZ) return decodeText(m_value, text);
    if (type != REG_EXPAND_SZ) return false;
    if (wasExpandable) *wasExpandable = true;
    if (!expand) return decodeText(m_value, text);
    return decodeText(m_value, &m_text) && (expandInto(m_text, text) || text->setStr(&m_text));
}

StrArray* RegDir::getStringList(const wchar_t* name, StrArray* list) {
    uint32_t size = 0;
    if (!queryValue(name, nullptr, &size, REG_MULTI_SZ)) {
        if (list) list->reset();
        return nullptr;
    }
    StrArray* out = list ? list : s::thread::Pool<StrArray>::obtain();
    if (!out) return nullptr;
    out->reset();
    if (size <= 3) return out;
    // Terminators of our own behind the data, so that the list ends inside the buffer
    // whatever the data holds.
    static const uint8_t kEnd[4] = {};
    m_value.setCount(size & ~1u);
    if (!m_value.append(kEnd, 4, 0)) return out;
    out->fromMultiString(&m_value);
    if (out->count() == 1 && out->at(0)->length() == 0) out->reset();
    return out;
}

ArrayU08* RegDir::getBytes(const wchar_t* name, ArrayU08* bytes) {
    uint32_t size = 0;
    if (!queryValue(name, nullptr, &size, -1)) {
        if (bytes) bytes->clear();
        return nullptr;
    }
    ArrayU08* out = bytes ? bytes : s::thread::Pool<ArrayU08>::obtain();
    if (!out) return nullptr;
    out->clear();
    if (out->append(m_value.data(), size, 0)) return out;
    if (!bytes) out->releaseToPool();
    return nullptr;
}

bool RegDir::deleteValue(const wchar_t* name) {
    UNICODE_STRING valueName;
    if (!openHandle()) return false;
    const NtRegistry* nt = ntRegistry();
    return initName(nt, &valueName, name) && NT_SUCCESS(nt->deleteValueKey(m_handle, &valueName));
}

bool RegDir::writeValue(const wchar_t* name, uint32_t type, const void* data, uint32_t size) {
    UNICODE_STRING valueName;
    if (!create()) return false;
    const NtRegistry* nt = ntRegistry();
    return initName(nt, &valueName, name) &&
           NT_SUCCESS(nt->setValueKey(m_handle, &valueName, 0, type, const_cast<void*>(data), size));
}

bool RegDir::writeText(const wchar_t* name, uint32_t type, const wchar_t* text) {
    if (!text) text = L"";
    uint64_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
    return bytes <= 0x7FFFFFFF && writeValue(name, type, text, static_cast<uint32_t>(bytes));
}

bool RegDir::setU8(const wchar_t* name, uint8_t value) { return setU32(name, value); }
bool RegDir::setU16(const wchar_t* name, uint16_t value) { return setU32(name, value); }
bool RegDir::setU32(const wchar_t* name, uint32_t value) { return writeValue(name, REG_DWORD, &value, 4); }
bool RegDir::setU64(const wchar_t* name, uint64_t value) { return writeValue(name, REG_BINARY, &value, 8); }
bool RegDir::setS8(const wchar_t* name, int8_t value) { return setS32(name, value); }
bool RegDir::setS16(const wchar_t* name, int16_t value) { return setS32(name, value); }
bool RegDir::setS32(const wchar_t* name, int32_t value) { return setU32(name, static_cast<uint32_t>(value)); }
bool RegDir::setS64(const wchar_t* name, int64_t value) { return setU64(name, static_cast<uint64_t>(value)); }

bool RegDir::setFloat(const wchar_t* name, float value) { return writeValue(name, REG_BINARY, &value, 4); }

bool RegDir::setDouble(const wchar_t* name, double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, 8);
    return setU64(name, bits);
}

bool RegDir::setBool(const wchar_t* name, bool value) { return setU32(name, value ? 1 : 0); }

bool RegDir::setString(const wchar_t* name, const wchar_t* text) { return writeText(name, REG_SZ, text); }

bool RegDir::setExpandString(const wchar_t* name, const wchar_t* text) {
    return writeText(name, REG_EXPAND_SZ, text);
}

bool RegDir::setStringList(const wchar_t* name, const StrArray* list) {
    if (!list) return false;
    ArrayU08* bytes = list->toMultiString(nullptr);
    if (!bytes) return false;
    bool ok = writeValue(name, REG_MULTI_SZ, bytes->data(), bytes->count());
    bytes->releaseToPool();
    return ok;
}

bool RegDir::setBytes(const wchar_t* name, const ArrayU08* bytes) {
    return bytes && writeValue(name, REG_BINARY, bytes->data(), bytes->count());
}

// IObject, IPoolable

s::base::IObject* RegDir::newInstance() const { return s::thread::Pool<RegDir>::obtain(); }

void RegDir::releaseToPool() { s::thread::Pool<RegDir>::release(this); }

void RegDir::resetForReuse() {
    close();
    m_value.freeBuffer();
    m_text.freeBuffer();
    m_root = HKEY_LOCAL_MACHINE;
    m_rootName = L"HKEY_LOCAL_MACHINE";
    m_rootNativePath = L"\\Registry\\Machine";
    m_path.clear();
    buildPaths();
}

void tidyKeyPath(const wchar_t* path, StrBuffer* out) {
    out->clear();
    if (!path) return;
    for (const wchar_t* p = path; *p; ++p) {
        if (*p == L'\\' && (out->length() == 0 || p[1] == L'\\' || p[1] == 0)) continue;
        out->appendChar(*p);
    }
}

}  // namespace s::reg::win
