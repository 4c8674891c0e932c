// s/gui/win/TextField.h
//
// The one-line edit field over the system's "EDIT" control. The native window is made on
// the UI thread of the top-level window (when the field gets its parent there) and answers
// the reflected change, focus-lost and colour messages of its parent.
#pragma once
#include "mfc/CEdit.h"
#include "s/gui/ITextField.h"
#include "s/gui/events/ListenerList.h"
#include "mfc/CBrush.h"
#include "s/gui/win/ComponentBase.h"
#include "s/gui/win/Font.h"
#include "s/col/_array/ArrayS32.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::gui::win {

class TextField final : public ComponentBase<s::gui::ITextField> {
public:
    static constexpr DWORD kStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    static constexpr UINT kControlId = 1001;
    static constexpr int32_t kPreferredWidth = 50, kPreferredHeight = 24;

    TextField();
    ~TextField() override;

    // ITextField
    const wchar_t* getText() override;
    void setText(const wchar_t* text, bool notify) override;
    bool isEmpty() override;
    void clear() override { setText(L"", true); }
    s::gui::IFont* getFont() override { return &m_font; }
    void fontChanged() override;
    void setBold(bool bold) override;
    bool isBold() const override { return m_font.isBold(); }
    void setFontHeight(int32_t height) override;
    int32_t getFontHeight() const override { return m_font.getHeight(); }
    void setTextColour(int32_t red, int32_t green, int32_t blue) override;
    uint32_t getTextColour() const override { return m_font.getTextColour(); }
    void setFontSizeCode(int32_t code) override;
    int32_t getFontSizeCode() const override { return m_font.getSizeCode(); }
    void setFaceName(const wchar_t* face) override;
    const wchar_t* getFaceName() const override { return m_font.getFaceName(); }
    void setFontWidth(int32_t width) override;
    int32_t getFontWidth() const override { return m_font.getWidth(); }
    void setItalic(bool italic) override;
    bool isItalic() const override { return m_font.isItalic(); }
    void setUnderline(bool underline) override;
    bool isUnderline() const override { return m_font.isUnderline(); }
    void setStrikeOut(bool strikeOut) override;
    bool isStrikeOut() const override { return m_font.isStrikeOut(); }
    void setFontWeight(int32_t weight) override;
    int32_t getFontWeight() const override { return m_font.getWeight(); }
    void setWidthPercent(int32_t percent) override;
    void setHeightPercent(int32_t percent) override;
    void setFixedWidth(int32_t width) override;
    void setFixedHeight(int32_t height) override;
    void addChangeListener(s::gui::events::IEventListener* listener) override {
        m_changeListeners.add(listener);
    }
    void addInteger(int32_t value) override { m_integers.add(value); }
    uint32_t getIntegerCount() const override { return m_integers.count(); }
    int32_t getInteger(uint32_t index) const override { return m_integers.get(index); }
    void addFocusLostListener(s::gui::events::IEventListener* listener) override {
        m_focusLostListeners.add(listener);
    }
    void postSelectAll() override;
    void selectAll() override;
    bool isPassword() const override { return m_password; }
    void setPassword(bool password) override;

    // IComponent
    void setEnabled(bool enabled) override;
    void setEditable(bool editable) override;
    void setParent(s::gui::IComponent* parent) override;

    // The field's own background (white after a reset); used when it is enabled and editable.
    void setFieldColour(uint8_t red, uint8_t green, uint8_t blue);

    // IObject
    const wchar_t* classId() const override { return L"s_gui_win_TextField"; }
    s::base::IObject* newInstance() const override;
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

    void updatePreferredSize();

protected:
    bool createNativeWindow(HWND parent) override;
    bool handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT typeCharacter(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT colourAnswer(HDC dc);
    void readNativeText();

    s::str::strbuffer::StrBuffer m_text;
    Font m_font;
    COLORREF m_fieldColour = RGB(255, 255, 255);
    CBrush m_brush;
    bool m_notify = true;
    bool m_password = false;
    s::gui::events::ListenerList m_changeListeners;
    s::col::_array::ArrayS32 m_integers;
    s::gui::events::ListenerList m_focusLostListeners;
};

TextField* newTextField();

}  // namespace s::gui::win
