// s/gui/win/Spacer.h
//
// Reserves space; paints only its background. Fixed width and height start at 1 pixel.
#pragma once
#include "s/gui/ISpacer.h"
#include "s/gui/win/ComponentBase.h"

namespace s::gui::win {

class Spacer final : public ComponentBase<s::gui::ISpacer> {
public:
    Spacer() { restoreDefaults(); }

    int32_t getMinWidth() const override;
    int32_t getMinHeight() const override;
    int32_t getTargetWidth() const override;
    int32_t getTargetHeight() const override;

    void setHorizontal() override { turn(false); }
    void setVertical() override { turn(true); }
    void setWidthPercent(int32_t percent) override { m_targetWidthPercent = percent; }
    void setHeightPercent(int32_t percent) override { m_targetHeightPercent = percent; }
    void setFixedWidth(int32_t width) override { m_fixedWidth = width; }
    void setFixedHeight(int32_t height) override { m_fixedHeight = height; }
    bool isVertical() const { return m_vertical; }

    const wchar_t* classId() const override { return L"s_gui_win_Spacer"; }
    s::base::IObject* newInstance() const override;
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    bool handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void restoreDefaults();
    void turn(bool vertical);
    bool parentKindIs(int32_t kind) const;
    int32_t length(bool zero, int32_t fixed, int32_t percent, int32_t parentInner,
                   int32_t minimum, int32_t target) const;

    bool m_vertical = false;
};

}  // namespace s::gui::win
