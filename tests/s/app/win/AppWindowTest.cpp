// tests/s/app/win/AppWindowTest.cpp
#include "s/app/win/AppWindow.h"

#include <gmock/gmock.h>

#include <shobjidl.h>

#include <string>
#include <vector>

#include "s/gui/win/UiScale.h"
#include "s/gui/win/Window.h"
#include "s/image/win/BufferedImage.h"
#include "s/thread/Pool.h"
#include "support/gui/GuiHarness.h"
#include "tests/s/app/win/AppFixture.h"

namespace {

using s::app::win::AppBase;
using s::app::win::AppWindow;

class AppWindowTest : public tests::app::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        app = startBase();
        ASSERT_NE(nullptr, app);
    }
    void TearDown() override {
        s::gui::win::overrideUiScale(0);
        if (app) app->releaseToPool();
        AppFixture::TearDown();
    }
    AppWindow* holder(const wchar_t* name = L"MainWindow", int32_t side = 250) {
        return s::app::win::createAppWindow(app, name, side, side, app->skinner());
    }

    AppBase* app = nullptr;
};

TEST_F(AppWindowTest, FirstStartGivesTheDefaultsAndWritesTheIdentity) {
    AppWindow* main = holder();
    ASSERT_NE(nullptr, main);
    EXPECT_EQ(L"Ostrel Brakvane", readString(L"SaveData\\MainWindow\\SoftwareID", L""));
    EXPECT_EQ(L"1.23", readString(L"SaveData\\MainWindow\\Version", L""));
    EXPECT_FALSE(main->hasPosition());
    EXPECT_EQ(0, main->getX());
    EXPECT_EQ(0, main->getY());
    EXPECT_EQ(250, main->getWidth());
    EXPECT_EQ(250, main->getHeight());
    EXPECT_TRUE(main->getEasyDrag());
    EXPECT_FALSE(main->getMaximized());
    EXPECT_TRUE(main->getKeepOnTop());
    EXPECT_STREQ(L"Close", main->getMiddleClickAction());
    EXPECT_FALSE(main->hasSkinner());
    EXPECT_STREQ(L"", main->getSkin());
    main->setSkin(L"White");
    EXPECT_FALSE(exists(L"SaveData\\MainWindow\\Skin")) << "no skinner: no Skin key";
    EXPECT_FALSE(exists(L"SaveData\\Skin"));
    main->releaseToPool();
}

TEST_F(AppWindowTest, GeometryLivesUnderTheSectionOfTheScaleAndOptionsUnderView) {
    struct Row {
        int32_t scale;
        const wchar_t* section;
    };
    for (const Row& row : {Row{1, L"View"}, Row{2, L"View4K"}, Row{4, L"View8K"}}) {
        s::gui::win::overrideUiScale(row.scale);
        AppWindow* main = holder();
        ASSERT_NE(nullptr, main);
        EXPECT_STREQ(row.section, main->viewSection());
        main->setRect(100 + row.scale, 120, 300 + row.scale, 200);
        main->setMaximized(true);
        main->releaseToPool();

        AppWindow* again = holder();
        const std::wstring path = std::wstring(L"SaveData\\MainWindow\\") + row.section;
        DWORD type = 0;
        std::vector<uint8_t> data;
        EXPECT_TRUE(readRaw(path, L"Width", &type, &data)) << row.scale;
        EXPECT_TRUE(again->hasPosition());
        EXPECT_EQ(100 + row.scale, again->getX());
        EXPECT_EQ(120, again->getY());
        EXPECT_EQ(300 + row.scale, again->getWidth());
        EXPECT_EQ(200, again->getHeight());
        EXPECT_TRUE(again->getMaximized());
        EXPECT_TRUE(readRaw(L"SaveData\\MainWindow\\View", L"Maximized", &type, &data)) << row.scale;
        again->setMaximized(false);
        again->releaseToPool();
    }
    DWORD type = 0;
    std::vector<uint8_t> data;
    EXPECT_FALSE(readRaw(L"SaveData\\MainWindow\\View4K", L"Maximized", &type, &data));
}

TEST_F(AppWindowTest, SavedGeometryOffEveryScreenGivesTheDefaults) {
    const int32_t screenWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int32_t screenHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    struct Row {
        int32_t x, y, width, height;
        bool placed;
        int32_t expectedWidth, expectedHeight;
    };
    const Row rows[] = {
        {10, 10, 9, 300, true, 250, 300},
        {10, 10, 300, 9, true, 300, 250},
        {10, 10, screenWidth + 1, 300, true, 250, 300},
        {10, 10, 300, screenHeight + 1, true, 300, 250},
        {10, 10, 10, 10, true, 10, 10},
        {-5000, 10, 300, 300, false, 300, 300},
        {10, 40000, 300, 300, false, 300, 300},
        {screenWidth + 50, 10, 300, 300, false, 300, 300},
    };
    for (const Row& row : rows) {
        writeDword(L"SaveData\\MainWindow\\View", L"X", row.x);
        writeDword(L"SaveData\\MainWindow\\View", L"Y", row.y);
        writeDword(L"SaveData\\MainWindow\\View", L"Width", row.width);
        writeDword(L"SaveData\\MainWindow\\View", L"Height", row.height);
        AppWindow* main = holder();
        EXPECT_EQ(row.placed, main->hasPosition()) << row.x << "," << row.y;
        EXPECT_EQ(row.expectedWidth, main->getWidth()) << row.width;
        EXPECT_EQ(row.expectedHeight, main->getHeight()) << row.height;
        main->releaseToPool();
    }
}

