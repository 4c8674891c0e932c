// s/file/win/PathWinInfo.cpp
//
// What a path knows about its item: attributes (cached once, and read fresh where a
// decision must not rest on an old value), existence, sizes, size on disk, times, the
// volume root and the file system. Every call goes through the API path, so items whose
// path has 260 units or more are found too.
#include "s/file/win/PathWin.h"

#include "s/file/win/NtFile.h"
#include "s/file/win/PathText.h"

namespace s::file::win {

namespace {

using s::str::strbuffer::StrBuffer;

constexpr DWORD kStructuralBits = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
constexpr uint64_t kFileTimeUnitsPerSecond = 10000000;
constexpr int64_t kSecondsFrom1601To1970 = 11644473600LL;

int64_t unixSeconds(const FILETIME& time) {
    uint64_t units = (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    if (units == 0) return 0;
    return static_cast<int64_t>(units / kFileTimeUnitsPerSecond) - kSecondsFrom1601To1970;
}

// The text up to and including its n-th backslash, or all of it when it has fewer.
void keepThroughSeparator(StrBuffer& text, uint32_t n) {
    for (uint32_t i = 0; i < text.length(); ++i) {
        if (text.charAt(i) == L'\\' && --n == 0) {
            text.setLength(i + 1);
            return;
        }
    }
}

}  // namespace

// Attributes

DWORD PathWin::readLiveAttributes() const {
    if (!m_parsed || m_unreachable) return INVALID_FILE_ATTRIBUTES;
    if (!m_stream) return GetFileAttributesW(getApiPath());
    // A stream carries its file's attributes; a folder's stream is still a stream, not a folder.
    HANDLE h = openItem(FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0);
    if (h == INVALID_HANDLE_VALUE) return INVALID_FILE_ATTRIBUTES;
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    NtFileBasics basics;
    BY_HANDLE_FILE_INFORMATION info;
    if (ntFileCallsAvailable() ? readBasics(h, &basics) : GetFileInformationByHandle(h, &info) != 0)
        attributes = (ntFileCallsAvailable() ? basics.attributes : info.dwFileAttributes) & ~FILE_ATTRIBUTE_DIRECTORY;
    CloseHandle(h);
    return attributes;
}

HANDLE PathWin::openItem(DWORD access, DWORD share, DWORD flags) const {
    if (!m_parsed || m_unreachable) return INVALID_HANDLE_VALUE;
    return CreateFileW(getApiPath(), access, share, nullptr, OPEN_EXISTING, flags | FILE_FLAG_OPEN_REPARSE_POINT,
                       nullptr);
}

// A name ending in a dot or a space is left to the path's long form, which every other call
// of the path reaches it by.
bool PathWin::copyBareName(StrBuffer* name) const {
    name->clear();
    if (!m_parsed || m_unreachable || m_stream || !copyName(name, false)) return false;
    const uint32_t n = name->length();
    return n && name->charAt(n - 1) != L'.' && name->charAt(n - 1) != L' ';
}

HANDLE PathWin::openInOwnFolder(HANDLE folder, DWORD access, DWORD share, DWORD flags) const {
    StrBuffer name;
    if (folder && folder != INVALID_HANDLE_VALUE && copyBareName(&name) && ntFileCallsAvailable()) {
        uint32_t options = 0;
        if (flags & FILE_FLAG_NO_BUFFERING) options |= kNtOpenUnbuffered;
        if (flags & FILE_FLAG_BACKUP_SEMANTICS) options |= kNtOpenBackupIntent;
        return openInFolder(folder, name.cString(), name.length(), access, share, options);
    }
    return openItem(access, share, flags);
}

bool PathWin::isReparsePoint() const {
    DWORD attributes = readLiveAttributes();
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

void PathWin::loadAttributes() {
    if (m_attributesLoaded) return;
    m_attributes = readLiveAttributes();
    m_attributesLoaded = true;
}

uint32_t PathWin::getAttributes() {
    loadAttributes();
    return m_attributes;
}

bool PathWin::refusesChange() const { return !m_parsed || isRootLike() || isReparsePoint(); }

bool PathWin::setAttributes(uint32_t value) {
    if (m_attributesLoaded && m_attributes == value) return true;
    if (refusesChange()) return false;
    loadAttributes();
    if (!SetFileAttributesW(getApiPath(), value)) return false;
    // The folder and link bits cannot be set or cleared: the cache keeps what the item is.
    uint32_t kept = m_attributes == INVALID_FILE_ATTRIBUTES ? 0 : m_attributes & kStructuralBits;
    m_attributes = (value & ~kStructuralBits) | kept;
    return true;
}

void PathWin::loadAttributesThrough(HANDLE item) {
    if (m_attributesLoaded) return;
    NtFileBasics basics;
    m_attributes = readBasics(item, &basics) ? basics.attributes : INVALID_FILE_ATTRIBUTES;
    if (m_stream && m_attributes != INVALID_FILE_ATTRIBUTES) m_attributes &= ~FILE_ATTRIBUTE_DIRECTORY;
    m_attributesLoaded = true;
}

bool PathWin::setAttributesThrough(HANDLE item, uint32_t value) {
    if (m_attributesLoaded && m_attributes == value) return true;
    if (!m_parsed) return false;
    loadAttributesThrough(item);
    if (!writeAttributes(item, value)) return false;
    uint32_t kept = m_attributes == INVALID_FILE_ATTRIBUTES ? 0 : m_attributes & kStructuralBits;
    m_attributes = (value & ~kStructuralBits) | kept;
    return true;
}

bool PathWin::addAttributesThrough(HANDLE item, uint32_t bits) {
    loadAttributesThrough(item);
    if (m_attributes == INVALID_FILE_ATTRIBUTES) return false;
    if ((m_attributes & bits) == bits) return true;
    return setAttributesThrough(item, m_attributes | bits);
}

bool PathWin::addAttributes(uint32_t bits) {
    loadAttributes();
    if (m_attributes == INVALID_FILE_ATTRIBUTES) return false;
    if ((m_attributes & bits) == bits) return true;
    return setAttributes(m_attributes | bits);
}

bool PathWin::isDirectory() {
    if (m_stream) return false;
    loadAttributes();
    return (m_attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool PathWin::isKnownFolder() { return isDirectory() && m_attributes != INVALID_FILE_ATTRIBUTES; }

bool PathWin::isFile() {
    if (m_stream) return true;
    loadAttributes();
    return (m_attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool PathWin::isHidden() { return (getAttributes() & FILE_ATTRIBUTE_HIDDEN) != 0; }
bool PathWin::isSystem() { return (getAttributes() & FILE_ATTRIBUTE_SYSTEM) != 0; }
bool PathWin::isArchive() { return (getAttributes() & FILE_ATTRIBUTE_ARCHIVE) != 0; }

bool PathWin::isEmptyDirectory() { return isKnownFolder() && !hasChildren(true); }

bool PathWin::isExecutable() { return isFile() && hasExtension(L".exe"); }
bool PathWin::isShortcut() { return isFile() && hasExtension(L".lnk"); }
bool PathWin::isUrlShortcut() { return isFile() && hasExtension(L".url"); }

// Existence and access: the attributes of the API path, read fresh. (The run-time's access
// test takes the full path, which Windows does not find from 260 units on.) Like it, only the
// read-only bit decides writing, and folders are always writable.
bool PathWin::exists() { return readLiveAttributes() != INVALID_FILE_ATTRIBUTES; }

bool PathWin::isReadable() { return exists(); }

bool PathWin::isWritable() {
    DWORD attributes = readLiveAttributes();
    return attributes != INVALID_FILE_ATTRIBUTES &&
           ((attributes & FILE_ATTRIBUTE_DIRECTORY) || !(attributes & FILE_ATTRIBUTE_READONLY));
}

bool PathWin::isReadWritable() { return isReadable() && isWritable(); }

// Sizes and times

void PathWin::loadStat() {
    if (m_statLoaded) return;
    m_statLoaded = true;
    m_size = m_accessTime = m_writeTime = m_creationTime = 0;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!m_parsed || !GetFileAttributesExW(getApiPath(), GetFileExInfoStandard, &data)) return;
    m_size = static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    m_creationTime = unixSeconds(data.ftCreationTime);
    m_accessTime = unixSeconds(data.ftLastAccessTime);
    m_writeTime = unixSeconds(data.ftLastWriteTime);
}

namespace {

struct SizeTotal {
    int64_t bytes = 0;
    int32_t files = 0;
    int32_t folders = 0;
    bool countFiles = true;
};

bool addEntrySize(const PathWin&, const WIN32_FIND_DATAW& entry, void* context) {
    SizeTotal* total = static_cast<SizeTotal*>(context);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        ++total->folders;
    } else {
        if (total->countFiles)
            total->bytes += static_cast<int64_t>((static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow);
        ++total->files;
    }
    return true;
}

}  // namespace

int64_t PathWin::getSize(bool folderTotal, bool recurse, int32_t* fileCount, int32_t* folderCount, bool countFiles) {
    if (m_stream) {
        if (m_streamSize < 0) streamSizeFromCarrier();
        return m_streamSize < 0 ? 0 : m_streamSize;
    }
    if (folderTotal && isKnownFolder()) {
        SizeTotal total;
        total.countFiles = countFiles;
        walk(EntryKind::Children, recurse, true, &addEntrySize, &total);
        if (fileCount) *fileCount += total.files;
        if (folderCount) *folderCount += total.folders;
        return total.bytes;
    }
    loadStat();
    return m_size;
}

bool PathWin::mayHoldData() {
    if (getSize(false, false, nullptr, nullptr, true) > 0) return true;
    HANDLE h = openItem(FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0);
    if (h == INVALID_HANDLE_VALUE) return true;
    LARGE_INTEGER size;
    const bool empty = GetFileSizeEx(h, &size) && size.QuadPart == 0;
    CloseHandle(h);
    return !empty;
}

int64_t PathWin::getSizeOnDisk() {
    if (m_sizeOnDisk >= 0) return m_sizeOnDisk;
    return m_sizeOnDisk = roundUpToCluster(getSize(false, false, nullptr, nullptr, true));
}

int64_t PathWin::roundUpToCluster(int64_t size) {
    if (size <= 0) return 0;
    const uint64_t unit = static_cast<uint64_t>(clusterUnit());
    const uint64_t bytes = static_cast<uint64_t>(size);
    return static_cast<int64_t>((bytes + unit - 1) / unit * unit);
}

int64_t PathWin::clusterUnit() {
    if (m_clusterUnit > 0) return m_clusterUnit;
    const wchar_t* root = getVolumeRoot();
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters, clusters;
    if (!GetDiskFreeSpaceW(*root ? root : nullptr, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        sectorsPerCluster = bytesPerSector = 0;
    uint64_t unit = bytesPerSector > 512 ? bytesPerSector : 512;
    const uint64_t cluster = static_cast<uint64_t>(bytesPerSector) * sectorsPerCluster;
    if (cluster > unit) unit = cluster;
    return m_clusterUnit = static_cast<int64_t>(unit);
}

void PathWin::inheritVolume(const PathWin& folder) {
    if (m_fileSystem < 0) m_fileSystem = folder.m_fileSystem;
    if (m_clusterUnit <= 0) m_clusterUnit = folder.m_clusterUnit;
    if (m_volumeFlagsRead < 0) {
        m_volumeFlagsRead = folder.m_volumeFlagsRead;
        m_volumeFlags = folder.m_volumeFlags;
    }
}

int64_t PathWin::getCreationTime(bool refresh) {
    if (m_stream) return 0;
    if (refresh) m_statLoaded = false;
    loadStat();
    return m_creationTime;
}

int64_t PathWin::getAccessTime(bool refresh) {
    if (m_stream) return 0;
    if (refresh) m_statLoaded = false;
    loadStat();
    return m_accessTime;
}

int64_t PathWin::getWriteTime(bool refresh) {
    if (m_stream) return 0;
    if (refresh) m_statLoaded = false;
    loadStat();
    return m_writeTime;
}

// Volume and file system

// "X:\" for a drive; for a share "\\server\share\" (the text through its fourth backslash,
// the sixth for "\\?\UNC\server\share\"); "\\?\X:\" and "\\?\Volume{...}\" keep their
// prefix. A rooted path without drive gives "\", a relative one "" (the current drive).
const wchar_t* PathWin::getVolumeRoot() {
    if (m_volumeRootBuilt) return m_volumeRoot.cString();
    m_volumeRootBuilt = true;
    m_volumeRoot.clear();
    if (m_drive.length()) {
        m_volumeRoot.setStr(&m_drive);
        m_volumeRoot.appendChar(L'\\');
    } else if (m_fullPath.startsWith(L"\\\\")) {
        if (isKnownFolder())
            copyFullPathSlash(&m_volumeRoot, false);
        else
            copyDirSlash(&m_volumeRoot, false);
        const bool prefixedShare = m_fullPath.length() > 8 && hasVerbatimPrefix(m_fullPath.chars(), m_fullPath.length()) &&
                                   m_fullPath.regionMatchesIgnoreCase(4, L"UNC\\", 0, 4);
        keepThroughSeparator(m_volumeRoot, prefixedShare ? 6 : 4);
    } else if (m_fullPath.startsWith(L"\\")) {
        m_volumeRoot.setText(L"\\");
    }
    return m_volumeRoot.cString();
}

void PathWin::detectFileSystem() {
    if (m_fileSystem >= 0) return;
    m_fileSystem = 0;
    const wchar_t* root = getVolumeRoot();
    wchar_t name[MAX_PATH + 1];  // the size GetVolumeInformationW asks for
    if (!GetVolumeInformationW(*root ? root : nullptr, nullptr, 0, nullptr, nullptr, nullptr, name, MAX_PATH + 1))
        return;
    const struct {
        const wchar_t* name;
        int32_t kind;
    } kinds[] = {{L"FAT", 1}, {L"FAT32", 2}, {L"VFAT", 3}, {L"NTFS", 4}, {L"HPFS", 5}};
    for (const auto& k : kinds) {
        if (_wcsicmp(name, k.name) == 0) m_fileSystem = k.kind;
    }
}

bool PathWin::isNtfs() {
    detectFileSystem();
    return m_fileSystem == 4;
}

bool PathWin::isFat() {
    detectFileSystem();
    return m_fileSystem >= 1 && m_fileSystem <= 3;
}

}  // namespace s::file::win
