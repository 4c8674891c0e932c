// s/image/filters/scale/Contribution.cpp
//
// A record ends at the first weight that is not positive after a positive one, and the weights
// are divided by their sum before they become fixed point, so edge records are renormalised.
#include "s/image/filters/scale/Contribution.h"

#include <cmath>
#include <new>

#include "s/col/_array/ArrayU08.h"
#include "s/image/filters/scale/IScaleFilter.h"
#include "s/thread/ObjLocker.h"
#include "s/thread/Pool.h"

namespace s::image::filters::scale {

namespace {

constexpr int64_t kMostTableBytes = 256 * 1024 * 1024;

}  // namespace

bool Contribution::build(int32_t destinationLength, int32_t sourceLength, const IScaleFilter* filter) {
    freeRecords();
    if (destinationLength <= 0 || sourceLength <= 0 || !filter) return false;
    const double scale = static_cast<double>(destinationLength) / sourceLength;
    const double width = scale >= 1.0 ? filter->getSupport() : filter->getSupport() / scale;
    const double factor = scale >= 1.0 ? 1.0 : scale;
    if (!(width > 0.0) || width > sourceLength + 1.0) return false;
    const int64_t taps = 2 * static_cast<int64_t>(std::ceil(width)) + 1;
    const int64_t recordSize = 4 * taps + 8;
    if (recordSize * destinationLength > kMostTableBytes) return false;
    m_records = s::thread::Pool<s::col::_array::ArrayU08>::obtain();
    if (!m_records || !m_records->setCount(static_cast<uint32_t>(recordSize * destinationLength))) {
        freeRecords();
        return false;
    }
    m_destinationLength = destinationLength;
    m_taps = static_cast<int32_t>(taps);
    m_recordSize = static_cast<int32_t>(recordSize);
    uint8_t* base = static_cast<uint8_t*>(m_records->elements());
    for (int32_t i = 0; i < destinationLength; ++i) {
        fillRecord(reinterpret_cast<int32_t*>(base + static_cast<intptr_t>(i) * m_recordSize), i, scale,
                   width, factor, sourceLength, filter);
    }
    return true;
}

void Contribution::fillRecord(int32_t* record, int32_t i, double scale, double width, double factor,
                              int32_t sourceLength, const IScaleFilter* filter) const {
    const double centre = i / scale;
    const double low = std::floor(centre - width);
    const double high = std::ceil(centre + width);
    const int32_t left = low < 0 ? 0 : static_cast<int32_t>(low);
    const int32_t right = high > sourceLength - 1 ? sourceLength - 1 : static_cast<int32_t>(high);
    int32_t first = left;
    int32_t last = left - 1;
    double sum = 0.0;
    for (int32_t j = left; j <= right && last - first + 1 < m_taps; ++j) {
        const double w = filter->filter((centre - j) * factor) * factor;
        if (w > 0.0) {
            sum += w;
            last = j;
        } else if (last < first) {
            first = j + 1;
        } else {
            break;
        }
    }
    if (last < first) {
        // nothing positive: one tap, copied as it is
        const bool reachedEnd = right == sourceLength - 1;
        record[0] = record[1] = reachedEnd ? sourceLength - 1 : left;
        record[2] = reachedEnd ? 65536 : 0;
        return;
    }
    record[0] = first;
    record[1] = last;
    for (int32_t j = first; j <= last; ++j) {
        const double w = filter->filter((centre - j) * factor) * factor / sum;
        record[2 + j - first] = static_cast<int32_t>(w * 65536.0);
    }
}

const int32_t* Contribution::record(int32_t i) const {
    if (!m_records || i < 0 || i >= m_destinationLength) return nullptr;
    const uint8_t* base = static_cast<const uint8_t*>(m_records->elements());
    return reinterpret_cast<const int32_t*>(base + static_cast<intptr_t>(i) * m_recordSize);
}

uint32_t Contribution::applyRecord(const int32_t* record, const uint32_t* source, int32_t step) {
    const int32_t first = record[0];
    const int32_t last = record[1];
    if (first == last) return source[static_cast<intptr_t>(first) * step];
    uint32_t b = 0x8000, g = 0x8000, r = 0x8000, a = 0x8000;
    for (int32_t j = first; j <= last; ++j) {
        const uint32_t w = static_cast<uint32_t>(record[2 + j - first]);
        const uint32_t p = source[static_cast<intptr_t>(j) * step];
        b += w * (p & 0xFF);
        g += w * (p >> 8 & 0xFF);
        r += w * (p >> 16 & 0xFF);
        a += w * (p >> 24);
    }
    return (b >> 16 & 0xFF) | (g >> 16 & 0xFF) << 8 | (r >> 16 & 0xFF) << 16 | (a >> 16 & 0xFF) << 24;
}

Contribution* Contribution::shared() {
    static Contribution* const table = s::thread::Pool<Contribution>::obtain();
    return table;
}

s::thread::ObjLocker* Contribution::sharedLock() {
    static s::thread::ObjLocker* const lock = new (std::nothrow) s::thread::ObjLocker();
    return lock;
}

void Contribution::freeRecords() {
    if (m_records) m_records->releaseToPool();
    m_records = nullptr;
    m_destinationLength = m_taps = m_recordSize = 0;
}

s::base::IObject* Contribution::newInstance() const { return s::thread::Pool<Contribution>::obtain(); }

void Contribution::releaseToPool() { s::thread::Pool<Contribution>::release(this); }

}  // namespace s::image::filters::scale
