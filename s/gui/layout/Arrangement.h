// s/gui/layout/Arrangement.h
//
// The built-in ways of placing a container's children inside its inner area. The line
// arrangement serves both the column (vertical) and the row: the same rules with the axes
// exchanged. Each gives back what the children need (minimum) and would like (target).
#pragma once
#include <cstdint>

namespace s::gui {
class IContainer;
}  // namespace s::gui

namespace s::gui::layout {

// How often one layout places a container's children at most: a child told its size lays
// itself out and may then need other room, which the next pass gives it; three passes
// settle a text that wraps to another number of lines.
constexpr int32_t kLayoutPasses = 3;

// Alignments along either axis: 0 start (left, top), 1 centre, 2 end (right, bottom).
struct LayoutResult {
    int32_t minWidth = 0, minHeight = 0, targetWidth = 0, targetHeight = 0;
};

class Arrangement {
public:
    // A column when vertical, else a row. mainAlign places the line along its axis,
    // crossAlign each child across it; gap goes after every child at least 1 pixel long.
    static LayoutResult line(s::gui::IContainer* container, bool vertical, int32_t mainAlign,
                             int32_t crossAlign, int32_t gap);
    static LayoutResult flow(s::gui::IContainer* container, int32_t hAlign, int32_t vAlign,
                             int32_t hGap, int32_t vGap);
    // Every visible child over the same area.
    static LayoutResult pile(s::gui::IContainer* container, int32_t hAlign, int32_t vAlign);

    // Offset of a length inside a space by alignment; 0 when it does not fit.
    static int32_t alignedOffset(int32_t align, int32_t space, int32_t length);
};

}  // namespace s::gui::layout
