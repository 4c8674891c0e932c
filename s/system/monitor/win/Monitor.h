// s/system/monitor/win/Monitor.h
//
// A display monitor of the process's monitor list (see Monitors.h): the list owns it and
// keeps it for the whole run. Its geometry calls GetMonitorInfoW each time, so they follow
// a changed resolution but answer 0 once the monitor handle is stale. Any thread may read.
#pragma once
#include <windows.h>

#include "s/str/strbuffer/StrBuffer.h"
#include "s/system/monitor/IMonitor.h"

namespace s::system::monitor::win {

class Monitor final : public s::system::monitor::IMonitor {
public:
    Monitor() = default;

    HMONITOR handle() const { return m_handle; }
    void setHandle(HMONITOR handle) { m_handle = handle; }

    // IMonitor
    int32_t index() const override { return m_index; }
    void setIndex(int32_t index) override { m_index = index; }
    const wchar_t* deviceName() const override { return m_deviceName.cString(); }
    void setDeviceName(const wchar_t* name) override;
    int32_t monitorLeft() const override;
    int32_t monitorTop() const override;
    int32_t monitorWidth() const override;
    int32_t monitorHeight() const override;
    int32_t workAreaLeft() const override;
    int32_t workAreaTop() const override;
    int32_t workAreaWidth() const override;
    int32_t workAreaHeight() const override;

    // IObject
    const wchar_t* classId() const override { return L"s_system_monitor_win_Monitor"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    RECT monitorRect() const;
    RECT workRect() const;

    int32_t m_index = 0;
    HMONITOR m_handle = nullptr;
    s::str::strbuffer::StrBuffer m_deviceName;
};

}  // namespace s::system::monitor::win
