// s/image/gui/boxes/ColorPicker.h
//
// The colour field of the settings boxes: a swatch, the colour as six hexadecimal digits
// ("FFFFFF" at start) that the user may also type, and a button that opens the colour
// dialog with the current colour. The colour is 0xRRGGBB. The row that build returns
// belongs to the caller, who gives it to a parent (which releases it); the field only
// points at its controls. Pooled.
#pragma once
#include <cstdint>
#include <string>

#include "s/base/IObject.h"
#include "s/gui/events/IEventListener.h"
#include "s/thread/IPoolable.h"

namespace s::gui { class IBox; class ITextLocalizer; }
namespace s::gui::win { class Box; class Button; class TextField; }

namespace s::image::gui::boxes {

class ColorPicker final : public s::base::IObject,
                          public s::gui::events::IEventListener,
                          public virtual s::thread::IPoolable {
public:
    // "FFFFFF" for white; and the colour of six hexadecimal digits (either case, blanks
    // around allowed), false for any other text.
    static std::wstring hexText(uint32_t rgb);
    static bool parseHex(const wchar_t* text, uint32_t* rgb);

    s::gui::IBox* build();
    void setColor(int32_t red, int32_t green, int32_t blue);
    uint32_t getColor() const { return m_rgb; }
    uint8_t getRed() const { return static_cast<uint8_t>(m_rgb >> 16); }
    uint8_t getGreen() const { return static_cast<uint8_t>(m_rgb >> 8); }
    uint8_t getBlue() const { return static_cast<uint8_t>(m_rgb); }
    // The controls, for tests and for the box that holds the field; null before build.
    s::gui::win::TextField* textField() const { return m_text; }
    s::gui::win::Button* button() const { return m_button; }
    s::gui::win::Box* swatch() const { return m_swatch; }
    void setEnabled(bool enabled);

    // IEventListener: the button opens the dialog; typed digits become the colour.
    void onEvent(void* source, int32_t code) override;

    // IObject
    const wchar_t* classId() const override { return L"s_image_gui_boxes_ColorPicker"; }
    s::base::IObject* newInstance() const override;
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    void showColor(bool writeText);
    void chooseInDialog();

    uint32_t m_rgb = 0xFFFFFF;
    bool m_writing = false;
    s::gui::win::Box* m_row = nullptr;
    s::gui::win::Box* m_swatch = nullptr;
    s::gui::win::TextField* m_text = nullptr;
    s::gui::win::Button* m_button = nullptr;
};

}  // namespace s::image::gui::boxes
