// s/gui/ITextField.h
//
// A one-line edit field. Its text, font and switches are kept while it has no native
// window and applied when it gets one. Change listeners hear code 1 (typing always, a
// program's setText only when asked), focus-lost listeners code 3.
#pragma once
#include <cstdint>

#include "s/gui/IComponent.h"

namespace s::gui {

class IFont;

class ITextField : public IComponent {
public:
    static constexpr int32_t kChanged = 1;
    static constexpr int32_t kFocusLost = 3;

    // The whole text; read from the native window first when it has one.
    virtual const wchar_t* getText() = 0;
    virtual void setText(const wchar_t* text, bool notify) = 0;
    virtual bool isEmpty() = 0;
    virtual void clear() = 0;

    // The field's font; after a change, fontChanged() hands it to the native window.
    virtual IFont* getFont() = 0;
    virtual void fontChanged() = 0;
    virtual void setBold(bool bold) = 0;
    virtual bool isBold() const = 0;
    virtual void setFontHeight(int32_t height) = 0;
    virtual int32_t getFontHeight() const = 0;
    virtual void setTextColour(int32_t red, int32_t green, int32_t blue) = 0;
    virtual uint32_t getTextColour() const = 0;
    virtual void setFontSizeCode(int32_t code) = 0;
    virtual int32_t getFontSizeCode() const = 0;
    virtual void setFaceName(const wchar_t* face) = 0;
    virtual const wchar_t* getFaceName() const = 0;
    virtual void setFontWidth(int32_t width) = 0;
    virtual int32_t getFontWidth() const = 0;
    virtual void setItalic(bool italic) = 0;
    virtual bool isItalic() const = 0;
    virtual void setUnderline(bool underline) = 0;
    virtual bool isUnderline() const = 0;
    virtual void setStrikeOut(bool strikeOut) = 0;
    virtual bool isStrikeOut() const = 0;
    virtual void setFontWeight(int32_t weight) = 0;
    virtual int32_t getFontWeight() const = 0;

    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    virtual void setFixedWidth(int32_t width) = 0;
    virtual void setFixedHeight(int32_t height) = 0;

    virtual void addChangeListener(s::gui::events::IEventListener* listener) = 0;
    // Numbers the owner keeps with the field (the field itself never reads them).
    virtual void addInteger(int32_t value) = 0;
    virtual uint32_t getIntegerCount() const = 0;
    virtual int32_t getInteger(uint32_t index) const = 0;
    virtual void addFocusLostListener(s::gui::events::IEventListener* listener) = 0;
    // Asks the field's own thread to select everything (posted, returns at once).
    virtual void postSelectAll() = 0;
    virtual void selectAll() = 0;
    virtual bool isPassword() const = 0;
    virtual void setPassword(bool password) = 0;
};

}  // namespace s::gui
