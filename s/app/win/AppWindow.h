// s/app/win/AppWindow.h
//
// The settings holder of one top-level window. Geometry lives under the view section of
// the UI scale ("View", "View4K", "View8K" for 1, 2, 4), the options always under "View".
// Saved values are checked before the window uses them: a size below 10 or beyond the
// virtual screen gives the default size, and a saved place that would put the window off
// every screen counts as no place. The taskbar list is initialised before any use and
// dropped when that fails; without it the progress operations do nothing. Pooled.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/app/IAppWindow.h"
#include "s/str/strbuffer/StrBuffer.h"

struct ITaskbarList3;

namespace s::gui::drawer { class Skinner; }
namespace s::map { class IMappedData; }

namespace s::app::win {

class AppWindow final : public s::app::IAppWindow {
public:
    static constexpr int32_t kMinExtent = 10;
    // Makes the taskbar list object (CoCreateInstance); tests hand in their own.
    using TaskbarFactory = HRESULT (*)(void** object);
    static TaskbarFactory setTaskbarFactory(TaskbarFactory factory);

    AppWindow() = default;
    ~AppWindow() override;
    AppWindow(const AppWindow&) = delete;
    AppWindow& operator=(const AppWindow&) = delete;

    void initialize(s::app::IAppBase* base, const wchar_t* name, int32_t width, int32_t height,
                    const wchar_t* middleClickDefault, s::gui::drawer::Skinner* skinner);

    // Pure rules of the checks, apart from the screen so that tables test them.
    static const wchar_t* sectionOfScale(int32_t scale);
    static bool isExtentValid(int32_t extent, int32_t screenExtent);
    // The middle-click action of a saved text: "Iconize" or "Close" (any case), else
    // "DoNothing".
    static const wchar_t* middleClickActionOf(const wchar_t* saved);
    // Whether the rectangle meets one of the screens (MonitorFromRect, no default).
    static bool isOnSomeScreen(int32_t x, int32_t y, int32_t width, int32_t height);

    // IAppWindow
    s::app::IAppBase* appBase() override { return m_base; }
    const wchar_t* windowName() override { return m_name.cString(); }
    const wchar_t* settingPath(const wchar_t* section) override;
    const wchar_t* viewSection() override { return m_section; }
    bool hasSkinner() override { return m_skinner != nullptr; }
    s::gui::IWindow* window() override { return m_window; }
    void setWindow(s::gui::IWindow* window) override { m_window = window; }
    const wchar_t* getSkin() override;
    void setSkin(const wchar_t* name) override;
    void setRect(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void setSize(int32_t width, int32_t height) override;
    void removeGeometry() override;
    bool hasX() override;
    bool hasY() override;
    bool isWidthValid() override;
    bool hasWidth() override;
    bool isHeightValid() override;
    bool hasHeight() override;
    void setEasyDrag(bool on) override;
    void setKeepOnTop(bool on) override;
    bool isMiddleClickClose() override;
    bool isMiddleClickIconize() override;
    void setMiddleClickAction(const wchar_t* action) override;
    void checkForUpdate(s::gui::IWindow* window) override;
    void setTaskbarProgressState(s::gui::IWindow* window) override;
    void setTaskbarProgressValue(s::gui::IWindow* window, uint64_t total, uint64_t done) override;
    void clearTaskbarProgress(s::gui::IWindow* window) override;
    bool hasTaskbar() const { return m_taskbar != nullptr; }

    // IWindowSettings
    s::gui::ITextLocalizer* localizer() override;
    int32_t titleTextId() override;
    bool hasPosition() override;
    int32_t getX() override;
    int32_t getY() override;
    int32_t getWidth() override;
    int32_t getHeight() override;
    void setX(int32_t x) override;
    void setY(int32_t y) override;
    void setWidth(int32_t width) override;
    void setHeight(int32_t height) override;
    bool getMaximized() override;
    void setMaximized(bool maximized) override;
    bool getEasyDrag() override;
    bool getKeepOnTop() override;
    const wchar_t* getMiddleClickAction() override;
    void setLanguage(const wchar_t* name) override;
    void saveStore() override;
    // The window keeps the icon its class gives it.
    // The application's icons, which every window of the program shows.
    s::image::IBufferedImageSet* iconSet() override;
    s::gui::drawer::Skinner* skinner() override { return m_skinner; }

    // IObject
    const wchar_t* classId() const override { return L"s_app_win_AppWindow"; }
    s::base::IObject* newInstance() const override;
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    s::map::IMappedData* store();
    const wchar_t* viewPath() { return settingPath(L"View"); }
    const wchar_t* geometryPath() { return settingPath(m_section); }
    int32_t savedInt(const wchar_t* name, int32_t fallback);
    void writeIdentity();
    void createTaskbar();
    HWND handleOf(s::gui::IWindow* window) const;

    s::app::IAppBase* m_base = nullptr;
    s::str::strbuffer::StrBuffer m_name;
    s::str::strbuffer::StrBuffer m_path;
    const wchar_t* m_section = L"View";
    int32_t m_defaultWidth = 500;
    int32_t m_defaultHeight = 500;
    s::gui::drawer::Skinner* m_skinner = nullptr;
    bool m_ownSkin = false;
    s::str::strbuffer::StrBuffer m_skinName;
    s::str::strbuffer::StrBuffer m_middleClick;
    s::gui::IWindow* m_window = nullptr;
    ITaskbarList3* m_taskbar = nullptr;
    bool m_comReady = false;
};

// An AppWindow from its pool, initialised with the middle-click default "Close".
AppWindow* createAppWindow(s::app::IAppBase* base, const wchar_t* name, int32_t width,
                           int32_t height, s::gui::drawer::Skinner* skinner);

}  // namespace s::app::win
