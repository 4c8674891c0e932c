// s/gui/drawer/listheader/win/Thin.h
//
// The thin list header: its background, and each column cell painted as a button.
#pragma once
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/button/win/Thin.h"
#include "s/gui/drawer/listheader/IThin.h"

namespace s::gui::drawer::listheader::win {

class Thin : public PooledDrawer<Thin, IThin> {
public:
    Thin();
    ~Thin() override;

    // IListHeader
    void draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, bool useColour,
              COLORREF colour) override;
    void drawCell(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* caption,
                  const s::gui::IFont* font, int32_t look) override;

    void setMode(int32_t mode) { m_mode = mode; }
    int32_t getMode() const { return m_mode; }
    void setFrameColour(int32_t red, int32_t green, int32_t blue);
    void setBackgroundColour(int32_t red, int32_t green, int32_t blue);
    void setFontColour(int32_t red, int32_t green, int32_t blue);
    COLORREF getFrameColour() const { return m_frame; }
    COLORREF getBackgroundColour() const { return m_background; }
    s::gui::drawer::button::win::Thin* getButton() const { return m_button; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_listheader_win_Thin"; }
    // IPoolable
    void resetForReuse() override;

private:
    int32_t m_mode = 1;
    COLORREF m_frame = 0;
    COLORREF m_background = 0;
    s::gui::drawer::button::win::Thin* m_button = nullptr;
};

}  // namespace s::gui::drawer::listheader::win
