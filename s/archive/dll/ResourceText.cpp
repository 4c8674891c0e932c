// s/archive/dll/ResourceText.cpp
#include "s/archive/dll/ResourceText.h"

#include "s/str/strbuffer/StrBuffer.h"

namespace s::archive::dll {
namespace {

// Reads little-endian values within size bytes; the first read past the end clears ok and
// every later read answers 0.
class Reader {
public:
    Reader(const uint8_t* bytes, uint32_t size) : m_bytes(bytes), m_size(size) {}

    bool ok() const { return m_ok; }
    uint32_t at() const { return m_at; }
    uint32_t left() const { return m_ok ? m_size - m_at : 0; }
    bool has(uint32_t n) const { return m_ok && m_size - m_at >= n; }
    void seek(uint32_t at) {
        if (at > m_size) m_ok = false;
        if (m_ok) m_at = at;
    }
    void skip(uint32_t n) {
        if (!has(n)) m_ok = false;
        if (m_ok) m_at += n;
    }
    void alignTo4(uint32_t origin = 0) { skip((4 - ((m_at - origin) & 3)) & 3); }
    uint16_t u16() {
        if (!has(2)) return fail();
        const uint16_t v = static_cast<uint16_t>(m_bytes[m_at] | m_bytes[m_at + 1] << 8);
        m_at += 2;
        return v;
    }
    uint32_t u32() {
        const uint32_t low = u16();
        return low | static_cast<uint32_t>(u16()) << 16;
    }
    int16_t s16() { return static_cast<int16_t>(u16()); }
    uint8_t u8() {
        if (!has(1)) return static_cast<uint8_t>(fail());
        return m_bytes[m_at++];
    }
    // A zero-terminated UTF-16 string; a missing terminator is damage.
    void string(Text* out) {
        for (;;) {
            const uint16_t unit = u16();
            if (!m_ok || unit == 0) return;
            out->appendChar(static_cast<wchar_t>(unit));
        }
    }
    // Up to units UTF-16 units, stopping at a zero.
    void counted(uint32_t units, Text* out) {
        for (uint32_t k = 0; k < units && m_ok; ++k) {
            const uint16_t unit = u16();
            if (unit == 0) {
                skip(2 * (units - k - 1));
                return;
            }
            out->appendChar(static_cast<wchar_t>(unit));
        }
    }

private:
    uint16_t fail() {
        m_ok = false;
        return 0;
    }

