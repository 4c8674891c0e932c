// s/gui/IFontDescription.h
//
// What font descriptions and fonts share: every property with its getter and setter.
// Setters mark the property as set explicitly (inheritFrom then leaves it alone), except
// the word-wrap, ellipsis and text-effect setters. Colours are COLORREF (red lowest);
// colour setters keep the low 8 bits of each component.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui::win {
struct FontData;
}  // namespace s::gui::win

namespace s::gui {

class IFontDescription : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual void setSizeCode(int32_t code) = 0;
    virtual int32_t getSizeCode() const = 0;
    virtual bool hasOverrides() const = 0;
    virtual const wchar_t* getFaceName() const = 0;
    virtual void setFaceName(const wchar_t* face) = 0;
    virtual uint32_t getTextColour() const = 0;
    virtual void setTextColour(int32_t red, int32_t green, int32_t blue) = 0;
    virtual uint32_t getSecondColour() const = 0;
    virtual void setSecondColour(int32_t red, int32_t green, int32_t blue) = 0;
    virtual uint32_t getThirdColour() const = 0;
    virtual void setThirdColour(int32_t red, int32_t green, int32_t blue) = 0;
    virtual void setPointSize(int32_t points) = 0;
    virtual int32_t getHeight() const = 0;
    virtual void setHeight(int32_t height) = 0;
    virtual int32_t getWidth() const = 0;
    virtual void setWidth(int32_t width) = 0;
    virtual bool isBold() const = 0;
    virtual void setBold(bool bold) = 0;
    virtual bool isItalic() const = 0;
    virtual void setItalic(bool italic) = 0;
    virtual bool isUnderline() const = 0;
    virtual void setUnderline(bool underline) = 0;
    virtual bool isStrikeOut() const = 0;
    virtual void setStrikeOut(bool strikeOut) = 0;
    virtual int32_t getWeight() const = 0;
    virtual void setWeight(int32_t weight) = 0;
    virtual bool isWordWrap() const = 0;
    virtual void setWordWrap(bool wrap) = 0;
    virtual bool isEllipsis() const = 0;
    virtual void setEllipsis(bool ellipsis) = 0;
    virtual int32_t getTextEffect() const = 0;
    virtual void setTextEffect(int32_t effect) = 0;
    virtual bool isClearType() const = 0;
    virtual void setClearType(bool clearType) = 0;
    // Every property not set explicitly here is taken from the other description or font.
    virtual void inheritFrom(const IFontDescription* other) = 0;
    virtual const s::gui::win::FontData& fontData() const = 0;
};

}  // namespace s::gui
