// s/image/filters/scale/Contribution.cpp
//
// A record ends at the first weight that is not positive after a positive one, and the weights
// are divided by their sum before they become fixed point, so edge records are renormalised.
#include "s/image/filters/scale/Contribution.h"

#include <emmintrin.h>

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

// Two taps at a time in SSE2: a weight of a record of several taps is below 65536, so it fits
// an unsigned 16-bit lane, and the low and high halves of each product give it exactly.
uint32_t Contribution::applyRecord(const int32_t* record, const uint32_t* source, int32_t step) {
    const int32_t first = record[0];
    const int32_t last = record[1];
    if (first == last) return source[static_cast<intptr_t>(first) * step];
    const __m128i zero = _mm_setzero_si128();
    __m128i sums = _mm_setzero_si128();
    const int32_t* weights = record + 2;
    int32_t j = first;
    for (; j < last; j += 2) {
        const __m128i pair = _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(source[static_cast<intptr_t>(j) * step])),
                                                _mm_cvtsi32_si128(static_cast<int>(source[static_cast<intptr_t>(j + 1) * step])));
        const __m128i bytes = _mm_unpacklo_epi8(pair, zero);
        const short w0 = static_cast<short>(weights[j - first]);
        const short w1 = static_cast<short>(weights[j + 1 - first]);
        const __m128i w = _mm_set_epi16(w1, w1, w1, w1, w0, w0, w0, w0);
        const __m128i low = _mm_mullo_epi16(bytes, w);
        const __m128i high = _mm_mulhi_epu16(bytes, w);
        sums = _mm_add_epi32(sums, _mm_add_epi32(_mm_unpacklo_epi16(low, high), _mm_unpackhi_epi16(low, high)));
    }
    if (j == last) {
        const __m128i bytes = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(source[static_cast<intptr_t>(j) * step])), zero);
        const __m128i w = _mm_set1_epi16(static_cast<short>(weights[j - first]));
        sums = _mm_add_epi32(sums, _mm_unpacklo_epi16(_mm_mullo_epi16(bytes, w), _mm_mulhi_epu16(bytes, w)));
    }
    sums = _mm_srli_epi32(_mm_add_epi32(sums, _mm_set1_epi32(0x8000)), 16);
    // keep the low 8 bits of each channel, then pack the four lanes into one word
    sums = _mm_and_si128(sums, _mm_set1_epi32(0xFF));
    const __m128i words = _mm_packs_epi32(sums, zero);
    return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, zero)));
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
