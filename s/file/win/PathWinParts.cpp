// s/file/win/PathWinParts.cpp
//
// The parts of a path as texts, the paths derived from it (parent, child, other names,
// unique names) and relative paths. Nothing here touches a disk except the existence
// tests of the unique names and of withSuffix.
#include "s/file/win/PathWin.h"

#include "s/file/win/PathText.h"
#include "s/str/strbuffer/AsciiCase.h"
#include "s/thread/Pool.h"

namespace s::file::win {

namespace {

using s::str::strbuffer::StrBuffer;
using s::str::strbuffer::resultString;

// Numbered names stop here: a folder holding this many copies gets no further one.
constexpr int32_t kMaxUniqueNumber = 100000;

StrBuffer* withText(StrBuffer* out, bool append, const StrBuffer& text) {
    StrBuffer* result = resultString(out, append);
    if (result) result->appendStr(&text);
    return result;
}

// Counts the backslashes of text from `from`.
uint32_t separatorsFrom(const StrBuffer& text, uint32_t from) {
    uint32_t n = 0;
    for (uint32_t i = from; i < text.length(); ++i) n += text.charAt(i) == L'\\';
    return n;
}

}  // namespace

// Parts as texts

StrBuffer* PathWin::copyFullPath(StrBuffer* out, bool append) const { return withText(out, append, m_fullPath); }

StrBuffer* PathWin::copyFullPathSlash(StrBuffer* out, bool append) const {
    StrBuffer* result = withText(out, append, m_fullPath);
    if (result && m_fullPath.length()) result->appendChar(L'\\');
    return result;
}

StrBuffer* PathWin::copyDirSlash(StrBuffer* out, bool append) const {
    StrBuffer* result = withText(out, append, m_drive);
    if (result) result->appendStr(&m_dir);
    return result;
}

StrBuffer* PathWin::copyDir(StrBuffer* out, bool append) const {
    StrBuffer* result = resultString(out, append);
    if (!result) return nullptr;
    const uint32_t start = result->length();
    result->appendStr(&m_drive);
    result->appendStr(&m_dir);
    uint32_t end = result->length();
    while (end > start && result->charAt(end - 1) == L'\\') --end;
    result->setLength(end);
    return result;
}

StrBuffer* PathWin::copyName(StrBuffer* out, bool append) const {
    StrBuffer* result = withText(out, append, m_title);
    if (result) result->appendStr(&m_ext);
    return result;
}

StrBuffer* PathWin::copyTitle(StrBuffer* out, bool append) const { return withText(out, append, m_title); }

StrBuffer* PathWin::copyExt(StrBuffer* out, bool append) const { return withText(out, append, m_ext); }

StrBuffer* PathWin::copyExtNoDot(StrBuffer* out, bool append) const {
    StrBuffer* result = resultString(out, append);
    if (result && m_ext.length() > 1) result->append(m_ext.chars() + 1, static_cast<int32_t>(m_ext.length() - 1));
    return result;
}

const wchar_t* PathWin::intoScratch(StrBuffer* (PathWin::*copy)(StrBuffer*, bool) const) {
    (this->*copy)(&m_scratch, false);
    return m_scratch.cString();
}

const wchar_t* PathWin::intoScratchLoaded(StrBuffer* (PathWin::*copy)(StrBuffer*, bool)) {
    (this->*copy)(&m_scratch, false);
    return m_scratch.cString();
}

const wchar_t* PathWin::fullPathSlashText() { return intoScratch(&PathWin::copyFullPathSlash); }
const wchar_t* PathWin::dirSlashText() { return intoScratch(&PathWin::copyDirSlash); }
const wchar_t* PathWin::dirText() { return intoScratch(&PathWin::copyDir); }
const wchar_t* PathWin::nameText() { return intoScratch(&PathWin::copyName); }
const wchar_t* PathWin::titleText() { return intoScratch(&PathWin::copyTitle); }
const wchar_t* PathWin::extText() { return intoScratch(&PathWin::copyExt); }
const wchar_t* PathWin::extNoDotText() { return intoScratch(&PathWin::copyExtNoDot); }

bool PathWin::hasExtension(const wchar_t* text) const {
    return text && m_ext.regionMatchesIgnoreCase(0, text, 0, -1);
}

// Kinds of path texts

bool PathWin::isUnc() const {
    return m_fullPath.length() > 2 && m_fullPath.charAt(0) == L'\\' && m_fullPath.charAt(1) == L'\\' &&
           !isPathSeparator(m_fullPath.charAt(2));
}

StrBuffer* PathWin::getUncServer(StrBuffer* out, bool append) const {
    StrBuffer* result = resultString(out, append);
    if (!result || !isUnc()) return result;
    uint32_t end = m_fullPath.length();
    m_fullPath.indexOf(L'\\', &end, 2);
    result->append(m_fullPath.chars() + 2, static_cast<int32_t>(end - 2));
    return result;
}

bool PathWin::isDriveOnly() const { return m_fullPath.length() == 2 && m_fullPath.charAt(1) == L':'; }

bool PathWin::hasDriveLetter() const { return m_fullPath.length() > 1 && m_fullPath.charAt(1) == L':'; }

bool PathWin::isAbsolute() const { return m_parsed && (hasDriveLetter() || isUnc()); }

bool PathWin::isSameDrive(const wchar_t* text) const {
    PathWin other;
    if (!other.assignText(text)) return false;
    if (hasDriveLetter() && other.hasDriveLetter())
        return s::str::strbuffer::lowerAscii(firstChar()) == s::str::strbuffer::lowerAscii(other.firstChar());
    if (!isUnc() || !other.isUnc()) return false;
    StrBuffer mine, theirs;
    getUncServer(&mine, false);
    other.getUncServer(&theirs, false);
    return mine.equalsIgnoreCase(&theirs);
}

// Derived paths

IPath* PathWin::parentPathOrNull() const {
    if (isDriveOnly()) return nullptr;
    StrBuffer parent;
    copyDir(&parent, false);
    return parent.length() ? pathFromString(parent.cString()) : nullptr;
}

IPath* PathWin::parentFolder() const {
    StrBuffer parent;
    copyDir(&parent, false);
    return pathFromString(parent.cString());
}

IPath* PathWin::childPath(const wchar_t* name) const { return pathFromFolderAndName(getFullPath(), name); }

IPath* PathWin::withExtension(const wchar_t* text) const {
    StrBuffer path;
    copyDirSlash(&path, false);
    path.appendStr(&m_title);
    path.appendText(text);
    return pathFromString(path.cString());
}

IPath* PathWin::withSuffix(const wchar_t* text) {
    StrBuffer path;
    copyDirSlash(&path, false);
    const bool folder = exists() && isDirectory();
    path.appendStr(&m_title);
    if (folder) path.appendStr(&m_ext);
    path.appendText(text);
    if (!folder) path.appendStr(&m_ext);
    return pathFromString(path.cString());
}

IPath* PathWin::uniquePathNumbered() { return uniquePath(true); }

IPath* PathWin::uniquePathNumberedPlain() { return uniquePath(false); }

// "name (1)" or "title (1).ext", or without brackets "name1" or "title1.ext".
IPath* PathWin::uniquePath(bool numberedInBrackets) {
    if (!exists()) return copyPath(this);
    const bool folder = isDirectory();
    StrBuffer candidate;
    for (int32_t n = 1; n <= kMaxUniqueNumber; ++n) {
        copyDirSlash(&candidate, false);
        candidate.appendStr(&m_title);
        if (folder) candidate.appendStr(&m_ext);
        if (numberedInBrackets) candidate.appendText(L" (");
        candidate.appendInt32(n);
        if (numberedInBrackets) candidate.appendChar(L')');
        if (!folder) candidate.appendStr(&m_ext);
        PathWin* path = pathFromString(candidate.cString());
        if (!path) return nullptr;
        if (!path->exists()) return path;
        path->releaseToPool();
    }
    return nullptr;
}

// Relative paths

StrBuffer* PathWin::relativePathTo(const wchar_t* text, bool baseIsFolder, StrBuffer* out, bool append) {
    StrBuffer* result = resultString(out, append);
    if (!result) return nullptr;
    if (!isSameDrive(text)) {
        result->appendText(text);
        return result;
    }
    PathWin target;
    target.assignText(text);
    StrBuffer base;
    if (baseIsFolder || (exists() && isDirectory()))
        copyFullPathSlash(&base, false);
    else
        copyDirSlash(&base, false);
    const StrBuffer& to = target.m_fullPath;
    uint32_t common = 0;
    while (common < base.length() && common < to.length() &&
           s::str::strbuffer::lowerAscii(base.charAt(common)) == s::str::strbuffer::lowerAscii(to.charAt(common)))
        ++common;
    // Back to a whole component: the common part ends after a separator.
    while (common > 0 && base.charAt(common - 1) != L'\\') --common;
    for (uint32_t up = separatorsFrom(base, common); up > 0; --up) result->appendText(L"..\\");
    result->append(to.chars() + common, static_cast<int32_t>(to.length() - common));
    return result;
}

StrBuffer* PathWin::resolveRelative(const wchar_t* text, bool baseIsFolder, StrBuffer* out, bool append) {
    StrBuffer* result = resultString(out, append);
    if (!result) return nullptr;
    PathWin given;
    if (given.assignText(text) && given.isAbsolute()) {
        result->appendText(text);
        return result;
    }
    StrBuffer base;
    if (baseIsFolder || (exists() && isDirectory()))
        copyFullPath(&base, false);
    else
        copyDir(&base, false);
    StrBuffer rest;
    rest.setText(text);
    rest.replaceAll(L"/", L"\\");
    for (;;) {
        if (rest.startsWith(L".\\")) {
            rest.keepRange(2, rest.length());
        } else if (rest.startsWith(L"..\\") || (rest.length() == 2 && rest.startsWith(L".."))) {
            uint32_t cut = 0;
            base.setLength(base.lastIndexOf(L'\\', &cut) ? cut : 0);
            rest.keepRange(rest.length() == 2 ? 2 : 3, rest.length());
        } else {
            break;
        }
    }
    result->appendStr(&base);
    if (base.length() && rest.length()) result->appendChar(L'\\');
    result->appendStr(&rest);
    return result;
}

}  // namespace s::file::win
