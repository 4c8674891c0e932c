// s/image/jpg/EncodeSetting.cpp
#include "s/image/jpg/EncodeSetting.h"

#include "s/image/jpg/win/Jpeg.h"
#include "s/image/win/BufferedImage.h"
#include "s/image/win/BufferedImageSet.h"
#include "s/map/IMappedData.h"
#include "s/thread/Pool.h"

namespace s::image::jpg {

namespace {
int32_t validQuality(int32_t quality) { return quality < 0 ? 0 : (quality > 100 ? 100 : quality); }
}  // namespace

s::image::IEncodedImage* EncodeSetting::encodeImageSet(const s::image::win::BufferedImageSet* set) const {
    return set ? encodeImage(set->getBestImage()) : nullptr;
}

s::image::IEncodedImage* EncodeSetting::encodeImage(s::image::win::BufferedImage* image) const {
    if (image && image->hasFilters()) image = image->getFilteredImage();
    return win::newJpegFromImage(image, m_quality, m_bgRed, m_bgGreen, m_bgBlue);
}

void EncodeSetting::setBackground(int32_t red, int32_t green, int32_t blue) {
    m_bgRed = clampColour(red);
    m_bgGreen = clampColour(green);
    m_bgBlue = clampColour(blue);
}

void EncodeSetting::setQuality(int32_t quality) { m_quality = validQuality(quality); }

// A quality missing from the store keeps what the object holds.
void EncodeSetting::readValues(s::map::IMappedData* store, const wchar_t* path) {
    m_quality = store->getS32(path, L"Quality", m_quality);
    setBackground(store->getS32(path, L"BgRed", 255), store->getS32(path, L"BgGreen", 255),
                  store->getS32(path, L"BgBlue", 255));
}

void EncodeSetting::writeValues(s::map::IMappedData* store, const wchar_t* path) const {
    store->setS32(path, L"Quality", m_quality);
    store->setS32(path, L"BgRed", m_bgRed);
    store->setS32(path, L"BgGreen", m_bgGreen);
    store->setS32(path, L"BgBlue", m_bgBlue);
}

void EncodeSetting::clampValues() { m_quality = validQuality(m_quality); }

void EncodeSetting::resetValues() {
    m_quality = kDefaultQuality;
    m_bgRed = m_bgGreen = m_bgBlue = 255;
}

s::base::IObject* EncodeSetting::newInstance() const { return s::thread::Pool<EncodeSetting>::obtain(); }

void EncodeSetting::releaseToPool() { s::thread::Pool<EncodeSetting>::release(this); }

void EncodeSetting::resetForReuse() {
    forgetStoreAndBox();
    resetValues();
}

}  // namespace s::image::jpg
