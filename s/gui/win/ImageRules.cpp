// s/gui/win/ImageRules.cpp
#include "s/gui/win/ImageRules.h"

#include <cmath>

namespace s::gui::win::imagerules {

bool fitSize(int32_t pictureWidth, int32_t pictureHeight, int32_t* width, int32_t* height) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || *width <= 0 || *height <= 0) return false;
    const int64_t pictureCross = static_cast<int64_t>(pictureWidth) * *height;
    const int64_t requestCross = static_cast<int64_t>(*width) * pictureHeight;
    if (pictureCross > requestCross) {
        *height = static_cast<int32_t>(
            std::llround(static_cast<double>(pictureHeight) * *width / pictureWidth));
    } else {
        *width = static_cast<int32_t>(
            std::llround(static_cast<double>(pictureWidth) * *height / pictureHeight));
    }
    return true;
}

int32_t scaled(double ratio, int32_t length) {
    if (!(ratio > 0) || length <= 0) return 0;
    return static_cast<int32_t>(std::llround(ratio * length));
}

int32_t nextDelay(int32_t frameDelay, int64_t late) {
    const int64_t left = static_cast<int64_t>(frameDelay) - (late > 0 ? late : 0);
    return left > 0 ? static_cast<int32_t>(left) : 0;
}

int32_t preferredLength(const SizeRules& rules) {
    const int32_t border = rules.bordered ? 2 : 0;
    if (rules.fixed >= 0) return rules.fixed - border > 0 ? rules.fixed - border : 0;
    if (rules.percent >= 0) return 0;
    if (rules.bothAspects && rules.otherIsSet) return scaled(rules.ratio, rules.otherPreferred);
    return rules.natural + border;
}

namespace {

int32_t shareOf(int32_t parentInner, int32_t percent, int32_t border) {
    const int64_t share = static_cast<int64_t>(parentInner) * percent / 100 - border;
    return share > 0 ? static_cast<int32_t>(share) : 0;
}

}  // namespace

int32_t percentTarget(const PercentRules& rules) {
    const int32_t border = rules.bordered ? 2 : 0;
    int32_t length = shareOf(rules.parentInner, rules.percent, border);
    if (rules.aspectLimited) {
        const int32_t limit =
            scaled(rules.ratio, shareOf(rules.otherParentInner, rules.otherPercent, border));
        if (limit < length) length = limit;
    }
    return length;
}

}  // namespace s::gui::win::imagerules
