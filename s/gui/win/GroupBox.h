// s/gui/win/GroupBox.h
//
// A group box over the system's BUTTON control in its group style, painted by a group-box
// drawer; its content box sits inside the frame, below the title.
#pragma once
#include "s/gui/IGroupBox.h"
#include "s/gui/events/ListenerList.h"
#include "s/col/_array/ArrayS32.h"
#include "mfc/CBrush.h"
#include "s/gui/win/ComponentBase.h"
#include "s/gui/win/DrawerHolder.h"
#include "s/gui/win/FontOwner.h"
#include "s/gui/win/FontSetting.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::gui::drawer {
class IGroupBox;
}  // namespace s::gui::drawer

namespace s::gui::win {

class Font;

class GroupBox final : public FontOwner<ComponentBase<s::gui::IGroupBox>> {
public:
    GroupBox();
    ~GroupBox() override;

    bool isContainer() const override { return true; }
    void doLayout() override;
    s::gui::layout::ILayoutManager* getLayoutManager() const override;
    void setLayoutManager(s::gui::layout::ILayoutManager* manager) override { m_manager = manager; }
    void childChanged() override;
    void setSize(int32_t width, int32_t height) override;
    void setParent(s::gui::IComponent* parent) override;
    int32_t getMinWidth() const override;
    // Hidden, it parks, hides its content and gives its back buffer up until the next paint.
    void setVisible(bool visible, bool recurse) override;
    // The title changes its font with the state: redrawn at once.
    void setEnabled(bool enabled) override;
    bool keepsBackBuffer() const { return hasPaintBuffer(); }
    void onEvent(void* source, int32_t code) override;

    void setTitle(const wchar_t* title) override;
    void setTitleId(int32_t id) override;
    const wchar_t* getTitle() const override { return m_title.cString(); }
    void setContent(s::gui::IBox* box) override;
    s::gui::IBox* getContent() const override { return m_content; }
    void addListener(s::gui::events::IEventListener* l) override { m_listeners.add(l); }
    void setFrameColour(uint8_t red, uint8_t green, uint8_t blue) override;
    uint32_t getFrameColour() const override { return m_frameColour; }
    void addInteger(int32_t value) override { m_integers.add(value); }
    const s::col::_array::ArrayS32* getIntegers() const override { return &m_integers; }
    void setPropagate(bool on) override;
    bool isPropagate() const override { return m_propagate; }
    void setDrawer(s::gui::drawer::IGroupBox* drawer, bool owned);
    // Its own drawer, else the default one it keeps.
    s::gui::drawer::IGroupBox* getDrawer() const { return drawer(); }
    uint32_t paints() const { return m_paints; }

    const wchar_t* classId() const override { return L"s_gui_win_GroupBox"; }
    s::base::IObject* newInstance() const override;
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    bool handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool createNativeWindow(HWND parent) override;
    void relayout() override { doLayout(); }
    void paintContent(HDC dc, int32_t width, int32_t height) override;
    void takeSkin(s::gui::drawer::ISkin* skin) override;
    FontSetting* fontSetting(int32_t index) override {
        return index == 0 ? &m_fontSetting : index == 1 ? &m_disabledSetting : nullptr;
    }
    void fontChanged() override;

private:
    void restoreDefaults();
    Font* font();
    Font* disabledFont();
    void measure();
    void paint();
    s::gui::drawer::IGroupBox* drawer() const;

    s::gui::IBox* m_content = nullptr;
    s::gui::layout::ILayoutManager* m_manager = nullptr;
    int32_t m_textId = -1;
    s::str::strbuffer::StrBuffer m_title;
    FontSetting m_fontSetting;
    FontSetting m_disabledSetting;
    Font* m_font = nullptr;
    Font* m_disabledFont = nullptr;
    CBrush m_brush;
    int32_t m_titleWidth = 0, m_titleHeight = 0;
    s::gui::events::ListenerList m_listeners;
    DrawerHolder<s::gui::drawer::IGroupBox> m_drawer;
    s::gui::drawer::IGroupBox* m_defaultDrawer = nullptr;
    int32_t m_depth = 0;
    uint32_t m_paints = 0;
    uint32_t m_frameColour = 0;
    bool m_propagate = false;
    s::col::_array::ArrayS32 m_integers;
};

GroupBox* newGroupBox(int32_t kind, int32_t gap1, int32_t gap2, const wchar_t* title,
                      int32_t fixedWidth);
GroupBox* newGroupBoxFromTextId(int32_t kind, int32_t gap1, int32_t gap2, int32_t titleId,
                                int32_t fixedWidth);
// The drop area's frame: a column filling it, titled by the language pack's "Drop Box".
GroupBox* newGroupBoxDefaultTitle(int32_t width, int32_t height);

}  // namespace s::gui::win
