// s/app/win/AppWindow.cpp
#include "s/app/win/AppWindow.h"

#include <objbase.h>
#include <shobjidl.h>

#include <cwchar>
#include <initializer_list>

#include "s/app/IAppBase.h"
#include "s/app/win/UpdateServices.h"
#include "s/gui/IWindow.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/win/UiScale.h"
#include "s/lang/Localizer.h"
#include "s/map/IMappedData.h"
#include "s/system/network/UpdateCheck.h"
#include "s/system/network/win/DownloadFetcher.h"
#include "s/system/network/win/OnlineTest.h"
#include "s/system/win/OsVersion.h"
#include "s/thread/Pool.h"

namespace s::app::win {

namespace {

// The taskbar list object and its third interface, named here so that no GUID library is
// needed.
const CLSID kTaskbarList = {0x56FDF344, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};
const IID kTaskbarList3 = {0xEA1AFB91, 0x9E28, 0x4B86, {0x90, 0xE9, 0x9E, 0x9F, 0x8A, 0x5E, 0xEF, 0xAF}};
constexpr DWORD kTaskbarContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

constexpr wchar_t kX[] = L"X";
constexpr wchar_t kY[] = L"Y";
constexpr wchar_t kWidth[] = L"Width";
constexpr wchar_t kHeight[] = L"Height";
constexpr wchar_t kClose[] = L"Close";
constexpr wchar_t kIconize[] = L"Iconize";
constexpr wchar_t kDoNothing[] = L"DoNothing";

HRESULT createSystemTaskbar(void** object) {
    return CoCreateInstance(kTaskbarList, nullptr, kTaskbarContext, kTaskbarList3, object);
}

AppWindow::TaskbarFactory g_taskbarFactory = &createSystemTaskbar;

}  // namespace

AppWindow::TaskbarFactory AppWindow::setTaskbarFactory(TaskbarFactory factory) {
    TaskbarFactory previous = g_taskbarFactory;
    g_taskbarFactory = factory ? factory : &createSystemTaskbar;
    return previous;
}

AppWindow::~AppWindow() { resetForReuse(); }

AppWindow* createAppWindow(s::app::IAppBase* base, const wchar_t* name, int32_t width,
                           int32_t height, s::gui::drawer::Skinner* skinner) {
    AppWindow* window = s::thread::Pool<AppWindow>::obtain();
    if (window) window->initialize(base, name, width, height, kClose, skinner);
    return window;
}

void AppWindow::initialize(s::app::IAppBase* base, const wchar_t* name, int32_t width,
                           int32_t height, const wchar_t* middleClickDefault,
                           s::gui::drawer::Skinner* skinner) {
    m_base = base;
    m_name.setText(name ? name : L"");
    m_section = sectionOfScale(s::gui::win::uiScale());
    m_skinner = skinner;
    m_ownSkin = skinner && (!base || skinner != base->skinner());
    m_defaultWidth = width;
    m_defaultHeight = height;
    m_middleClick.setText(middleClickDefault ? middleClickDefault : kClose);
    if (s::map::IMappedData* data = store()) {
        data->setAutoSave(false);
        writeIdentity();
        if (m_ownSkin) {
            const wchar_t* saved = data->getString(settingPath(L"Skin"), L"", L"", nullptr, false);
            m_skinner->selectSkin(saved);
        }
        m_middleClick.setText(middleClickActionOf(
            data->getString(viewPath(), L"OnMClick", m_middleClick.cString(), nullptr, false)));
        data->setAutoSave(true);
    }
    if (m_ownSkin && m_skinner->getCurrentSkin()) m_skinName.setText(m_skinner->getCurrentSkin()->getName());
    else if (m_base) m_skinName.setText(m_base->getSkinSetting());
    if (s::system::win::osVersion().isVersion61OrLater && !m_taskbar) createTaskbar();
}

void AppWindow::writeIdentity() {
    s::map::IMappedData* data = store();
    s::lang::Localizer* texts = m_base->localizer();
    const int32_t base = static_cast<int32_t>(m_base->textBase());
    data->setString(settingPath(L"SoftwareID"), L"", texts ? texts->getText(300000) : L"");
    data->setString(settingPath(L"Version"), L"", texts ? texts->getText(base + 10) : L"");
}

// Documented contract of the taskbar list: HrInit before any other call; an object whose
// HrInit fails is not used at all.
void AppWindow::createTaskbar() {
    if (!m_comReady) m_comReady = SUCCEEDED(CoInitialize(nullptr));
    void* object = nullptr;
    if (FAILED(g_taskbarFactory(&object)) || !object) return;
    auto* taskbar = static_cast<ITaskbarList3*>(object);
    if (FAILED(taskbar->HrInit())) {
        taskbar->Release();
        return;
    }
    m_taskbar = taskbar;
}

const wchar_t* AppWindow::sectionOfScale(int32_t scale) {
    if (scale >= 4) return L"View8K";
    if (scale >= 2) return L"View4K";
    return L"View";
}

bool AppWindow::isExtentValid(int32_t extent, int32_t screenExtent) {
    return extent >= kMinExtent && extent <= screenExtent;
}

const wchar_t* AppWindow::middleClickActionOf(const wchar_t* saved) {
    if (saved && _wcsicmp(saved, kIconize) == 0) return kIconize;
    if (saved && _wcsicmp(saved, kClose) == 0) return kClose;
    return kDoNothing;
}

bool AppWindow::isOnSomeScreen(int32_t x, int32_t y, int32_t width, int32_t height) {
    RECT r = {x, y, x + width, y + height};
    return MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr;
}

s::map::IMappedData* AppWindow::store() { return m_base ? m_base->saveData() : nullptr; }

const wchar_t* AppWindow::settingPath(const wchar_t* section) {
    m_path.setText(m_name.cString());
    m_path.append(L"\\");
    m_path.append(section ? section : L"");
    return m_path.cString();
}

int32_t AppWindow::savedInt(const wchar_t* name, int32_t fallback) {
    s::map::IMappedData* data = store();
    return data ? data->getS32(geometryPath(), name, fallback) : fallback;
}

const wchar_t* AppWindow::getSkin() {
    if (!m_ownSkin) return m_base ? m_base->getSkinSetting() : L"";
    s::gui::drawer::ISkin* current = m_skinner->getCurrentSkin();
    const wchar_t* currentName = current ? current->getName() : m_skinName.cString();
    s::map::IMappedData* data = store();
    if (!data) return currentName;
    const wchar_t* saved = data->getString(settingPath(L"Skin"), L"", currentName, nullptr, false);
    int32_t index = -1;
    return m_skinner->findSkinIndex(saved, &index) ? saved : currentName;
}

void AppWindow::setSkin(const wchar_t* name) {
    if (!m_ownSkin) {
        if (m_base) m_base->setSkinSetting(name);
        return;
    }
    if (s::map::IMappedData* data = store()) data->setString(settingPath(L"Skin"), L"", name ? name : L"");
}

void AppWindow::setRect(int32_t x, int32_t y, int32_t width, int32_t height) {
    setX(x);
    setY(y);
    setSize(width, height);
}

void AppWindow::setSize(int32_t width, int32_t height) {
    setWidth(width);
    setHeight(height);
}

void AppWindow::removeGeometry() {
    s::map::IMappedData* data = store();
    if (!data) return;
    for (const wchar_t* name : {kX, kY, kWidth, kHeight}) data->deleteValue(geometryPath(), name);
}

bool AppWindow::hasX() { return store() && store()->hasValue(geometryPath(), kX); }
bool AppWindow::hasY() { return store() && store()->hasValue(geometryPath(), kY); }
bool AppWindow::hasWidth() { return store() && store()->hasValue(geometryPath(), kWidth); }
bool AppWindow::hasHeight() { return store() && store()->hasValue(geometryPath(), kHeight); }

bool AppWindow::isWidthValid() {
    return isExtentValid(savedInt(kWidth, m_defaultWidth), GetSystemMetrics(SM_CXVIRTUALSCREEN));
}

bool AppWindow::isHeightValid() {
    return isExtentValid(savedInt(kHeight, m_defaultHeight), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

// A saved place counts only when the window would be seen there: settings from a screen
// that is gone, or hand-edited ones, give the default place.
bool AppWindow::hasPosition() {
    return hasX() && hasY() && isOnSomeScreen(getX(), getY(), getWidth(), getHeight());
}

int32_t AppWindow::getX() { return savedInt(kX, 0); }
int32_t AppWindow::getY() { return savedInt(kY, 0); }
int32_t AppWindow::getWidth() { return isWidthValid() ? savedInt(kWidth, m_defaultWidth) : m_defaultWidth; }
int32_t AppWindow::getHeight() {
    return isHeightValid() ? savedInt(kHeight, m_defaultHeight) : m_defaultHeight;
}

void AppWindow::setX(int32_t x) {
    if (store()) store()->setS32(geometryPath(), kX, x);
}
void AppWindow::setY(int32_t y) {
    if (store()) store()->setS32(geometryPath(), kY, y);
}
void AppWindow::setWidth(int32_t width) {
    if (store()) store()->setS32(geometryPath(), kWidth, width);
}
void AppWindow::setHeight(int32_t height) {
    if (store()) store()->setS32(geometryPath(), kHeight, height);
}

bool AppWindow::getMaximized() { return store() && store()->getBool(viewPath(), L"Maximized", false); }
void AppWindow::setMaximized(bool on) {
    if (store()) store()->setBool(viewPath(), L"Maximized", on);
}
bool AppWindow::getEasyDrag() { return !store() || store()->getBool(viewPath(), L"EasyDrag", true); }
void AppWindow::setEasyDrag(bool on) {
    if (store()) store()->setBool(viewPath(), L"EasyDrag", on);
}
bool AppWindow::getKeepOnTop() { return !store() || store()->getBool(viewPath(), L"KeepOnTop", true); }
void AppWindow::setKeepOnTop(bool on) {
    if (store()) store()->setBool(viewPath(), L"KeepOnTop", on);
}

const wchar_t* AppWindow::getMiddleClickAction() {
    if (!store()) return m_middleClick.cString();
    return middleClickActionOf(store()->getString(viewPath(), L"OnMClick", m_middleClick.cString(), nullptr, false));
}

bool AppWindow::isMiddleClickClose() { return _wcsicmp(getMiddleClickAction(), kClose) == 0; }
bool AppWindow::isMiddleClickIconize() { return _wcsicmp(getMiddleClickAction(), kIconize) == 0; }

void AppWindow::setMiddleClickAction(const wchar_t* action) {
    if (!action || wcscmp(action, getMiddleClickAction()) == 0) return;
    if (store()) store()->setString(viewPath(), L"OnMClick", action);
}

s::gui::ITextLocalizer* AppWindow::localizer() { return m_base ? m_base->localizer() : nullptr; }

int32_t AppWindow::titleTextId() { return m_base ? static_cast<int32_t>(m_base->textBase()) : -1; }

void AppWindow::setLanguage(const wchar_t* name) {
    if (m_base) m_base->setLanguageSetting(name);
}

void AppWindow::saveStore() {
    if (m_base) m_base->saveSettings();
}

void AppWindow::checkForUpdate(s::gui::IWindow* window) {
    if (!m_base || !store()) return;
    UpdateServices services(m_base, window, localizer());
    s::system::network::win::OnlineTest online;
    s::system::network::win::DownloadFetcher fetcher(&online);
    s::system::network::UpdateCheck check({&services, &online, &services, &services, &services, &fetcher, store()},
                                          m_name.cString(), m_base->textBase());
    check.run();
}

HWND AppWindow::handleOf(s::gui::IWindow* window) const { return window ? window->getHandle() : nullptr; }

void AppWindow::setTaskbarProgressState(s::gui::IWindow* window) {
    if (m_taskbar && handleOf(window)) m_taskbar->SetProgressState(handleOf(window), TBPF_INDETERMINATE);
}

void AppWindow::setTaskbarProgressValue(s::gui::IWindow* window, uint64_t total, uint64_t done) {
    if (m_taskbar && handleOf(window)) m_taskbar->SetProgressValue(handleOf(window), done, total);
}

void AppWindow::clearTaskbarProgress(s::gui::IWindow* window) {
    if (m_taskbar && handleOf(window)) m_taskbar->SetProgressState(handleOf(window), TBPF_NOPROGRESS);
}

s::base::IObject* AppWindow::newInstance() const { return s::thread::Pool<AppWindow>::obtain(); }

void AppWindow::releaseToPool() { s::thread::Pool<AppWindow>::release(this); }

void AppWindow::resetForReuse() {
    m_base = nullptr;
    m_name.setText(L"");
    m_path.setText(L"");
    m_section = L"View";
    m_defaultWidth = 500;
    m_defaultHeight = 500;
    m_middleClick.setText(kClose);
    m_skinner = nullptr;
    m_ownSkin = false;
    m_skinName.setText(L"");
    m_window = nullptr;
    if (m_taskbar) m_taskbar->Release();
    m_taskbar = nullptr;
    if (m_comReady) CoUninitialize();
    m_comReady = false;
}

s::image::IBufferedImageSet* AppWindow::iconSet() { return m_base ? m_base->appIconSet() : nullptr; }

}  // namespace s::app::win
