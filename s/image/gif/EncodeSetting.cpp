// s/image/gif/EncodeSetting.cpp
#include "s/image/gif/EncodeSetting.h"

#include "s/image/gif/win/Gif.h"
#include "s/image/win/BufferedImage.h"
#include "s/image/win/BufferedImageSet.h"
#include "s/map/IMappedData.h"
#include "s/thread/Pool.h"

namespace s::image::gif {

namespace {
int32_t validBpp(int32_t bpp) { return bpp >= 1 && bpp <= 8 ? bpp : EncodeSetting::kDefaultBpp; }
}  // namespace

s::image::IEncodedImage* EncodeSetting::encodeImageSet(const s::image::win::BufferedImageSet* set) const {
    if (!set) return nullptr;
    if (set->getCount() <= 1 || !set->isAnimated()) return encodeImage(set->getBestImage());
    s::image::win::BufferedImageSet* filtered = set->filteredCopy();
    if (!filtered) return nullptr;
    s::image::IEncodedImage* gif =
        win::newGifFromImageSet(filtered, m_bpp, m_keepTransparency, m_bgRed, m_bgGreen, m_bgBlue);
    filtered->releaseToPool();
    return gif;
}

s::image::IEncodedImage* EncodeSetting::encodeImage(s::image::win::BufferedImage* image) const {
    if (image && image->hasFilters()) image = image->getFilteredImage();
    return win::newGifFromImage(image, m_bpp, m_keepTransparency, m_bgRed, m_bgGreen, m_bgBlue);
}

void EncodeSetting::setBackground(int32_t red, int32_t green, int32_t blue) {
    m_bgRed = clampColour(red);
    m_bgGreen = clampColour(green);
    m_bgBlue = clampColour(blue);
}

void EncodeSetting::setBpp(int32_t bpp) { m_bpp = validBpp(bpp); }

void EncodeSetting::readValues(s::map::IMappedData* store, const wchar_t* path) {
    m_keepTransparency = store->getBool(path, L"KeepTransparency", true);
    m_withInterlace = store->getBool(path, L"WithInterlace", true);
    setBackground(store->getS32(path, L"BgRed", 255), store->getS32(path, L"BgGreen", 255),
                  store->getS32(path, L"BgBlue", 255));
    m_bpp = store->getS32(path, L"Bpp", kDefaultBpp);
}

void EncodeSetting::writeValues(s::map::IMappedData* store, const wchar_t* path) const {
    store->setBool(path, L"KeepTransparency", m_keepTransparency);
    store->setBool(path, L"WithInterlace", m_withInterlace);
    store->setS32(path, L"BgRed", m_bgRed);
    store->setS32(path, L"BgGreen", m_bgGreen);
    store->setS32(path, L"BgBlue", m_bgBlue);
    store->setS32(path, L"Bpp", m_bpp);
}

void EncodeSetting::clampValues() { m_bpp = validBpp(m_bpp); }

void EncodeSetting::resetValues() {
    m_keepTransparency = m_withInterlace = true;
    m_bgRed = m_bgGreen = m_bgBlue = 255;
    m_bpp = kDefaultBpp;
}

s::base::IObject* EncodeSetting::newInstance() const { return s::thread::Pool<EncodeSetting>::obtain(); }

void EncodeSetting::releaseToPool() { s::thread::Pool<EncodeSetting>::release(this); }

void EncodeSetting::resetForReuse() {
    forgetStoreAndBox();
    resetValues();
}

}  // namespace s::image::gif
