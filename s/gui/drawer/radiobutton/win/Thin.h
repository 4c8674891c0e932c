// s/gui/drawer/radiobutton/win/Thin.h
//
// The thin radio button: a ring (and a dot when checked) drawn large on a scratch picture
// and shrunk with halftone stretching, which smooths it, then the caption after it. The
// shrunk mark is kept and copied again while its colours, state and size hold: drawing it
// anew costs a DC, a pen, two brushes and a halftone stretch each time.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/radiobutton/IThin.h"
#include "s/gui/drawer/text/win/Basic.h"

namespace s::gui::win {
class MemDC;
}  // namespace s::gui::win

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
    struct MarkKey {
        COLORREF ring, dot, background;
        bool checked;
        int32_t size;
        bool operator==(const MarkKey& o) const {
            return ring == o.ring && dot == o.dot && background == o.background && checked == o.checked &&
                   size == o.size;
        }
    };

    bool paintScratch(HDC scratch, bool checked, COLORREF background) const;
    bool makeMark(const MarkKey& key);

    COLORREF m_ring = 0;
    COLORREF m_dot = 0;
    s::gui::drawer::text::win::Basic* m_text = nullptr;
    s::gui::win::MemDC* m_scratch = nullptr;
    s::gui::win::MemDC* m_mark = nullptr;
    MarkKey m_markKey = {};
    bool m_hasMark = false;
};

}  // namespace s::gui::drawer::radiobutton::win
