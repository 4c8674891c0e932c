// s/gui/win/ImageRules.h
//
// The image control's sizing and animation arithmetic apart from its window. A picture or
// a request with a zero side never divides: the request is then left as it was.
#pragma once
#include <cstdint>

namespace s::gui::win::imagerules {

// Shrinks one side of the request so that it keeps the picture's proportions: the height
// when the picture is wider than the request, else the width. False (request unchanged)
// when a side of either is 0 or less.
bool fitSize(int32_t pictureWidth, int32_t pictureHeight, int32_t* width, int32_t* height);

// round(length x ratio); 0 for a ratio that is not positive.
int32_t scaled(double ratio, int32_t length);

// The next frame's delay after a step that came `late` milliseconds after the frame was
// due; never below 0.
int32_t nextDelay(int32_t frameDelay, int64_t late);

struct SizeRules {
    int32_t fixed;         // -1: not set
    int32_t percent;       // -1: not set
    int32_t natural;       // the picture's side, 0 when fitted
    bool bothAspects;      // keep-aspect on for width and height
    bool otherIsSet;       // the other side is fixed or a percent
    int32_t otherPreferred;
    double ratio;          // this side per the other side
    bool bordered;
};

// The preferred length of one side: a fixed length wins (less the border), a percent
// leaves it to the layout (0), kept proportions follow the other side, else the natural.
int32_t preferredLength(const SizeRules& rules);

struct PercentRules {
    int32_t parentInner;       // this side of the parent's inner size
    int32_t percent;
    bool bordered;
    bool aspectLimited;        // both sides are percents and both keep proportions
    int32_t otherParentInner;  // the other side of the parent's inner size
    int32_t otherPercent;
    double ratio;              // this side per the other side
};

// The length one side takes as a percent of its parent, less the frame, and no longer
// than the proportions allow the other side's percent; never below 0.
int32_t percentTarget(const PercentRules& rules);

}  // namespace s::gui::win::imagerules
