// s/image/bmp/EncodeSetting.cpp
#include "s/image/bmp/EncodeSetting.h"

#include "s/image/bmp/win/Bitmap.h"
#include "s/image/win/BufferedImage.h"
#include "s/image/win/BufferedImageSet.h"
#include "s/map/IMappedData.h"
#include "s/thread/Pool.h"

namespace s::image::bmp {

namespace {
int32_t validBpp(int32_t bpp) { return bpp == 4 || bpp == 8 || bpp == 24 || bpp == 32 ? bpp : EncodeSetting::kDefaultBpp; }
}  // namespace

s::image::IEncodedImage* EncodeSetting::encodeImageSet(const s::image::win::BufferedImageSet* set) const {
    return set ? encodeImage(set->getBestImage()) : nullptr;
}

s::image::IEncodedImage* EncodeSetting::encodeImage(s::image::win::BufferedImage* image) const {
    if (image && image->hasFilters()) image = image->getFilteredImage();
    return win::newBitmapFromImage(image, m_bpp, m_keepTransparency, m_bgRed, m_bgGreen, m_bgBlue);
}

void EncodeSetting::setBackground(int32_t red, int32_t green, int32_t blue) {
    m_bgRed = clampColour(red);
    m_bgGreen = clampColour(green);
    m_bgBlue = clampColour(blue);
}

void EncodeSetting::setBpp(int32_t bpp) { m_bpp = validBpp(bpp); }

void EncodeSetting::readValues(s::map::IMappedData* store, const wchar_t* path) {
    m_keepTransparency = store->getBool(path, L"KeepTransparency", true);
    setBackground(store->getS32(path, L"BgRed", 255), store->getS32(path, L"BgGreen", 255),
                  store->getS32(path, L"BgBlue", 255));
    m_bpp = store->getS32(path, L"Bpp", kDefaultBpp);
}

void EncodeSetting::writeValues(s::map::IMappedData* store, const wchar_t* path) const {
    store->setBool(path, L"KeepTransparency", m_keepTransparency);
    store->setS32(path, L"BgRed", m_bgRed);
    store->setS32(path, L"BgGreen", m_bgGreen);
    store->setS32(path, L"BgBlue", m_bgBlue);
    store->setS32(path, L"Bpp", m_bpp);
}

void EncodeSetting::clampValues() { m_bpp = validBpp(m_bpp); }

void EncodeSetting::resetValues() {
    m_keepTransparency = true;
    m_bgRed = m_bgGreen = m_bgBlue = 255;
    m_bpp = kDefaultBpp;
}

s::base::IObject* EncodeSetting::newInstance() const { return s::thread::Pool<EncodeSetting>::obtain(); }

void EncodeSetting::releaseToPool() { s::thread::Pool<EncodeSetting>::release(this); }

void EncodeSetting::resetForReuse() {
    forgetStoreAndBox();
    resetValues();
}

}  // namespace s::image::bmp
