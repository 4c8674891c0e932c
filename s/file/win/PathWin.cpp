// s/file/win/PathWin.cpp
//
// Parsing a text into its parts and its long form, resetting, identity (comparisons,
// pool), the debug dump, and the free functions that hand out pooled paths.
#include "s/file/win/PathWin.h"

#include <shlobj.h>

#include <initializer_list>
#include <new>

#include "s/file/win/PathText.h"
#include "s/thread/Pool.h"

namespace s::file::win {

namespace {

using s::str::strbuffer::StrBuffer;

// From this many units on, the path needs the "\\?\" form (MAX_PATH is 260, and a name
// appended by a listing must still fit).
constexpr uint32_t kLongFormFrom = 250;

void setPart(StrBuffer& part, const StrBuffer& full, uint32_t start, uint32_t end) {
    part.clear();
    if (end > start) part.append(full.chars() + start, static_cast<int32_t>(end - start));
}

// "\\?\" or "\??\": forms that Win32 passes on without resolving anything ("\\.\" is resolved).
bool startsWithLiteralPrefix(const wchar_t* path, uint32_t length) {
    return length >= 4 && path[0] == L'\\' && path[2] == L'?' && path[3] == L'\\' &&
           (path[1] == L'\\' || path[1] == L'?');
}

bool containsColon(const StrBuffer& text) {
    uint32_t at;
    return text.indexOf(L':', &at, 0);
}

}  // namespace

void PathWin::reset() {
    for (StrBuffer* s : {&m_scratch, &m_given, &m_drive, &m_volumeRoot, &m_dir, &m_longForm, &m_ext,
                         &m_fullPath, &m_title})
        s->clear();
    m_size = m_accessTime = m_writeTime = m_creationTime = 0;
    m_sizeOnDisk = -1;
    m_streamSize = -1;
    m_statLoaded = m_parsed = m_stream = m_volumeRootBuilt = m_unreachable = false;
    m_attributesLoaded = false;
    m_attributes = 0;
    m_fileSystem = -1;
    m_clusterUnit = -1;
    m_volumeFlagsRead = -1;
    m_volumeFlags = 0;
}

bool PathWin::assignPath(const StrBuffer* text) {
    if (!text) {
        reset();
        return false;
    }
    // The text may be one of this path's own strings: copy it before the reset empties them.
    StrBuffer copy;
    if (!copy.setStr(text)) return false;
    return assignText(copy.cString());
}

bool PathWin::assignText(const wchar_t* text) {
    reset();
    if (!text || !*text) return false;
    if (!m_given.setText(text) || !m_fullPath.setText(text)) {
        reset();
        return false;
    }
    m_parsed = true;
    wchar_t* chars = m_fullPath.chars();
    for (uint32_t i = 0; i < m_fullPath.length(); ++i) {
        if (chars[i] == L'/') chars[i] = L'\\';
    }
    m_fullPath.setLength(lengthWithoutTrailingSeparators(chars, m_fullPath.length()));

    const uint32_t length = m_fullPath.length();
    PathSplit split = splitPath(chars, length);
    setPart(m_drive, m_fullPath, 0, split.driveEnd);
    setPart(m_dir, m_fullPath, split.driveEnd, split.dirEnd);
    setPart(m_title, m_fullPath, split.dirEnd, split.titleEnd);
    setPart(m_ext, m_fullPath, split.titleEnd, length);

    // "\\?\C:" has the title "C:", but a root is never a stream.
    m_stream = (m_ext.length() && containsColon(m_ext)) || containsColon(m_title);
    if (m_stream && s::file::win::isRootLike(chars, length)) m_stream = false;

    if (!buildLongForm()) {
        reset();
        return false;
    }
    return true;
}

// The long form takes every unit literally: "." and ".." would be names, and a device name is
// a file. So it is built for what Win32 would otherwise resolve differently from the text (a
// long path, a name ending in a dot or space, a device name), and a given "\\?\" path with
// "." or ".." gets a resolved copy. A ".." that climbs out of the root, or a device name in
// a path that is not absolute, leaves the path unreachable: every operation refuses it
// rather than guess.
bool PathWin::buildLongForm() {
    const wchar_t* chars = m_fullPath.chars();
    const uint32_t length = m_fullPath.length();
    const bool literal = startsWithLiteralPrefix(chars, length);
    if (hasVerbatimPrefix(chars, length)) {
        if (!literal || !hasInnerDotComponent(chars, length)) return true;
        if (!m_longForm.setStr(&m_fullPath)) return false;
    } else if (namesDevice(chars, length) && !rootLength(chars, length)) {
        m_unreachable = true;  // only a full path reaches a file of a device's name
        return true;
    } else if (length >= kLongFormFrom || needsVerbatimForm(chars, length) || namesDevice(chars, length)) {
        const bool unc = length > 2 && chars[0] == L'\\' && chars[1] == L'\\';
        const bool built = unc ? m_longForm.setText(L"\\\\?\\UNC\\") &&
                                     m_longForm.append(chars + 2, static_cast<int32_t>(length - 2))
                               : m_longForm.setText(L"\\\\?\\") && m_longForm.appendStr(&m_fullPath);
        if (!built) return false;
        if (!hasInnerDotComponent(chars, length)) return true;
    } else {
        return true;
    }
    const uint32_t resolved = collapseDotComponents(m_longForm.chars(), m_longForm.length());
    if (resolved == 0) {
        m_longForm.clear();
        m_unreachable = true;
    } else {
        m_longForm.setLength(resolved);
    }
    return true;
}

const wchar_t* PathWin::getApiPath() const {
    return m_longForm.length() ? m_longForm.cString() : m_fullPath.cString();
}

bool PathWin::isRootLike() const {
    return m_unreachable || s::file::win::isRootLike(m_fullPath.chars(), m_fullPath.length());
}

void PathWin::dump() {
    const struct {
        const wchar_t* label;
        const StrBuffer* value;
    } lines[] = {{L"Original String: ", &m_given}, {L"Drive: ", &m_drive}, {L"Dir: ", &m_dir},
                 {L"FileTitle: ", &m_title},        {L"Ext: ", &m_ext},     {L"FullPath: ", &m_fullPath}};
    StrBuffer line;
    for (const auto& l : lines) {
        line.setText(l.label);
        line.appendStr(l.value);
        line.appendChar(L'\n');
        OutputDebugStringW(line.cString());
    }
}

// IComparable

int32_t PathWin::compareTo(const s::base::IComparable* other, s::base::IComparator* comparator) const {
    const PathWin* path = dynamic_cast<const PathWin*>(other);
    if (!path || comparator) return IComparable::compareTo(other, comparator);
    return m_fullPath.compareTo(&path->m_fullPath);
}

int32_t PathWin::compareToIgnoreCase(const s::base::IComparable* other, s::base::IComparator* comparator) const {
    const PathWin* path = dynamic_cast<const PathWin*>(other);
    if (!path || comparator) return IComparable::compareToIgnoreCase(other, comparator);
    return m_fullPath.compareToIgnoreCase(&path->m_fullPath);
}

bool PathWin::equals(const s::base::IComparable* other, s::base::IComparator* comparator) const {
    const PathWin* path = dynamic_cast<const PathWin*>(other);
    if (!path || comparator) return IComparable::equals(other, comparator);
    return m_fullPath.equals(&path->m_fullPath);
}

bool PathWin::equalsIgnoreCase(const s::base::IComparable* other, s::base::IComparator* comparator) const {
    const PathWin* path = dynamic_cast<const PathWin*>(other);
    if (!path || comparator) return IComparable::equalsIgnoreCase(other, comparator);
    return m_fullPath.equalsIgnoreCase(&path->m_fullPath);
}

// IObject, IPoolable

s::base::IObject* PathWin::newInstance() const { return s::thread::Pool<PathWin>::obtain(); }

void PathWin::releaseToPool() { s::thread::Pool<PathWin>::release(this); }

// Free functions

PathWin* pathFromString(const wchar_t* text) {
    PathWin* path = s::thread::Pool<PathWin>::obtain();
    if (path) path->assignText(text);
    return path;
}

PathWin* pathFromFolderAndName(const wchar_t* folder, const wchar_t* name) {
    StrBuffer text;
    text.setText(folder);
    if (text.length() && !isPathSeparator(text.charAt(text.length() - 1))) text.appendChar(L'\\');
    text.appendText(name);
    return pathFromString(text.cString());
}

PathWin* copyPath(const IPath* path) {
    if (!path) return nullptr;
    PathWin* copy = pathFromString(path->getFullPath());
    const PathWin* source = dynamic_cast<const PathWin*>(path);
    if (copy && source) copy->presetSize(source->knownStreamSize());
    return copy;
}

PathWin* makeTempFileName() {
    DWORD need = GetTempPathW(0, nullptr);
    if (need == 0) return nullptr;
    StrBuffer folder;
    if (!folder.reserve(need)) return nullptr;
    DWORD got = GetTempPathW(need, folder.chars());
    if (got == 0 || got >= need) return nullptr;
    folder.setLength(got);
    wchar_t name[MAX_PATH];  // GetTempFileNameW writes MAX_PATH units at most
    if (!GetTempFileNameW(folder.cString(), L"NEW", 0, name)) return nullptr;
    return pathFromString(name);
}

namespace {

const wchar_t* desktopFolderText() {
    static const StrBuffer* const text = [] {
        StrBuffer* path = new (std::nothrow) StrBuffer();
        LPITEMIDLIST list = nullptr;
        wchar_t buffer[MAX_PATH];  // SHGetPathFromIDListW writes MAX_PATH units at most
        if (path && SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOPDIRECTORY, &list)) && list) {
            if (SHGetPathFromIDListW(list, buffer)) path->setText(buffer);
            CoTaskMemFree(list);
        }
        return path;
    }();
    return text ? text->cString() : L"";
}

}  // namespace

PathWin* getDesktopFolder() { return pathFromString(desktopFolderText()); }

const wchar_t* windowsDriveRootText() {
    static const StrBuffer* const text = [] {
        StrBuffer* root = new (std::nothrow) StrBuffer();
        if (!root) return root;
        UINT need = GetWindowsDirectoryW(nullptr, 0);
        StrBuffer folder;
        if (need && folder.reserve(need)) {
            UINT got = GetWindowsDirectoryW(folder.chars(), need);
            if (got && got < need) {
                folder.setLength(got);
                PathWin path;
                if (path.assignText(folder.cString())) root->setText(path.getVolumeRoot());
            }
        }
        if (root->length() == 0) root->setText(L"C:\\");
        return root;
    }();
    return text ? text->cString() : L"C:\\";
}

StrBuffer* getWindowsDriveRoot() { return s::str::strbuffer::newStrBuffer(windowsDriveRootText()); }

}  // namespace s::file::win
