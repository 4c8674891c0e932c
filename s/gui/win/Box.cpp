// s/gui/win/Box.cpp
#include "s/gui/win/Box.h"

#include <new>

#include "s/gui/drawer/win/Paint.h"
#include "s/gui/layout/FlowH.h"
#include "s/gui/IWindow.h"
#include "s/gui/win/MessageBoxW.h"
#include "s/gui/win/Messages.h"
#include "s/gui/win/UrlDropTarget.h"
#include "s/gui/win/WheelLines.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

namespace {

using s::gui::layout::Arrangement;
using s::gui::layout::LayoutResult;

constexpr wchar_t kButtonClassId[] = L"s_gui_win_Button";

int32_t alignment(int32_t value) { return value <= 0 ? 0 : value == 1 ? 1 : 2; }

bool sameResult(const LayoutResult& a, const LayoutResult& b) {
    return a.minWidth == b.minWidth && a.minHeight == b.minHeight &&
           a.targetWidth == b.targetWidth && a.targetHeight == b.targetHeight;
}

HWND handleOf(s::gui::IComponent* c) {
    mfc::CWnd* w = c->nativeWindow();
    return w ? w->m_hWnd : nullptr;
}

}  // namespace

Box::Box() { restoreDefaults(); }

Box::~Box() = default;

void Box::restoreDefaults() {
    m_kind = kVertical;
    m_hAlign = m_vAlign = m_hGap = m_vGap = 0;
    m_manager = nullptr;
    m_result = LayoutResult();
    m_depth = 0;
    m_creating = false;
    m_arranging = m_childChangedMeanwhile = m_resizedWhileDeferred = false;
    m_urlDrop = false;
    m_inWheel = false;
    m_propagate = false;
    m_acceptFiles = false;
    m_wheelLines = 0;
    m_clickThrough = true;
    m_hover = m_hovered = false;
    m_hoverColour = 0;
    m_hiddenPage = false;
    m_paged = false;
    m_painted = false;
    m_paintDC = nullptr;
    m_backgroundInherited = true;
}

void Box::resetForReuse() {
    dropUrlTarget();
    ComponentBase::resetForReuse();
    m_files.reset();
    m_url.clear();
    m_urlDropped.clear();
    m_dropped.clear();
    m_wheel.clear();
    m_laidOut.clear();
    m_paint.clear();
    m_leftDown.clear();
    restoreDefaults();
}

s::base::IObject* Box::newInstance() const { return s::thread::Pool<Box>::obtain(); }

void Box::releaseToPool() { s::thread::Pool<Box>::release(this); }

s::gui::layout::ILayoutManager* Box::getLayoutManager() const {
    return m_manager ? m_manager : s::gui::layout::FlowH::shared();
}

LayoutResult Box::arrange() {
    if (m_manager) {
        m_manager->layout(this);
        return LayoutResult();
    }
    switch (m_kind) {
    case kRow:
        return Arrangement::line(this, false, m_hAlign, m_vAlign, m_hGap);
    case kFlow:
        return Arrangement::flow(this, m_hAlign, m_vAlign, m_hGap, m_vGap);
    case kPile:
        return Arrangement::pile(this, m_hAlign, m_vAlign);
    default:
        return Arrangement::line(this, true, m_vAlign, m_hAlign, m_vGap);
    }
}

void Box::doLayout() {
    // A layout may start another from its listeners; two levels inside each other are the most.
    if (m_creating || m_depth > 1) return;
    ++m_depth;
    LayoutResult before = m_result;
    // A child that changed while it was placed is placed once more after the pass, never in a
    // layout inside it: a layout inside a layout starts from sizes the outer one then undoes.
    for (int32_t pass = 0; pass < s::gui::layout::kLayoutPasses; ++pass)
        if (!placeChildren()) break;
    setMinimumSize(m_result.minWidth, m_result.minHeight);
    setTargetSize(m_result.targetWidth, m_result.targetHeight);
    m_laidOut.fire(self(), kLaidOut);
    --m_depth;
    if (m_parent && !sameResult(before, m_result)) m_parent->childChanged();
}

