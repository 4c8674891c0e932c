// s/image/filters/reduction/Quantizer.h
//
// An octree quantizer over 8 bits of red, green and blue: reduces a 32-bit image to a palette
// of at most the colour limit (1 to 256) and maps pixels to its indices. It owns its tree
// (freed on reset). One thread at a time. An image with its alpha flag off counts as opaque.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::image::win {
class BufferedImage;
}  // namespace s::image::win

namespace s::image::filters::reduction {

class Quantizer final : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    Quantizer() { resetForReuse(); }
    ~Quantizer() override { freeTree(); }
    Quantizer(const Quantizer&) = delete;
    Quantizer& operator=(const Quantizer&) = delete;

    // The limit is clamped to 1..256; the palette is zeroed first, so entries beyond those
    // written are 0 whatever the quantizer did before.
    void buildOctree(const s::image::win::BufferedImage* image, uint32_t colorLimit);
    // One index per pixel at depth 8, two a byte (high nibble first) at depth 4, nothing at
    // other depths. A pixel not opaque gets the transparent index: the limit, or the highest
    // index the depth holds when the limit does not fit.
    void mapToPalette(const uint32_t* pixels, int32_t count, uint8_t* out, int32_t depth) const;

    const uint8_t* palette() const { return m_palette; }  // 256 entries: blue, green, red, 0
    uint32_t colorLimit() const { return m_limit; }
    uint32_t leafCount() const { return m_leafCount; }

    // IObject
    const wchar_t* classId() const override { return L"s_image_filters_reduction_Quantizer"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    struct Node;

    bool insertColor(uint32_t red, uint32_t green, uint32_t blue);
    void reduceTree();
    void collectPalette();
    void collectLeaves(Node* node, Node** leaves, uint32_t* count) const;
    void freeTree();
    static void addInto(Node* to, const Node* from);
    uint8_t nearestIndex(uint32_t pixel) const;
    uint8_t searchNearest(uint32_t pixel) const;
    void sortPalette();

    static constexpr uint32_t kCacheBits = 14;

    Node* m_root = nullptr;
    uint32_t m_leafCount = 0;
    Node* m_reducible[8] = {};
    uint8_t m_palette[256 * 4] = {};
    uint32_t m_limit = 16;
    bool m_opaque = false;
    uint8_t m_sorted[256] = {};  // the palette's indices ordered by the channel below
    uint32_t m_sortChannel = 1;  // byte of the entry: 0 blue, 1 green, 2 red
    mutable uint32_t m_cacheColor[1u << kCacheBits];
    mutable uint8_t m_cacheIndex[1u << kCacheBits] = {};
};

}  // namespace s::image::filters::reduction
