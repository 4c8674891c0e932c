// s/image/filters/reduction/Quantizer.cpp
//
// Sums are 64-bit: a leaf of one colour may count more pixels than 32-bit sums of 255 hold.
#include "s/image/filters/reduction/Quantizer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "s/image/win/BufferedImage.h"
#include "s/thread/Pool.h"

namespace s::image::filters::reduction {

struct Quantizer::Node {
    bool leaf = false;
    uint64_t pixels = 0;
    uint64_t red = 0, green = 0, blue = 0, fourth = 0;
    Node* children[8] = {};
    Node* next = nullptr;
};

namespace {

constexpr uint32_t kMostLeaves = 256;
constexpr uint32_t kLeafBound = 16;  // the tree keeps at least this many leaves

}  // namespace

void Quantizer::buildOctree(const s::image::win::BufferedImage* image, uint32_t colorLimit) {
    freeTree();
    std::memset(m_palette, 0, sizeof m_palette);
    std::memset(m_cacheColor, 0xFF, sizeof m_cacheColor);  // no colour has its top byte set
    m_limit = colorLimit < 1 ? 1 : (colorLimit > kMostLeaves ? kMostLeaves : colorLimit);
    m_opaque = !image || !image->hasAlpha();
    const uint32_t bound = m_limit > kLeafBound ? m_limit : kLeafBound;
    for (int32_t i = 0; image && i < image->getHeight(); ++i) {
        const uint32_t* row = image->getRow(i);
        for (int32_t j = 0; j < image->getWidth(); ++j) {
            const uint32_t p = row[j];
            if (!m_opaque && (p >> 24) == 0) continue;
            if (!insertColor(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF)) return;
            while (m_leafCount > bound) reduceTree();
        }
    }
    collectPalette();
    sortPalette();
}

// False when a node could not be allocated (the tree then stays as far as it got).
bool Quantizer::insertColor(uint32_t red, uint32_t green, uint32_t blue) {
    Node** at = &m_root;
    for (uint32_t level = 0;; ++level) {
        if (!*at) {
            *at = new (std::nothrow) Node();
            if (!*at) return false;
            if (level == 8) {
                (*at)->leaf = true;
                ++m_leafCount;
            } else {
                (*at)->next = m_reducible[level];
                m_reducible[level] = *at;
            }
        }
        Node* node = *at;
        if (node->leaf) {
            ++node->pixels;
            node->red += red;
            node->green += green;
            node->blue += blue;
            return true;
        }
        const uint32_t shift = 7 - level;
        const uint32_t index = (red >> shift & 1) << 2 | (green >> shift & 1) << 1 | (blue >> shift & 1);
        at = &node->children[index];
    }
}

void Quantizer::reduceTree() {
    int level = 7;
    while (level > 0 && !m_reducible[level]) --level;
    Node* node = m_reducible[level];
    if (!node) return;
    m_reducible[level] = node->next;
    uint32_t children = 0;
    for (Node*& child : node->children) {
        if (!child) continue;
        addInto(node, child);
        // Deeper levels are reduced first, so every child is a leaf by now.
        delete child;
        child = nullptr;
        ++children;
    }
    node->leaf = true;
    m_leafCount -= children - 1;
}

void Quantizer::collectLeaves(Node* node, Node** leaves, uint32_t* count) const {
    if (!node || *count >= kMostLeaves) return;
    if (node->leaf) {
        leaves[(*count)++] = node;
        return;
    }
    for (Node* child : node->children) collectLeaves(child, leaves, count);
}

void Quantizer::collectPalette() {
    Node* leaves[kMostLeaves] = {};
    uint32_t n = 0;
    collectLeaves(m_root, leaves, &n);
    auto write = [this](uint32_t entry, uint64_t pixels, uint64_t r, uint64_t g, uint64_t b) {
        uint8_t* e = m_palette + 4 * entry;
        e[0] = static_cast<uint8_t>(b / pixels);
        e[1] = static_cast<uint8_t>(g / pixels);
        e[2] = static_cast<uint8_t>(r / pixels);
        e[3] = 0;
    };
    if (m_limit >= kLeafBound || n <= m_limit) {
        for (uint32_t k = 0; k < n && k < m_limit; ++k) {
            write(k, leaves[k]->pixels, leaves[k]->red, leaves[k]->green, leaves[k]->blue);
        }
        return;
    }
    for (uint32_t b = 0; b < m_limit; ++b) {
        Node sum;
        for (uint32_t k = n * b / m_limit; k < n * (b + 1) / m_limit; ++k) addInto(&sum, leaves[k]);
        if (sum.pixels) write(b, sum.pixels, sum.red, sum.green, sum.blue);
    }
}

// Pictures repeat their colours, and the search is linear over the palette: answers are kept in a
// direct-mapped cache of exact colours (cleared whenever the palette changes).
uint8_t Quantizer::nearestIndex(uint32_t pixel) const {
    const uint32_t rgb = pixel & 0xFFFFFF;
    const uint32_t slot = (rgb * 2654435761u) >> (32 - kCacheBits);
    if (m_cacheColor[slot] == rgb) return m_cacheIndex[slot];
    const uint8_t index = searchNearest(rgb);
    m_cacheColor[slot] = rgb;
    m_cacheIndex[slot] = index;
    return index;
}

// The entry of the smallest squared distance, the lower index on a tie: the search walks out
// from the pixel's value of the palette's widest channel through the entries sorted by it, and
// stops on each side once that channel's distance alone exceeds the best, which gives the same
// answer as a full linear search.
uint8_t Quantizer::searchNearest(uint32_t pixel) const {
    const int32_t r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
    const int32_t key = (pixel >> (8 * m_sortChannel)) & 0xFF;
    const uint32_t c = m_sortChannel;
    int32_t best = 200000;
    uint32_t bestIndex = 0;
    auto consider = [&](uint32_t k) {
        const uint8_t* e = m_palette + 4 * k;
        const int32_t dr = r - e[2], dg = g - e[1], db = b - e[0];
        const int32_t d = dr * dr + dg * dg + db * db;
        if (d < best || (d == best && k < bestIndex)) {
            best = d;
            bestIndex = k;
        }
    };
    uint32_t up = 0;
    while (up < m_limit && m_palette[4 * m_sorted[up] + c] < key) ++up;
    int32_t down = static_cast<int32_t>(up) - 1;
    while (best != 0 && (up < m_limit || down >= 0)) {
        if (up < m_limit) {
            const int32_t dk = m_palette[4 * m_sorted[up] + c] - key;
            if (dk * dk > best) {
                up = m_limit;
            } else {
                consider(m_sorted[up++]);
            }
        }
        if (down >= 0) {
            const int32_t dk = key - m_palette[4 * m_sorted[down] + c];
            if (dk * dk > best) {
                down = -1;
            } else {
                consider(m_sorted[down--]);
            }
        }
    }
    return static_cast<uint8_t>(bestIndex);
}

void Quantizer::sortPalette() {
    uint32_t widest = 0;
    m_sortChannel = 1;
    for (uint32_t c = 0; c < 3; ++c) {
        uint32_t low = 255, high = 0;
        for (uint32_t k = 0; k < m_limit; ++k) {
            low = std::min<uint32_t>(low, m_palette[4 * k + c]);
            high = std::max<uint32_t>(high, m_palette[4 * k + c]);
        }
        if (high >= low && high - low > widest) {
            widest = high - low;
            m_sortChannel = c;
        }
    }
    for (uint32_t k = 0; k < m_limit; ++k) m_sorted[k] = static_cast<uint8_t>(k);
    const uint32_t c = m_sortChannel;
    std::stable_sort(m_sorted, m_sorted + m_limit,
                     [this, c](uint8_t a, uint8_t b) { return m_palette[4 * a + c] < m_palette[4 * b + c]; });
}

void Quantizer::mapToPalette(const uint32_t* pixels, int32_t count, uint8_t* out, int32_t depth) const {
    if (!pixels || !out || (depth != 8 && depth != 4)) return;
    const uint32_t highest = depth == 8 ? 255 : 15;
    const uint8_t transparent = static_cast<uint8_t>(m_limit < highest ? m_limit : highest);
    for (int32_t j = 0; j < count; ++j) {
        const uint32_t p = pixels[j];
        const uint8_t index = (!m_opaque && (p >> 24) < 255) ? transparent : nearestIndex(p);
        if (depth == 8) {
            out[j] = index;
        } else if (j % 2 == 0) {
            out[j / 2] = static_cast<uint8_t>((out[j / 2] & 0x0F) | index << 4);
        } else {
            out[j / 2] = static_cast<uint8_t>((out[j / 2] & 0xF0) | index);
        }
    }
}

void Quantizer::freeTree() {
    struct Free {
        static void node(Node* n) {
            if (!n) return;
            for (Node* child : n->children) node(child);
            delete n;
        }
    };
    Free::node(m_root);
    m_root = nullptr;
    m_leafCount = 0;
    for (Node*& head : m_reducible) head = nullptr;
}

s::base::IObject* Quantizer::newInstance() const { return s::thread::Pool<Quantizer>::obtain(); }

void Quantizer::releaseToPool() { s::thread::Pool<Quantizer>::release(this); }

void Quantizer::resetForReuse() {
    freeTree();
    std::memset(m_cacheColor, 0xFF, sizeof m_cacheColor);
    m_limit = 16;
    m_opaque = false;
}

void Quantizer::addInto(Node* to, const Node* from) {
    to->pixels += from->pixels;
    to->red += from->red;
    to->green += from->green;
    to->blue += from->blue;
    to->fourth += from->fourth;
}

}  // namespace s::image::filters::reduction
