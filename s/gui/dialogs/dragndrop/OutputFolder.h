// s/gui/dialogs/dragndrop/OutputFolder.h
//
// Where a drop-box dialog's run writes, by the output-folder mode: a custom folder (0), the
// folder of the first dropped item (11), a subfolder of it (12) or the desktop (13). It
// resolves the folder for a drop and tells whether it can be written into; it may create a
// missing one (never anything else). Owned by its dialog; used on the dialog's UI thread.
#pragma once
#include <cstdint>

#include "s/str/strbuffer/StrBuffer.h"

namespace s::file::win {
class PathWin;
}  // namespace s::file::win

namespace s::gui::dialogs::dragndrop {

class OutputFolder {
public:
    enum Mode : int32_t { kCustom = 0, kBesideItem = 11, kSubfolder = 12, kDesktop = 13 };

    OutputFolder() = default;
    ~OutputFolder() { release(); }
    OutputFolder(const OutputFolder&) = delete;
    OutputFolder& operator=(const OutputFolder&) = delete;

    int32_t mode() const { return m_mode; }
    void setMode(int32_t mode) { m_mode = mode; }
    const wchar_t* customPath() const { return m_custom.cString(); }
    void setCustomPath(const wchar_t* path) { m_custom.setText(path ? path : L""); }

    // The folder for a drop whose first item is firstPath; subfolderName names the subfolder
    // of mode 12. A custom mode without a custom path, and any unknown mode, resolve as the
    // folder of the item. Null when there is none (an empty path, a drive root's parent).
    // The folder is held by this object until the next resolve or release.
    s::file::win::PathWin* resolve(const wchar_t* firstPath, const wchar_t* subfolderName);
    s::file::win::PathWin* folder() const { return m_folder; }
    // Whether the resolved folder can be used: it exists as a folder or is a drive ("X:"),
    // readable and writable; or it is missing (no drive) and its own parent is such a
    // folder. With createMissing a missing folder is created first.
    bool check(bool createMissing);
    // Back to mode 11, no custom path, nothing resolved.
    void reset();

private:
    void release();

    int32_t m_mode = kBesideItem;
    s::str::strbuffer::StrBuffer m_custom;
    s::file::win::PathWin* m_folder = nullptr;
};

}  // namespace s::gui::dialogs::dragndrop
