// mfc/CFileDialog.cpp
#include "mfc/CFileDialog.h"

#include <cderr.h>

namespace mfc {

namespace {
constexpr wchar_t kSelf[] = L"mfc_CFileDialog";
CFileDialog::DialogFunction g_open = nullptr;
CFileDialog::DialogFunction g_save = nullptr;
CFileDialog::ErrorFunction g_error = nullptr;
}  // namespace

void CFileDialog::setDialogFunctions(DialogFunction open, DialogFunction save, ErrorFunction error) {
    g_open = open;
    g_save = save;
    g_error = error;
}

CFileDialog::CFileDialog(BOOL openFileDialog, LPCWSTR defaultExtension, LPCWSTR fileName,
                         DWORD flags, LPCWSTR filter, HWND parent)
    : m_ofn(), m_open(openFileDialog != FALSE) {
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = parent;
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLEHOOK;
    if (defaultExtension) m_defaultExtension = defaultExtension;
    if (fileName) m_fileName = fileName;
    // "caption|pattern|caption|pattern|" becomes the system's NUL-separated pairs.
    if (filter && *filter) {
        m_filter = filter;
        for (wchar_t& c : m_filter)
            if (c == L'|') c = L'\0';
        m_filter.push_back(L'\0');
        m_filter.push_back(L'\0');
    }
}

INT_PTR CFileDialog::DoModal() {
    m_tooLong = false;
    m_paths.clear();
    setBufferChars(m_initialChars < MAX_PATH ? MAX_PATH : m_initialChars, false);
    for (int attempt = 0; attempt <= kMaxRetries; ++attempt) {
        if (runOnce()) {
            takePaths();
            return m_paths.empty() ? IDCANCEL : IDOK;
        }
        if ((g_error ? g_error : &CommDlgExtendedError)() != FNERR_BUFFERTOOSMALL) return IDCANCEL;
        // The first two bytes hold the characters the selection needs, cut to 16 bits for
        // a long one: at least double, so that the next attempt gains ground either way.
        const DWORD asked = *reinterpret_cast<const WORD*>(m_buffer.data());
        const DWORD doubled = static_cast<DWORD>(m_buffer.size()) * 2;
        setBufferChars(asked + 2 > doubled ? asked + 2 : doubled, false);
    }
    m_tooLong = true;
    return IDCANCEL;
}

BOOL CFileDialog::runOnce() {
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    m_ofn.lpstrDefExt = m_defaultExtension.empty() ? nullptr : m_defaultExtension.c_str();
    m_ofn.lpfnHook = &hook;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
    m_buffer.assign(m_buffer.size(), L'\0');
    m_fileName.copy(m_buffer.data(), m_fileName.size() < m_buffer.size() - 1 ? m_fileName.size() : m_buffer.size() - 1);
    DialogFunction run = m_open ? (g_open ? g_open : &GetOpenFileNameW) : (g_save ? g_save : &GetSaveFileNameW);
    const BOOL chosen = run(&m_ofn);
    m_dialog = nullptr;
    m_dialogProc = nullptr;
    return chosen;
}

void CFileDialog::setBufferChars(DWORD chars, bool keep) {
    if (keep) m_buffer.resize(chars, L'\0');
    else m_buffer.assign(chars, L'\0');
    m_ofn.lpstrFile = m_buffer.data();
    m_ofn.nMaxFile = chars;
}

// A single choice is one whole path; several are the folder and then each name, every
// part ended by a NUL and the list by a second one.
void CFileDialog::takePaths() {
    const wchar_t* text = m_buffer.data();
    const wchar_t* end = text + m_buffer.size();
    std::wstring folder(text);
    const wchar_t* name = text + folder.size() + 1;
    if (folder.empty()) return;
    if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT) || name >= end || !*name) {
        m_paths.push_back(folder);
        return;
    }
    if (folder.back() != L'\\') folder.push_back(L'\\');
    while (name < end && *name) {
        std::wstring one(name);
        m_paths.push_back(folder + one);
        name += one.size() + 1;
    }
}

size_t CFileDialog::GetStartPosition() const { return m_paths.empty() ? 0 : 1; }

std::wstring CFileDialog::GetNextPathName(size_t& position) const {
    if (position == 0 || position > m_paths.size()) {
        position = 0;
        return std::wstring();
    }
    std::wstring path = m_paths[position - 1];
    position = position < m_paths.size() ? position + 1 : 0;
    return path;
}

std::wstring CFileDialog::GetFileSpec() const {
    if (!m_dialog) return std::wstring();
    const LRESULT length = SendMessageW(m_dialog, CDM_GETSPEC, 0, 0);
    if (length <= 0) return std::wstring();
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(m_dialog, CDM_GETSPEC, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

void CFileDialog::SetControlText(int id, LPCWSTR text) {
    if (m_dialog) SendMessageW(m_dialog, CDM_SETCONTROLTEXT, id, reinterpret_cast<LPARAM>(text ? text : L""));
}

// The dialog reads the result buffer through the structure it was given, so a larger
// buffer put there before OK is the one it fills.
void CFileDialog::growForSelection() {
    if (!m_dialog) return;
    const LRESULT folder = SendMessageW(m_dialog, CDM_GETFOLDERPATH, 0, 0);
    const LRESULT spec = SendMessageW(m_dialog, CDM_GETSPEC, 0, 0);
    if (folder < 0 || spec < 0) return;
    const DWORD needed = static_cast<DWORD>(folder + spec + 4);
    if (needed > m_ofn.nMaxFile) setBufferChars(needed * 2, true);
}

void CFileDialog::onNotify(const OFNOTIFYW* notify) {
    switch (notify->hdr.code) {
    case CDN_INITDONE:
    case CDN_SELCHANGE:
    case CDN_FOLDERCHANGE:
        growForSelection();
        break;
    case CDN_TYPECHANGE:
        OnTypeChange();
        break;
    default:
        break;
    }
}

// OK reaches the dialog as WM_COMMAND IDOK, by the button or by Enter: the buffer grows
// for what the name field holds before the dialog copies the selection into it.
LRESULT CALLBACK CFileDialog::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CFileDialog*>(GetPropW(dialog, kSelf));
    if (!self) return DefWindowProcW(dialog, message, wParam, lParam);
    const WNDPROC next = self->m_dialogProc;
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) self->growForSelection();
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
        RemovePropW(dialog, kSelf);
    }
    return CallWindowProcW(next, dialog, message, wParam, lParam);
}

void CFileDialog::watchDialog(HWND dialog) {
    m_dialog = dialog;
    if (!dialog || !SetPropW(dialog, kSelf, this)) return;
    m_dialogProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&dialogProc)));
}

UINT_PTR CALLBACK CFileDialog::hook(HWND child, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* ofn = reinterpret_cast<const OPENFILENAMEW*>(lParam);
        SetWindowLongPtrW(child, GWLP_USERDATA, ofn->lCustData);
        reinterpret_cast<CFileDialog*>(ofn->lCustData)->watchDialog(GetParent(child));
        return 0;
    }
    if (message != WM_NOTIFY) return 0;
    auto* self = reinterpret_cast<CFileDialog*>(GetWindowLongPtrW(child, GWLP_USERDATA));
    if (self) self->onNotify(reinterpret_cast<const OFNOTIFYW*>(lParam));
    return 0;
}

}  // namespace mfc
