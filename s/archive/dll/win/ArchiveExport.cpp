// s/archive/dll/win/ArchiveExport.cpp
//
// What the module archive makes of its entries: icon and cursor files, bitmap files, text
// renderings, and the export of every entry into a folder.
#include "s/archive/cur/Archive.h"
#include "s/archive/dll/ResourceText.h"
#include "s/archive/dll/TypeCodes.h"
#include "s/archive/dll/win/Archive.h"
#include "s/archive/icon/Archive.h"
#include "s/base/LittleEndian.h"
#include "s/col/_array/ArrayU08.h"
#include "s/file/win/PathWin.h"
#include "s/image/bmp/win/Bitmap.h"
#include "s/io/IOutputStream.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"

#include <cwchar>

namespace s::archive::dll::win {

using s::col::_array::ArrayU08;
using s::str::strbuffer::StrBuffer;

namespace {

using s::base::readLe32;
using s::base::readLe16;

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kCoreHeaderBytes = 12;
constexpr uint32_t kBitFields = 3;

// Where the pixels of a packed DIB (header, colour table, pixels) begin; 0 when the header
// is damaged.
uint32_t pixelOffsetOfDib(const uint8_t* dib, uint32_t size) {
    if (size < 4) return 0;
    const uint32_t header = readLe32(dib);
    if (header == kCoreHeaderBytes) {
        if (size < kCoreHeaderBytes) return 0;
        const uint16_t bits = readLe16(dib + 10);
        return header + (bits <= 8 ? (3u << bits) : 0);
    }
    if (header < 40 || header > size) return 0;
    const uint16_t bits = readLe16(dib + 14);
    const uint32_t compression = readLe32(dib + 16), used = readLe32(dib + 32);
    if (used > 256 && bits <= 8) return 0;
    if (used > 0x10000) return 0;
    const uint32_t colours = used ? used : (bits >= 1 && bits <= 8 ? 1u << bits : 0);
    const uint32_t masks = header == 40 && compression == kBitFields ? 12 : 0;
    const uint64_t offset = static_cast<uint64_t>(header) + masks + 4ull * colours;
    return offset <= size ? static_cast<uint32_t>(offset) : 0;
}

bool writeText(const StrBuffer* text, bool utf8, s::io::IOutputStream* out) {
    if (!utf8) return text->length() == 0 || out->write(text->chars(), 2 * text->length(), nullptr);
    ArrayU08* bytes = text->toUtf8(nullptr, false);
    if (!bytes) return false;
    const bool written = bytes->count() == 0 || out->write(bytes->data(), bytes->count(), nullptr);
    bytes->releaseToPool();
    return written;
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9, with or without an extension, open devices.
bool isDeviceName(const StrBuffer* name) {
    uint32_t stem = name->length();
    name->indexOf(L'.', &stem);
    static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL"};
    for (const wchar_t* device : kDevices) {
        if (stem == 3 && name->compareAtIgnoreCase(0, device, 0, 3) == 0) return true;
    }
    const wchar_t digit = name->charAt(3);
    return stem == 4 && digit >= L'1' && digit <= L'9' &&
           (name->compareAtIgnoreCase(0, L"COM", 0, 3) == 0 || name->compareAtIgnoreCase(0, L"LPT", 0, 3) == 0);
}

// A file or folder name that stays one plain name inside its folder: no separators, no
// characters the file system refuses, no "..", no device name, no trailing dot or space.
void makeSafeName(StrBuffer* name) {
    static const wchar_t kRefused[] = L"\\/:*?\"<>|";
    for (uint32_t k = 0; k < name->length(); ++k) {
        wchar_t* c = name->charPointer(k);
        if (*c < 0x20 || wcschr(kRefused, *c)) *c = L'_';
    }
    while (name->replaceAll(L"..", L"__")) {
    }
    if (name->length() == 0) name->append(L"_");
    const wchar_t last = name->charAt(name->length() - 1);
    if (last == L'.' || last == L' ') *name->charPointer(name->length() - 1) = L'_';
    if (isDeviceName(name)) name->prepend(L"_");
}

// The folder of an entry's type and the extension of its file.
void exportPlace(const Entry& entry, StrBuffer* folder, const wchar_t** extension) {
    *extension = L"";
    if (entry.hasTextType()) {
        folder->setText(entry.typeText());
        return;
    }
    if (!entry.hasStandardType()) {
        folder->setUInt32(entry.typeId());
        return;
    }
    const uint32_t code = entry.typeId();
    switch (code) {
        case kAccelerator: case kDialog: case kMenu: case kString: case kVersion: *extension = L".txt"; break;
        case kBitmap: *extension = L".bmp"; break;
        case kGroupCursor: *extension = L".cur"; break;
        case kGroupIcon: *extension = L".ico"; break;
        case kHtml: *extension = L".html"; break;
        case kManifest: *extension = L".xml"; break;
        default: break;
    }
    folder->setText(code == kGroupIcon ? L"ICON" : code == kGroupCursor ? L"CURSOR" : typeCodeName(code));
}

}  // namespace

bool Archive::groupIconAsIco(uint32_t index, s::io::IOutputStream* out) {
    s::archive::icon::Archive* icons = s::thread::Pool<s::archive::icon::Archive>::obtain();
    const bool written = icons && out && icons->fillFromGroup(this, index) && icons->writeAsFile(out);
    if (icons) icons->releaseToPool();
    return written;
}

bool Archive::groupCursorAsCur(uint32_t index, s::io::IOutputStream* out) {
    s::archive::cur::Archive* cursors = s::thread::Pool<s::archive::cur::Archive>::obtain();
    const bool written = cursors && out && cursors->fillFromGroup(this, index) && cursors->writeAsFile(out);
    if (cursors) cursors->releaseToPool();
    return written;
}

bool Archive::bitmapAsBmp(uint32_t index, s::io::IOutputStream* out) {
    const uint8_t* dib = nullptr;
    uint32_t size = 0;
    Entry* entry = entryOf(index);
    if (!out || !entry || !entry->hasStandardType() || entry->typeId() != kBitmap || !lockEntry(entry, &dib, &size))
        return false;
    const uint32_t pixels = pixelOffsetOfDib(dib, size);
    if (pixels == 0) return false;
    // A module keeps the bitmap without its file header: give it one and let the codec
    // read and write the file.
    ArrayU08* file = s::thread::Pool<ArrayU08>::obtain();
    s::image::bmp::win::Bitmap* bitmap = s::thread::Pool<s::image::bmp::win::Bitmap>::obtain();
    bool written = false;
    if (file && bitmap) {
        BITMAPFILEHEADER header = {};
        header.bfType = 0x4D42;
        header.bfSize = kFileHeaderBytes + size;
        header.bfOffBits = kFileHeaderBytes + pixels;
        written = file->append(&header, kFileHeaderBytes, 0) && file->append(dib, size, 0) && file->seekStart() &&
                  bitmap->decode(file) && bitmap->encode(out);
    }
    if (file) file->releaseToPool();
    if (bitmap) bitmap->releaseToPool();
    return written;
}

bool Archive::render(uint32_t index, uint32_t typeCode, Renderer renderer, bool utf8, s::io::IOutputStream* out) {
    const uint8_t* bytes = nullptr;
    uint32_t size = 0;
    Entry* entry = entryOf(index);
    if (!out || !entry || !entry->hasStandardType() || entry->typeId() != typeCode || !lockEntry(entry, &bytes, &size))
        return false;
    StrBuffer* text = s::str::strbuffer::resultString(nullptr, false);
    const bool written = text && renderer(bytes, size, text) && writeText(text, utf8, out);
    if (text) text->releaseToPool();
    return written;
}

bool Archive::versionAsText(uint32_t index, s::io::IOutputStream* out) {
    return render(index, kVersion, &s::archive::dll::versionAsText, false, out);
}

bool Archive::stringTableAsText(uint32_t index, s::io::IOutputStream* out) {
    return render(index, kString, &s::archive::dll::stringTableAsText, false, out);
}

bool Archive::describeAccelerators(uint32_t index, s::io::IOutputStream* out) {
    return render(index, kAccelerator, &acceleratorsAsText, true, out);
}

bool Archive::describeMenu(uint32_t index, s::io::IOutputStream* out) {
    return render(index, kMenu, &menuAsText, false, out);
}

bool Archive::describeDialog(uint32_t index, s::io::IOutputStream* out) {
    return render(index, kDialog, &dialogAsText, false, out);
}

bool Archive::exportEntry(uint32_t index, s::file::IPath* folder) {
    const Entry* entry = entryOf(index);
    StrBuffer* typeFolder = s::str::strbuffer::resultString(nullptr, false);
    StrBuffer* fileName = s::str::strbuffer::resultString(nullptr, false);
    ArrayU08* bytes = s::thread::Pool<ArrayU08>::obtain();
    s::file::IPath* place = nullptr;
    s::file::IPath* file = nullptr;
    bool written = false;
    if (typeFolder && fileName && bytes) {
        const wchar_t* extension = L"";
        exportPlace(*entry, typeFolder, &extension);
        makeSafeName(typeFolder);
        entry->name(fileName, false);
        makeSafeName(fileName);
        fileName->append(extension);
        place = folder->childPath(typeFolder->cString());
        file = place ? place->childPath(fileName->cString()) : nullptr;
        const bool ready = file && ((place->exists() && place->isDirectory()) || place->createFolder(false));
        bool made = false;
        if (ready && entry->hasStandardType()) {
            switch (entry->typeId()) {
                case kAccelerator: made = describeAccelerators(index, bytes); break;
                case kDialog: made = describeDialog(index, bytes); break;
                case kMenu: made = describeMenu(index, bytes); break;
                case kString: made = stringTableAsText(index, bytes); break;
                case kVersion: made = versionAsText(index, bytes); break;
                case kBitmap: made = bitmapAsBmp(index, bytes); break;
                case kGroupIcon: made = groupIconAsIco(index, bytes); break;
                case kGroupCursor: made = groupCursorAsCur(index, bytes); break;
                default: made = readEntry(entryOf(index), bytes); break;
            }
        } else if (ready) {
            made = readEntry(entryOf(index), bytes);
        }
        written = made && file->writeAll(bytes, false);
    }
    if (file) file->releaseToPool();
    if (place) place->releaseToPool();
    if (bytes) bytes->releaseToPool();
    if (fileName) fileName->releaseToPool();
    if (typeFolder) typeFolder->releaseToPool();
    return written;
}

bool Archive::exportAll(s::file::IPath* folder) {
    // A path that does not exist reads as a folder by its attributes: ask both.
    if (!folder || !folder->exists() || !folder->isDirectory()) return false;
    bool all = true;
    for (uint32_t k = 0; k < m_entries.count(); ++k) all = exportEntry(k, folder) && all;
    return all;
}

}  // namespace s::archive::dll::win
