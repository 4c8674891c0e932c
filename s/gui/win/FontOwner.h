// s/gui/win/FontOwner.h
//
// The font properties of IFontOwner over the font settings a control keeps: Base is the
// control's base class (its interface derives from IFontOwner). The control names its
// settings (fontSetting: index 0 the normal one, null past the last) and re-makes its fonts
// and measures again in fontChanged.
#pragma once
#include "s/gui/win/FontSetting.h"

namespace s::gui::win {

template <class Base>
class FontOwner : public Base {
public:
    const wchar_t* getFontName() const override { return normal()->getFaceName(); }
    void setFontName(const wchar_t* face) override {
        each([&](FontSetting* f) { f->setFaceName(face); });
    }
    void setFontSize(int32_t sizeCode) override {
        each([&](FontSetting* f) { f->setSizeCode(sizeCode); });
    }
    uint32_t getTextColour() const override { return normal()->getTextColour(); }
    // The normal font only: a disabled caption keeps its own colour.
    void setTextColour(uint8_t red, uint8_t green, uint8_t blue) override {
        mutableNormal()->setTextColour(red, green, blue);
        fontChanged();
    }
    void setFontPointSize(int32_t points) override {
        each([&](FontSetting* f) { f->setPointSize(points); });
    }
    int32_t getFontHeight() const override { return normal()->getHeight(); }
    void setFontHeight(int32_t height) override {
        each([&](FontSetting* f) { f->setHeight(height); });
    }
    int32_t getFontWidth() const override { return normal()->getWidth(); }
    void setFontWidth(int32_t width) override {
        each([&](FontSetting* f) { f->setWidth(width); });
    }
    bool isBold() const override { return normal()->isBold(); }
    void setBold(bool on) override {
        each([&](FontSetting* f) { f->setBold(on); });
    }
    bool isItalic() const override { return normal()->isItalic(); }
    void setItalic(bool on) override {
        each([&](FontSetting* f) { f->setItalic(on); });
    }
    bool isUnderline() const override { return normal()->isUnderline(); }
    void setUnderline(bool on) override {
        each([&](FontSetting* f) { f->setUnderline(on); });
    }
    bool isStrikeOut() const override { return normal()->isStrikeOut(); }
    void setStrikeOut(bool on) override {
        each([&](FontSetting* f) { f->setStrikeOut(on); });
    }
    int32_t getFontWeight() const override { return normal()->getWeight(); }
    void setFontWeight(int32_t weight) override {
        each([&](FontSetting* f) { f->setWeight(weight); });
    }

protected:
    virtual FontSetting* fontSetting(int32_t index) = 0;
    // After a change of the settings: fonts made again, the control measured and redrawn.
    virtual void fontChanged() = 0;

private:
    FontSetting* mutableNormal() { return fontSetting(0); }
    const FontSetting* normal() const { return const_cast<FontOwner*>(this)->fontSetting(0); }
    template <class Apply>
    void each(Apply apply) {
        for (int32_t i = 0; FontSetting* f = fontSetting(i); ++i) apply(f);
        fontChanged();
    }
};

}  // namespace s::gui::win
