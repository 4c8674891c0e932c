// s/gui/dialogs/AboutWindow.cpp
#include "s/gui/dialogs/AboutWindow.h"

#include "s/app/IAppBase.h"
#include "s/app/win/AppWindow.h"
#include "s/gui/dialogs/About3.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/win/UiScale.h"
#include "s/map/IMappedData.h"

namespace s::gui::dialogs {

bool AboutWindow::show(s::app::IAppBase* base, HWND parent) {
    if (!m_holder) {
        if (!m_skinner) m_skinner = s::gui::drawer::newSkinnerThinWindow();
        const int32_t scale = s::gui::win::uiScale();
        m_holder = s::app::win::createAppWindow(base, kName, kWidth * scale, kHeight * scale, m_skinner);
        if (!m_holder) return false;
        // The holder selected the saved skin; with none saved it is this window's own.
        s::map::IMappedData* store = base ? base->saveData() : nullptr;
        const wchar_t* saved = store ? store->getString(m_holder->settingPath(L"Skin"), L"", L"", nullptr, false) : L"";
        if (m_skinner && (!saved || !*saved)) m_skinner->selectSkin(kSkin);
    }
    if (!m_about) m_about = About3::obtain(m_holder);
    if (!m_about) return false;
    m_about->setSkinner(m_skinner);
    buildAboutWindow(m_about, parent);
    return true;
}

// The About object's window is released before the holder it reads its settings from.
void AboutWindow::release() {
    if (m_about) m_about->releaseToPool();
    m_about = nullptr;
    if (m_holder) m_holder->releaseToPool();
    m_holder = nullptr;
    if (m_skinner) m_skinner->releaseToPool();
    m_skinner = nullptr;
}

}  // namespace s::gui::dialogs
