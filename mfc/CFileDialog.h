// mfc/CFileDialog.h
//
// Our own file dialog under the framework's name: GetOpenFileNameW or GetSaveFileNameW in
// the explorer style with a hook, from a filter list in the "caption|pattern|...|" form.
// The file buffer is never a fixed MAX_PATH: it starts at kInitialChars (or what the caller
// set in m_initialChars) and grows whenever the selection changes and just before the
// dialog takes OK, so that the whole selection fits; Wine 8.0 copies a multi-selection into
// the buffer without looking at its size (checked: a typed list longer than the buffer
// overran it), so the growth before OK is what keeps it whole there. Where the dialog
// still answers FNERR_BUFFERTOOSMALL the buffer grows to the size asked for and the dialog
// is shown again, up to kMaxRetries times; a selection that never fits ends the dialog
// with IDCANCEL and IsListTooLong, never with a cut list. Runs modally on the calling
// thread.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

namespace mfc {

class CFileDialog {
public:
    static constexpr DWORD kInitialChars = 32768;
    static constexpr int kMaxRetries = 3;

    CFileDialog(BOOL openFileDialog, LPCWSTR defaultExtension = nullptr, LPCWSTR fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR filter = nullptr,
                HWND parent = nullptr);
    virtual ~CFileDialog() = default;
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // lpstrInitialDir, lpstrTitle and nFilterIndex may be set before DoModal; the texts
    // they point to must live until it returns.
    OPENFILENAMEW m_ofn;
    DWORD m_initialChars = kInitialChars;

    // IDOK when files were chosen, IDCANCEL otherwise.
    virtual INT_PTR DoModal();
    bool IsListTooLong() const { return m_tooLong; }
    bool IsOpenDialog() const { return m_open; }

    // The chosen paths: a position of 0 means none is left.
    size_t GetStartPosition() const;
    std::wstring GetNextPathName(size_t& position) const;

    // What DoModal calls: the system's dialogs and their error, unless a test puts others in
    // their place (null restores the system's).
    using DialogFunction = BOOL(WINAPI*)(OPENFILENAMEW* ofn);
    using ErrorFunction = DWORD(WINAPI*)();
    static void setDialogFunctions(DialogFunction open, DialogFunction save, ErrorFunction error);

    // While the dialog is shown (from the hooks): the dialog window, the text of its file
    // name field, and a new text for one of its controls.
    HWND GetDialogWindow() const { return m_dialog; }
    std::wstring GetFileSpec() const;
    void SetControlText(int id, LPCWSTR text);

protected:
    // The user picked another file type (m_ofn.nFilterIndex is the new one, 1 first).
    virtual void OnTypeChange() {}

private:
    static UINT_PTR CALLBACK hook(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void watchDialog(HWND dialog);
    void onNotify(const OFNOTIFYW* notify);
    void growForSelection();
    void setBufferChars(DWORD chars, bool keep);
    BOOL runOnce();
    void takePaths();

    bool m_open;
    bool m_tooLong = false;
    HWND m_dialog = nullptr;
    WNDPROC m_dialogProc = nullptr;
    std::wstring m_filter;
    std::wstring m_defaultExtension;
    std::wstring m_fileName;
    std::vector<wchar_t> m_buffer;
    std::vector<std::wstring> m_paths;
};

}  // namespace mfc