TEST_F(AppWindowTest, MiddleClickActionReadIgnoringCase) {
    struct Row {
        const wchar_t* saved;
        const wchar_t* action;
        bool close, iconize;
    };
    const Row rows[] = {{L"iconize", L"Iconize", false, true},
                        {L"CLOSE", L"Close", true, false},
                        {L"DoNothing", L"DoNothing", false, false},
                        {L"whatever", L"DoNothing", false, false}};
    for (const Row& row : rows) {
        writeString(L"SaveData\\MainWindow\\View", L"OnMClick", row.saved);
        AppWindow* main = holder();
        EXPECT_STREQ(row.action, main->getMiddleClickAction()) << row.saved;
        EXPECT_EQ(row.close, main->isMiddleClickClose()) << row.saved;
        EXPECT_EQ(row.iconize, main->isMiddleClickIconize()) << row.saved;
        main->releaseToPool();
    }
}

TEST_F(AppWindowTest, RemoveGeometryDeletesTheFourValues) {
    AppWindow* main = holder();
    main->setRect(1, 2, 300, 400);
    main->removeGeometry();
    EXPECT_FALSE(main->hasX());
    EXPECT_FALSE(main->hasY());
    EXPECT_FALSE(main->hasWidth());
    EXPECT_FALSE(main->hasHeight());
    main->releaseToPool();
}

TEST_F(AppWindowTest, WindowGeometryIsStoredAndRestored) {
    AppWindow* main = holder();
    s::gui::win::Window* window = s::thread::Pool<s::gui::win::Window, 0>::obtain();
    ASSERT_NE(nullptr, window->getHandle());
    window->setResizable(true);
    window->applySettings(main, true);
    window->show(true, false);
    window->setBounds(140, 160, 320, 240);
    // Hiding stores what the window shows.
    window->show(false, false);
    EXPECT_EQ(140, main->getX());
    EXPECT_EQ(160, main->getY());
    EXPECT_EQ(320, main->getWidth());
    EXPECT_EQ(240, main->getHeight());
    // The taskbar operations never fail, with or without the taskbar interface.
    main->setTaskbarProgressState(window);
    main->setTaskbarProgressValue(window, 100, 40);
    main->clearTaskbarProgress(window);
    main->setTaskbarProgressState(nullptr);
    window->releaseToPool();
    main->releaseToPool();

    AppWindow* again = holder();
    s::gui::win::Window* restored = s::thread::Pool<s::gui::win::Window, 0>::obtain();
    restored->setResizable(true);
    restored->applySettings(again, true);
    restored->show(true, false);
    RECT r = {};
    GetWindowRect(restored->getHandle(), &r);
    EXPECT_EQ(140, r.left);
    EXPECT_EQ(160, r.top);
    EXPECT_EQ(320, r.right - r.left);
    EXPECT_EQ(240, r.bottom - r.top);
    // The program's icon reaches the native window: at scale 1 the 32 and 16 pixel pictures.
    if (s::gui::win::uiScale() == 1) {
        ASSERT_NE(nullptr, restored->getLargeIcon());
        EXPECT_EQ(32, restored->getLargeIcon()->getWidth());
        EXPECT_EQ(16, restored->getSmallIcon()->getWidth());
        EXPECT_NE(0, SendMessageW(restored->getHandle(), WM_GETICON, ICON_BIG, 0));
    }
    tests::gui::saveScreenshot(restored->getHandle(), L"app-main-window-restored");
    restored->releaseToPool();
    again->releaseToPool();
}

