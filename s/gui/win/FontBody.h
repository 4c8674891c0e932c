// s/gui/win/FontBody.h
//
// The getters and setters that FontSetting and Font share over one FontData. A change of
// the description calls descriptionChanged(), a change of the text colour colourChanged();
// a Font re-makes its GDI font there.
#pragma once
#include "s/gui/win/FontData.h"
#include "s/gui/win/UiScale.h"

namespace s::gui::win {

// Makes a temporary point font on the screen and gives its lfHeight and lfWidth.
bool pointFontSize(int32_t points, const wchar_t* face, int32_t* height, int32_t* width);

template <class Interface>
class FontBody : public Interface {
public:
    using Flag = FontData::Override;

    void setSizeCode(int32_t code) override {
        m_data.applySizeCode(code, uiScale());
        descriptionChanged();
    }
    int32_t getSizeCode() const override { return m_data.sizeCode; }
    bool hasOverrides() const override { return m_data.hasOverrides(); }
    const wchar_t* getFaceName() const override { return m_data.font.lfFaceName; }
    void setFaceName(const wchar_t* face) override {
        m_data.setFaceName(face);
        changed(FontData::kFace);
    }
    uint32_t getTextColour() const override { return m_data.textColour; }
    void setTextColour(int32_t red, int32_t green, int32_t blue) override {
        m_data.textColour = rgb(red, green, blue);
        m_data.overrides[FontData::kTextColour] = true;
        colourChanged();
    }
    uint32_t getSecondColour() const override { return m_data.secondColour; }
    void setSecondColour(int32_t red, int32_t green, int32_t blue) override {
        m_data.secondColour = rgb(red, green, blue);
        m_data.overrides[FontData::kSecondColour] = true;
    }
    uint32_t getThirdColour() const override { return m_data.thirdColour; }
    void setThirdColour(int32_t red, int32_t green, int32_t blue) override {
        m_data.thirdColour = rgb(red, green, blue);
        m_data.overrides[FontData::kThirdColour] = true;
    }
    void setPointSize(int32_t points) override {
        int32_t height = 0, width = 0;
        if (!pointFontSize(points, m_data.font.lfFaceName, &height, &width)) return;
        m_data.font.lfHeight = height;
        m_data.font.lfWidth = width;
        changed(FontData::kSize);
    }
    int32_t getHeight() const override { return m_data.font.lfHeight; }
    void setHeight(int32_t height) override {
        m_data.font.lfHeight = height;
        changed(FontData::kSize);
    }
    int32_t getWidth() const override { return m_data.font.lfWidth; }
    void setWidth(int32_t width) override {
        m_data.font.lfWidth = width;
        changed(FontData::kSize);
    }
    bool isBold() const override { return m_data.isBold(); }
    void setBold(bool bold) override {
        m_data.font.lfWeight = bold ? 700 : 400;
        changed(FontData::kBold);
    }
    bool isItalic() const override { return m_data.font.lfItalic != 0; }
    void setItalic(bool on) override {
        m_data.font.lfItalic = on;
        changed(FontData::kItalic);
    }
    bool isUnderline() const override { return m_data.font.lfUnderline != 0; }
    void setUnderline(bool on) override {
        m_data.font.lfUnderline = on;
        changed(FontData::kUnderline);
    }
    bool isStrikeOut() const override { return m_data.font.lfStrikeOut != 0; }
    void setStrikeOut(bool on) override {
        m_data.font.lfStrikeOut = on;
        changed(FontData::kStrikeOut);
    }
    int32_t getWeight() const override { return m_data.font.lfWeight; }
    void setWeight(int32_t weight) override {
        m_data.font.lfWeight = weight;
        changed(FontData::kWeight);
    }
    bool isWordWrap() const override { return m_data.wordWrap; }
    void setWordWrap(bool wrap) override { m_data.wordWrap = wrap; }
    bool isEllipsis() const override { return m_data.ellipsis; }
    void setEllipsis(bool on) override { m_data.ellipsis = on; }
    int32_t getTextEffect() const override { return m_data.textEffect; }
    void setTextEffect(int32_t effect) override { m_data.textEffect = effect; }
    bool isDisabledText() const { return m_data.disabledText; }
    void setDisabledText(bool on) { m_data.disabledText = on; }
    bool isClearType() const override { return m_data.isClearType(); }
    void setClearType(bool on) override {
        m_data.font.lfQuality = on ? CLEARTYPE_QUALITY : NONANTIALIASED_QUALITY;
        changed(FontData::kQuality);
    }
    void inheritFrom(const s::gui::IFontDescription* other) override {
        if (!other) return;
        m_data.inheritFrom(other->fontData());
        descriptionChanged();
        colourChanged();
    }
    const FontData& fontData() const override { return m_data; }

protected:
    static COLORREF rgb(int32_t red, int32_t green, int32_t blue) {
        return RGB(red & 0xFF, green & 0xFF, blue & 0xFF);
    }
    virtual void descriptionChanged() {}
    virtual void colourChanged() {}
    void changed(Flag flag) {
        m_data.overrides[flag] = true;
        descriptionChanged();
    }

    FontData m_data;
};

}  // namespace s::gui::win
