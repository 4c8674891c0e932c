// s/gui/win/StatusBar.h
//
// The status strip. Its one own child is the outer box (content box, then the grip box,
// both rows); the components added to the bar go to the content box. Presses on the bar
// itself reach the window below.
#pragma once
#include "s/gui/IStatusBar.h"
#include "s/gui/win/ComponentBase.h"
#include "s/gui/win/DrawerHolder.h"

namespace s::gui::win {

class Box;

class StatusBar final : public ComponentBase<s::gui::IStatusBar> {
public:
    StatusBar();
    ~StatusBar() override;

    bool isContainer() const override { return true; }
    void doLayout() override;
    s::gui::layout::ILayoutManager* getLayoutManager() const override;
    void setLayoutManager(s::gui::layout::ILayoutManager* manager) override { m_manager = manager; }
    void addChild(s::gui::IComponent* child) override;
    void childChanged() override;
    void setSize(int32_t width, int32_t height) override;
    int32_t getMinWidth() const override;
    int32_t getMinHeight() const override;
    int32_t getTargetWidth() const override;
    int32_t getTargetHeight() const override;

    void setWidthPercent(int32_t percent) override;
    void setHeightPercent(int32_t percent) override;
    void setFixedWidth(int32_t width) override;
    void setFixedHeight(int32_t height) override;
    void setContent(s::gui::IBox* outer, s::gui::IBox* content) override;
    void setGripFlag(bool grip) override;
    void setDrawer(s::gui::drawer::IStatusBar* drawer, bool owned) override;
    // Hidden, it parks and hides its outer box.
    void setVisible(bool visible, bool recurse) override;
    s::gui::drawer::IStatusBar* getDrawer() const { return m_drawer.get(); }
    s::gui::IBox* getContent() const { return m_content; }

    const wchar_t* classId() const override { return L"s_gui_win_StatusBar"; }
    s::base::IObject* newInstance() const override;
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    bool handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool createNativeWindow(HWND parent) override;
    void relayout() override { doLayout(); }
    void paintContent(HDC dc, int32_t width, int32_t height) override;
    void takeSkin(s::gui::drawer::ISkin* skin) override;

private:
    void restoreDefaults();
    s::gui::drawer::IStatusBar* drawer() const;

    s::gui::IBox* m_outer = nullptr;
    s::gui::IBox* m_content = nullptr;
    s::gui::layout::ILayoutManager* m_manager = nullptr;
    int32_t m_contentMinWidth = 0, m_contentMinHeight = 0;
    int32_t m_contentTargetWidth = 0, m_contentTargetHeight = 0;
    bool m_grip = false;
    DrawerHolder<s::gui::drawer::IStatusBar> m_drawer;
    s::gui::drawer::IStatusBar* m_defaultDrawer = nullptr;
    int32_t m_depth = 0;
};

// A status bar with its grip (12 pixels a side at scale 1) and its margins in the content box.
StatusBar* newStatusBar(int32_t horizontalMargin, int32_t verticalMargin);

}  // namespace s::gui::win
