// s/system/monitor/IMonitor.h
//
// One display monitor: its place in the enumeration, its device name, and its rectangle and
// work area in virtual-screen pixels, asked of the system afresh by each call (0 when the
// system no longer knows the monitor).
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::system::monitor {

class IMonitor : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual int32_t index() const = 0;
    virtual void setIndex(int32_t index) = 0;
    virtual const wchar_t* deviceName() const = 0;  // "\\.\DISPLAY1"; "" when unknown
    virtual void setDeviceName(const wchar_t* name) = 0;

    virtual int32_t monitorLeft() const = 0;
    virtual int32_t monitorTop() const = 0;
    virtual int32_t monitorWidth() const = 0;
    virtual int32_t monitorHeight() const = 0;
    virtual int32_t workAreaLeft() const = 0;
    virtual int32_t workAreaTop() const = 0;
    virtual int32_t workAreaWidth() const = 0;
    virtual int32_t workAreaHeight() const = 0;
};

}  // namespace s::system::monitor