// One pass of the arrangement; true when a child changed while it was placed.
bool Box::placeChildren() {
    m_result = LayoutResult();
    uint32_t n = m_children.count();
    if (!n) return false;
    const bool outer = !m_arranging;
    m_arranging = true;
    m_childChangedMeanwhile = false;
    // The children's origin is the inner area's corner; applied with the arrangement.
    for (uint32_t i = 0; i < n; ++i) {
        getChild(i)->beginDeferGeometry();
        if (!m_paged) getChild(i)->setOrigin(m_marginLeft, m_marginTop);
    }
    m_result = arrange();
    for (uint32_t i = 0; i < n; ++i) getChild(i)->endDeferGeometry();
    if (outer) m_arranging = false;
    return m_childChangedMeanwhile;
}

// Told while it places its children, the Box places them once more when this pass ends.
void Box::childChanged() {
    if (m_arranging) {
        m_childChangedMeanwhile = true;
        return;
    }
    doLayout();
}

// Another arrangement of the same children: they are placed again at once.
void Box::setKind(int32_t kind) {
    if (kind == m_kind) return;
    m_kind = kind;
    if (m_hWnd) doLayout();
}

// Sized by its parent's layout, which may try several sizes before it settles one: the Box
// lays out its children once, at the size it has when the parent applies its geometry.
void Box::setSize(int32_t width, int32_t height) {
    bool changed = width != m_width || height != m_height;
    ComponentBase::setSize(width, height);
    if (!changed) return;
    if (m_deferred)
        m_resizedWhileDeferred = true;
    else
        doLayout();
}

void Box::endDeferGeometry() {
    ComponentBase::endDeferGeometry();
    if (!m_resizedWhileDeferred) return;
    m_resizedWhileDeferred = false;
    doLayout();
}

void Box::setVisible(bool visible, bool recurse) {
    if (!m_hiddenPage) ComponentBase::setVisible(visible, recurse);
}

void Box::marginChanged(bool relayout) {
    if (relayout) doLayout();
}

void Box::setMarginLeft(int32_t margin, bool relayout) {
    m_marginLeft = margin;
    marginChanged(relayout);
}

void Box::setMarginRight(int32_t margin, bool relayout) {
    m_marginRight = margin;
    marginChanged(relayout);
}

void Box::setMarginTop(int32_t margin, bool relayout) {
    m_marginTop = margin;
    marginChanged(relayout);
}

void Box::setMarginBottom(int32_t margin, bool relayout) {
    m_marginBottom = margin;
    marginChanged(relayout);
}

void Box::setMarginHorizontal(int32_t margin, bool relayout) {
    m_marginLeft = m_marginRight = margin;
    marginChanged(relayout);
}

void Box::setMarginVertical(int32_t margin, bool relayout) {
    m_marginTop = m_marginBottom = margin;
    marginChanged(relayout);
}

void Box::setMargin(int32_t margin, bool relayout) {
    m_marginLeft = m_marginRight = m_marginTop = m_marginBottom = margin;
    marginChanged(relayout);
}

void Box::setFillParent() {
    setWidthPercent(100, false);
    setHeightPercent(100, true);
}

void Box::setWidthPercent(int32_t percent, bool relayout) {
    m_targetWidthPercent = percent;
    m_fixedWidth = -1;
    if (relayout && m_parent) m_parent->childChanged();
}

void Box::setHeightPercent(int32_t percent, bool relayout) {
    m_targetHeightPercent = percent;
    m_fixedHeight = -1;
    if (relayout && m_parent) m_parent->childChanged();
}

void Box::setFixedWidth(int32_t width, bool relayout) {
    m_fixedWidth = width;
    m_targetWidthPercent = -1;
    if (relayout && m_parent) m_parent->childChanged();
}

void Box::setFixedHeight(int32_t height, bool relayout) {
    m_fixedHeight = height;
    m_targetHeightPercent = -1;
    if (relayout && m_parent) m_parent->childChanged();
}

