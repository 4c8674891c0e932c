// s/gui/dialogs/dragndrop/OutputFolder.cpp
#include "s/gui/dialogs/dragndrop/OutputFolder.h"

#include <cwchar>

#include "s/file/IPath.h"
#include "s/file/win/PathWin.h"

namespace s::gui::dialogs::dragndrop {

namespace {

bool isDriveDesignator(const wchar_t* path) { return path && wcslen(path) == 2 && path[1] == L':'; }

// A folder that exists (a directory or a drive), readable and writable.
bool isUsableFolder(s::file::IPath* folder) {
    if (!folder) return false;
    if (isDriveDesignator(folder->getFullPath())) return true;
    return folder->exists() && folder->isDirectory() && folder->isReadWritable();
}

// The folder an item lies in; null for none.
s::file::win::PathWin* folderOf(const wchar_t* itemPath) {
    s::file::win::PathWin* item = s::file::win::pathFromString(itemPath ? itemPath : L"");
    if (!item) return nullptr;
    s::file::IPath* parent = item->parentFolder();
    item->releaseToPool();
    return dynamic_cast<s::file::win::PathWin*>(parent);
}

}  // namespace

void OutputFolder::release() {
    if (m_folder) m_folder->releaseToPool();
    m_folder = nullptr;
}

void OutputFolder::reset() {
    release();
    m_mode = kBesideItem;
    m_custom.setText(L"");
}

s::file::win::PathWin* OutputFolder::resolve(const wchar_t* firstPath, const wchar_t* subfolderName) {
    release();
    if (m_mode == kDesktop) {
        m_folder = s::file::win::getDesktopFolder();
    } else if (m_mode == kCustom && m_custom.length()) {
        m_folder = s::file::win::pathFromString(m_custom.cString());
    } else if (m_mode == kSubfolder && subfolderName && *subfolderName) {
        s::file::win::PathWin* beside = folderOf(firstPath);
        if (beside) {
            s::str::strbuffer::StrBuffer path;
            beside->copyFullPathSlash(&path, false);
            path.append(subfolderName);
            m_folder = s::file::win::pathFromString(path.cString());
            beside->releaseToPool();
        }
    } else {
        m_folder = folderOf(firstPath);
    }
    return m_folder;
}

bool OutputFolder::check(bool createMissing) {
    if (!m_folder) return false;
    const bool drive = isDriveDesignator(m_folder->getFullPath());
    if (createMissing && !drive && !m_folder->exists()) m_folder->createFolder(true);
    if (isUsableFolder(m_folder)) return true;
    if (drive || m_folder->exists()) return false;
    s::file::IPath* above = m_folder->parentFolder();
    const bool usable = isUsableFolder(above);
    if (above) above->releaseToPool();
    return usable;
}

}  // namespace s::gui::dialogs::dragndrop
