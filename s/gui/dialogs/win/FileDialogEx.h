// s/gui/dialogs/win/FileDialogEx.h
//
// The file dialog of FileOpener: in a save dialog, picking another file type gives the
// typed file name the extension of that type's pattern.
#pragma once
#include <string>

#include "mfc/CFileDialog.h"

namespace s::gui::dialogs::win {

class FileDialogEx final : public mfc::CFileDialog {
public:
    using mfc::CFileDialog::CFileDialog;

    // The name with its extension replaced by the first pattern's ("*.png;*.apng" gives
    // ".png"); an empty name, or a pattern without a real extension ("*.*"), keeps the name.
    static std::wstring nameForPattern(const std::wstring& name, const std::wstring& pattern);
    // The pattern of the filter at that index (1 first) of a NUL-separated filter list.
    static std::wstring patternAt(const wchar_t* filters, DWORD index);

protected:
    void OnTypeChange() override;
};

}  // namespace s::gui::dialogs::win
