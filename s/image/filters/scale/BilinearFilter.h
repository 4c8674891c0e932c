// s/image/filters/scale/BilinearFilter.h
//
// The triangle filter: support - |x| inside the support, else 0. Pooled; the shared one (support
// 1.0) lives for the whole process and must not have its support changed.
#pragma once
#include "s/image/filters/scale/IScaleFilter.h"
#include "s/thread/IPoolable.h"

namespace s::image::filters::scale {

class BilinearFilter final : public IScaleFilter, public virtual s::thread::IPoolable {
public:
    BilinearFilter() = default;

    // IScaleFilter
    double filter(double x) const override;
    double getSupport() const override { return m_support; }
    void setSupport(double value) override { m_support = value; }

    // IObject
    const wchar_t* classId() const override { return L"s_image_filters_scale_BilinearFilter"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override { m_support = 1.0; }

private:
    double m_support = 1.0;
};

// The process-wide filter of support 1.0, made on first use; null only when it cannot be made.
BilinearFilter* getSharedBilinearFilter();

}  // namespace s::image::filters::scale
