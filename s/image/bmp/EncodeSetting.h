// s/image/bmp/EncodeSetting.h
//
// BMP saving choices: transparency kept or flattened on a background colour, and the depth
// (4, 8, 24 or 32 bits; any other stored depth reads as 24).
#pragma once
#include <cstdint>

#include "s/image/EncodeSetting.h"

namespace s::image::bmp {

class EncodeSetting final : public s::image::EncodeSetting {
public:
    static constexpr int32_t kDefaultBpp = 24;

    EncodeSetting() { resetValues(); }

    // IEncodeSetting
    s::image::IEncodedImage* encodeImageSet(const s::image::win::BufferedImageSet* set) const override;
    s::image::IEncodedImage* encodeImage(s::image::win::BufferedImage* image) const override;

    // the values; setters bring them into range
    bool getKeepTransparency() const { return m_keepTransparency; }
    void setKeepTransparency(bool flag) { m_keepTransparency = flag; }
    uint8_t getBgRed() const { return m_bgRed; }
    uint8_t getBgGreen() const { return m_bgGreen; }
    uint8_t getBgBlue() const { return m_bgBlue; }
    void setBackground(int32_t red, int32_t green, int32_t blue);
    int32_t getBpp() const { return m_bpp; }
    void setBpp(int32_t bpp);

    // IObject
    const wchar_t* classId() const override { return L"s_image_bmp_EncodeSetting"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    const wchar_t* keyName() const override { return L"BmpEncodeSetting"; }
    const wchar_t* boxClassId() const override { return L"s_image_gui_boxes_BmpConfigBox"; }
    void readValues(s::map::IMappedData* store, const wchar_t* path) override;
    void writeValues(s::map::IMappedData* store, const wchar_t* path) const override;
    void clampValues() override;

private:
    void resetValues();

    bool m_keepTransparency = true;
    uint8_t m_bgRed = 255;
    uint8_t m_bgGreen = 255;
    uint8_t m_bgBlue = 255;
    int32_t m_bpp = kDefaultBpp;
};

}  // namespace s::image::bmp
