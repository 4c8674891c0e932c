// s/image/ImageFiles.h
//
// Pictures to and from files named by a path object or a path text: the stream is opened,
// handed to the codec's write or read, and closed. A codec's saveToPath never writes over an
// existing item (keepExisting); loading wants an existing file that is not a folder.
#pragma once
#include "s/file/IFileInputStream.h"
#include "s/file/IFileOutputStream.h"
#include "s/file/IPath.h"
#include "s/file/win/PathWin.h"

namespace s::image {

template <class Write>
bool writeToPath(s::file::IPath* path, bool keepExisting, Write write) {
    if (!path || (keepExisting && path->exists())) return false;
    s::file::IFileOutputStream* out = path->openOutputStream(false);
    if (!out) return false;
    const bool written = write(static_cast<s::io::IOutputStream*>(out)) && out->flush();
    out->closeAndRelease();
    return written;
}

template <class Read>
bool readFromPath(s::file::IPath* path, Read read) {
    if (!path || !path->exists() || path->isDirectory()) return false;
    s::file::IFileInputStream* in = path->openInputStream();
    if (!in) return false;
    const bool done = read(static_cast<s::io::IInputStream*>(in));
    in->closeAndRelease();
    return done;
}

// The same with a path object made from the text for the call.
template <class Use>
bool withPathText(const wchar_t* text, Use use) {
    s::file::win::PathWin* path = text ? s::file::win::pathFromString(text) : nullptr;
    if (!path) return false;
    const bool done = use(static_cast<s::file::IPath*>(path));
    path->releaseToPool();
    return done;
}

}  // namespace s::image
