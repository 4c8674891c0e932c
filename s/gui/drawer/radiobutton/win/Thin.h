// s/gui/drawer/radiobutton/win/Thin.h
//
// The thin radio button: a ring (and a dot when checked) drawn large on a scratch picture
// and shrunk with halftone stretching, which smooths it, then the caption after it.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/radiobutton/IThin.h"
#include "s/gui/drawer/text/win/Basic.h"

namespace s::image::win {
class BufferedImage;
}  // namespace s::image::win

namespace s::gui::drawer::radiobutton::win {

class Thin : public PooledDrawer<Thin, IThin> {
public:
    static constexpr int32_t kScratchSize = 52;
    static constexpr int32_t kMarkSize = 13;

    Thin();
    ~Thin() override;

    // IRadioButton
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* caption,
              const s::gui::IFont* font, bool enabled, bool checked, COLORREF background) override;

    void setRingColour(int32_t red, int32_t green, int32_t blue);
    void setDotColour(int32_t red, int32_t green, int32_t blue);
    void setTextColour(int32_t red, int32_t green, int32_t blue);
    void setDisabledTextColour(int32_t red, int32_t green, int32_t blue);
    COLORREF getRingColour() const { return m_ring; }
    COLORREF getDotColour() const { return m_dot; }
    s::gui::drawer::text::win::Basic* getText() const { return m_text; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_radiobutton_win_Thin"; }
    // IPoolable
    void resetForReuse() override;

private:
    bool paintScratch(HDC scratch, bool checked, COLORREF background) const;

    COLORREF m_ring = 0;
    COLORREF m_dot = 0;
    s::gui::drawer::text::win::Basic* m_text = nullptr;
    s::image::win::BufferedImage* m_scratch = nullptr;
};

}  // namespace s::gui::drawer::radiobutton::win
