// s/gui/win/OsLook.cpp
#include "s/gui/win/OsLook.h"

#include "s/system/win/OsVersion.h"

namespace s::gui::win {

namespace {
volatile int32_t g_override = -1;
}  // namespace

bool isVistaLook() {
    int32_t state = g_override;
    return state < 0 ? s::system::win::osVersion().isVersion60OrLater : state == 1;
}

void overrideVistaLook(int32_t state) { g_override = state == 0 || state == 1 ? state : -1; }

}  // namespace s::gui::win
