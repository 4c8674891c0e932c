// s/image/filters/scale/Contribution.h
//
// The weight table of one resampling direction: per destination pixel a record of the first
// and last source index and the 16.16 weights between them. Pooled; the shared table lives for
// the process behind its lock (sharedLock). One thread at a time otherwise.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::col::_array {
class ArrayU08;
}  // namespace s::col::_array
namespace s::thread {
class ObjLocker;
}  // namespace s::thread

namespace s::image::filters::scale {

class IScaleFilter;

class Contribution final : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    Contribution() = default;
    ~Contribution() override { freeRecords(); }
    Contribution(const Contribution&) = delete;
    Contribution& operator=(const Contribution&) = delete;

    // False (and an empty table) for lengths of 0 or below, a null filter or no memory.
    bool build(int32_t destinationLength, int32_t sourceLength, const IScaleFilter* filter);

    int32_t destinationLength() const { return m_destinationLength; }
    int32_t tapsPerRecord() const { return m_taps; }
    int32_t recordSize() const { return m_recordSize; }
    // Record i: first, last, then last - first + 1 weights; null outside the table.
    const int32_t* record(int32_t i) const;

    // One output pixel from record i over pixels step words apart, starting at source.
    static uint32_t applyRecord(const int32_t* record, const uint32_t* source, int32_t step);

    // The table every rescale shares and the lock it is used under, made on first use; null
    // when they cannot be made.
    static Contribution* shared();
    static s::thread::ObjLocker* sharedLock();

    // IObject
    const wchar_t* classId() const override { return L"s_image_filters_scale_Contribution"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override { freeRecords(); }

private:
    void fillRecord(int32_t* record, int32_t i, double scale, double width, double factor,
                    int32_t sourceLength, const IScaleFilter* filter) const;
    void freeRecords();

    int32_t m_destinationLength = 0;
    int32_t m_taps = 0;
    int32_t m_recordSize = 0;
    s::col::_array::ArrayU08* m_records = nullptr;
};

}  // namespace s::image::filters::scale
