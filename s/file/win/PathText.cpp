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

// One component of a text read from *at (separators before it skipped); *at moves past it.
struct Component {
    const wchar_t* text;
    uint32_t length;
};

Component nextComponent(const wchar_t* text, uint32_t length, uint32_t* at) {
    while (*at < length && isPathSeparator(text[*at])) ++*at;
    const uint32_t start = *at;
    while (*at < length && !isPathSeparator(text[*at])) ++*at;
    return {text + start, *at - start};
}

bool isNamed(const Component& component, const wchar_t* name) {
    uint32_t n = 0;
    while (name[n]) ++n;
    return component.length == n && startsWithFolded(component.text, n, name);
}

// "Harddisk" and a number: a whole disk of the device namespace.
bool isDiskName(const Component& component) {
    constexpr uint32_t kPrefix = 8;
    if (component.length <= kPrefix || !startsWithFolded(component.text, kPrefix, L"harddisk")) return false;
    for (uint32_t i = kPrefix; i < component.length; ++i) {
        if (component.text[i] < L'0' || component.text[i] > L'9') return false;
    }
    return true;
}

// Components that name folders: a redirector's own ones start with ";".
uint32_t folderComponentCount(const wchar_t* text, uint32_t length) {
    uint32_t count = 0;
    for (uint32_t at = 0; at < length;) {
        const Component component = nextComponent(text, length, &at);
        if (component.length && component.text[0] != L';') ++count;
    }
    return count;
}

bool isDosNamespaceRoot(const wchar_t* text, uint32_t length);

// What follows "GLOBALROOT": a device or a link of the object namespace. One or two
// components ("\Device\HarddiskVolume1", "\SystemRoot") may be a volume; so are a partition
// ("\Device\Harddisk0\Partition1") and a redirector's share ("\Device\Mup\server\share").
bool isDeviceRoot(const wchar_t* text, uint32_t length) {
    uint32_t at = 0;
    const Component kind = nextComponent(text, length, &at);
    if (isNamed(kind, L"??") || isNamed(kind, L"GLOBAL??") || isNamed(kind, L"DosDevices"))
        return isDosNamespaceRoot(text + at, length - at);
    const Component device = nextComponent(text, length, &at);
    const uint32_t after = componentCount(text + at, length - at);
    if (after == 0) return true;
    if (!isNamed(kind, L"Device")) return false;
    if (isDiskName(device)) return after <= 1;
    if (isNamed(device, L"Mup") || isNamed(device, L"LanmanRedirector") || isNamed(device, L"WebDavRedirector"))
        return folderComponentCount(text + at, length - at) <= 2;
    return false;
}

// What follows "\\?\": a drive, volume or device alone, "UNC" with a server and share, or
// "GLOBALROOT" and a device; "Global" names the same namespace again, as often as it comes.
bool isDosNamespaceRoot(const wchar_t* text, uint32_t length) {
    uint32_t at = 0;
    Component first = nextComponent(text, length, &at);
    while (isNamed(first, L"Global")) first = nextComponent(text, length, &at);
    if (isNamed(first, L"GLOBALROOT")) return isDeviceRoot(text + at, length - at);
    const uint32_t after = componentCount(text + at, length - at);
    return isNamed(first, L"UNC") ? after <= 2 : after == 0;
}

bool isPrefixedRoot(const wchar_t* path, uint32_t length) { return isDosNamespaceRoot(path + 4, length - 4); }

// Where the last component names a stream, the colon that starts it (0 when none).
uint32_t streamColon(const wchar_t* path, uint32_t length) {
    for (uint32_t i = lastComponentStart(path, length); i < length; ++i) {
        if (path[i] == L':') return i;
    }
    return 0;
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
    // A stream of a root ("C:\:s", "C:\:$I30:$INDEX_ALLOCATION") is the root's own data or index.
    if (const uint32_t colon = streamColon(path, length)) return isRootLike(path, colon);
    uint32_t start = lastComponentStart(path, length);
    return isDotsAndSpaces(path + start, length - start);
}

