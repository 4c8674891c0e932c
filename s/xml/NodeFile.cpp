// s/xml/NodeFile.cpp
//
// Files of the dialect: UTF-8, no byte-order mark written. A save writes the whole document
// beside the file and then replaces the file in one step, so a crash or a full disk during
// the write leaves the old file whole.
#include <windows.h>

#include "s/col/_array/ArrayU08.h"
#include "s/file/IPath.h"
#include "s/file/win/FileInputStream.h"
#include "s/file/win/FileOutputStream.h"
#include "s/file/win/PathWin.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/xml/Node.h"

namespace s::xml {

namespace {

using s::file::win::PathWin;

// The whole file, at most `limit` bytes; false for a larger file or a failed read.
bool readWholeFile(const wchar_t* path, uint32_t limit, s::col::_array::ArrayU08* bytes) {
    s::file::win::FileInputStream in;
    if (!in.open(path) || !in.seekEnd()) return false;
    const uint64_t size = in.position();
    if (size > limit || !in.seekStart()) return false;
    const uint32_t total = static_cast<uint32_t>(size);
    if (!bytes->setCount(total)) return false;
    uint32_t done = 0;
    while (done < total) {
        uint32_t got = 0;
        if (!in.read(bytes->data() + done, total - done, &got) || got == 0) return false;
        done += got;
    }
    return true;
}

bool writeWholeFile(const wchar_t* path, const s::col::_array::ArrayU08& bytes) {
    s::file::win::FileOutputStream out;
    if (!out.open(path, false)) return false;
    uint32_t written = 0;
    const bool ok = (bytes.count() == 0 || out.write(bytes.data(), bytes.count(), &written)) && out.flush();
    out.close();
    return ok;
}

}  // namespace

bool Node::loadFile(IPath* path) {
    clear();
    if (!path) return false;
    s::col::_array::ArrayU08 bytes;
    if (!readWholeFile(path->getFullPath(), kMaxFileBytes, &bytes)) return false;
    return parseBytes(bytes.data(), bytes.count());
}

bool Node::loadFileText(const wchar_t* path) {
    PathWin file;
    if (!path || !file.assignText(path)) {
        clear();
        return false;
    }
    return loadFile(&file);
}

bool Node::writeTempFile(IPath* path, StrBuffer* tempPath) const {
    s::col::_array::ArrayU08 bytes;
    if (!path || !toBytes(&bytes, false) || !path->ensureParentFolder()) return false;
    if (!tempPath->setText(path->getFullPath()) || !tempPath->append(L".tmp")) return false;
    if (writeWholeFile(tempPath->cString(), bytes)) return true;
    PathWin temp;
    if (temp.assignText(tempPath->cString())) DeleteFileW(temp.getApiPath());
    return false;
}

bool Node::saveFile(IPath* path) const {
    StrBuffer tempText;
    PathWin temp;
    if (!writeTempFile(path, &tempText) || !temp.assignText(tempText.cString())) return false;
    if (MoveFileExW(temp.getApiPath(), path->getApiPath(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    const DWORD error = GetLastError();
    DeleteFileW(temp.getApiPath());
    SetLastError(error);
    return false;
}

bool Node::saveFileText(const wchar_t* path) const {
    PathWin file;
    return path && file.assignText(path) && saveFile(&file);
}

}  // namespace s::xml
