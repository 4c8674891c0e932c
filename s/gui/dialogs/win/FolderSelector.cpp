// s/gui/dialogs/win/FolderSelector.cpp
#include "s/gui/dialogs/win/FolderSelector.h"

#include "s/gui/IWindow.h"
#include "s/gui/dialogs/win/ParentTopmost.h"
#include "s/thread/Pool.h"

namespace s::gui::dialogs::win {

int CALLBACK FolderSelector::onBrowse(HWND dialog, UINT message, LPARAM, LPARAM startFolder) {
    if (message == BFFM_INITIALIZED) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, startFolder);
    return 0;
}

bool FolderSelector::show(s::gui::IComponent* parent, const wchar_t* startFolder, const wchar_t* title) {
    const bool withStart = startFolder && *startFolder;
    bool chosen = false;
    s::gui::IWindow* window = nullptr;
    {
        ParentTopmost owner(parent);
        window = owner.window();
        // The new style's browser is an OLE object: the thread needs OLE (once more is harmless).
        const HRESULT ole = OleInitialize(nullptr);
        BROWSEINFOW info = {};
        info.hwndOwner = owner.handle();
        info.lpszTitle = title && *title ? title : kDefaultTitle;
        info.ulFlags = browseFlags(withStart);
        m_usedCallback = withStart;
        if (withStart) {
            info.lpfn = &onBrowse;
            info.lParam = reinterpret_cast<LPARAM>(startFolder);
        }
        if (PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info)) {
            wchar_t path[MAX_PATH] = {};
            if (SHGetPathFromIDListW(list, path) && *path) {
                wcscpy(m_path, path);
                chosen = true;
            }
            CoTaskMemFree(list);
        }
        if (SUCCEEDED(ole)) OleUninitialize();
    }
    // Topmost again first, then to the front.
    if (window) window->bringToFront(true);
    return chosen;
}

s::base::IObject* FolderSelector::newInstance() const { return s::thread::Pool<FolderSelector>::obtain(); }

void FolderSelector::releaseToPool() { s::thread::Pool<FolderSelector>::release(this); }

void FolderSelector::resetForReuse() {
    m_path[0] = L'\0';
    m_usedCallback = false;
}

}  // namespace s::gui::dialogs::win
