// s/gui/IMenuBar.h
//
// A native menu bar a window attaches with SetMenu: the window offers it the command ids
// of WM_COMMAND, and the bar runs those it holds.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::gui {

class IMenuBar {
public:
    virtual ~IMenuBar() = default;
    virtual HMENU menuHandle() = 0;
    virtual bool hasCommand(uint32_t id) = 0;
    virtual void choose(uint32_t id) = 0;
};

}  // namespace s::gui
