// tests/e2e/ProgramFixture.h
//
// What the end-to-end tests share: a sandbox folder on the fixture drive holding everything
// the program may destroy, the program's own start-up running in this process with its
// main window found, the user's view of that window, a watcher of its questions and one of
// its message boxes. Every
// drop goes through dropPaths, which refuses (and fails the test on) any path outside the
// sandbox before the window sees it.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "support/Sandbox.h"
#include "support/gui/GuiHarness.h"
#include "support/gui/ScreenLock.h"
#include "support/program/DropBlock.h"
#include "support/program/InProcessProgram.h"
#include "support/program/ProgramWindow.h"
#include "support/program/QuestionWatcher.h"

namespace tests::program {

constexpr uint32_t kWindowLimitMs = 30000;
constexpr uint32_t kRunLimitMs = 60000;
constexpr wchar_t kConfirmTitle[] = L"Confirm File Shred";
constexpr wchar_t kDontAsk[] = L"Don't ask me again";
constexpr wchar_t kDropBoxTitle[] = L"Drop Box";

class ProgramFixture : public testing::Test {
protected:
    void SetUp() override {
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        m_name = std::string(info->test_suite_name()) + "." + info->name();
        m_watchdog = std::make_unique<tests::gui::Watchdog>(m_name.c_str(), 110000);
        ASSERT_TRUE(box.ok()) << "no fixture drive: nothing may be dropped";
        boxes = std::make_unique<tests::gui::ModalWatcher>(IDOK);
        tests::gui::phase("start-up");
        program = std::make_unique<InProcessProgram>();
        ASSERT_TRUE(program->started());
        HWND main = program->waitForMainWindow(kWindowLimitMs);
        ASSERT_NE(nullptr, main) << "the program showed no window";
        window = std::make_unique<ProgramWindow>(main);
        ASSERT_TRUE(window->ok());
    }

    // The user closes the window with its close box and starts the program again, which
    // finds what this run stored.
    void restart() {
        tests::gui::phase("closing for a restart");
        window.reset();
        program->close();
        ASSERT_TRUE(program->waitForEnd(30000)) << "the start-up did not end after the window closed";
        program.reset();
        tests::gui::phase("start-up again");
        program = std::make_unique<InProcessProgram>(true);
        ASSERT_TRUE(program->started());
        HWND main = program->waitForMainWindow(kWindowLimitMs);
        ASSERT_NE(nullptr, main) << "the program showed no window again";
        window = std::make_unique<ProgramWindow>(main);
        ASSERT_TRUE(window->ok());
    }

    void TearDown() override {
        tests::gui::phase("closing");
        window.reset();
        if (program) {
            program->close();
            EXPECT_TRUE(program->waitForEnd(30000)) << "the start-up did not end after the window closed";
            EXPECT_EQ(FALSE, program->answer());
            program.reset();
        }
        // What this run stored (a language, a view, a size) is not the next program's.
        InProcessProgram::forgetSettings();
        questions.reset();
        boxes.reset();
        m_watchdog.reset();
    }

    // Drops the sandbox items (paths relative to it, or whole paths inside it) on the drop
    // area and waits until the window has handled the drop. Fails, dropping nothing, when
    // a path lies outside the sandbox.
    void dropPaths(const std::vector<std::wstring>& items, bool posted = false) {
        std::vector<std::wstring> paths;
        for (const std::wstring& item : items) {
            std::wstring path = item.size() > 2 && item[1] == L':' ? item : box.at(item);
            ASSERT_TRUE(isInsideSandbox(box.path(), path)) << "refused to drop a path outside the sandbox";
            paths.push_back(path);
        }
        HWND area = window->dropArea(kDropBoxTitle);
        ASSERT_NE(nullptr, area) << "no drop area in the window";
        HGLOBAL block = newDropBlock(paths);
        ASSERT_NE(nullptr, block);
        if (posted)
            window->postDrop(area, block);
        else
            ASSERT_TRUE(window->drop(area, block)) << "the window did not take the drop";
    }

    // Screenshot of the main window under screenshots\e2e-NAME.png.
    void shoot(const std::wstring& name) const {
        EXPECT_FALSE(tests::gui::saveScreenshot(window->handle(), (L"e2e-" + name).c_str()).empty());
    }

    tests::gui::ScreenLock screen;
    tests::Sandbox box;
    std::unique_ptr<InProcessProgram> program;
    std::unique_ptr<ProgramWindow> window;
    std::unique_ptr<QuestionWatcher> questions;
    // The program's message boxes (what could not be wiped, errors): recorded, answered OK.
    std::unique_ptr<tests::gui::ModalWatcher> boxes;

private:
    std::string m_name;
    std::unique_ptr<tests::gui::Watchdog> m_watchdog;
};

}  // namespace tests::program
