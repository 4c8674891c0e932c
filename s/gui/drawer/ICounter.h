// s/gui/drawer/ICounter.h
//
// Value-history graphs: up to two histories drawn over the background.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui::drawer::counter {
class ValueHistory;
}  // namespace s::gui::drawer::counter

namespace s::gui::drawer {

class ICounter : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, counter::ValueHistory* first,
                      counter::ValueHistory* second) = 0;
};

}  // namespace s::gui::drawer
