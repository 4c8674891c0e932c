// s/image/jpg/EncodeSetting.h
//
// JPEG saving choices: the quality (0 to 100) and the background colour behind transparent
// parts.
#pragma once
#include <cstdint>

#include "s/image/EncodeSetting.h"

namespace s::image::jpg {

class EncodeSetting final : public s::image::EncodeSetting {
public:
    static constexpr int32_t kDefaultQuality = 75;

    EncodeSetting() { resetValues(); }

    // IEncodeSetting
    s::image::IEncodedImage* encodeImageSet(const s::image::win::BufferedImageSet* set) const override;
    s::image::IEncodedImage* encodeImage(s::image::win::BufferedImage* image) const override;

    // the values; setters bring them into range
    int32_t getQuality() const { return m_quality; }
    void setQuality(int32_t quality);
    uint8_t getBgRed() const { return m_bgRed; }
    uint8_t getBgGreen() const { return m_bgGreen; }
    uint8_t getBgBlue() const { return m_bgBlue; }
    void setBackground(int32_t red, int32_t green, int32_t blue);

    // IObject
    const wchar_t* classId() const override { return L"s_image_jpg_EncodeSetting"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    const wchar_t* keyName() const override { return L"JpgEncodeSetting"; }
    const wchar_t* boxClassId() const override { return L"s_image_gui_boxes_JpgConfigBox"; }
    void readValues(s::map::IMappedData* store, const wchar_t* path) override;
    void writeValues(s::map::IMappedData* store, const wchar_t* path) const override;
    void clampValues() override;

private:
    void resetValues();

    int32_t m_quality = kDefaultQuality;
    uint8_t m_bgRed = 255;
    uint8_t m_bgGreen = 255;
    uint8_t m_bgBlue = 255;
};

}  // namespace s::image::jpg
