// s/gui/win/Box.h
//
// The general container in the library's window class. Until its window exists every
// setter only stores; the layout runs on the window's UI thread once it does.
#pragma once
#include "s/gui/IBox.h"
#include "s/gui/events/ListenerList.h"
#include "s/gui/layout/Arrangement.h"
#include "s/gui/win/ComponentBase.h"
#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::gui::win {

class UrlDropTarget;

class Box final : public ComponentBase<s::gui::IBox> {
public:
    Box();
    ~Box() override;

    // IContainer
    bool isContainer() const override { return true; }
    void doLayout() override;
    s::gui::layout::ILayoutManager* getLayoutManager() const override;
    void setLayoutManager(s::gui::layout::ILayoutManager* manager) override { m_manager = manager; }
    void childChanged() override;
    void setSize(int32_t width, int32_t height) override;
    void endDeferGeometry() override;
    void setVisible(bool visible, bool recurse) override;

    // IBox
    void setHorizontalGap(int32_t gap) override { m_hGap = gap; }
    void setVerticalGap(int32_t gap) override { m_vGap = gap; }
    void setMarginLeft(int32_t margin, bool relayout) override;
    void setMarginRight(int32_t margin, bool relayout) override;
    void setMarginTop(int32_t margin, bool relayout) override;
    void setMarginBottom(int32_t margin, bool relayout) override;
    void setMarginHorizontal(int32_t margin, bool relayout) override;
    void setMarginVertical(int32_t margin, bool relayout) override;
    void setMargin(int32_t margin, bool relayout) override;
    void alignTop() override { m_vAlign = 0; }
    void alignMiddle() override { m_vAlign = 1; }
    void alignBottom() override { m_vAlign = 2; }
    void alignLeft() override { m_hAlign = 0; }
    void alignCentre() override { m_hAlign = 1; }
    void alignRight() override { m_hAlign = 2; }
    int32_t getLayoutKind() const override { return m_kind; }
    void setLayoutRow() override { setKind(kRow); }
    void setLayoutVertical() override { setKind(kVertical); }
    void setLayoutFlow() override { setKind(kFlow); }
    void setLayoutPile() override { setKind(kPile); }
    void setFillParent() override;
    void setWidthPercent(int32_t percent, bool relayout) override;
    void setHeightPercent(int32_t percent, bool relayout) override;
    void setFixedWidth(int32_t width, bool relayout) override;
    void setFixedHeight(int32_t height, bool relayout) override;
    void setAcceptFiles(bool accept) override;
    void addFilesDroppedListener(s::gui::events::IEventListener* l) override { m_dropped.add(l); }
    const s::str::strarray::StrArray* getDroppedFiles() const override { return &m_files; }
    void setUrlDrop(bool on) override;
    void addUrlDroppedListener(s::gui::events::IEventListener* l) override { m_urlDropped.add(l); }
    const wchar_t* getDroppedUrl() const override { return m_url.cString(); }
    void addWheelListener(s::gui::events::IEventListener* l) override { m_wheel.add(l); }
    int32_t getWheelLines() const override { return m_wheelLines; }
    void addLayoutListener(s::gui::events::IEventListener* l) override { m_laidOut.add(l); }
    void showOnlyChild(int32_t index) override;
    void showPage(int32_t index) override;
    void addPaintListener(s::gui::events::IEventListener* l) override { m_paint.add(l); }
    HDC getPaintDC() const override { return m_paintDC; }
    void setPainted() override { m_painted = true; }
    void setClickThrough(bool on) override { m_clickThrough = on; }
    void setHoverColour(uint8_t red, uint8_t green, uint8_t blue) override;
    void setHiddenPage(bool hidden) override { m_hiddenPage = hidden; }
    void addLeftDownListener(s::gui::events::IEventListener* listener) override;
    void setPropagate(bool on) override { m_propagate = on; }
    bool isPropagate() const override { return m_propagate; }

    const s::gui::layout::LayoutResult& lastLayout() const { return m_result; }
    void onEvent(void* source, int32_t code) override;
    UrlDropTarget* getUrlDropTarget() const { return m_urlTarget; }

    const wchar_t* classId() const override { return L"s_gui_win_Box"; }
    s::base::IObject* newInstance() const override;
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    bool handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool createNativeWindow(HWND parent) override;
    void relayout() override;
    void paintContent(HDC dc, int32_t width, int32_t height) override;

private:
    void restoreDefaults();
    void marginChanged(bool relayout);
    s::gui::layout::LayoutResult arrange();
    void readDrop(HDROP drop);
    void takeDroppedUrl();
    void paint();
    LRESULT hitTest(WPARAM wParam, LPARAM lParam);
    bool drawItem(const DRAWITEMSTRUCT* item, LRESULT* result);
    void trackHover(LPARAM lParam);
    bool measureItem(MEASUREITEMSTRUCT* item, LRESULT* result);
    bool wheel(WPARAM wParam, LPARAM lParam, LRESULT* result);
    void setKind(int32_t kind);
    bool placeChildren();
    void registerUrlTarget();
    void dropUrlTarget();

    int32_t m_kind = kVertical;
    int32_t m_hAlign = 0, m_vAlign = 0, m_hGap = 0, m_vGap = 0;
    s::gui::layout::ILayoutManager* m_manager = nullptr;
    s::gui::layout::LayoutResult m_result;
    int32_t m_depth = 0;
    // While the arrangement places the children: a child that changed meanwhile asks for
    // another pass instead of a layout inside this one.
    bool m_arranging = false;
    bool m_childChangedMeanwhile = false;
    // Resized while its parent's layout defers its geometry: laid out when that ends.
    bool m_resizedWhileDeferred = false;
    // Set while the window and its children are being made: one layout once all exist.
    bool m_creating = false;
    bool m_urlDrop = false;
    UrlDropTarget* m_urlTarget = nullptr;
    s::str::strbuffer::StrBuffer m_url;
    bool m_inWheel = false;
    bool m_propagate = false;
    bool m_acceptFiles = false;
    s::str::strarray::StrArray m_files;
    int32_t m_wheelLines = 0;
    bool m_clickThrough = true;
    bool m_hover = false, m_hovered = false;
    uint32_t m_hoverColour = 0;
    bool m_hiddenPage = false;
    bool m_paged = false;  // showPage placed the children: layouts keep their origins
    bool m_painted = false;
    HDC m_paintDC = nullptr;
    s::gui::events::ListenerList m_dropped, m_wheel, m_laidOut, m_paint, m_leftDown, m_urlDropped;
};

// A Box from the pool. kind 0 row, 1 vertical, 2 flow, 3 pile; alignments at 0 or less
// mean left/top, 1 centre/middle, above 1 right/bottom; negative percentages and gaps or
// margins of 0 or less leave the default.
Box* newBox(int32_t kind, int32_t hAlign, double widthPercent, double heightPercent,
            int32_t vAlign, int32_t hGap, int32_t vGap, int32_t hMargin, int32_t vMargin);

}  // namespace s::gui::win
