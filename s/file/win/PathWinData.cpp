// s/file/win/PathWinData.cpp
//
// The data of an item: its alternate data streams (listed through ntdll on NTFS) and the
// file streams that read and write it whole.
#include "s/file/win/PathWin.h"

#include "s/col/_array/ArrayP.h"
#include "s/col/_array/ArrayU08.h"
#include "s/file/win/FileInputStream.h"
#include "s/file/win/FileOutputStream.h"
#include "s/file/win/StreamQuery.h"
#include "s/io/IInputStreamable.h"
#include "s/io/StreamCopy.h"
#include "s/thread/Pool.h"

namespace s::file::win {

namespace {

using s::col::_array::ArrayP;
using s::col::_array::ArrayU08;
using s::str::strbuffer::StrBuffer;

// Reads are asked in pieces a 32-bit count holds comfortably.
constexpr uint32_t kReadPiece = 1u << 20;
// A 32-bit process cannot hold a larger block.
constexpr uint64_t kLargestWholeRead = 0x7FFFFFFFu;

struct StreamListing {
    const PathWin* item;
    ArrayP* found;
};

bool addStream(const wchar_t* name, uint32_t nameLength, int64_t size, void* context) {
    StreamListing* listing = static_cast<StreamListing*>(context);
    StrBuffer text;
    text.setText(listing->item->getFullPath());
    text.append(name, static_cast<int32_t>(nameLength));
    PathWin* stream = pathFromString(text.cString());
    if (!stream) return true;
    stream->presetSize(size);
    if (!listing->found->add(stream)) stream->releaseToPool();
    return true;
}

}  // namespace

// Alternate data streams

ArrayP* PathWin::listStreams(ArrayP* given) {
    ArrayP* found = pathListArray(given);
    if (found && !m_stream && isNtfs()) queryStreamsInto(found);
    return found;
}

ArrayP* PathWin::listEveryStream(bool* known) {
    ArrayP* found = pathListArray(nullptr);
    bool listed = true;
    if (found && m_parsed && !m_stream && isNtfs()) listed = queryStreamsInto(found);
    if (known) *known = found && (listed || volumeKeepsNoStreams());
    return found;
}

// Asked of the volume once per tree: children inherit the answer (see inheritVolume), which
// spares a volume query per item where the stream query always fails (Wine 8.0: 2.9 ms per
// item, measured).
bool PathWin::volumeKeepsNoStreams() {
    if (m_volumeFlagsRead < 0) {
        DWORD flags = 0;
        m_volumeFlagsRead = readVolumeFlags(getVolumeRoot(), &flags) ? 1 : 0;
        m_volumeFlags = flags;
    }
    return m_volumeFlagsRead == 1 && !(m_volumeFlags & FILE_NAMED_STREAMS);
}

// Whether the stream query ran on this item's own handle (a link is never asked).
bool PathWin::queryStreamsInto(ArrayP* found) {
    if (!m_parsed || !streamQueryAvailable()) return false;
    const DWORD attributes = readLiveAttributes();
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    HANDLE h = openItem(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        (attributes & FILE_ATTRIBUTE_DIRECTORY) ? FILE_FLAG_BACKUP_SEMANTICS : 0);
    if (h == INVALID_HANDLE_VALUE) return false;
    StreamListing listing{this, found};
    const bool done = queryStreams(h, &addStream, &listing);
    CloseHandle(h);
    return done;
}

// A stream's size is the one its carrier's listing reports.
bool PathWin::streamSizeFromCarrier() {
    uint32_t colon = 0;
    uint32_t nameStart = m_drive.length() + m_dir.length();
    if (!m_fullPath.indexOf(L':', &colon, nameStart)) return false;
    StrBuffer carrierText;
    carrierText.append(m_fullPath.chars(), static_cast<int32_t>(colon));
    PathWin carrier;
    if (!carrier.assignPath(&carrierText)) return false;
    ArrayP* streams = carrier.listStreams(nullptr);
    if (!streams) return false;
    for (uint32_t i = 0; i < streams->count(); ++i) {
        PathWin* stream = streams->item<PathWin>(i);
        if (stream->m_fullPath.equalsIgnoreCase(&m_fullPath)) m_streamSize = stream->m_streamSize;
    }
    streams->releaseToPool();
    return m_streamSize >= 0;
}

// File streams

IFileInputStream* PathWin::openInputStream() {
    if (!m_parsed) return nullptr;
    FileInputStream* stream = s::thread::Pool<FileInputStream>::obtain();
    if (stream && !stream->open(getFullPath())) {
        stream->releaseToPool();
        return nullptr;
    }
    return stream;
}

IFileOutputStream* PathWin::openOutputStream(bool append) {
    if (!m_parsed) return nullptr;
    ensureParentFolder();
    FileOutputStream* stream = s::thread::Pool<FileOutputStream>::obtain();
    if (stream && !stream->open(getFullPath(), append)) {
        stream->releaseToPool();
        return nullptr;
    }
    return stream;
}

ArrayU08* PathWin::readAll(ArrayU08* array) {
    ArrayU08* bytes = array ? array : s::thread::Pool<ArrayU08>::obtain();
    if (!bytes) return nullptr;
    bytes->clear();
    IFileInputStream* in = openInputStream();
    bool ok = in != nullptr;
    uint64_t size = 0;
    if (ok) ok = in->seekEnd() && (size = in->position(), in->seekStart());
    ok = ok && size <= kLargestWholeRead && bytes->setCount(static_cast<uint32_t>(size));
    uint32_t filled = 0;
    while (ok && filled < size) {
        uint32_t piece = static_cast<uint32_t>(size) - filled, got = 0;
        if (piece > kReadPiece) piece = kReadPiece;
        if (!in->read(bytes->data() + filled, piece, &got)) break;
        filled += got;
    }
    if (in) in->closeAndRelease();
    if (ok) {
        bytes->setCount(filled);  // a file that shrank meanwhile
        return bytes;
    }
    bytes->clear();
    if (!array) bytes->releaseToPool();
    return nullptr;
}

bool PathWin::writeAll(const ArrayU08* array, bool append) {
    if (!array) return false;
    IFileOutputStream* out = openOutputStream(append);
    if (!out) return false;
    bool ok = s::io::transferFully(out, array->data(), array->count()) && out->flush();
    out->closeAndRelease();
    return ok;
}

bool PathWin::writeObject(s::io::IInputStreamable* object, bool append) {
    s::io::IInputStream* in = object ? object->inputStream() : nullptr;
    if (!in) return false;
    IFileOutputStream* out = openOutputStream(append);
    bool ok = out && s::io::copyStream(in, out) && out->flush();
    if (out) out->closeAndRelease();
    in->closeAndRelease();
    return ok;
}

}  // namespace s::file::win
