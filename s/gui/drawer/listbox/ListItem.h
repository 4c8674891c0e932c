// s/gui/drawer/listbox/ListItem.h
//
// One list item as the list control hands it to its drawer.
#pragma once
#include <cstdint>

namespace s::gui {
class IFont;
}  // namespace s::gui
namespace s::image::win {
class BufferedImage;
}  // namespace s::image::win

namespace s::gui::drawer::listbox {

struct ListItem {
    int32_t level = 0;            // indent level
    bool expanderColumn = false;  // the list shows tree expanders
    bool hasChildren = false;     // this item shows one
    bool open = false;
    bool hasCheckBox = false;
    bool checked = false;
    const s::image::win::BufferedImage* image = nullptr;
    const wchar_t* const* columns = nullptr;  // column texts
    const int32_t* columnWidths = nullptr;    // widths of all columns but the last
    int32_t columnCount = 0;
    bool selected = false;
    bool alternate = false;
    bool fullRowSelection = true;
    int32_t dropPosition = -1;  // 0 above the item, 1 below it, -1 none
    int32_t dropLevel = 0;
    bool thickDrop = false;
    const s::gui::IFont* font = nullptr;
    const s::gui::IFont* selectedFont = nullptr;
};

}  // namespace s::gui::drawer::listbox
