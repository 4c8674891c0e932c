// s/image/filters/convolution/Convolution.cpp
//
// Plain integer arithmetic per byte: each pixel depends on its filtered left neighbour, so the
// pixels of a row cannot be computed side by side.
#include "s/image/filters/convolution/Convolution.h"

#include "s/thread/Pool.h"

namespace s::image::filters::convolution {

void Convolution::setKernel(const int32_t weights[9], int32_t divisor) {
    for (int k = 0; k < 9; ++k) m_weights[k] = weights[k];
    m_divisor = divisor;
}

void Convolution::apply(uint32_t* const* rows, int32_t width, int32_t height) const {
    if (!rows || width <= 0 || height <= 0 || m_divisor <= 0) return;
    for (int32_t i = 0; i < height; ++i) {
        uint32_t* above = rows[i > 0 ? i - 1 : i];
        uint32_t* row = rows[i];
        uint32_t* below = rows[i + 1 < height ? i + 1 : i];
        for (int32_t j = 0; j < width; ++j) {
            const int32_t left = j > 0 ? j - 1 : j;
            const int32_t right = j + 1 < width ? j + 1 : j;
            const uint32_t* neighbours[9] = {above + left, above + j, above + right,
                                             row + left,   row + j,   row + right,
                                             below + left, below + j, below + right};
            row[j] = filteredPixel(neighbours);
        }
    }
}

uint32_t Convolution::filteredPixel(const uint32_t* const neighbours[9]) const {
    uint32_t out = 0;
    for (uint32_t shift = 0; shift < 32; shift += 8) {
        int32_t sum = 0;
        for (int k = 0; k < 9; ++k) sum += m_weights[k] * static_cast<int32_t>(*neighbours[k] >> shift & 0xFF);
        if (m_divisor != 1) sum /= m_divisor;
        const uint32_t value = sum < 0 ? 0 : (sum > 255 ? 255 : static_cast<uint32_t>(sum));
        out |= value << shift;
    }
    return out;
}

s::base::IObject* Convolution::newInstance() const { return s::thread::Pool<Convolution>::obtain(); }

void Convolution::releaseToPool() { s::thread::Pool<Convolution>::release(this); }

void Convolution::resetForReuse() {
    for (int k = 0; k < 9; ++k) m_weights[k] = k == 4 ? 1 : 0;
    m_divisor = 1;
}

Convolution* newConvolution(const int32_t weights[9]) {
    Convolution* kernel = s::thread::Pool<Convolution>::obtain();
    if (!kernel) return nullptr;
    int32_t sum = 0;
    for (int k = 0; k < 9; ++k) sum += weights[k];
    kernel->setKernel(weights, sum);
    return kernel;
}

}  // namespace s::image::filters::convolution
