// s/system/monitor/win/Monitor.cpp
#include "s/system/monitor/win/Monitor.h"

#include "s/thread/Pool.h"

namespace s::system::monitor::win {

namespace {

// The monitor's information, all zeros when the handle is null or stale.
MONITORINFO infoOf(HMONITOR handle) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!handle || !GetMonitorInfoW(handle, &info)) {
        info = MONITORINFO{};
        info.cbSize = sizeof info;
    }
    return info;
}

int32_t widthOf(const RECT& r) { return r.right - r.left; }
int32_t heightOf(const RECT& r) { return r.bottom - r.top; }

}  // namespace

void Monitor::setDeviceName(const wchar_t* name) { m_deviceName.setText(name ? name : L""); }

RECT Monitor::monitorRect() const { return infoOf(m_handle).rcMonitor; }
RECT Monitor::workRect() const { return infoOf(m_handle).rcWork; }

int32_t Monitor::monitorLeft() const { return monitorRect().left; }
int32_t Monitor::monitorTop() const { return monitorRect().top; }
int32_t Monitor::monitorWidth() const { return widthOf(monitorRect()); }
int32_t Monitor::monitorHeight() const { return heightOf(monitorRect()); }
int32_t Monitor::workAreaLeft() const { return workRect().left; }
int32_t Monitor::workAreaTop() const { return workRect().top; }
int32_t Monitor::workAreaWidth() const { return widthOf(workRect()); }
int32_t Monitor::workAreaHeight() const { return heightOf(workRect()); }

s::base::IObject* Monitor::newInstance() const { return s::thread::Pool<Monitor>::obtain(); }

void Monitor::releaseToPool() { s::thread::Pool<Monitor>::release(this); }

void Monitor::resetForReuse() {
    m_index = 0;
    m_handle = nullptr;
    m_deviceName.freeBuffer();
}

}  // namespace s::system::monitor::win