void Box::setAcceptFiles(bool accept) {
    m_acceptFiles = accept;
    if (m_hWnd) DragAcceptFiles(accept);
}

void Box::showOnlyChild(int32_t index) {
    for (uint32_t i = 0; i < m_children.count(); ++i)
        if (static_cast<int32_t>(i) != index) getChild(i)->setVisible(false, true);
    // Shown as deep as the others were hidden: a panel chosen again shows its content too.
    if (index >= 0 && static_cast<uint32_t>(index) < m_children.count())
        getChild(static_cast<uint32_t>(index))->setVisible(true, true);
}

void Box::showPage(int32_t index) {
    m_paged = true;
    for (uint32_t i = 0; i < m_children.count(); ++i) {
        if (static_cast<int32_t>(i) == index) continue;
        s::gui::IComponent* c = getChild(i);
        c->setVisible(false, true);
        c->setOrigin(0, 3000);
        if (Box* box = dynamic_cast<Box*>(c)) box->setHiddenPage(true);
    }
    if (index < 0 || static_cast<uint32_t>(index) >= m_children.count()) return;
    s::gui::IComponent* page = getChild(static_cast<uint32_t>(index));
    if (Box* box = dynamic_cast<Box*>(page)) box->setHiddenPage(false);
    page->setOrigin(0, 0);
    page->setVisible(true, false);
}

void Box::setHoverColour(uint8_t red, uint8_t green, uint8_t blue) {
    m_hoverColour = red | (green << 8) | (static_cast<uint32_t>(blue) << 16);
    m_hover = true;
}

void Box::addLeftDownListener(s::gui::events::IEventListener* listener) {
    m_leftDown.add(listener);
    m_clickThrough = false;  // the Box wants its own clicks now
}

bool Box::createNativeWindow(HWND parent) {
    if (!ComponentBase::createNativeWindow(parent)) {
        showErrorMessage(kCreationFailedText);
        return false;
    }
    ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    if (m_acceptFiles) DragAcceptFiles(TRUE);
    if (m_urlDrop) registerUrlTarget();
    // Each child made next tells the Box it changed; the layout waits until all exist.
    m_creating = true;
    return true;
}

void Box::relayout() {
    m_creating = false;
    doLayout();
}

void Box::setUrlDrop(bool on) {
    m_urlDrop = on;
    if (!on) {
        dropUrlTarget();
        return;
    }
    if (m_hWnd && !m_urlTarget) registerUrlTarget();
}

void Box::registerUrlTarget() {
    m_urlTarget = UrlDropTarget::obtain();
    if (!m_urlTarget) return;
    m_urlTarget->setOwner(this);
    m_urlTarget->registerFor(m_hWnd);
}

void Box::dropUrlTarget() {
    if (!m_urlTarget) return;
    m_urlTarget->revoke();
    m_urlTarget->releaseToPool();
    m_urlTarget = nullptr;
}

// The target tells inside the system's drag loop; the Box takes the address through its own
// window, in the order of its other messages.
void Box::onEvent(void* source, int32_t code) {
    if (!m_urlTarget || source != m_urlTarget || code != UrlDropTarget::kDroppedCode) return;
    if (m_hWnd)
        ::SendMessageW(m_hWnd, kUrlDropMessage, 0, 0);
    else
        takeDroppedUrl();
}

void Box::takeDroppedUrl() {
    m_url.clear();
    if (m_urlTarget) m_url.append(m_urlTarget->getText());
    m_urlDropped.fire(self(), kUrlDropped);
}

// Every path is read at its full length: a path cut short can name another, existing file.
void Box::readDrop(HDROP drop) {
    m_files.reset();
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileW(drop, i, nullptr, 0);
        // An empty list reads as one empty name (Wine 8.0, checked); an empty name is no path.
        if (length == 0) continue;
        wchar_t* path = new (std::nothrow) wchar_t[length + 1];
        if (!path) continue;
        // A path that does not come back at the length announced is left out, never cut.
        if (DragQueryFileW(drop, i, path, length + 1) == length) m_files.addString(path);
        delete[] path;
    }
    m_dropped.fire(self(), kFilesDropped);
    DragFinish(drop);
}

