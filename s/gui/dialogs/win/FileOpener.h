// s/gui/dialogs/win/FileOpener.h
//
// The file dialog of the toolkit: open by default, or save; filters as caption and pattern
// pairs; the chosen paths in a list. A multi-selection of any size is taken whole (the
// dialog's buffer grows); one that cannot be taken is shown to the user as an error and
// answers false, never a part of it. Pooled.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/gui/dialogs/IFileOpener.h"
#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::gui::dialogs::win {

class FileOpener final : public s::gui::dialogs::IFileOpener {
public:
    static constexpr DWORD kBaseFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    static constexpr wchar_t kListTooLong[] = L"The selection is too long to be taken whole. Please choose fewer files.";

    // The dialog's flags for the option: links not followed unless the option's value
    // says so; several files only when the option is set with multi-select.
    static DWORD dialogFlags(bool optionSet, bool multiSelect, bool optionValue);

    void setSaveMode(bool save) { m_open = !save; }
    void setDefaultExtension(const wchar_t* extension);
    // Where the dialog's buffer starts; it grows from there (tests start it small).
    void setInitialBufferChars(uint32_t chars) { m_initialChars = chars; }
    bool wasListTooLong() const { return m_tooLong; }

    // IFileOpener
    bool show(s::gui::IComponent* parent) override;
    void setOption(bool flag, bool value) override;
    void clearOption() override;
    const s::str::strarray::StrArray* getResult() const override { return &m_result; }
    int32_t getChosenFilter() const override { return m_filterIndex; }
    void setTitle(const wchar_t* title) override { m_title.setText(title ? title : L""); }
    void setFolder(const wchar_t* folder) override { m_folder.setText(folder ? folder : L""); }
    void setFileName(const wchar_t* name) override { m_fileName.setText(name ? name : L""); }
    void addFilter(const wchar_t* caption, const wchar_t* pattern) override;

    // IObject
    const wchar_t* classId() const override { return L"s_gui_dialogs_win_FileOpener"; }
    s::base::IObject* newInstance() const override;
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    bool m_open = true;
    bool m_optionSet = false, m_multiSelect = false, m_optionValue = false;
    bool m_tooLong = false;
    int32_t m_filterIndex = 1;
    uint32_t m_initialChars = 0;
    s::str::strbuffer::StrBuffer m_title, m_folder, m_fileName, m_extension, m_filters;
    s::str::strarray::StrArray m_result;
};

}  // namespace s::gui::dialogs::win