bool isReservedDeviceName(const wchar_t* name, uint32_t length) {
    uint32_t base = 0;
    while (base < length && name[base] != L'.') ++base;
    while (base > 0 && name[base - 1] == L' ') --base;
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

bool isShellPath(const wchar_t* path, uint32_t length) {
    constexpr uint32_t kShellPathUnits = 260;  // MAX_PATH, its terminator included
    return length < kShellPathUnits && isFullyQualified(path, length) && !needsVerbatimForm(path, length) &&
           !namesDevice(path, length) && !hasInnerDotComponent(path, length);
}

bool hasInexpressibleCharacter(const wchar_t* name, uint32_t length) {
    for (uint32_t i = 0; i < length; ++i) {
        const wchar_t c = name[i];
        if (c < 32 || c == L'"' || c == L'*' || c == L'<' || c == L'>' || c == L'?' || c == L'|') return true;
    }
    return false;
}

bool namesDevice(const wchar_t* path, uint32_t length) {
    if (!path || hasVerbatimPrefix(path, length)) return false;
    length = lengthWithoutTrailingSeparators(path, length);
    const uint32_t start = lastComponentStart(path, length);
    return isReservedDeviceName(path + start, length - start);
}

uint32_t rootLength(const wchar_t* path, uint32_t length) {
    uint32_t at = 0;
    if (length >= 4 && path[0] == L'\\' && path[1] == L'\\' && path[2] == L'?' && path[3] == L'\\') {
        at = 4;
    } else if (length >= 4 && path[0] == L'\\' && path[1] == L'?' && path[2] == L'?' && path[3] == L'\\') {
        at = 4;
    } else if (hasVerbatimPrefix(path, length)) {
        return 0;
    }
    const wchar_t letter = at < length ? lowerAscii(path[at]) : 0;
    if (length >= at + 3 && letter >= L'a' && letter <= L'z' && path[at + 1] == L':' && isPathSeparator(path[at + 2]))
        return at + 3;
    // A share: "\\server\share\" or "\\?\UNC\server\share\".
    uint32_t shareFrom = 0;
    if (at == 4 && length >= 8 && startsWithFolded(path + 4, length - 4, L"UNC") && isPathSeparator(path[7]))
        shareFrom = 8;
    else if (at == 0 && length > 2 && isPathSeparator(path[0]) && isPathSeparator(path[1]) && !isPathSeparator(path[2]))
        shareFrom = 2;
    if (!shareFrom) return 0;
    uint32_t cursor = shareFrom;
    const Component server = nextComponent(path, length, &cursor);
    const Component share = nextComponent(path, length, &cursor);
    if (!server.length || !share.length) return 0;
    return cursor < length ? cursor + 1 : length;
}

bool hasInnerDotComponent(const wchar_t* path, uint32_t length) {
    length = lengthWithoutTrailingSeparators(path, length);
    const uint32_t last = lastComponentStart(path, length);
    for (uint32_t at = 0; at < last;) {
        const Component component = nextComponent(path, last, &at);
        if (isDotComponent(component.text, component.length)) return true;
    }
    return false;
}

uint32_t collapseDotComponents(wchar_t* path, uint32_t length) {
    const uint32_t root = rootLength(path, length);
    if (root == 0) return 0;
    const uint32_t last = lastComponentStart(path, length);
    if (last < root) return length;
    uint32_t out = root;  // path[0, out) is what is kept, ending in a separator
    for (uint32_t at = root; at < last;) {
        const Component component = nextComponent(path, last, &at);
        if (component.length == 0 || (component.length == 1 && component.text[0] == L'.')) continue;
        if (isDotComponent(component.text, component.length)) {
            if (out == root) return 0;
            --out;
            while (out > root && !isPathSeparator(path[out - 1])) --out;
            continue;
        }
        for (uint32_t i = 0; i < component.length; ++i) path[out++] = component.text[i];
        path[out++] = L'\\';
    }
    for (uint32_t i = last; i < length; ++i) path[out++] = path[i];
    return out;
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
