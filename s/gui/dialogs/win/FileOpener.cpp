// s/gui/dialogs/win/FileOpener.cpp
#include "s/gui/dialogs/win/FileOpener.h"

#include "s/gui/dialogs/win/FileDialogEx.h"
#include "s/gui/dialogs/win/ParentTopmost.h"
#include "s/thread/Pool.h"

namespace s::gui::dialogs::win {

DWORD FileOpener::dialogFlags(bool optionSet, bool multiSelect, bool optionValue) {
    DWORD flags = kBaseFlags;
    if (!(optionSet && optionValue)) flags |= OFN_NODEREFERENCELINKS;
    if (optionSet && multiSelect) flags |= OFN_ALLOWMULTISELECT;
    return flags;
}

void FileOpener::setDefaultExtension(const wchar_t* extension) { m_extension.setText(extension ? extension : L""); }

void FileOpener::setOption(bool flag, bool value) {
    m_optionSet = true;
    m_multiSelect = flag;
    m_optionValue = value;
}

void FileOpener::clearOption() { m_optionSet = m_multiSelect = m_optionValue = false; }

void FileOpener::addFilter(const wchar_t* caption, const wchar_t* pattern) {
    m_filters.append(caption ? caption : L"");
    m_filters.append(L"|");
    m_filters.append(pattern ? pattern : L"");
    m_filters.append(L"|");
}

bool FileOpener::show(s::gui::IComponent* parent) {
    m_result.deleteAll();
    m_tooLong = false;
    ParentTopmost owner(parent);
    FileDialogEx dialog(m_open, m_extension.cString(), m_fileName.cString(),
                        dialogFlags(m_optionSet, m_multiSelect, m_optionValue), m_filters.cString(),
                        owner.handle());
    if (m_initialChars) dialog.m_initialChars = m_initialChars;
    if (m_folder.length()) dialog.m_ofn.lpstrInitialDir = m_folder.cString();
    if (m_title.length()) dialog.m_ofn.lpstrTitle = m_title.cString();
    dialog.m_ofn.nFilterIndex = static_cast<DWORD>(m_filterIndex);
    const bool chosen = dialog.DoModal() == IDOK;
    m_tooLong = dialog.IsListTooLong();
    if (m_tooLong) MessageBoxW(owner.handle(), kListTooLong, L"Error!", MB_OK | MB_ICONERROR);
    if (!chosen) return false;
    m_filterIndex = static_cast<int32_t>(dialog.m_ofn.nFilterIndex);
    for (size_t at = dialog.GetStartPosition(); at;) m_result.addString(dialog.GetNextPathName(at).c_str());
    return m_result.count() > 0;
}

s::base::IObject* FileOpener::newInstance() const { return s::thread::Pool<FileOpener>::obtain(); }

void FileOpener::releaseToPool() { s::thread::Pool<FileOpener>::release(this); }

void FileOpener::resetForReuse() {
    m_open = true;
    clearOption();
    m_tooLong = false;
    m_filterIndex = 1;
    m_initialChars = 0;
    m_title.clear();
    m_folder.clear();
    m_fileName.clear();
    m_extension.clear();
    m_filters.clear();
    m_result.deleteAll();
}

}  // namespace s::gui::dialogs::win
