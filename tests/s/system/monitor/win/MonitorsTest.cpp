// tests/s/system/monitor/win/MonitorsTest.cpp
//
// Under the test session's virtual screen: one monitor.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "s/system/monitor/win/Monitor.h"
#include "s/system/monitor/win/Monitors.h"
#include "s/thread/Pool.h"

namespace {

using namespace s::system::monitor::win;

BOOL CALLBACK countMonitor(HMONITOR, HDC, LPRECT, LPARAM counter) {
    ++*reinterpret_cast<unsigned*>(counter);
    return TRUE;
}

TEST(MonitorsTest, TheListHoldsThePrimaryMonitor) {
    ASSERT_GE(monitorCount(), 1u);
    unsigned system = 0;
    ASSERT_TRUE(EnumDisplayMonitors(nullptr, nullptr, countMonitor, reinterpret_cast<LPARAM>(&system)));
    EXPECT_EQ(system, monitorCount()) << "every monitor the system enumerates";
    Monitor* monitor = monitorFromRect(10, 10, 100, 100);
    ASSERT_NE(nullptr, monitor);
    EXPECT_EQ(0, monitor->index());
    EXPECT_EQ(monitor, monitorFromRect(20, 20, 1, 1));

    MONITORINFOEXW info = {};
    info.cbSize = sizeof info;
    POINT origin = {0, 0};
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), &info));
    EXPECT_EQ(std::wstring(info.szDevice), monitor->deviceName());
    EXPECT_EQ(info.rcMonitor.left, monitor->monitorLeft());
    EXPECT_EQ(info.rcMonitor.top, monitor->monitorTop());
    EXPECT_EQ(info.rcMonitor.right - info.rcMonitor.left, monitor->monitorWidth());
    EXPECT_EQ(info.rcMonitor.bottom - info.rcMonitor.top, monitor->monitorHeight());
    EXPECT_EQ(info.rcWork.left, monitor->workAreaLeft());
    EXPECT_EQ(info.rcWork.top, monitor->workAreaTop());
    EXPECT_EQ(info.rcWork.right - info.rcWork.left, monitor->workAreaWidth());
    EXPECT_EQ(info.rcWork.bottom - info.rcWork.top, monitor->workAreaHeight());
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), monitor->monitorWidth());
}

TEST(MonitorsTest, ARectangleOffEveryScreenGetsTheNearestMonitor) {
    EXPECT_EQ(monitorFromRect(0, 0, 1, 1), monitorFromRect(-100000, -100000, 10, 10));
}

TEST(MonitorsTest, ThePrimaryWorkArea) {
    RECT r = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0));
    EXPECT_EQ(r.left, workAreaLeft());
    EXPECT_EQ(r.top, workAreaTop());
    EXPECT_EQ(r.right - r.left, workAreaWidth());
    EXPECT_EQ(r.bottom - r.top, workAreaHeight());
}

TEST(MonitorsTest, AMonitorWithoutHandleAnswersZeros) {
    Monitor* monitor = s::thread::Pool<Monitor>::obtain();
    ASSERT_NE(nullptr, monitor);
    EXPECT_STREQ(L"s_system_monitor_win_Monitor", monitor->classId());
    EXPECT_EQ(0, monitor->monitorWidth());
    EXPECT_EQ(0, monitor->workAreaHeight());
    EXPECT_STREQ(L"", monitor->deviceName());
    monitor->setDeviceName(L"\\\\.\\DISPLAY9");
    monitor->setIndex(3);
    monitor->resetForReuse();
    EXPECT_EQ(0, monitor->index());
    EXPECT_STREQ(L"", monitor->deviceName());
    monitor->releaseToPool();
}

}  // namespace
