// s/gui/win/ProgressBar.h
//
// A thin wrapper of the system's progress control; it paints itself.
#pragma once
#include "s/gui/IProgressBar.h"
#include "s/gui/win/ComponentBase.h"

namespace s::gui::win {

class ProgressBar final : public ComponentBase<s::gui::IProgressBar> {
public:
    ProgressBar() { restoreDefaults(); }

    using ComponentBase::setPosition;
    int32_t getMinWidth() const override { return m_fixedWidth >= 0 ? m_fixedWidth : 0; }
    int32_t getMinHeight() const override { return m_fixedHeight >= 0 ? m_fixedHeight : 0; }
    int32_t getTargetWidth() const override;
    int32_t getTargetHeight() const override;

    void setWidthPercent(int32_t percent) override { m_targetWidthPercent = percent; }
    void setHeightPercent(int32_t percent) override { m_targetHeightPercent = percent; }
    void setFixedWidth(int32_t width) override { m_fixedWidth = width; }
    void setFixedHeight(int32_t height) override { m_fixedHeight = height; }
    void setRange(int32_t minimum, int32_t maximum) override;
    void setPosition(int32_t value) override;
    int32_t getRangeMinimum() const { return m_minimum; }
    int32_t getRangeMaximum() const { return m_maximum; }
    int32_t getProgress() const { return m_position; }

    const wchar_t* classId() const override { return L"s_gui_win_ProgressBar"; }
    s::base::IObject* newInstance() const override;
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    bool handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool createNativeWindow(HWND parent) override;

private:
    void restoreDefaults();

    int32_t m_minimum = 0, m_maximum = 100, m_position = 0;
};

}  // namespace s::gui::win
