// s/image/filters/convolution/Convolution.h
//
// A 3 x 3 kernel (weights in row order from the top left) and its divisor, applied in place:
// neighbours above and to the left are read after they were filtered, on purpose. Pooled; one
// thread at a time. A divisor of 0 or below applies nothing (a zero-sum kernel would divide by 0).
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::image::filters::convolution {

class Convolution final : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    Convolution() { resetForReuse(); }

    void setKernel(const int32_t weights[9], int32_t divisor);
    const int32_t* weights() const { return m_weights; }
    int32_t divisor() const { return m_divisor; }

    // rows[0] is the top row; each row holds width pixel words.
    void apply(uint32_t* const* rows, int32_t width, int32_t height) const;

    // IObject
    const wchar_t* classId() const override { return L"s_image_filters_convolution_Convolution"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    uint32_t filteredPixel(const uint32_t* const neighbours[9]) const;

    int32_t m_weights[9] = {};
    int32_t m_divisor = 1;
};

// A pooled kernel with those weights and their sum as divisor; null without a pool.
Convolution* newConvolution(const int32_t weights[9]);

}  // namespace s::image::filters::convolution
