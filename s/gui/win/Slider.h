// s/gui/win/Slider.h
//
// The track bar over the system's "msctls_trackbar32" control. With a slider drawer it
// paints through the drawer into its back buffer and drags its thumbs by hand; in range
// mode the second thumb is the upper value. Made on the UI thread of its top-level window.
#pragma once
#include "mfc/CSliderCtrl.h"
#include "s/gui/ISlider.h"
#include "s/gui/drawer/slider/SliderState.h"
#include "s/gui/events/ListenerList.h"
#include "s/gui/win/BackBuffer.h"
#include <commctrl.h>

#include "mfc/CBrush.h"
#include "s/gui/win/ComponentBase.h"
#include "s/gui/win/DrawerHolder.h"
#include "s/gui/win/SliderRules.h"

namespace s::gui::win {

class Slider final : public ComponentBase<s::gui::ISlider>, private IBufferPainter {
public:
    static constexpr DWORD kStyle = WS_CHILD | TBS_TOP;
    static constexpr UINT kControlId = 1040;
    static constexpr int32_t kPreferredWidth = 50, kPreferredHeight = 20;

    Slider();
    ~Slider() override;

    // ISlider
    void setWidthPercent(int32_t percent) override;
    void setHeightPercent(int32_t percent) override;
    void setFixedWidth(int32_t width) override;
    void setFixedHeight(int32_t height) override;
    void setThumbLength(int32_t length) override;
    void setRange(int32_t minimum, int32_t maximum) override;
    int32_t getPosition() const override { return m_position; }
    void setPosition(int32_t position) override;
    void setTickFrequency(int32_t frequency) override;
    void showTicks(bool show) override;
    void addListener(s::gui::events::IEventListener* listener) override {
        m_listeners.add(listener);
    }
    void setDrawer(s::gui::drawer::ISlider* drawer, bool owned) override;
    void setRangeMode(bool on) override;
    int32_t getUpper() const override { return m_upper; }
    void setUpper(int32_t upper) override;
    void setDrawerColours(int32_t style, uint32_t colourOne, uint32_t colourTwo) override;

    // Takes the skinner's current slider drawer (borrowed) now and at every skin change,
    // until the slider is reset or follows another (null: none).
    void followSkinner(s::gui::drawer::Skinner* skinner) { m_skin.follow(skinner); }

    int32_t getMinimum() const { return m_minimum; }
    int32_t getMaximum() const { return m_maximum; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_win_Slider"; }
    s::base::IObject* newInstance() const override;
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

    void updatePreferredSize();

protected:
    bool createNativeWindow(HWND parent) override;
    bool handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    sliderrules::Limits limits() const;
    void paintBuffer(HDC dc, int32_t width, int32_t height) override;
    bool handleDrawnMessage(LRESULT* result, UINT message, LPARAM lParam);
    void press(int32_t x, int32_t y);
    // What the drawer is given to paint the values with.
    s::gui::drawer::slider::SliderState drawState() const;
    void drag(int32_t x, int32_t y);
    void applyDragged(int32_t value);
    void tellParent();
    void nativeScrolled();
    void keyMovedDrawn();
    LRESULT colourAnswer(HDC dc);
    bool wheel(LRESULT* result, WPARAM wParam, LPARAM lParam);
    void takeSkin(s::gui::drawer::ISkin* skin) override;

    int32_t m_minimum = 0, m_maximum = 100, m_position = 100, m_upper = 100;
    int32_t m_tickFrequency = 10, m_thumbLength = 0;
    bool m_ticks = false;
    DrawerHolder<s::gui::drawer::ISlider> m_drawer;
    int32_t m_dragThumb = 0;  // 0 lower, 1 upper
    bool m_dragging = false;
    bool m_rangeMode = false;
    int32_t m_gradientStyle = 0;
    uint32_t m_colourOne = 0, m_colourTwo = 0;
    CBrush m_brush;
    BackBuffer m_buffer;
    s::gui::events::ListenerList m_listeners;
};

// A slider from 0 to 100 at 100, ticks every 10 (not shown); a percent below 0 is not set.
Slider* newSlider(int32_t widthPercent = -1, int32_t heightPercent = -1);

}  // namespace s::gui::win
