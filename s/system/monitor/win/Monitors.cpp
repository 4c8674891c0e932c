// s/system/monitor/win/Monitors.cpp
#include "s/system/monitor/win/Monitors.h"

#include <windows.h>

#include "s/col/_array/ArrayP.h"
#include "s/system/monitor/win/Monitor.h"
#include "s/thread/ObjLocker.h"
#include "s/thread/Pool.h"

namespace s::system::monitor::win {

namespace {

struct MonitorList {
    MonitorList() { monitors.setElementDestructor(&s::thread::Pool<Monitor>::pooler()); }
    s::thread::ObjLocker lock;
    s::col::_array::ArrayP monitors;
    bool filled = false;
};

MonitorList& monitorList() {
    static MonitorList list;
    return list;
}

BOOL CALLBACK addMonitor(HMONITOR handle, HDC, LPRECT, LPARAM context) {
    auto* monitors = reinterpret_cast<s::col::_array::ArrayP*>(context);
    Monitor* monitor = s::thread::Pool<Monitor>::obtain();
    if (!monitor) return TRUE;
    monitor->setIndex(static_cast<int32_t>(monitors->count()));
    monitor->setHandle(handle);
    MONITORINFOEXW info = {};
    info.cbSize = sizeof info;
    // szDevice holds 32 units, terminated by the system.
    if (GetMonitorInfoW(handle, &info)) monitor->setDeviceName(info.szDevice);
    if (!monitors->add(monitor)) monitor->releaseToPool();
    return TRUE;
}

// The filled list; call with its lock held.
MonitorList& filledList() {
    MonitorList& list = monitorList();
    if (!list.filled) {
        EnumDisplayMonitors(nullptr, nullptr, &addMonitor, reinterpret_cast<LPARAM>(&list.monitors));
        list.filled = true;
    }
    return list;
}

RECT workArea() {
    RECT r = {};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) r = RECT{};
    return r;
}

}  // namespace

uint32_t monitorCount() {
    MonitorList& list = monitorList();
    s::thread::Lock lock(list.lock);
    return filledList().monitors.count();
}

Monitor* monitorFromRect(int32_t left, int32_t top, int32_t width, int32_t height) {
    MonitorList& list = monitorList();
    s::thread::Lock lock(list.lock);
    const s::col::_array::ArrayP& monitors = filledList().monitors;
    if (monitors.count() == 0) return nullptr;
    RECT r = {left, top, left + width, top + height};
    HMONITOR handle = MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST);
    for (uint32_t i = 0; i < monitors.count(); ++i) {
        Monitor* monitor = monitors.item<Monitor>(i);
        if (monitor && monitor->handle() == handle) return monitor;
    }
    return nullptr;
}

int32_t workAreaLeft() { return workArea().left; }
int32_t workAreaTop() { return workArea().top; }
int32_t workAreaWidth() {
    const RECT r = workArea();
    return r.right - r.left;
}
int32_t workAreaHeight() {
    const RECT r = workArea();
    return r.bottom - r.top;
}

}  // namespace s::system::monitor::win
