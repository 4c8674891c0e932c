// s/app/IAppBase.h
//
// What the whole application shares: the command line, the program file and folder, the
// program's resources and language, the skin pictures and the settings store. One lives
// per process, from the first step of the start to the last.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::archive::dll::win { class Archive; }
namespace s::archive::icon { class Archive; }
namespace s::gui::drawer { class Skinner; }
namespace s::image::ico::win { class IconImage; }
namespace s::image::jpg::win { class Jpeg; }
namespace s::lang { class Localizer; }
namespace s::map { class IMappedData; }
namespace s::process::commandline { class ICommandLine; }

namespace s::image {
class IBufferedImageSet;
}  // namespace s::image

namespace s::app {

class IAppBase : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual const wchar_t* programPath() = 0;
    virtual const wchar_t* programFolder() = 0;
    virtual s::process::commandline::ICommandLine* commandLine() = 0;
    // The program's group icon 128; null when the program file has none.
    virtual s::archive::icon::Archive* iconGroup() = 0;
    // The group's image that best fits n x n, decoded on first use and kept by the base;
    // null without an icon.
    virtual s::image::ico::win::IconImage* appIcon16() = 0;
    virtual s::image::ico::win::IconImage* appIcon32() = 0;
    virtual s::image::ico::win::IconImage* appIcon64() = 0;
    virtual s::image::ico::win::IconImage* appIcon128() = 0;
    virtual s::image::ico::win::IconImage* appIcon256() = 0;
    // Icon handles of those images, made once and destroyed with the base; null without.
    virtual HICON appIconHandle64() = 0;
    virtual HICON appIconHandle128() = 0;
    virtual HICON appIconHandle256() = 0;
    // Pictures of those five images, smallest first, for the windows' icons (they take a
    // pair by the UI scale); made once and kept by the base; null without all five.
    virtual s::image::IBufferedImageSet* appIconSet() = 0;
    virtual s::archive::dll::win::Archive* resourceArchive() = 0;
    virtual uint32_t textBase() = 0;
    virtual s::lang::Localizer* localizer() = 0;
    virtual s::image::jpg::win::Jpeg* picture131() = 0;
    virtual s::image::jpg::win::Jpeg* picture132() = 0;
    virtual s::map::IMappedData* saveData() = 0;
    virtual void saveSettings() = 0;
    virtual bool hasSkinner() = 0;
    virtual s::gui::drawer::Skinner* skinner() = 0;
    virtual const wchar_t* getLanguageSetting() = 0;
    virtual void setLanguageSetting(const wchar_t* name) = 0;
    virtual const wchar_t* getSkinSetting() = 0;
    virtual void setSkinSetting(const wchar_t* name) = 0;
    virtual bool findOtherInstance(bool notify, bool sendExtra, bool withLocalizer) = 0;
    virtual bool findOtherInstanceOnDesktop(bool notify, bool sendExtra, bool withLocalizer) = 0;
    virtual s::map::IMappedData* openXmlSaveData() = 0;
    virtual s::map::IMappedData* openRegistrySaveData() = 0;
    virtual void handleSilentFlag() = 0;
};

}  // namespace s::app