// Paint listeners may draw the whole Box themselves on the paint DC; else the back
// buffer gets the background (the hover colour while hovered) around the children.
void Box::paint() {
    if (m_paint.isEmpty()) {
        paintBuffered(true);
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    m_paintDC = dc;
    m_painted = false;
    m_paint.fire(self(), kPaint);
    m_paintDC = nullptr;
    EndPaint(m_hWnd, &ps);
    if (m_painted) return;
    // The listeners left it to the Box: paint again through the buffer.
    InvalidateRect(m_hWnd, nullptr, FALSE);
    paintBuffered(true);
}

void Box::paintContent(HDC dc, int32_t width, int32_t height) {
    if (!m_hover || !m_hovered) return;
    s::gui::drawer::win::fill(dc, 0, 0, width, height, m_hoverColour);
}

LRESULT Box::hitTest(WPARAM wParam, LPARAM lParam) {
    LRESULT hit = DefWindowProc(WM_NCHITTEST, wParam, lParam);
    if (hit != HTCLIENT) return hit;
    int32_t x = static_cast<int16_t>(LOWORD(lParam)), y = static_cast<int16_t>(HIWORD(lParam));
    for (uint32_t i = 0; i < m_children.count(); ++i) {
        s::gui::IComponent* c = getChild(i);
        if (!c->containsScreenPoint(x, y)) continue;
        bool button = c->isEnabled() && lstrcmpW(c->classId(), kButtonClassId) == 0;
        return button ? HTCLIENT : HTTRANSPARENT;
    }
    return HTTRANSPARENT;
}

// Owner-drawn items go only to the control they name: two lists in one Box would
// otherwise draw each other's items.
bool Box::drawItem(const DRAWITEMSTRUCT* item, LRESULT* result) {
    for (uint32_t i = 0; i < m_children.count(); ++i) {
        HWND child = handleOf(getChild(i));
        if (child && child == item->hwndItem) {
            *result = ::SendMessageW(child, WM_DRAWITEM, item->CtlID,
                                     reinterpret_cast<LPARAM>(item));
            return true;
        }
    }
    return false;
}

// An item size is asked for while the control is made, before its handle is known here:
// the first owner-drawn list among the children with that id answers.
bool Box::measureItem(MEASUREITEMSTRUCT* item, LRESULT* result) {
    for (uint32_t i = 0; i < m_children.count(); ++i) {
        HWND child = handleOf(getChild(i));
        if (!child || GetDlgCtrlID(child) != static_cast<int>(item->CtlID)) continue;
        if (!(GetWindowLongW(child, GWL_STYLE) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)))
            continue;
        *result = ::SendMessageW(child, WM_MEASUREITEM, item->CtlID, reinterpret_cast<LPARAM>(item));
        return true;
    }
    return false;
}

// A container under the cursor scrolls first; else the Box's own listeners, else the window.
bool Box::wheel(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (m_inWheel) {
        *result = 1;  // not taken: whoever offered it looks further
        return true;
    }
    m_inWheel = true;
    int32_t x = static_cast<int16_t>(LOWORD(lParam)), y = static_cast<int16_t>(HIWORD(lParam));
    bool taken = false;
    for (uint32_t i = 0; i < m_children.count() && !taken; ++i) {
        s::gui::IComponent* c = getChild(i);
        HWND child = handleOf(c);
        if (!child || !c->isContainer() || !c->isVisible() || !c->containsScreenPoint(x, y))
            continue;
        taken = ::SendMessageW(child, WM_MOUSEWHEEL, wParam, lParam) == 0;
    }
    if (!taken && !m_wheel.isEmpty()) {
        m_wheelLines = wheelLinesOf(wParam);
        m_wheel.fire(self(), kWheel);
        taken = true;
    }
    if (!taken && m_window && m_window->nativeWindow()->m_hWnd)
        taken = ::SendMessageW(m_window->nativeWindow()->m_hWnd, WM_MOUSEWHEEL, wParam, lParam) == 0;
    m_inWheel = false;
    *result = taken ? 0 : 1;
    return true;
}

