// s/gui/dialogs/win/FolderSelector.h
//
// The shell's folder browser with an edit field in the new style; a start folder is
// selected when the browser opens (and typed names are checked). Pooled.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include "s/gui/dialogs/IFolderSelector.h"

namespace s::gui::dialogs::win {

class FolderSelector final : public s::gui::dialogs::IFolderSelector {
public:
    static constexpr wchar_t kDefaultTitle[] = L"Please Select the Destination";

    static UINT browseFlags(bool withStartFolder) {
        return BIF_EDITBOX | BIF_NEWDIALOGSTYLE | (withStartFolder ? BIF_VALIDATE : 0);
    }
    // Whether the last show handed the browser a callback (only with a start folder).
    bool usedCallback() const { return m_usedCallback; }

    // IFolderSelector
    bool show(s::gui::IComponent* parent, const wchar_t* startFolder, const wchar_t* title) override;
    const wchar_t* getPath() const override { return m_path; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_dialogs_win_FolderSelector"; }
    s::base::IObject* newInstance() const override;
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    static int CALLBACK onBrowse(HWND dialog, UINT message, LPARAM, LPARAM startFolder);

    wchar_t m_path[MAX_PATH] = {};
    bool m_usedCallback = false;
};

}  // namespace s::gui::dialogs::win
