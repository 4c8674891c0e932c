// tests/support/gui/GuiTest.h
//
// The fixture of every GUI test: a watchdog with the test's name and a box watcher that
// clicks OK unless the test says other.
#pragma once
#include <memory>

#include <gmock/gmock.h>

#include "support/gui/GuiHarness.h"

namespace tests::gui {

class GuiTest : public testing::Test {
protected:
    // A hang ends the process well before ctest's own time-out of 120 s.
    static constexpr uint32_t kDefaultLimitMs = 60000;

    void SetUp() override {
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        m_name = std::string(info->test_suite_name()) + "." + info->name();
        m_watchdog = std::make_unique<Watchdog>(m_name.c_str(), limitMs());
        watcher = std::make_unique<ModalWatcher>(IDOK);
    }
    void TearDown() override {
        watcher.reset();
        m_watchdog.reset();
    }
    virtual uint32_t limitMs() const { return kDefaultLimitMs; }

    std::unique_ptr<ModalWatcher> watcher;

private:
    std::string m_name;
    std::unique_ptr<Watchdog> m_watchdog;
};

}  // namespace tests::gui
