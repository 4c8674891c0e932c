// s/gui/win/Label.h
//
// A label in the library's window class, transparent to the mouse unless it is a link.
// Text changes from other threads are sent to its window (kApplyText, kTemporaryText) and
// wait there until the UI thread applied them.
#pragma once
#include <vector>

#include "s/gui/ILabel.h"
#include "s/gui/events/ListenerList.h"
#include "s/gui/win/ComponentBase.h"
#include "s/gui/win/DrawerHolder.h"
#include "s/gui/win/FontOwner.h"
#include "s/gui/win/FontSetting.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::gui::win {

class Font;

class Label final : public FontOwner<ComponentBase<s::gui::ILabel>> {
public:
    static constexpr UINT kApplyText = 0x1401;      // wParam: text, lParam: redraw; 1 if changed
    static constexpr UINT kTemporaryText = 0x1402;  // wParam: text, lParam: milliseconds
    static constexpr UINT_PTR kRestoreTimer = 100;

    Label();
    ~Label() override;

    void setParent(s::gui::IComponent* parent) override;
    void setSizeWithinLimits(int32_t width, int32_t height) override;
    void setEnabled(bool enabled) override;
    void onEvent(void* source, int32_t code) override;

    void setWordWrap(bool wrap) override;
    void setEllipsis(bool ellipsis) override;
    bool setText(const wchar_t* text, bool redraw) override;
    const wchar_t* getText() const override { return m_text.cString(); }
    void showTemporaryText(const wchar_t* text, uint32_t milliseconds) override;
    void setTextId(int32_t id) override;
    int32_t getTextId() const override { return m_textId; }
    void setDrawer(s::gui::drawer::IText* drawer, bool owned) override;
    bool isLink() const override { return m_link; }
    void setLink(bool link) override;
    void setLinkTarget(const wchar_t* target) override;
    void addClickListener(s::gui::events::IEventListener* l) override { m_clicks.add(l); }

    int32_t getLook() const { return m_look; }
    // The fonts it paints with, each made on first use.
    Font* getFont() { return fontOf(kNormalFont); }
    Font* getDisabledFont() { return fontOf(kDisabledFont); }
    Font* getLinkFont() { return fontOf(kLinkFont); }
    Font* getLinkHoverFont() { return fontOf(kLinkHoverFont); }
    Font* getLinkPressedFont() { return fontOf(kLinkPressedFont); }
    s::gui::drawer::IText* getDrawer() const { return m_drawer.get(); }
    // The caption's own colour, which wins over the drawer's.
    void setTextColour(int32_t red, int32_t green, int32_t blue);
    // A link's colours (COLORREF) at rest and while the cursor is over it or presses it;
    // without them a link paints in the caption's colour.
    void setLinkColours(uint32_t normal, uint32_t hover);
    // The colour the link paints in now; the caption's colour when no link colours are set.
    uint32_t linkColourNow() const;
    // How often the drawer was asked to measure a wrapped width: the cache's misses.
    uint32_t wrapMeasures() const { return m_wrapMeasures; }

    const wchar_t* classId() const override { return L"s_gui_win_Label"; }
    s::base::IObject* newInstance() const override;
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    bool handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool createNativeWindow(HWND parent) override;
    void paintContent(HDC dc, int32_t width, int32_t height) override;
    void takeSkin(s::gui::drawer::ISkin* skin) override;
    FontSetting* fontSetting(int32_t index) override { return index == 0 ? &m_fontSetting : nullptr; }
    void fontChanged() override;
    // A hidden label waits above and left of its parent.
    int32_t parkedY() const override { return -10000; }

private:
    void restoreDefaults();
    enum FontKind { kNormalFont, kDisabledFont, kLinkFont, kLinkHoverFont, kLinkPressedFont, kFontKinds };
    Font* fontOf(FontKind kind);
    Font* paintFont();
    Font* measureFont() { return fontOf(m_enabled ? kNormalFont : kDisabledFont); }
    void releaseFonts();
    s::gui::drawer::IText* drawer() const;
    bool applyText(const wchar_t* text, bool redraw);
    void temporaryText(const wchar_t* text, UINT milliseconds);
    bool applyRealText(const wchar_t* text, bool redraw);
    void restoreSavedText();
    void measure();
    void repaintNow();
    void mouseMove(WPARAM keys, LPARAM point);
    void mouseUp(LPARAM point);
    bool inside(LPARAM point) const;
    bool mustMarshal() const;

    int32_t m_textId = -1;
    s::str::strbuffer::StrBuffer m_text, m_saved, m_target;
    FontSetting m_fontSetting;
    Font* m_fonts[kFontKinds] = {};
    bool m_wordWrap = false, m_ellipsis = false;
    DrawerHolder<s::gui::drawer::IText> m_drawer;
    s::gui::drawer::IText* m_defaultDrawer = nullptr;
    std::vector<int32_t> m_wrapWidths, m_wrapHeights;
    uint32_t m_wrapMeasures = 0;
    bool m_link = false, m_pressedInside = false;
    bool m_linkColours = false;
    uint32_t m_linkNormal = 0, m_linkHover = 0;
    int32_t m_look = 0;
    s::gui::events::ListenerList m_clicks;
};

// sizeCode goes to the label's font (setFontSize); 0 is the size a font has
// after its reset.
Label* newLabelWithText(const wchar_t* text, bool wordWrap, bool ellipsis, int32_t sizeCode = 0);
Label* newLabel(int32_t textId, bool wordWrap, bool ellipsis, int32_t sizeCode = 0);

}  // namespace s::gui::win
