// s/image/win/BufferedImageSet.h
//
// The pictures of one animation or icon, owned and released to their pool, with a depth, a
// delay and a disposal each, the animated flag and loop count, and the best picture (largest
// area, then highest depth). One thread at a time.
#pragma once
#include <cstdint>
#include <vector>

#include "s/image/IBufferedImageSet.h"

namespace s::image::win {

class BufferedImage;

class BufferedImageSet final : public s::image::IBufferedImageSet {
public:
    BufferedImageSet() = default;
    ~BufferedImageSet() override;
    BufferedImageSet(const BufferedImageSet&) = delete;
    BufferedImageSet& operator=(const BufferedImageSet&) = delete;

    // IImage: the largest picture's size
    int32_t getWidth() const override { return m_largestWidth; }
    int32_t getHeight() const override { return m_largestHeight; }

    // IBufferedImageSet
    int32_t getCount() const override { return static_cast<int32_t>(m_entries.size()); }
    bool add(BufferedImage* image, int32_t depth, int32_t delay, int32_t disposal) override;
    void recomputeSize() override;
    bool isAnimated() const override { return m_animated; }
    uint16_t getLoopCount() const override { return m_loopCount; }
    void setAnimation(bool animated, uint16_t loopCount) override;
    int32_t getDelay(int32_t index) const override;
    int32_t getDisposal(int32_t index) const override;
    int32_t getDepth(int32_t index) const override;
    BufferedImageSet* copy() const override;
    BufferedImageSet* composedCopy() const override;
    BufferedImageSet* scaledCopy(int32_t width, int32_t height, bool keepAspect) const override;
    BufferedImageSet* filteredCopy() const override;
    int32_t getBestIndex() const override { return m_bestIndex; }
    BufferedImage* getBestImage() const override;
    bool findExact(int32_t width, int32_t height, int32_t depth, int32_t* index) const override;
    bool findNearestDepth(int32_t width, int32_t height, int32_t depth, int32_t* index) const override;
    bool findNearestSize(int32_t width, int32_t height, int32_t depth, int32_t* index) const override;
    void clear() override;
    BufferedImage* getImage(int32_t index) const override;
    BufferedImageSet* addImage(BufferedImage* image) override;

    // IObject
    const wchar_t* classId() const override { return L"s_image_win_BufferedImageSet"; }
    s::base::IObject* newInstance() const override;

    // IPoolable: releases every picture; loop count 1
    void releaseToPool() override;
    void resetForReuse() override;

private:
    struct Entry {
        BufferedImage* image;
        int32_t depth, delay, disposal;
    };
    template <class Make>
    BufferedImageSet* mappedCopy(Make make) const;
    void forgetAll();

    std::vector<Entry> m_entries;
    bool m_animated = false;
    uint16_t m_loopCount = 1;
    int32_t m_largestWidth = 0;
    int32_t m_largestHeight = 0;
    int32_t m_bestDepth = 0;
    int32_t m_bestIndex = 0;
};

// A pooled set holding that one image (depth 32, delay 0, disposal 0); null (and the image
// released) when no set can be had.
BufferedImageSet* newImageSetOf(BufferedImage* image);

}  // namespace s::image::win