    const uint8_t* m_bytes;
    uint32_t m_size;
    uint32_t m_at = 0;
    bool m_ok = true;
};

void line(Text* text, const wchar_t* label, const wchar_t* value = L"") {
    text->append(label);
    text->append(value);
    text->append(L"\r\n");
}

void numberLine(Text* text, const wchar_t* label, int64_t value, const wchar_t* unit = L"") {
    text->append(label);
    text->appendInt64(value);
    text->append(unit);
    text->append(L"\r\n");
}

void hexLine(Text* text, const wchar_t* label, uint32_t value) {
    text->append(label);
    text->append(L"0x");
    text->appendHex32(value);
    text->append(L"\r\n");
}

void indent(Text* text, uint32_t depth) {
    for (uint32_t k = 0; k < depth; ++k) text->appendChar(L'\t');
}

// ---- accelerators

constexpr uint16_t kVirtKey = 0x01, kShift = 0x04, kControl = 0x08, kAlt = 0x10, kLastEntry = 0x80;
constexpr uint32_t kAcceleratorBytes = 8;

}  // namespace

bool acceleratorsAsText(const uint8_t* bytes, uint32_t size, Text* text) {
    if (size % kAcceleratorBytes != 0 || size == 0) return false;
    Reader in(bytes, size);
    bool last = false;
    while (in.left() && !last) {
        const uint16_t flags = in.u16(), key = in.u16(), command = in.u16();
        in.u16();
        text->append(L"Key: ");
        if (flags & kAlt) text->append(L"Alt + ");
        if (flags & kControl) text->append(L"Ctrl + ");
        if (flags & kShift) text->append(L"Shift + ");
        if (flags & kVirtKey) {
            appendVirtualKeyName(key, text);
        } else {
            text->appendChar(static_cast<wchar_t>(key));
            text->append(L" key");
        }
        text->append(L"\r\n");
        numberLine(text, L"Action ID: ", command);
        text->append(L"\r\n");
        last = (flags & kLastEntry) != 0;
    }
    // A table that stops before its last entry is cut.
    return in.ok() && last;
}

// ---- menus

namespace {

constexpr uint16_t kPopup = 0x10, kEnd = 0x80;
// Deeper menus than this are no menu of a program.
constexpr uint32_t kMaxMenuDepth = 32;

}  // namespace

bool menuAsText(const uint8_t* bytes, uint32_t size, Text* text) {
    Reader in(bytes, size);
    if (in.u16() != 0 || in.u16() != 0 || !in.ok()) return false;
    bool endsParent[kMaxMenuDepth];
    uint32_t depth = 0;
    while (in.ok()) {
        const uint16_t flags = in.u16();
        const bool popup = (flags & kPopup) != 0;
        const uint16_t id = popup ? 0 : in.u16();
        Text* itemText = s::str::strbuffer::resultString(nullptr, false);
        if (!itemText) return false;
        in.string(itemText);
        indent(text, depth);
        line(text, !popup && itemText->length() == 0 ? L"---------------" : itemText->cString());
        itemText->releaseToPool();
        if (!in.ok()) return false;
        if (!popup && id != 0) {
            indent(text, depth);
            numberLine(text, L"(ID: ", id, L")");
        }
        if (popup) {
            if (depth + 1 >= kMaxMenuDepth) return false;
            endsParent[depth++] = (flags & kEnd) != 0;
            continue;
        }
        if (!(flags & kEnd)) continue;
        // The last item of its level: close every level that ends with it.
        for (;;) {
            if (depth == 0) return true;
            if (!endsParent[--depth]) break;
        }
    }
    return false;
}

// ---- dialogs

namespace {

struct FlagName {
    uint32_t bit;
    const wchar_t* name;
};

constexpr FlagName kDialogStyles[] = {
    {0x0001, L"DS_ABSALIGN"}, {0x0002, L"DS_SYSMODAL"}, {0x0004, L"DS_3DLOOK"}, {0x0008, L"DS_FIXEDSYS"},
    {0x0010, L"DS_NOFAILCREATE"}, {0x0020, L"DS_LOCALEDIT"}, {0x0040, L"DS_SETFONT"},
    {0x0080, L"DS_MODALFRAME"}, {0x0100, L"DS_NOIDLEMSG"}, {0x0200, L"DS_SETFOREGROUND"},
    {0x0400, L"DS_CONTROL"}, {0x0800, L"DS_CENTER"}, {0x1000, L"DS_CENTERMOUSE"}, {0x2000, L"DS_CONTEXTHELP"},
};
// WS_CAPTION is its two parts together: named, they are not named again.
constexpr FlagName kWindowStyles[] = {
    {0x80000000, L"WS_POPUP"}, {0x40000000, L"WS_CHILD"}, {0x20000000, L"WS_MINIMIZE"},
    {0x10000000, L"WS_VISIBLE"}, {0x08000000, L"WS_DISABLED"}, {0x04000000, L"WS_CLIPSIBLINGS"},
    {0x02000000, L"WS_CLIPCHILDREN"}, {0x01000000, L"WS_MAXIMIZE"}, {0x00C00000, L"WS_CAPTION"},
    {0x00800000, L"WS_BORDER"},
    {0x00400000, L"WS_DLGFRAME"}, {0x00200000, L"WS_VSCROLL"}, {0x00100000, L"WS_HSCROLL"},
    {0x00080000, L"WS_SYSMENU"}, {0x00040000, L"WS_THICKFRAME"},
};
constexpr uint32_t kBit17 = 0x00020000, kBit16 = 0x00010000;
constexpr FlagName kExtendedStyles[] = {
    {0x00000001, L"WS_EX_DLGMODALFRAME"}, {0x00000004, L"WS_EX_NOPARENTNOTIFY"}, {0x00000008, L"WS_EX_TOPMOST"},
    {0x00000010, L"WS_EX_ACCEPTFILES"}, {0x00000020, L"WS_EX_TRANSPARENT"}, {0x00000040, L"WS_EX_MDICHILD"},
    {0x00000080, L"WS_EX_TOOLWINDOW"}, {0x00000100, L"WS_EX_WINDOWEDGE"}, {0x00000200, L"WS_EX_CLIENTEDGE"},
    {0x00000400, L"WS_EX_CONTEXTHELP"}, {0x00001000, L"WS_EX_RIGHT"}, {0x00002000, L"WS_EX_RTLREADING"},
    {0x00004000, L"WS_EX_LEFTSCROLLBAR"}, {0x00010000, L"WS_EX_CONTROLPARENT"}, {0x00020000, L"WS_EX_STATICEDGE"},
    {0x00040000, L"WS_EX_APPWINDOW"}, {0x00080000, L"WS_EX_LAYERED"}, {0x00100000, L"WS_EX_NOINHERITLAYOUT"},
    {0x00400000, L"WS_EX_LAYOUTRTL"}, {0x02000000, L"WS_EX_COMPOSITED"}, {0x08000000, L"WS_EX_NOACTIVATE"},
};
constexpr const wchar_t* kPredefinedClasses[] = {L"Button", L"Edit", L"Static", L"List box", L"Scroll bar",
                                                 L"Combo box"};
constexpr uint16_t kSetFont = 0x0040;
constexpr uint16_t kExtendedSignature = 0xFFFF;

// Names every flag of the table that value holds whole; a named flag's bits are not named
// again by a later row.
template <size_t N>
bool appendFlags(const FlagName (&names)[N], uint32_t value, Text* text) {
    bool any = false;
    for (const FlagName& flag : names) {
        if ((value & flag.bit) != flag.bit) continue;
        line(text, flag.name);
        value &= ~flag.bit;
        any = true;
    }
    return any;
}

void styleLines(uint32_t style, bool isDialog, Text* text) {
    line(text, L"Styles:");
    bool any = isDialog && appendFlags(kDialogStyles, style & 0xFFFF, text);
    any = appendFlags(kWindowStyles, style & 0xFFFC0000, text) || any;
    // The same two bits mean the frame buttons of a window and the tab stops of a control.
    if (style & kBit17) line(text, isDialog ? L"WS_MINIMIZEBOX" : L"WS_GROUP");
    if (style & kBit16) line(text, isDialog ? L"WS_MAXIMIZEBOX" : L"WS_TABSTOP");
    if (!any && !(style & (kBit16 | kBit17))) line(text, L"(None)");
}

void extendedStyleLines(uint32_t style, Text* text) {
    line(text, L"Extended Styles:");
    if (!appendFlags(kExtendedStyles, style, text)) line(text, L"(None)");
}

// A name or ordinal field: 0 none, 0xFFFF and a number, or a string.
enum class Field { kNone, kOrdinal, kText };

Field readField(Reader& in, uint16_t* ordinal, Text* textValue) {
    const uint16_t first = in.u16();
    if (first == 0) return Field::kNone;
    if (first == 0xFFFF) {
        *ordinal = in.u16();
        return Field::kOrdinal;
    }
    textValue->appendChar(static_cast<wchar_t>(first));
    in.string(textValue);
    return Field::kText;
}

// Writes "label" + the field: "(None)", the number or the text.
bool fieldLine(Reader& in, const wchar_t* label, Text* text) {
    uint16_t ordinal = 0;
    Text* value = s::str::strbuffer::resultString(nullptr, false);
    if (!value) return false;
    const Field kind = readField(in, &ordinal, value);
    if (kind == Field::kNone) line(text, label, L"(None)");
    if (kind == Field::kOrdinal) numberLine(text, label, ordinal);
    if (kind == Field::kText) line(text, label, value->cString());
    value->releaseToPool();
    return in.ok();
}

bool classLine(Reader& in, Text* text) {
    uint16_t ordinal = 0;
    Text* value = s::str::strbuffer::resultString(nullptr, false);
    if (!value) return false;
    const Field kind = readField(in, &ordinal, value);
    if (kind == Field::kNone) line(text, L"Class ID: ", L"(None)");
    if (kind == Field::kText) line(text, L"Class ID: ", value->cString());
    if (kind == Field::kOrdinal && ordinal >= 0x80 && ordinal <= 0x85) {
        line(text, L"Class ID: ", kPredefinedClasses[ordinal - 0x80]);
    } else if (kind == Field::kOrdinal) {
        numberLine(text, L"Class ID: ", ordinal);
    }
    value->releaseToPool();
    return in.ok();
}

// A title: text, or the id of a resource (an icon or a bitmap of a static control).
bool titleLine(Reader& in, Text* text) {
    uint16_t ordinal = 0;
    Text* value = s::str::strbuffer::resultString(nullptr, false);
    if (!value) return false;
    const Field kind = readField(in, &ordinal, value);
    if (kind == Field::kNone) line(text, L"Text: ", L"(None)");
    if (kind == Field::kOrdinal) numberLine(text, L"Resource ID: ", ordinal);
    if (kind == Field::kText) line(text, L"Text: ", value->cString());
    value->releaseToPool();
    return in.ok();
}

void geometryLines(int32_t x, int32_t y, int32_t cx, int32_t cy, Text* text) {
    numberLine(text, L"X: ", x, L" (dialog unit)");
    numberLine(text, L"Y: ", y, L" (dialog unit)");
    numberLine(text, L"Width: ", cx, L" (dialog unit)");
    numberLine(text, L"Height: ", cy, L" (dialog unit)");
}

bool controlBlock(Reader& in, bool extended, uint32_t number, Text* text) {
    in.alignTo4();
    uint32_t help = 0, exStyle = 0, style = 0, id = 0;
    if (extended) {
        help = in.u32();
        exStyle = in.u32();
        style = in.u32();
    } else {
        style = in.u32();
        exStyle = in.u32();
    }
    const int16_t x = in.s16(), y = in.s16(), cx = in.s16(), cy = in.s16();
    id = extended ? in.u32() : in.u16();
    if (!in.ok()) return false;
    text->append(L"\r\n");
    numberLine(text, L"[Component ", number, L"]");
    if (!classLine(in, text)) return false;
    numberLine(text, L"Control ID: ", extended ? static_cast<int32_t>(id) : static_cast<int16_t>(id));
    if (extended) numberLine(text, L"Help ID: ", help); else line(text, L"Help ID: ", L"(None)");
    if (!titleLine(in, text)) return false;
    geometryLines(x, y, cx, cy, text);
    styleLines(style, false, text);
    extendedStyleLines(exStyle, text);
    const uint16_t extra = in.u16();
    in.skip(extra);
    return in.ok();
}

}  // namespace

bool dialogAsText(const uint8_t* bytes, uint32_t size, Text* text) {
    Reader in(bytes, size);
    const uint16_t version = in.u16(), signature = in.u16();
    const bool extended = version == 1 && signature == kExtendedSignature;
    uint32_t help = 0, exStyle = 0, style = 0;
    if (extended) {
        help = in.u32();
        exStyle = in.u32();
        style = in.u32();
    } else {
        in.seek(0);
        style = in.u32();
        exStyle = in.u32();
    }
    const uint16_t count = in.u16();
    const int16_t x = in.s16(), y = in.s16(), cx = in.s16(), cy = in.s16();
    if (!in.ok()) return false;
    line(text, L"[Dialog]");
    // The menu and the class stand before the title in the template.
    const uint32_t fieldsAt = in.at();
    Text* title = s::str::strbuffer::resultString(nullptr, false);
    if (!title) return false;
    uint16_t ordinal = 0;
    readField(in, &ordinal, title);
    readField(in, &ordinal, title);
    title->clear();
    in.string(title);
    const uint32_t fontAt = in.at();
    if (in.ok()) line(text, L"Title: ", title->length() ? title->cString() : L"(None)");
    title->releaseToPool();
    if (!in.ok()) return false;
    geometryLines(x, y, cx, cy, text);
    in.seek(fieldsAt);
    if (!fieldLine(in, L"Menu Resource ID: ", text) || !classLine(in, text)) return false;
    if (extended) numberLine(text, L"Help ID: ", help); else line(text, L"Help ID: ", L"(None)");
    in.seek(fontAt);
    if (style & kSetFont) {
        const uint16_t points = in.u16();
        const uint16_t weight = extended ? in.u16() : 0;
        const uint8_t italic = extended ? in.u8() : 0;
        const uint8_t charset = extended ? in.u8() : 0;
        Text* face = s::str::strbuffer::resultString(nullptr, false);
        if (!face) return false;
        in.string(face);
        if (in.ok()) line(text, L"Font Name: ", face->cString());
        face->releaseToPool();
        if (!in.ok()) return false;
        numberLine(text, L"Font Size: ", points, L" point");
        if (extended) {
            numberLine(text, L"Font Weight: ", weight);
            line(text, L"Font Italic: ", italic ? L"true" : L"false");
            numberLine(text, L"Font Character Set: ", charset);
        }
    } else {
        line(text, L"Font Name: ", L"(None)");
        line(text, L"Font Size: ", L"(None)");
    }
    if (!extended) {
        line(text, L"Font Weight: ", L"(None)");
        line(text, L"Font Italic: ", L"(None)");
        line(text, L"Font Character Set: ", L"(None)");
    }
    styleLines(style, true, text);
    extendedStyleLines(exStyle, text);
    for (uint32_t k = 0; k < count; ++k) {
        if (!controlBlock(in, extended, k + 1, text)) return false;
    }
    return true;
}

// ---- string tables and version records

namespace {

constexpr uint32_t kStringsPerBlock = 16;

}  // namespace

bool stringTableAsText(const uint8_t* bytes, uint32_t size, Text* text) {
    Reader in(bytes, size);
    for (uint32_t k = 0; k < kStringsPerBlock; ++k) {
        const uint16_t length = in.u16();
        if (!in.has(2u * length)) return false;
        if (length) {
            text->appendChar(L'"');
            for (uint16_t n = 0; n < length; ++n) text->appendChar(static_cast<wchar_t>(in.u16()));
            text->appendChar(L'"');
        }
        text->append(L"\r\n");
    }
    return in.ok();
}

namespace {

constexpr uint32_t kFixedInfoBytes = 52;
constexpr uint32_t kFixedSignature = 0xFEEF04BD;
// The record nests four levels: root, file info, table, string.
constexpr uint32_t kMaxVersionDepth = 4;

struct VersionNode {
    uint32_t start, end;  // the node's bytes
    uint16_t valueLength, type;
    uint32_t valueAt, childrenAt;
};

// The node at the reader's position (aligned), within the parent's end.
bool readVersionNode(Reader& in, uint32_t parentEnd, VersionNode* node, Text* key) {
    in.alignTo4();
    node->start = in.at();
    const uint16_t length = in.u16();
    node->valueLength = in.u16();
    node->type = in.u16();
    if (!in.ok() || length < 6 || node->start + length > parentEnd) return false;
    node->end = node->start + length;
    in.string(key);
    in.alignTo4();
    node->valueAt = in.at();
    const uint32_t valueBytes = node->type == 1 ? 2u * node->valueLength : node->valueLength;
    if (!in.ok() || node->valueAt + valueBytes > node->end) return false;
    in.seek(node->valueAt + valueBytes);
    in.alignTo4();
    node->childrenAt = in.at() < node->end ? in.at() : node->end;
    return in.ok();
}

void versionNumber(Text* text, const wchar_t* label, uint32_t high, uint32_t low) {
    text->append(label);
    text->appendUInt32(high >> 16);
    text->appendChar(L'.');
    text->appendUInt32(high & 0xFFFF);
    text->appendChar(L'.');
    text->appendUInt32(low >> 16);
    text->appendChar(L'.');
    text->appendUInt32(low & 0xFFFF);
    text->append(L"\r\n");
}

bool fixedInfo(Reader& in, const VersionNode& node, Text* text) {
    if (node.valueLength < kFixedInfoBytes) return true;
    in.seek(node.valueAt);
    if (in.u32() != kFixedSignature) return false;
    in.u32();
    const uint32_t fileHigh = in.u32(), fileLow = in.u32(), productHigh = in.u32(), productLow = in.u32();
    in.u32();
    const uint32_t flags = in.u32(), os = in.u32(), type = in.u32(), subtype = in.u32();
    if (!in.ok()) return false;
    versionNumber(text, L"File Version: ", fileHigh, fileLow);
    versionNumber(text, L"Product Version: ", productHigh, productLow);
    hexLine(text, L"File Flags: ", flags);
    hexLine(text, L"File OS: ", os);
    hexLine(text, L"File Type: ", type);
    hexLine(text, L"File Subtype: ", subtype);
    return true;
}

bool versionChildren(Reader& in, const VersionNode& parent, uint32_t depth, Text* text);

// One node below the root: a block heading (a file info or a string table), a string
// "Key: value", or the translations as hexadecimal words.
bool versionNode(Reader& in, const VersionNode& node, const Text* key, uint32_t depth, Text* text) {
    const bool heading = depth == 1 || (depth == 2 && node.valueLength == 0);
    if (heading) {
        text->append(L"[");
        text->appendStr(key);
        text->append(L"]\r\n");
    } else if (node.type == 1) {
        text->appendStr(key);
        text->append(L": ");
        in.seek(node.valueAt);
        in.counted(node.valueLength, text);
        text->append(L"\r\n");
    } else {
        text->appendStr(key);
        text->append(L":");
        in.seek(node.valueAt);
        for (uint32_t k = 0; k + 2 <= node.valueLength && in.ok(); k += 2) {
            text->append(L" 0x");
            text->appendHex16(in.u16());
        }
        text->append(L"\r\n");
    }
    return in.ok() && versionChildren(in, node, depth + 1, text);
}

bool versionChildren(Reader& in, const VersionNode& parent, uint32_t depth, Text* text) {
    if (depth >= kMaxVersionDepth && parent.childrenAt < parent.end) return false;
    in.seek(parent.childrenAt);
    while (in.ok() && in.at() + 6 <= parent.end) {
        VersionNode node;
        Text* key = s::str::strbuffer::resultString(nullptr, false);
        if (!key) return false;
        const bool ok = readVersionNode(in, parent.end, &node, key) && versionNode(in, node, key, depth, text);
        key->releaseToPool();
        if (!ok) return false;
        in.seek(node.end);
    }
    return in.ok();
}

}  // namespace

bool versionAsText(const uint8_t* bytes, uint32_t size, Text* text) {
    Reader in(bytes, size);
    VersionNode root;
    Text* key = s::str::strbuffer::resultString(nullptr, false);
    if (!key) return false;
    const bool ok = readVersionNode(in, size, &root, key) && fixedInfo(in, root, text) &&
                    versionChildren(in, root, 1, text);
    key->releaseToPool();
    return ok;
}

}  // namespace s::archive::dll
