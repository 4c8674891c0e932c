// s/gui/drawer/IListBox.h
//
// Lists: the background, and one item at a time.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui::drawer::listbox {
struct ListItem;
}  // namespace s::gui::drawer::listbox

namespace s::gui::drawer {

class IListBox : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    virtual void drawItem(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const listbox::ListItem& item) = 0;
    // Whether (x, y), relative to the item's top left, hits its expander or its check box.
    virtual bool hitsExpander(int32_t level, int32_t x, int32_t y) const = 0;
    virtual bool hitsCheckBox(int32_t level, bool expanderColumn, int32_t x, int32_t y) const = 0;
};

}  // namespace s::gui::drawer
