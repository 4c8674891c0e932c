// s/image/filters/sharpness/Sharpness.h
//
// Sharpens (amount above 0) or blurs (below 0) with a 3 x 3 kernel it owns, rebuilt when the
// amount changes. Its own lock guards the kernel, so one filter may serve several threads.
// Amounts are clamped to -100..100: above 152 the sharpening divisor would reach zero.
#pragma once
#include <cstdint>

#include "s/image/filters/IFilter.h"
#include "s/thread/IPoolable.h"
#include "s/thread/ObjLocker.h"

namespace s::image::filters::convolution {
class Convolution;
}  // namespace s::image::filters::convolution

namespace s::image::filters::sharpness {

class Sharpness final : public s::image::filters::IFilter, public virtual s::thread::IPoolable {
public:
    Sharpness() = default;
    ~Sharpness() override;
    Sharpness(const Sharpness&) = delete;
    Sharpness& operator=(const Sharpness&) = delete;

    void setAmount(int32_t amount);
    int32_t amount() const { return m_amount; }
    // The kernel now in use, or null for none (amount 0). Read under no lock: for tests.
    const s::image::filters::convolution::Convolution* kernel() const { return m_kernel; }

    // IFilter
    const wchar_t* getName() const override;
    bool isOwned() const override { return m_owned; }
    void setOwned(bool flag) override { m_owned = flag; }
    s::image::win::BufferedImage* apply(const s::image::win::BufferedImage* source,
                                        s::image::win::BufferedImage* target) override;

    // IObject
    const wchar_t* classId() const override { return L"s_image_filters_sharpness_Sharpness"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    static s::image::filters::convolution::Convolution* kernelFor(int32_t amount);
    void convolve(s::image::win::BufferedImage* target);

    bool m_owned = true;
    s::thread::ObjLocker m_lock;
    int32_t m_amount = 0;
    s::image::filters::convolution::Convolution* m_kernel = nullptr;
};

// A pooled filter with that amount; null without a pool.
Sharpness* newSharpness(int32_t amount);

}  // namespace s::image::filters::sharpness
