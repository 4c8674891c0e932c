// s/file/win/PathText.cpp
#include "s/file/win/PathText.h"

#include <initializer_list>

#include "s/str/strbuffer/AsciiCase.h"

namespace s::file::win {

namespace {

using s::str::strbuffer::lowerAscii;

bool startsWithFolded(const wchar_t* text, uint32_t length, const wchar_t* prefix) {
    uint32_t i = 0;
    for (; prefix[i]; ++i) {
        if (i >= length || lowerAscii(text[i]) != lowerAscii(prefix[i])) return false;
    }
    return true;
}

// Non-empty components between separators.
uint32_t componentCount(const wchar_t* text, uint32_t length) {
    uint32_t count = 0;
    bool inside = false;
    for (uint32_t i = 0; i < length; ++i) {
        bool separator = isPathSeparator(text[i]);
        if (!separator && !inside) ++count;
        inside = !separator;
    }
    return count;
}

bool isDotsAndSpaces(const wchar_t* text, uint32_t length) {
    if (length == 0) return false;
    for (uint32_t i = 0; i < length; ++i) {
        if (text[i] != L'.' && text[i] != L' ') return false;
    }
    return true;
}

bool isDotComponent(const wchar_t* text, uint32_t length) {
    return (length == 1 && text[0] == L'.') || (length == 2 && text[0] == L'.' && text[1] == L'.');
}

// Where the last component starts: after the last separator, else after a drive's colon.
uint32_t lastComponentStart(const wchar_t* path, uint32_t length) {
    for (uint32_t i = length; i > 0; --i) {
        if (isPathSeparator(path[i - 1])) return i;
    }
    return length >= 2 && path[1] == L':' ? 2 : 0;
}

bool isPrefixedRoot(const wchar_t* path, uint32_t length) {
    const wchar_t* rest = path + 4;
    uint32_t restLength = length - 4;
    if (startsWithFolded(rest, restLength, L"UNC\\")) return componentCount(rest + 4, restLength - 4) <= 2;
    if (startsWithFolded(rest, restLength, L"GLOBALROOT")) return componentCount(rest, restLength) <= 3;
    return componentCount(rest, restLength) <= 1;
}

}  // namespace

PathSplit splitPath(const wchar_t* path, uint32_t length) {
    PathSplit split;
    if (length >= 2 && path[1] == L':') split.driveEnd = 2;
    split.dirEnd = split.driveEnd;
    for (uint32_t i = length; i > split.driveEnd; --i) {
        if (isPathSeparator(path[i - 1])) {
            split.dirEnd = i;
            break;
        }
    }
    split.titleEnd = length;
    for (uint32_t i = length; i > split.dirEnd; --i) {
        if (path[i - 1] == L'.') {
            split.titleEnd = i - 1;
            break;
        }
    }
    return split;
}

uint32_t lengthWithoutTrailingSeparators(const wchar_t* path, uint32_t length) {
    while (length > 0 && isPathSeparator(path[length - 1])) --length;
    return length;
}

bool hasVerbatimPrefix(const wchar_t* path, uint32_t length) {
    if (length < 4 || !isPathSeparator(path[0]) || !isPathSeparator(path[3])) return false;
    if (path[1] == L'?' && path[2] == L'?') return true;  // "\??\", the native form Win32 passes on
    return isPathSeparator(path[1]) && (path[2] == L'?' || path[2] == L'.');
}

bool isRootLike(const wchar_t* path, uint32_t length) {
    if (!path) return true;
    length = lengthWithoutTrailingSeparators(path, length);
    if (length <= 3) return true;
    if (hasVerbatimPrefix(path, length)) {
        if (isPrefixedRoot(path, length)) return true;
    } else if (isPathSeparator(path[0]) && isPathSeparator(path[1])) {
        if (componentCount(path + 2, length - 2) <= 2) return true;
    }
    uint32_t start = lastComponentStart(path, length);
    return isDotsAndSpaces(path + start, length - start);
}

bool isReservedDeviceName(const wchar_t* name, uint32_t length) {
    uint32_t base = 0;
    while (base < length && name[base] != L'.') ++base;
    if (base == 3) {
        for (const wchar_t* device : {L"con", L"prn", L"aux", L"nul"}) {
            if (startsWithFolded(name, base, device)) return true;
        }
        return false;
    }
    if (base == 4 && name[3] >= L'1' && name[3] <= L'9')
        return startsWithFolded(name, 3, L"com") || startsWithFolded(name, 3, L"lpt");
    return false;
}

bool isFullyQualified(const wchar_t* path, uint32_t length) {
    if (!path || hasVerbatimPrefix(path, length)) return false;
    const wchar_t letter = lowerAscii(path[0]);
    if (length >= 3 && letter >= L'a' && letter <= L'z' && path[1] == L':' && isPathSeparator(path[2])) return true;
    return length > 2 && isPathSeparator(path[0]) && isPathSeparator(path[1]) && !isPathSeparator(path[2]) &&
           componentCount(path + 2, length - 2) >= 2;
}

bool needsVerbatimForm(const wchar_t* path, uint32_t length) {
    bool absolute = (length >= 3 && path[1] == L':' && isPathSeparator(path[2])) ||
                    (length >= 3 && isPathSeparator(path[0]) && isPathSeparator(path[1]) &&
                     !isPathSeparator(path[2]));
    if (!absolute || hasVerbatimPrefix(path, length)) return false;
    uint32_t start = 0;
    for (uint32_t i = 0; i <= length; ++i) {
        if (i < length && !isPathSeparator(path[i])) continue;
        uint32_t n = i - start;
        if (n > 0 && !isDotComponent(path + start, n) &&
            (path[i - 1] == L'.' || path[i - 1] == L' '))
            return true;
        start = i + 1;
    }
    return false;
}

}  // namespace s::file::win
