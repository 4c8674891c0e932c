// s/app/IAppWindow.h
//
// The holder beside each top-level window of the application: its name, its settings in
// the store under "<window name>\<section>", its defaults, its skin, the taskbar progress
// and the update check. The window reads and writes its geometry and options through the
// window-settings side of it.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/gui/IWindowSettings.h"
#include "s/thread/IPoolable.h"

namespace s::gui { class IWindow; }

namespace s::app {

class IAppBase;

class IAppWindow : public s::base::IObject,
                   public virtual s::thread::IPoolable,
                   public s::gui::IWindowSettings {
public:
    virtual IAppBase* appBase() = 0;
    virtual const wchar_t* windowName() = 0;
    // "<window name>\<section>", valid until the next call.
    virtual const wchar_t* settingPath(const wchar_t* section) = 0;
    virtual const wchar_t* viewSection() = 0;
    virtual bool hasSkinner() = 0;
    virtual s::gui::IWindow* window() = 0;
    virtual void setWindow(s::gui::IWindow* window) = 0;
    virtual const wchar_t* getSkin() = 0;
    virtual void setSkin(const wchar_t* name) = 0;
    virtual void setRect(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual void setSize(int32_t width, int32_t height) = 0;
    virtual void removeGeometry() = 0;
    virtual bool hasX() = 0;
    virtual bool hasY() = 0;
    virtual bool isWidthValid() = 0;
    virtual bool hasWidth() = 0;
    virtual bool isHeightValid() = 0;
    virtual bool hasHeight() = 0;
    virtual void setEasyDrag(bool on) = 0;
    virtual void setKeepOnTop(bool on) = 0;
    virtual bool isMiddleClickClose() = 0;
    virtual bool isMiddleClickIconize() = 0;
    virtual void setMiddleClickAction(const wchar_t* action) = 0;
    virtual void checkForUpdate(s::gui::IWindow* window) = 0;
    virtual void setTaskbarProgressState(s::gui::IWindow* window) = 0;
    virtual void setTaskbarProgressValue(s::gui::IWindow* window, uint64_t total, uint64_t done) = 0;
    virtual void clearTaskbarProgress(s::gui::IWindow* window) = 0;
};

}  // namespace s::app
