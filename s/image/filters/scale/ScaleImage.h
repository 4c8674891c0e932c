// s/image/filters/scale/ScaleImage.h
//
// The two-pass triangle-filter rescale behind scaledCopy: rows first, then columns, through a
// shared temporary buffer. Rescales on different threads run one after the other (the buffer's
// lock, then the weight table's lock for each pass). A zero size, a source smaller than the
// size given or no memory gives an empty 0 x 0 target and false; a target that is the source
// is refused and left as it is.
#pragma once
#include <cstdint>

namespace s::image::win {
class BufferedImage;
}  // namespace s::image::win

namespace s::image::filters::scale {

bool scaleImage(int32_t sourceWidth, int32_t sourceHeight, const s::image::win::BufferedImage* source,
                int32_t targetWidth, int32_t targetHeight, s::image::win::BufferedImage* target);

}  // namespace s::image::filters::scale
