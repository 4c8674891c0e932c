// tests/s/gui/EveryTestWatched.cpp
//
// Every test of the painting program runs under a watchdog named after it: a paint that
// hangs (a GDI call waiting on the display, a window that never answers) fails the program
// with the test's name instead of stopping the run until ctest's own limit.
#include <gmock/gmock.h>

#include <memory>
#include <string>

#include "support/gui/GuiHarness.h"
#include "support/gui/ScreenLock.h"

namespace {

class WatchEveryTest : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo& info) override {
        m_place = std::string(info.test_suite_name()) + "." + info.name();
        m_screen.reset(new tests::gui::ScreenLock);
        m_dog.reset(new tests::gui::Watchdog(m_place.c_str(), 90000));
    }
    void OnTestEnd(const testing::TestInfo&) override {
        m_dog.reset();
        m_screen.reset();
    }

private:
    std::string m_place;
    std::unique_ptr<tests::gui::Watchdog> m_dog;
    // Tests of other programs that read the screen back (screen capture) wait for it too.
    std::unique_ptr<tests::gui::ScreenLock> m_screen;
};

const bool g_watched = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new WatchEveryTest);
    return true;
}();

}  // namespace
