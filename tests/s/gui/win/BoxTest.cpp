// tests/s/gui/win/BoxTest.cpp
//
// A Box inside a shown Window: its native geometry and the drops it receives, built in
// global memory as the shell hands them over.
#include "s/gui/win/Box.h"

#include <shlobj.h>

#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "s/gui/combobox/ComboBoxItem.h"
#include "s/gui/layout/Vertical.h"
#include "s/gui/win/ComboBox.h"
#include "s/gui/win/Window.h"
#include "support/Pooled.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"
#include "support/gui/TestPanel.h"

namespace s::gui::win {
namespace {

using tests::Pooled;
using tests::gui::Recorder;
using tests::gui::saveScreenshot;
using tests::gui::TestPanel;

class BoxTest : public tests::gui::GuiTest {};

// A drop handle as the shell makes it: the header, then the wide paths, each ended by a
// zero, and a closing zero. The receiver frees it (DragFinish).
HDROP dropOf(const std::vector<std::wstring>& paths) {
    size_t chars = 2;  // the closing zero, and a second for an empty list
    for (const std::wstring& p : paths) chars += p.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * 2);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(header + 1);
    for (const std::wstring& p : paths) {
        p.copy(text, p.size());
        text += p.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

HWND handleOf(s::gui::IComponent* c) { return c->nativeWindow()->m_hWnd; }

RECT rectIn(HWND child, HWND parent) {
    RECT r = {};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct Shown {
    Pooled<Window> window{s::thread::Pool<Window, 0>::obtain()};
    Box* box = s::thread::Pool<Box>::obtain();

    Shown() {
        window->setLayoutManager(s::gui::layout::Vertical::shared());
        window->setBounds(80, 80, 300, 200);
        box->setFillParent();
        box->setMargin(6, false);
        box->setVerticalGap(4);
        box->setBackgroundColour(220, 230, 255, false);
    }
    void show() {
        window->addChild(box);
        window->show(true, false);
    }
};

TEST_F(BoxTest, ChildrenWindowsSitWhereTheColumnPlacesThem) {
    Shown s;
    TestPanel* a = s::thread::Pool<TestPanel>::obtain();
    TestPanel* b = s::thread::Pool<TestPanel>::obtain();
    a->setMinimumSize(60, 20);
    b->setMinimumSize(80, 30);
    b->setTargetSize(80, 50);
    a->setBackgroundColour(200, 40, 40, false);
    b->setBackgroundColour(40, 160, 40, false);
    s.box->addChild(a);
    s.box->addChild(b);
    s.box->alignCentre();
    s.show();
    HWND box = handleOf(s.box);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetParent(box), s.window->getHandle());
    EXPECT_TRUE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    RECT client = {};
    GetClientRect(s.window->getHandle(), &client);
    EXPECT_EQ(s.box->getWidth(), client.right);
    EXPECT_EQ(s.box->getHeight(), client.bottom);
    int32_t inner = client.right - 12;
    RECT ra = rectIn(handleOf(a), box), rb = rectIn(handleOf(b), box);
    EXPECT_EQ(ra.left, 6 + (inner - 60) / 2);
    EXPECT_EQ(ra.top, 6);
    EXPECT_EQ(ra.bottom - ra.top, 20);
    EXPECT_EQ(rb.left, 6 + (inner - 80) / 2);
    EXPECT_EQ(rb.top, 6 + 20 + 4);
    EXPECT_EQ(rb.bottom - rb.top, 50);  // room enough: the target height
    EXPECT_FALSE(saveScreenshot(s.window->getHandle(), L"box_column").empty());
}

TEST_F(BoxTest, DroppedPathsReachTheListenersWholeAndInOrder) {
    Shown s;
    s.box->setAcceptFiles(true);
    s.show();
    HWND box = handleOf(s.box);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    std::wstring longPath = L"T:\\drop\\" + std::wstring(300 - 8 - 4, L'x') + L".bin";
    ASSERT_EQ(longPath.size(), 300u);
    std::vector<std::wstring> paths = {L"T:\\drop\\a.txt", longPath, L"T:\\drop\\c d.txt"};
    std::vector<std::wstring> seen;
    Recorder dropped;
    dropped.action = [&] {
        const auto* files = s.box->getDroppedFiles();
        seen.clear();
        for (uint32_t i = 0; i < files->count(); ++i) seen.push_back(tests::text(files->at(i)));
    };
    s.box->addFilesDroppedListener(&dropped);
    SendMessageW(box, WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf(paths)), 0);
    EXPECT_EQ(dropped.calls.load(), 1);
    EXPECT_EQ(dropped.lastCode.load(), s::gui::IBox::kFilesDropped);
    EXPECT_EQ(dropped.thread.load(), s.window->uiThreadId());
    EXPECT_EQ(seen, paths);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].size(), 300u);
    // A second drop replaces the list; an empty one still clears it and tells.
    SendMessageW(box, WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf({L"T:\\e"})), 0);
    EXPECT_EQ(seen, std::vector<std::wstring>{L"T:\\e"});
    SendMessageW(box, WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf({})), 0);
    EXPECT_EQ(dropped.calls.load(), 3);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(s.box->getDroppedFiles()->count(), 0u);
}

