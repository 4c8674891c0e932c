// s/image/filters/sharpness/Sharpness.cpp
//
// The kernel's numbers are computed in single precision (the build does float arithmetic in
// SSE2 registers, so amount 70 gives -126 on every machine, not the x87's -125).
#include "s/image/filters/sharpness/Sharpness.h"

#include <new>

#include "s/image/filters/convolution/Convolution.h"
#include "s/image/win/BufferedImage.h"
#include "s/thread/Pool.h"

namespace s::image::filters::sharpness {

using s::image::filters::convolution::Convolution;

namespace {

const wchar_t kName[] = L"Sharpness";
constexpr int32_t kMostAmount = 100;

}  // namespace

Sharpness::~Sharpness() {
    if (m_kernel) m_kernel->releaseToPool();
}

const wchar_t* Sharpness::getName() const { return kName; }

void Sharpness::setAmount(int32_t amount) {
    amount = amount < -kMostAmount ? -kMostAmount : (amount > kMostAmount ? kMostAmount : amount);
    Convolution* made = kernelFor(amount);
    Convolution* old = nullptr;
    {
        s::thread::Lock hold(m_lock);
        m_amount = amount;
        old = m_kernel;
        m_kernel = made;
    }
    if (old) old->releaseToPool();
}

// Null for amount 0, and when no kernel can be had (the filter then does nothing).
Convolution* Sharpness::kernelFor(int32_t amount) {
    if (amount == 0) return nullptr;
    Convolution* kernel = s::thread::Pool<Convolution>::obtain();
    if (!kernel) return nullptr;
    if (amount < 0) {
        const float t = static_cast<float>(-amount) / 100.0f;
        const int32_t c = static_cast<int32_t>(t * 100.0f);
        const int32_t e = static_cast<int32_t>(t * 200.0f);
        const int32_t weights[9] = {c, e, c, e, 400, e, c, e, c};
        kernel->setKernel(weights, 4 * c + 4 * e + 400);
    } else {
        const int32_t e = static_cast<int32_t>(static_cast<float>(amount) / 100.0f * -180.0f);
        const int32_t weights[9] = {0, e, 0, e, 1100, e, 0, e, 0};
        kernel->setKernel(weights, 1100 + 4 * e);
    }
    return kernel;
}

s::image::win::BufferedImage* Sharpness::apply(const s::image::win::BufferedImage* source,
                                               s::image::win::BufferedImage* target) {
    if (!source) return nullptr;
    target = source->copy(target);
    if (!target) return nullptr;
    convolve(target);
    target->setHasAlpha(source->hasAlpha());
    return target;
}

void Sharpness::convolve(s::image::win::BufferedImage* target) {
    const int32_t height = target->getHeight();
    if (height <= 0 || target->getWidth() <= 0) return;
    s::thread::Lock hold(m_lock);
    if (!m_kernel) return;
    uint32_t** rows = new (std::nothrow) uint32_t*[height];
    if (!rows) return;
    for (int32_t i = 0; i < height; ++i) rows[i] = target->getRow(i);
    m_kernel->apply(rows, target->getWidth(), height);
    delete[] rows;
}

s::base::IObject* Sharpness::newInstance() const { return s::thread::Pool<Sharpness>::obtain(); }

void Sharpness::releaseToPool() { s::thread::Pool<Sharpness>::release(this); }

void Sharpness::resetForReuse() {
    setAmount(0);
    m_owned = true;
}

Sharpness* newSharpness(int32_t amount) {
    Sharpness* filter = s::thread::Pool<Sharpness>::obtain();
    if (filter) filter->setAmount(amount);
    return filter;
}

}  // namespace s::image::filters::sharpness
