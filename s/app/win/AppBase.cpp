// s/app/win/AppBase.cpp
#include "s/app/win/AppBase.h"

#include <objbase.h>
#include <ole2.h>

#include <cwchar>

#include "mfc/CWinApp.h"
#include "s/archive/dll/win/Archive.h"
#include "s/archive/icon/Archive.h"
#include "s/file/win/PathWin.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/Skinner.h"
#include "s/image/gui/boxes/BoxMaker.h"
#include "s/image/ico/win/IconImage.h"
#include "s/image/jpg/win/Jpeg.h"
#include "s/lang/LangPack.h"
#include "s/lang/Localizer.h"
#include "s/process/commandline/win/CommandLine.h"
#include "s/process/win/Instance.h"
#include "s/reg/MappedData.h"
#include "s/reg/win/RegDir.h"
#include "s/system/win/ProgramFile.h"
#include "s/system/win/ShellOpen.h"
#include "s/thread/Pool.h"
#include "s/xml/MappedData.h"
#include "s/image/win/BufferedImageSet.h"

namespace s::app::win {

namespace {

constexpr wchar_t kSoftwareId[] = L"SoftwareID";
constexpr wchar_t kVersionKey[] = L"Version";
constexpr wchar_t kLanguage[] = L"Language";
constexpr wchar_t kSkin[] = L"Skin";
constexpr wchar_t kSilent[] = L"Silent";

template <class T>
void giveBack(T*& object) {
    if (object) object->releaseToPool();
    object = nullptr;
}

}  // namespace

AppBase::AppBase() { m_comReady = SUCCEEDED(CoInitialize(nullptr)); }

AppBase::~AppBase() {
    resetForReuse();
    if (m_comReady) CoUninitialize();
}

AppBase* AppBase::obtain(mfc::CWinApp* app, const wchar_t* registryRoot) {
    AppBase* base = s::thread::Pool<AppBase>::obtain();
    if (base) base->initialize(app, registryRoot);
    return base;
}

void AppBase::initialize(mfc::CWinApp* app, const wchar_t* registryRoot) {
    initializeCom();
    // The image library asks for its settings boxes through a maker that only the boxes'
    // own layer can give it (it stands below them); without one createBox has no box.
    s::image::gui::boxes::installBoxMaker();
    m_textBase = kTextBase;
    readCommandLine(app);
    readProgramPath();
    loadResources();
    if (registryRoot) {
        m_registryRoot.setText(registryRoot);
    } else {
        m_registryRoot.setText(L"Software\\Ostrel\\");
        m_registryRoot.append(text(kRegistryNameText));
    }
    m_store = openRegistrySaveData();
    if (!m_store) return;
    m_store->setAutoSave(false);
    writeIdentity();
    selectLanguage();
    selectSkin();
    m_store->setAutoSave(true);
}

// A second call in the same process (RPC_E_TOO_LATE) changes nothing and is no failure.
void AppBase::initializeCom() {
    OleInitialize(nullptr);
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT,
                         RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
}

void AppBase::readCommandLine(mfc::CWinApp* app) {
    m_commandLine = s::thread::Pool<s::process::commandline::win::CommandLine>::obtain();
    if (m_commandLine && app) app->ParseCommandLine(*m_commandLine);
}

void AppBase::readProgramPath() {
    if (!s::system::win::programFileText(&m_programPath)) return;
    m_programFolder.setText(m_programPath.cString());
    uint32_t slash = 0;
    if (m_programFolder.lastIndexOf(L'\\', &slash)) m_programFolder.setLength(slash);
}

void AppBase::loadResources() {
    m_path = s::file::win::pathFromString(m_programPath.cString());
    m_archive = m_path ? s::archive::dll::win::newDllArchive(m_path) : nullptr;
    if (!m_archive) return;
    m_iconGroup = s::archive::icon::newIconArchive(m_archive, kIconGroup);
    m_localizer = s::lang::newLocalizerFromResource(m_archive, L"IDR_XML", 130);
    m_picture131 = s::image::jpg::win::newJpegFromArchive(m_archive, L"IDR_JPG", MAKEINTRESOURCEW(131));
    m_picture132 = s::image::jpg::win::newJpegFromArchive(m_archive, L"IDR_JPG", MAKEINTRESOURCEW(132));
}

const wchar_t* AppBase::text(uint32_t id) {
    return m_localizer ? m_localizer->getText(static_cast<int32_t>(id)) : L"";
}

void AppBase::writeIdentity() {
    m_store->setString(kSoftwareId, L"", text(kRegistryNameText));
    m_store->setString(kVersionKey, L"", versionText());
}

void AppBase::selectLanguage() {
    if (!m_localizer) return;
    m_scratch.setText(m_store->getString(kLanguage, L"", L"", nullptr, false));
    // Localizer::setLanguage falls back to English, then to the first pack, for an unknown
    // name; an unknown saved name must give the system's language instead.
    if (m_scratch.length() && m_localizer->findLanguage(m_scratch.cString()))
        m_localizer->setLanguage(m_scratch.cString());
    const wchar_t* current = m_localizer->currentLanguageName();
    if (_wcsicmp(current, m_scratch.cString()) != 0) setLanguageSetting(current);
}

void AppBase::selectSkin() {
    if (!m_skinner) return;
    m_skinner->selectSkin(m_store->getString(kSkin, L"", L"", nullptr, false));
}

const wchar_t* AppBase::productPageText() { return text(m_textBase + kProductPage); }
const wchar_t* AppBase::versionText() { return text(m_textBase + kVersion); }

bool AppBase::isIrregularVersionText(const wchar_t* version) {
    if (!version) return true;
    const wchar_t* dot = wcschr(version, L'.');
    if (!dot) return true;
    return wcslen(version) != static_cast<size_t>(dot - version) + 3;
}

s::process::commandline::ICommandLine* AppBase::commandLine() { return m_commandLine; }

s::image::ico::win::IconImage* AppBase::appIcon(IconSize size) {
    static constexpr uint32_t kSides[kIconSizes] = {16, 32, 64, 128, 256};
    std::lock_guard<std::mutex> lock(m_iconLock);
    if (m_icons[size] || !m_iconGroup) return m_icons[size];
    uint32_t index = 0;
    if (m_iconGroup->findBestEntry(kSides[size], kSides[size], &index))
        m_icons[size] = m_iconGroup->imageAt(index);
    return m_icons[size];
}

HICON AppBase::appIconHandle(IconSize size) {
    s::image::ico::win::IconImage* image = appIcon(size);
    std::lock_guard<std::mutex> lock(m_iconLock);
    if (!m_iconHandles[size] && image) m_iconHandles[size] = image->toIcon();
    return m_iconHandles[size];
}

s::image::IBufferedImageSet* AppBase::appIconSet() {
    s::image::ico::win::IconImage* icons[kIconSizes] = {};
    for (int32_t size = 0; size < kIconSizes; ++size) {
        icons[size] = appIcon(static_cast<IconSize>(size));
        if (!icons[size]) return nullptr;  // a set with a gap would give a scale the wrong pair
    }
    std::lock_guard<std::mutex> lock(m_iconLock);
    if (m_iconSet) return m_iconSet;
    s::image::win::BufferedImageSet* set = nullptr;
    for (s::image::ico::win::IconImage* icon : icons) {
        s::image::win::BufferedImage* image = icon->toBufferedImage(0, nullptr);
        if (!image) break;
        if (set) set->addImage(image);
        else set = s::image::win::newImageSetOf(image);
    }
    if (set && set->getCount() == kIconSizes) m_iconSet = set;
    else if (set) set->releaseToPool();
    return m_iconSet;
}

void AppBase::releaseIcons() {
    std::lock_guard<std::mutex> lock(m_iconLock);
    if (m_iconSet) m_iconSet->releaseToPool();
    m_iconSet = nullptr;
    for (HICON& handle : m_iconHandles) {
        if (handle) DestroyIcon(handle);
        handle = nullptr;
    }
    for (s::image::ico::win::IconImage*& image : m_icons) giveBack(image);
    giveBack(m_iconGroup);
}

void AppBase::saveSettings() {
    if (m_store) m_store->save();
    m_saved = true;
}

const wchar_t* AppBase::getLanguageSetting() {
    const wchar_t* current = m_localizer ? m_localizer->currentLanguageName() : L"";
    return m_store ? m_store->getString(kLanguage, L"", current, nullptr, false) : current;
}

void AppBase::setLanguageSetting(const wchar_t* name) {
    if (m_store) m_store->setString(kLanguage, L"", name ? name : L"");
}

const wchar_t* AppBase::getSkinSetting() {
    if (!m_skinner) return L"";
    s::gui::drawer::ISkin* current = m_skinner->getCurrentSkin();
    const wchar_t* currentName = current ? current->getName() : L"";
    if (!m_store) return currentName;
    const wchar_t* saved = m_store->getString(kSkin, L"", currentName, nullptr, false);
    int32_t index = -1;
    return m_skinner->findSkinIndex(saved, &index) ? saved : currentName;
}

void AppBase::setSkinSetting(const wchar_t* name) {
    if (m_skinner && m_store) m_store->setString(kSkin, L"", name ? name : L"");
}

bool AppBase::findOtherInstance(bool notify, bool sendExtra, bool withLocalizer) {
    DWORD pid = 0;
    if (!s::process::win::Instance::findInstanceProcess(&pid)) return false;
    if (notify)
        s::process::win::Instance::sendToInstanceWindows(pid, withLocalizer ? m_localizer : nullptr,
                                                         m_textBase, sendExtra);
    return true;
}

bool AppBase::findOtherInstanceOnDesktop(bool notify, bool sendExtra, bool withLocalizer) {
    HDESK desktop = GetThreadDesktop(GetCurrentThreadId());
    if (!notify) {
        DWORD pid = 0;
        return s::process::win::Instance::isInstanceWindowPresent(desktop, &pid);
    }
    return s::process::win::Instance::findInstanceWindow(
        desktop, withLocalizer ? m_localizer : nullptr, m_textBase, sendExtra);
}

s::map::IMappedData* AppBase::openXmlSaveData() {
    s::str::strbuffer::StrBuffer file;
    file.setText(m_programFolder.cString());
    file.append(L"\\savedata\\SaveData.xml");
    return s::xml::openXmlData(file.cString());
}

s::map::IMappedData* AppBase::openRegistrySaveData() {
    s::str::strbuffer::StrBuffer key;
    key.setText(m_registryRoot.cString());
    key.append(L"\\SaveData");
    return s::reg::openRegistryData(key.cString());
}

void AppBase::handleSilentFlag() {
    s::reg::win::RegDir* key = s::thread::Pool<s::reg::win::RegDir>::obtain();
    if (!key) return;
    bool found = key->openAt(HKEY_CURRENT_USER, m_registryRoot.cString()) && key->deleteValue(kSilent);
    key->releaseToPool();
    if (found) s::system::win::shellOpen(productPageText());
}

s::base::IObject* AppBase::newInstance() const { return s::thread::Pool<AppBase>::obtain(); }

void AppBase::releaseToPool() { s::thread::Pool<AppBase>::release(this); }

void AppBase::resetForReuse() {
    if (m_store && !m_saved) m_store->save();
    giveBack(m_store);
    giveBack(m_commandLine);
    giveBack(m_picture131);
    giveBack(m_picture132);
    giveBack(m_localizer);
    releaseIcons();
    giveBack(m_archive);
    giveBack(m_path);
    m_skinner = nullptr;
    m_saved = false;
    m_textBase = kTextBase;
    m_scratch.setText(L"");
    m_registryRoot.setText(L"");
    m_programPath.setText(L"");
    m_programFolder.setText(L"");
}

}  // namespace s::app::win