void Box::trackHover(LPARAM lParam) {
    POINT p = {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
    RECT area;
    GetClientRect(&area);
    bool inside = PtInRect(&area, p) != FALSE;
    if (inside && GetCapture() != m_hWnd) SetCapture();
    if (!inside && GetCapture() == m_hWnd) ReleaseCapture();
    if (inside == m_hovered) return;
    m_hovered = inside;
    redraw();
}

bool Box::handleMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DROPFILES:
        readDrop(reinterpret_cast<HDROP>(wParam));
        *result = 0;
        return true;
    case kUrlDropMessage:
        takeDroppedUrl();
        *result = 0;
        return true;
    case WM_PAINT:
        paint();
        *result = 0;
        return true;
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    case WM_NCHITTEST:
        if (!m_clickThrough) return false;
        *result = hitTest(wParam, lParam);
        return true;
    case WM_MOUSEMOVE:
        if (m_clickThrough || !m_hover || (wParam & (MK_LBUTTON | MK_RBUTTON))) return false;
        trackHover(lParam);
        *result = 0;
        return true;
    case WM_LBUTTONDOWN:
        if (m_leftDown.isEmpty()) return false;
        m_leftDown.fire(self(), kLeftDown);
        *result = 1;
        return true;
    case WM_MOUSEWHEEL:
        return wheel(wParam, lParam, result);
    case WM_DRAWITEM:
        return drawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), result);
    case WM_MEASUREITEM:
        return measureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam), result);
    case WM_KEYDOWN: {
        // The parent decides; its non-zero answer lets the default procedure run too, and
        // goes back to the control that passed the key on, so that its default runs as well.
        if (!m_parentWnd || !m_parentWnd->m_hWnd) return false;
        const LRESULT up = ::SendMessageW(m_parentWnd->m_hWnd, message, wParam, lParam);
        if (up != 0) DefWindowProc(message, wParam, lParam);
        *result = up;
        return true;
    }
    case WM_DESTROY:
        dropUrlTarget();
        return false;
    case WM_GETDLGCODE:
        *result = DefWindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS;
        return true;
    default:
        return ComponentBase::handleMessage(result, message, wParam, lParam);
    }
}

Box* newBox(int32_t kind, int32_t hAlign, double widthPercent, double heightPercent,
            int32_t vAlign, int32_t hGap, int32_t vGap, int32_t hMargin, int32_t vMargin) {
    Box* box = s::thread::Pool<Box>::obtain();
    if (!box) return nullptr;
    switch (kind) {
    case s::gui::IBox::kRow: box->setLayoutRow(); break;
    case s::gui::IBox::kFlow: box->setLayoutFlow(); break;
    case s::gui::IBox::kPile: box->setLayoutPile(); break;
    default: box->setLayoutVertical(); break;
    }
    int32_t h = alignment(hAlign), v = alignment(vAlign);
    if (h == 0) box->alignLeft(); else if (h == 1) box->alignCentre(); else box->alignRight();
    if (v == 0) box->alignTop(); else if (v == 1) box->alignMiddle(); else box->alignBottom();
    if (widthPercent >= 0) box->setWidthPercent(static_cast<int32_t>(widthPercent), false);
    if (heightPercent >= 0) box->setHeightPercent(static_cast<int32_t>(heightPercent), false);
    if (hGap > 0) box->setHorizontalGap(hGap);
    if (vGap > 0) box->setVerticalGap(vGap);
    if (hMargin > 0) box->setMarginHorizontal(hMargin, false);
    if (vMargin > 0) box->setMarginVertical(vMargin, false);
    return box;
}

}  // namespace s::gui::win
