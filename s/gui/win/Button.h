// s/gui/win/Button.h
//
// A push button over the system's BUTTON control. With a drawer the drawer paints every
// face; the native control still keeps the state (pushed, focus, default style).
#pragma once
#include "s/gui/IButton.h"
#include "s/gui/events/ListenerList.h"
#include "mfc/CBrush.h"
#include "s/gui/win/ComponentBase.h"
#include "s/gui/win/DrawerHolder.h"
#include "s/gui/win/FontOwner.h"
#include "s/gui/win/FontSetting.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::gui::win {

class Font;

class Button final : public FontOwner<ComponentBase<s::gui::IButton>> {
public:
    static constexpr UINT kMakeDefault = WM_USER + 1;
    static constexpr UINT kClearDefault = WM_USER + 2;
    static constexpr UINT_PTR kRepeatDelayTimer = 20001;
    static constexpr UINT_PTR kRepeatTimer = 20002;
    static constexpr UINT kRepeatDelayMs = 500;
    static constexpr UINT kRepeatMs = 100;

    Button();
    ~Button() override;

    // IComponent
    int32_t getMinWidth() const override;
    int32_t getMinHeight() const override;
    int32_t getTargetWidth() const override;
    int32_t getTargetHeight() const override;
    void onEvent(void* source, int32_t code) override;
    void setParent(s::gui::IComponent* parent) override;

    // IButton
    void setText(const wchar_t* text) override;
    void setTextId(int32_t id) override;
    int32_t getTextId() const override { return m_textId; }
    const wchar_t* getText() const override { return m_text.cString(); }
    void setWidthPercent(int32_t percent) override { m_targetWidthPercent = percent; }
    void setHeightPercent(int32_t percent) override { m_targetHeightPercent = percent; }
    void setFixedWidth(int32_t width) override { m_fixedWidth = width; }
    void setFixedHeight(int32_t height) override { m_fixedHeight = height; }
    void addClickListener(s::gui::events::IEventListener* l) override { m_clicks.add(l); }
    void addToggleListener(s::gui::events::IEventListener* l) override { m_toggles.add(l); }
    void addPressListener(s::gui::events::IEventListener* l) override { m_presses.add(l); }
    void setAutoRepeat(bool on) override { m_autoRepeat = on; }
    void setDrawer(s::gui::drawer::IButton* drawer, bool owned) override;
    void setFramed(bool framed) override { m_framed = framed; }
    void setToggleMode(bool toggle, bool mayUntoggle, bool invertedLook, bool drawerFlag) override;
    bool mayUntoggle() const override { return m_mayUntoggle; }
    bool isToggled() const override { return m_toggled; }
    void setToggled(bool toggled) override;
    void makeDefault() override;
    void clearDefault() override;
    bool isDefault() const override { return m_default; }
    void setColourCaption(uint8_t red, uint8_t green, uint8_t blue) override;

    int32_t getLook() const { return m_look; }
    s::gui::drawer::IButton* getDrawer() const { return m_drawer.get(); }

    const wchar_t* classId() const override { return L"s_gui_win_Button"; }
    s::base::IObject* newInstance() const override;
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    bool handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void afterDefault(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool createNativeWindow(HWND parent) override;
    void paintContent(HDC dc, int32_t width, int32_t height) override;
    void takeSkin(s::gui::drawer::ISkin* skin) override;
    // 0 normal, 1 disabled, 2 toggled.
    FontSetting* fontSetting(int32_t index) override {
        return index == 0 ? &m_font : index == 1 ? &m_disabledFont : index == 2 ? &m_toggledFont : nullptr;
    }
    void fontChanged() override;

private:
    void restoreDefaults();
    void measure();
    int32_t captionWidth();
    void goDown();
    void clicked();
    void release();
    void onTimer(UINT_PTR id);
    void setDefaultStyle(bool on);
    bool isResizer() const;
    bool paintsItself() const { return m_drawer || isResizer(); }
    void paintGrip(HDC dc, const RECT& area);
    void repaintNow();
    bool cursorInside() const;
    void hover(WPARAM keys, LPARAM point);
    void resizeStep(int32_t screenX, int32_t screenY);
    LRESULT controlColour(HDC dc);

    int32_t m_textId = -1;
    s::str::strbuffer::StrBuffer m_text;
    FontSetting m_font, m_disabledFont, m_toggledFont;
    Font* m_measureFont = nullptr;
    CBrush m_brush;
    int32_t m_measuredWidth = 0, m_measuredHeight = 0;
    s::gui::events::ListenerList m_clicks, m_toggles, m_presses;
    bool m_autoRepeat = false;
    POINT m_lastPoint = {0, 0};
    bool m_held = false;
    int32_t m_look = 0;
    DrawerHolder<s::gui::drawer::IButton> m_drawer;
    bool m_framed = true;
    bool m_toggleMode = false, m_mayUntoggle = true, m_invertedLook = false, m_drawerFlag = false;
    bool m_toggled = false;
    bool m_default = false;
};

// Factories: sizes not negative become fixed sizes, a percent not negative the width percent.
Button* newButtonFromTextId(int32_t textId, int32_t width, int32_t height);
Button* newButtonWithText(const wchar_t* text, int32_t width, int32_t height);
Button* newButtonFromTextIdAlt(int32_t textId, int32_t height, double widthPercent);
Button* newButtonPresetText();
Button* newChangeColorButton();

}  // namespace s::gui::win
