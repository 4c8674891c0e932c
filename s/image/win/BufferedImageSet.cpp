// s/image/win/BufferedImageSet.cpp
#include "s/image/win/BufferedImageSet.h"

#include <new>

#include "s/image/ImageChoice.h"
#include "s/image/win/BufferedImage.h"
#include "s/thread/Pool.h"

namespace s::image::win {

namespace {

int64_t areaOf(const BufferedImage* image) {
    return static_cast<int64_t>(image->getWidth()) * image->getHeight();
}

// A filtered picture counts with its filtered result.
const BufferedImage* shownImage(BufferedImage* image) {
    if (!image->hasFilters()) return image;
    const BufferedImage* filtered = image->getFilteredImage();
    return filtered ? filtered : image;
}

}  // namespace

BufferedImageSet::~BufferedImageSet() { resetForReuse(); }

bool BufferedImageSet::add(BufferedImage* image, int32_t depth, int32_t delay, int32_t disposal) {
    if (!image) return false;
    try {
        m_entries.push_back(Entry{image, depth, delay, disposal});
    } catch (const std::bad_alloc&) {
        image->releaseToPool();
        return false;
    }
    const int64_t area = areaOf(image);
    const int64_t largest = static_cast<int64_t>(m_largestWidth) * m_largestHeight;
    if (area > largest || (area == largest && depth > m_bestDepth)) {
        m_largestWidth = image->getWidth();
        m_largestHeight = image->getHeight();
        m_bestDepth = depth;
        m_bestIndex = getCount() - 1;
    }
    return true;
}

void BufferedImageSet::recomputeSize() {
    m_largestWidth = m_largestHeight = 0;
    int64_t largest = -1;
    for (const Entry& e : m_entries) {
        const BufferedImage* shown = shownImage(e.image);
        if (areaOf(shown) <= largest) continue;
        largest = areaOf(shown);
        m_largestWidth = shown->getWidth();
        m_largestHeight = shown->getHeight();
    }
}

void BufferedImageSet::setAnimation(bool animated, uint16_t loopCount) {
    m_animated = animated;
    m_loopCount = loopCount;
}

int32_t BufferedImageSet::getDelay(int32_t index) const {
    return index >= 0 && index < getCount() ? m_entries[index].delay : 1000;
}

int32_t BufferedImageSet::getDisposal(int32_t index) const {
    return index >= 0 && index < getCount() ? m_entries[index].disposal : 1000;
}

int32_t BufferedImageSet::getDepth(int32_t index) const {
    return index >= 0 && index < getCount() ? m_entries[index].depth : 0;
}

BufferedImage* BufferedImageSet::getImage(int32_t index) const {
    return index >= 0 && index < getCount() ? m_entries[index].image : nullptr;
}

BufferedImage* BufferedImageSet::getBestImage() const { return getImage(m_bestIndex); }

// A new set of make(entry) for every entry, with this set's values; null when any is missing.
template <class Make>
BufferedImageSet* BufferedImageSet::mappedCopy(Make make) const {
    BufferedImageSet* out = s::thread::Pool<BufferedImageSet>::obtain();
    if (!out) return nullptr;
    for (const Entry& e : m_entries) {
        if (!out->add(make(e), e.depth, e.delay, e.disposal)) {
            out->releaseToPool();
            return nullptr;
        }
    }
    out->setAnimation(m_animated, m_loopCount);
    return out;
}

BufferedImageSet* BufferedImageSet::copy() const {
    return mappedCopy([](const Entry& e) { return e.image->copy(nullptr); });
}

BufferedImageSet* BufferedImageSet::scaledCopy(int32_t width, int32_t height, bool keepAspect) const {
    return mappedCopy([=](const Entry& e) -> BufferedImage* {
        const BufferedImage* scaled = e.image->scaledCopy(width, height, keepAspect);
        return scaled ? scaled->copy(nullptr) : nullptr;
    });
}

BufferedImageSet* BufferedImageSet::filteredCopy() const {
    return mappedCopy([](const Entry& e) { return shownImage(e.image)->copy(nullptr); });
}

BufferedImageSet* BufferedImageSet::composedCopy() const {
    BufferedImageSet* out = s::thread::Pool<BufferedImageSet>::obtain();
    if (!out) return nullptr;
    for (int32_t i = 0; i < getCount(); ++i) {
        const Entry& e = m_entries[i];
        const BufferedImage* previous = i > 0 ? out->getImage(i - 1) : nullptr;
        const bool compose = previous && e.disposal == 1;
        BufferedImage* image = compose ? previous->copy(nullptr) : e.image->copy(nullptr);
        if (image && compose) image->drawImage(0, 0, e.image, 0, 0);
        if (!out->add(image, e.depth, e.delay, compose ? 2 : e.disposal)) {
            out->releaseToPool();
            return nullptr;
        }
    }
    out->setAnimation(true, m_loopCount);
    return out;
}

bool BufferedImageSet::findExact(int32_t width, int32_t height, int32_t depth, int32_t* index) const {
    auto at = [this](int32_t i) {
        return ImageShape{m_entries[i].image->getWidth(), m_entries[i].image->getHeight(), m_entries[i].depth};
    };
    return findExactShape(getCount(), at, width, height, depth, index);
}

bool BufferedImageSet::findNearestDepth(int32_t width, int32_t height, int32_t depth, int32_t* index) const {
    auto at = [this](int32_t i) {
        return ImageShape{m_entries[i].image->getWidth(), m_entries[i].image->getHeight(), m_entries[i].depth};
    };
    return findNearestShape(getCount(), at, width, height, depth, true, index);
}

bool BufferedImageSet::findNearestSize(int32_t width, int32_t height, int32_t depth, int32_t* index) const {
    auto at = [this](int32_t i) {
        return ImageShape{m_entries[i].image->getWidth(), m_entries[i].image->getHeight(), m_entries[i].depth};
    };
    return findNearestShape(getCount(), at, width, height, depth, false, index);
}

void BufferedImageSet::forgetAll() {
    m_entries.clear();
    m_animated = false;
    m_largestWidth = m_largestHeight = m_bestDepth = m_bestIndex = 0;
}

void BufferedImageSet::clear() { forgetAll(); }

BufferedImageSet* BufferedImageSet::addImage(BufferedImage* image) {
    add(image, 32, 0, 0);
    return this;
}

s::base::IObject* BufferedImageSet::newInstance() const { return s::thread::Pool<BufferedImageSet>::obtain(); }

void BufferedImageSet::releaseToPool() { s::thread::Pool<BufferedImageSet>::release(this); }

void BufferedImageSet::resetForReuse() {
    for (const Entry& e : m_entries) e.image->releaseToPool();
    forgetAll();
    m_loopCount = 1;
}

BufferedImageSet* newImageSetOf(BufferedImage* image) {
    BufferedImageSet* set = s::thread::Pool<BufferedImageSet>::obtain();
    if (!set) {
        if (image) image->releaseToPool();
        return nullptr;
    }
    set->addImage(image);
    return set;
}

}  // namespace s::image::win
