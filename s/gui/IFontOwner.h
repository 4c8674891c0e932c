// s/gui/IFontOwner.h
//
// The font properties of a control with a caption. Each setter applies to every font the
// control keeps (normal, disabled, link ...) and measures the control again; each getter reads
// the normal font. Colours are COLORREF values (red in the lowest byte).
#pragma once
#include <cstdint>

namespace s::gui {

class IFontOwner {
public:
    virtual ~IFontOwner() = default;
    virtual const wchar_t* getFontName() const = 0;
    virtual void setFontName(const wchar_t* face) = 0;
    virtual void setFontSize(int32_t sizeCode) = 0;
    virtual uint32_t getTextColour() const = 0;
    virtual void setTextColour(uint8_t red, uint8_t green, uint8_t blue) = 0;
    virtual void setFontPointSize(int32_t points) = 0;
    virtual int32_t getFontHeight() const = 0;
    virtual void setFontHeight(int32_t height) = 0;
    virtual int32_t getFontWidth() const = 0;
    virtual void setFontWidth(int32_t width) = 0;
    virtual bool isBold() const = 0;
    virtual void setBold(bool bold) = 0;
    virtual bool isItalic() const = 0;
    virtual void setItalic(bool italic) = 0;
    virtual bool isUnderline() const = 0;
    virtual void setUnderline(bool underline) = 0;
    virtual bool isStrikeOut() const = 0;
    virtual void setStrikeOut(bool strikeOut) = 0;
    virtual int32_t getFontWeight() const = 0;
    virtual void setFontWeight(int32_t weight) = 0;
};

}  // namespace s::gui