TEST_F(BoxTest, ClicksGoThroughUnlessTheBoxListensForThem) {
    Shown s;
    s.show();
    HWND box = handleOf(s.box);
    RECT r = {};
    GetWindowRect(box, &r);
    LPARAM inside = MAKELPARAM(r.left + 3, r.top + 3);
    EXPECT_EQ(SendMessageW(box, WM_NCHITTEST, 0, inside), HTTRANSPARENT);
    Recorder down;
    s.box->addLeftDownListener(&down);
    EXPECT_EQ(SendMessageW(box, WM_NCHITTEST, 0, inside), HTCLIENT);
    EXPECT_EQ(SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3)), 1);
    EXPECT_EQ(down.calls.load(), 1);
    EXPECT_EQ(down.lastCode.load(), s::gui::IBox::kLeftDown);
}

// Both lists use the same control id: only the handle says whose item is to be drawn.
TEST_F(BoxTest, OwnerDrawnItemsGoOnlyToTheControlTheyName) {
    Shown s;
    ComboBox* first = newComboBox(100);
    ComboBox* second = newComboBox(100);
    first->addItem(s::gui::combobox::ComboBoxItem::withCaption(L"first"));
    second->addItem(s::gui::combobox::ComboBoxItem::withCaption(L"second"));
    s.box->addChild(first);
    s.box->addChild(second);
    s.show();
    HWND box = handleOf(s.box);
    HDC dc = GetDC(box);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_COMBOBOX;
    item.CtlID = ComboBox::kControlId;
    item.itemID = 0;
    item.hDC = dc;
    item.rcItem = {0, 0, 60, 16};
    item.hwndItem = handleOf(second);
    EXPECT_EQ(SendMessageW(box, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item)), TRUE);
    item.hwndItem = s.window->getHandle();  // no child of this Box: nobody draws
    EXPECT_EQ(SendMessageW(box, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item)), FALSE);
    item.hwndItem = handleOf(first);
    item.itemID = 5;  // beyond the list: the control draws no item text
    EXPECT_EQ(SendMessageW(box, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item)), TRUE);
    ReleaseDC(box, dc);
}

TEST_F(BoxTest, ShowPageParksTheOtherPages) {
    Pooled<Box> box;
    Box* first = s::thread::Pool<Box>::obtain();
    Box* second = s::thread::Pool<Box>::obtain();
    box->addChild(first);
    box->addChild(second);
    box->showPage(1);
    EXPECT_FALSE(first->isVisible());
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(first->getScreenY() - first->getY(), 3000);
    first->setVisible(true, false);  // a hidden page ignores showing
    EXPECT_FALSE(first->isVisible());
    box->showPage(0);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(second->isVisible());
    box->showOnlyChild(1);
    EXPECT_FALSE(first->isVisible());
}

// The places showPage gives stay through the layouts that follow, margins or not; a Box
// that never showed a page keeps its children inside its margins.
TEST_F(BoxTest, LayoutsKeepTheOriginsShowPageGave) {
    Pooled<Box> box;
    box->setMargin(7, false);
    Box* first = s::thread::Pool<Box>::obtain();
    Box* second = s::thread::Pool<Box>::obtain();
    box->addChild(first);
    box->addChild(second);
    box->showPage(1);
    box->doLayout();
    EXPECT_EQ(0, first->getOriginX());
    EXPECT_EQ(3000, first->getOriginY());
    EXPECT_EQ(0, second->getOriginX());
    EXPECT_EQ(0, second->getOriginY());
    Pooled<Box> plain;
    plain->setMargin(7, false);
    Box* only = s::thread::Pool<Box>::obtain();
    plain->addChild(only);
    plain->doLayout();
    EXPECT_EQ(7, only->getOriginX());
    EXPECT_EQ(7, only->getOriginY());
}

// The hiding goes down to the grandchildren, so the showing must too: a panel chosen again
// shows its texts, not an empty frame.
TEST_F(BoxTest, ShowOnlyChildBringsBackTheChosenChildWithItsContent) {
    Pooled<Box> box;
    Box* first = s::thread::Pool<Box>::obtain();
    Box* second = s::thread::Pool<Box>::obtain();
    Box* inner = s::thread::Pool<Box>::obtain();
    first->addChild(inner);
    box->addChild(first);
    box->addChild(second);
    box->showOnlyChild(1);
    EXPECT_FALSE(inner->isVisible());
    box->showOnlyChild(0);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(inner->isVisible());
    EXPECT_FALSE(second->isVisible());
}

TEST(NewBox, ClampsAlignmentsAndCutsPercentages) {
    Pooled<Box> box(newBox(0, 5, 49.9, -1, -3, 2, 0, 3, 0));
    EXPECT_EQ(box->getLayoutKind(), s::gui::IBox::kRow);
    Pooled<Box> parent;
    parent->setSize(200, 100);
    box->setParent(parent.get());
    EXPECT_EQ(box->getTargetWidth(), 98);  // 49 % of 200, cut to a whole percent
    EXPECT_EQ(box->getInnerWidth(), box->getWidth() - 6);
    box->setParent(nullptr);
}

}  // namespace
}  // namespace s::gui::win
