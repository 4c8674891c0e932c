// s/app/win/AppBase.h
//
// The application base: made once at the start on the main thread, released last. It
// holds the parsed command line, the program file and folder, the program's resources
// with the localizer built from its language pack, the two skin pictures and the settings
// store, it writes the product's identity and language into the store, and it gives the
// image library's encode settings their boxes. A missing
// resource leaves its member empty (null); users check. There is no skinner in this
// program: then the skin setting is empty and "Skin" is neither read nor written. Pooled.
#pragma once
#include <cstdint>
#include <mutex>

#include "s/app/IAppBase.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace mfc { class CWinApp; }
namespace s::file::win { class PathWin; }
namespace s::process::commandline::win { class CommandLine; }
namespace s::image::win { class BufferedImageSet; }

namespace s::app::win {

class AppBase final : public s::app::IAppBase {
public:
    static constexpr uint32_t kTextBase = 500000;
    static constexpr int32_t kRegistryNameText = 300000;
    static constexpr uint32_t kProductPage = 3;
    static constexpr uint32_t kFeedbackPage = 4;
    static constexpr uint32_t kVersion = 10;
    static constexpr uint16_t kIconGroup = 128;

    AppBase();
    ~AppBase() override;
    AppBase(const AppBase&) = delete;
    AppBase& operator=(const AppBase&) = delete;

    // From the pool, initialised. registryRoot: the key below HKEY_CURRENT_USER that holds
    // "SaveData" and "Silent"; null for the product's own, "Software\Ostrel\" + text 300000.
    static AppBase* obtain(mfc::CWinApp* app, const wchar_t* registryRoot = nullptr);
    void initialize(mfc::CWinApp* app, const wchar_t* registryRoot);

    const wchar_t* productPageText();
    const wchar_t* versionText();
    // True when the version does not end exactly two characters after its first '.'.
    static bool isIrregularVersionText(const wchar_t* version);

    // IAppBase
    const wchar_t* programPath() override { return m_programPath.cString(); }
    const wchar_t* programFolder() override { return m_programFolder.cString(); }
    s::process::commandline::ICommandLine* commandLine() override;
    s::archive::icon::Archive* iconGroup() override { return m_iconGroup; }
    s::image::ico::win::IconImage* appIcon16() override { return appIcon(kIcon16); }
    s::image::ico::win::IconImage* appIcon32() override { return appIcon(kIcon32); }
    s::image::ico::win::IconImage* appIcon64() override { return appIcon(kIcon64); }
    s::image::ico::win::IconImage* appIcon128() override { return appIcon(kIcon128); }
    s::image::ico::win::IconImage* appIcon256() override { return appIcon(kIcon256); }
    HICON appIconHandle64() override { return appIconHandle(kIcon64); }
    HICON appIconHandle128() override { return appIconHandle(kIcon128); }
    HICON appIconHandle256() override { return appIconHandle(kIcon256); }
    s::image::IBufferedImageSet* appIconSet() override;
    s::archive::dll::win::Archive* resourceArchive() override { return m_archive; }
    uint32_t textBase() override { return m_textBase; }
    s::lang::Localizer* localizer() override { return m_localizer; }
    s::image::jpg::win::Jpeg* picture131() override { return m_picture131; }
    s::image::jpg::win::Jpeg* picture132() override { return m_picture132; }
    s::map::IMappedData* saveData() override { return m_store; }
    void saveSettings() override;
    bool hasSkinner() override { return m_skinner != nullptr; }
    s::gui::drawer::Skinner* skinner() override { return m_skinner; }
    const wchar_t* getLanguageSetting() override;
    void setLanguageSetting(const wchar_t* name) override;
    const wchar_t* getSkinSetting() override;
    void setSkinSetting(const wchar_t* name) override;
    bool findOtherInstance(bool notify, bool sendExtra, bool withLocalizer) override;
    bool findOtherInstanceOnDesktop(bool notify, bool sendExtra, bool withLocalizer) override;
    s::map::IMappedData* openXmlSaveData() override;
    s::map::IMappedData* openRegistrySaveData() override;
    void handleSilentFlag() override;

    // IObject
    const wchar_t* classId() const override { return L"s_app_win_AppBase"; }
    s::base::IObject* newInstance() const override;
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    enum IconSize { kIcon16, kIcon32, kIcon64, kIcon128, kIcon256, kIconSizes };
    s::image::ico::win::IconImage* appIcon(IconSize size);
    HICON appIconHandle(IconSize size);
    void releaseIcons();

    void initializeCom();
    void readCommandLine(mfc::CWinApp* app);
    void readProgramPath();
    void loadResources();
    void writeIdentity();
    void selectLanguage();
    void selectSkin();
    const wchar_t* text(uint32_t id);

    bool m_comReady = false;
    uint32_t m_textBase = kTextBase;
    s::str::strbuffer::StrBuffer m_scratch;
    s::str::strbuffer::StrBuffer m_registryRoot;
    s::str::strbuffer::StrBuffer m_programPath;
    s::str::strbuffer::StrBuffer m_programFolder;
    s::process::commandline::win::CommandLine* m_commandLine = nullptr;
    s::file::win::PathWin* m_path = nullptr;
    s::archive::dll::win::Archive* m_archive = nullptr;
    s::archive::icon::Archive* m_iconGroup = nullptr;
    // The icons are asked for from the windows' UI threads.
    std::mutex m_iconLock;
    s::image::ico::win::IconImage* m_icons[kIconSizes] = {};
    HICON m_iconHandles[kIconSizes] = {};
    s::image::win::BufferedImageSet* m_iconSet = nullptr;
    s::lang::Localizer* m_localizer = nullptr;
    s::gui::drawer::Skinner* m_skinner = nullptr;
    s::image::jpg::win::Jpeg* m_picture131 = nullptr;
    s::image::jpg::win::Jpeg* m_picture132 = nullptr;
    s::map::IMappedData* m_store = nullptr;
    bool m_saved = false;
};

}  // namespace s::app::win