// A taskbar list that records what it is told; its HrInit answers as the test says.
class FakeTaskbar final : public ITaskbarList3 {
public:
    HRESULT initAnswer = S_OK;
    LONG references = 1;
    bool initialised = false;
    std::vector<std::wstring> calls;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE HrInit() override {
        initialised = SUCCEEDED(initAnswer);
        return initAnswer;
    }
    HRESULT STDMETHODCALLTYPE AddTab(HWND) override { return record(L"AddTab"); }
    HRESULT STDMETHODCALLTYPE DeleteTab(HWND) override { return record(L"DeleteTab"); }
    HRESULT STDMETHODCALLTYPE ActivateTab(HWND) override { return record(L"ActivateTab"); }
    HRESULT STDMETHODCALLTYPE SetActiveAlt(HWND) override { return record(L"SetActiveAlt"); }
    HRESULT STDMETHODCALLTYPE MarkFullscreenWindow(HWND, BOOL) override { return record(L"Fullscreen"); }
    HRESULT STDMETHODCALLTYPE SetProgressValue(HWND, ULONGLONG done, ULONGLONG total) override {
        return record(L"value " + std::to_wstring(done) + L"/" + std::to_wstring(total));
    }
    HRESULT STDMETHODCALLTYPE SetProgressState(HWND, TBPFLAG state) override {
        return record(state == TBPF_INDETERMINATE ? L"indeterminate"
                      : state == TBPF_NOPROGRESS  ? L"no progress"
                                                  : L"other state");
    }
    HRESULT STDMETHODCALLTYPE RegisterTab(HWND, HWND) override { return record(L"RegisterTab"); }
    HRESULT STDMETHODCALLTYPE UnregisterTab(HWND) override { return record(L"UnregisterTab"); }
    HRESULT STDMETHODCALLTYPE SetTabOrder(HWND, HWND) override { return record(L"SetTabOrder"); }
    HRESULT STDMETHODCALLTYPE SetTabActive(HWND, HWND, DWORD) override { return record(L"SetTabActive"); }
    HRESULT STDMETHODCALLTYPE ThumbBarAddButtons(HWND, UINT, LPTHUMBBUTTON) override { return record(L"Thumb"); }
    HRESULT STDMETHODCALLTYPE ThumbBarUpdateButtons(HWND, UINT, LPTHUMBBUTTON) override { return record(L"Thumb"); }
    HRESULT STDMETHODCALLTYPE ThumbBarSetImageList(HWND, HIMAGELIST) override { return record(L"Thumb"); }
    HRESULT STDMETHODCALLTYPE SetOverlayIcon(HWND, HICON, LPCWSTR) override { return record(L"Overlay"); }
    HRESULT STDMETHODCALLTYPE SetThumbnailTooltip(HWND, LPCWSTR) override { return record(L"Tooltip"); }
    HRESULT STDMETHODCALLTYPE SetThumbnailClip(HWND, RECT*) override { return record(L"Clip"); }

private:
    HRESULT record(const std::wstring& call) {
        calls.push_back((initialised ? L"" : L"before HrInit: ") + call);
        return S_OK;
    }
};

FakeTaskbar* g_taskbar = nullptr;
HRESULT giveFakeTaskbar(void** object) {
    *object = g_taskbar ? static_cast<ITaskbarList3*>(g_taskbar) : nullptr;
    return g_taskbar ? S_OK : REGDB_E_CLASSNOTREG;
}

TEST_F(AppWindowTest, TaskbarIsInitialisedBeforeUseAndDroppedWhenThatFails) {
    struct Row {
        const char* name;
        bool made;
        HRESULT init;
        bool used;
    };
    const Row rows[] = {{"initialised", true, S_OK, true},
                        {"refused HrInit", true, E_FAIL, false},
                        {"no taskbar object", false, S_OK, false}};
    s::gui::win::Window* window = s::thread::Pool<s::gui::win::Window, 0>::obtain();
    ASSERT_NE(nullptr, window->getHandle());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeTaskbar taskbar;
        taskbar.initAnswer = row.init;
        g_taskbar = row.made ? &taskbar : nullptr;
        AppWindow::setTaskbarFactory(&giveFakeTaskbar);
        AppWindow* main = holder();
        AppWindow::setTaskbarFactory(nullptr);
        EXPECT_EQ(row.used, main->hasTaskbar());
        main->setTaskbarProgressState(window);
        main->setTaskbarProgressValue(window, 100, 40);
        main->clearTaskbarProgress(window);
        main->releaseToPool();
        const std::vector<std::wstring> expected =
            row.used ? std::vector<std::wstring>{L"indeterminate", L"value 40/100", L"no progress"}
                     : std::vector<std::wstring>{};
        EXPECT_EQ(expected, taskbar.calls);
        EXPECT_EQ(row.made ? 0 : 1, taskbar.references) << "the holder gives back what it took";
    }
    g_taskbar = nullptr;
    window->releaseToPool();
}

TEST(AppWindowRules, SectionOfScale) {
    EXPECT_STREQ(L"View", AppWindow::sectionOfScale(1));
    EXPECT_STREQ(L"View4K", AppWindow::sectionOfScale(2));
    EXPECT_STREQ(L"View8K", AppWindow::sectionOfScale(4));
}

TEST(AppWindowRules, ExtentValidity) {
    EXPECT_FALSE(AppWindow::isExtentValid(9, 1280));
    EXPECT_TRUE(AppWindow::isExtentValid(10, 1280));
    EXPECT_TRUE(AppWindow::isExtentValid(1280, 1280));
    EXPECT_FALSE(AppWindow::isExtentValid(1281, 1280));
    EXPECT_FALSE(AppWindow::isExtentValid(-300, 1280));
}

}  // namespace
