// tests/s/gui/win/BoxWiringTest.cpp
//
// What a Box passes on: dragged web addresses through its drop target, the wheel to the
// container under the cursor or to the window, keys to its parent, item sizes to the owner-
// drawn list they are asked for; and its children laid out once they all exist.
#include "s/gui/win/Box.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "s/gui/combobox/ComboBoxItem.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/ComboBox.h"
#include "s/gui/win/UrlDropTarget.h"
#include "s/gui/win/Window.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"
#include "support/gui/ShownBox.h"

namespace s::gui::win {
namespace {

using tests::gui::handleOf;
using tests::gui::Recorder;
using tests::gui::ShownBox;

class BoxWiringTest : public tests::gui::GuiTest {};


// Offers the one address as "UniformResourceLocatorW" global memory.
class UrlData final : public IDataObject {
public:
    explicit UrlData(const std::wstring& url)
        : m_url(url), m_format(RegisterClipboardFormatW(L"UniformResourceLocatorW")) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override { return *object = nullptr, E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        size_t bytes = (m_url.size() + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        std::memcpy(GlobalLock(memory), m_url.c_str(), bytes);
        GlobalUnlock(memory);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return format->cfFormat == m_format && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    std::wstring m_url;
    UINT m_format;
};

TEST_F(BoxWiringTest, AUrlDropBoxRegistersItsTargetAndTellsTheDroppedAddress) {
    ShownBox s;
    Box* area = s.add(newBox(1, 0, 100, -1, 0, 0, 0, 0, 0));
    area->setFixedHeight(60, false);
    area->setUrlDrop(true);  // before the window exists: registered with it
    Recorder dropped;
    std::wstring seen;
    dropped.action = [&] { seen = area->getDroppedUrl(); };
    area->addUrlDroppedListener(&dropped);
    s.show();
    UrlDropTarget* target = area->getUrlDropTarget();
    ASSERT_NE(target, nullptr);
    HWND h = handleOf(area);
    HRESULT again = S_OK;
    onUiThread(*s.window, [&] { again = RegisterDragDrop(h, target); }, kWaitForever);
    EXPECT_EQ(again, DRAGDROP_E_ALREADYREGISTERED);
    UrlData data(L"https://127.0.0.1/page");
    onUiThread(*s.window, [&] {
        DWORD effect = DROPEFFECT_LINK;
        target->DragEnter(&data, 0, POINTL{5, 5}, &effect);
        target->Drop(&data, 0, POINTL{5, 5}, &effect);
    }, kWaitForever);
    EXPECT_EQ(dropped.calls.load(), 1);
    EXPECT_EQ(dropped.lastCode.load(), s::gui::IBox::kUrlDropped);
    EXPECT_EQ(dropped.lastSource, static_cast<void*>(static_cast<s::gui::IComponent*>(area)));
    EXPECT_EQ(seen, L"https://127.0.0.1/page");
    area->setUrlDrop(false);
    EXPECT_EQ(area->getUrlDropTarget(), nullptr);
    onUiThread(*s.window, [&] {
        UrlDropTarget* probe = UrlDropTarget::obtain();
        again = RegisterDragDrop(h, probe);
        RevokeDragDrop(h);
        probe->releaseToPool();
    }, kWaitForever);
    EXPECT_EQ(again, S_OK);  // revoked: the window takes a new target
}

// The address comes to the Box through its own window's message, in the order of its other
// messages: the message alone tells the listeners, with the target's address.
TEST_F(BoxWiringTest, TheDroppedAddressArrivesThroughTheBoxsOwnMessage) {
    ShownBox s;
    Box* area = s.add(newBox(1, 0, 100, -1, 0, 0, 0, 0, 0));
    area->setFixedHeight(40, false);
    area->setUrlDrop(true);
    Recorder dropped;
    area->addUrlDroppedListener(&dropped);
    s.show();
    ASSERT_NE(nullptr, area->getUrlDropTarget());
    EXPECT_EQ(0, SendMessageW(handleOf(area), WM_USER + 22, 0, 0));
    EXPECT_EQ(1, dropped.calls.load());
    EXPECT_EQ(s::gui::IBox::kUrlDropped, dropped.lastCode.load());
    EXPECT_EQ(s.window->uiThreadId(), dropped.thread.load());
    EXPECT_STREQ(L"", area->getDroppedUrl());  // nothing dropped on the target yet
}

// However far the wheel turned, listeners are told the user's line count, negative towards
// the user: a quarter notch and two notches alike.
TEST_F(BoxWiringTest, TheWheelLinesAreTheUsersLineCountWithTheTurnsSign) {
    ShownBox s;
    Box* inner = s.add(newBox(1, 0, 100, -1, 0, 0, 0, 0, 0));
    inner->setFixedHeight(50, false);
    Recorder wheel;
    inner->addWheelListener(&wheel);
    s.show();
    UINT lines = 0;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    RECT r;
    GetWindowRect(handleOf(inner), &r);
    const LPARAM at = MAKELPARAM(r.left + 5, r.top + 5);
    struct Case {
        int delta;
        int32_t sign;
    } cases[] = {{WHEEL_DELTA / 4, 1}, {2 * WHEEL_DELTA, 1}, {-WHEEL_DELTA / 4, -1}, {-3 * WHEEL_DELTA, -1}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.delta);
        SendMessageW(handleOf(inner), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(k.delta)), at);
        EXPECT_EQ(k.sign * static_cast<int32_t>(lines), inner->getWheelLines());
    }
    EXPECT_EQ(4, wheel.calls.load());
}

TEST_F(BoxWiringTest, TheWheelGoesToTheContainerUnderTheCursorElseToTheWindow) {
    ShownBox s;
    Box* inner = s.add(newBox(1, 0, 100, -1, 0, 0, 0, 0, 0));
    inner->setFixedHeight(50, false);
    Recorder innerWheel, windowWheel;
    inner->addWheelListener(&innerWheel);
    s.window->addWheelListener(&windowWheel);
    s.show();
    HWND outer = handleOf(s.box);
    RECT r;
    GetWindowRect(handleOf(inner), &r);
    WPARAM towardsUser = MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA));
    EXPECT_EQ(SendMessageW(outer, WM_MOUSEWHEEL, towardsUser, MAKELPARAM(r.left + 5, r.top + 5)), 0);
    EXPECT_EQ(innerWheel.calls.load(), 1);
    EXPECT_LT(inner->getWheelLines(), 0);
    EXPECT_EQ(windowWheel.calls.load(), 0);
    // Below the inner box the outer Box has no listener of its own: the window gets it.
    SendMessageW(outer, WM_MOUSEWHEEL, towardsUser, MAKELPARAM(r.left + 5, r.bottom + 20));
    EXPECT_EQ(innerWheel.calls.load(), 1);
    EXPECT_EQ(windowWheel.calls.load(), 1);
}

TEST_F(BoxWiringTest, KeysGoToTheParentAndItemSizesToTheListThatAsks) {
    ShownBox s;
    Box* inner = s.add(newBox(1, 0, 100, -1, 0, 0, 0, 0, 0));
    ComboBox* combo = newComboBox(120);
    combo->addItem(s::gui::combobox::ComboBoxItem::withCaption(L"Shred Once"));
    inner->addChild(combo);
    s.show();
    SendMessageW(handleOf(inner), WM_KEYDOWN, VK_F7, 0);
    EXPECT_EQ(s.window->getLastKey(), VK_F7);  // inner Box, outer Box, then the window
    MEASUREITEMSTRUCT m = {};
    m.CtlType = ODT_COMBOBOX;
    m.CtlID = ComboBox::kControlId;
    m.itemWidth = 999;
    EXPECT_EQ(SendMessageW(handleOf(inner), WM_MEASUREITEM, m.CtlID, reinterpret_cast<LPARAM>(&m)), TRUE);
    EXPECT_EQ(static_cast<int32_t>(m.itemWidth), combo->getWidth() - 6);
    m.CtlID = 4711;  // no owner-drawn child of that id: not answered
    EXPECT_EQ(SendMessageW(handleOf(inner), WM_MEASUREITEM, m.CtlID, reinterpret_cast<LPARAM>(&m)), FALSE);
}

// While its window is made, the Box makes its children first and lays them out once.
TEST_F(BoxWiringTest, ChildrenAreLaidOutOnlyOnceTheyAllExist) {
    ShownBox s;
    std::vector<Button*> buttons;
    for (const wchar_t* t : {L"One", L"Two", L"Three", L"Four"})
        buttons.push_back(s.add(newButtonWithText(t, 80, 24)));
    Recorder laidOut;
    int withoutWindow = 0;
    laidOut.action = [&] {
        for (Button* b : buttons)
            if (!handleOf(b)) ++withoutWindow;
    };
    s.box->addLayoutListener(&laidOut);
    s.show();
    EXPECT_GE(laidOut.calls.load(), 1);
    EXPECT_EQ(withoutWindow, 0);
    RECT first, last;
    GetWindowRect(handleOf(buttons.front()), &first);
    GetWindowRect(handleOf(buttons.back()), &last);
    EXPECT_EQ(last.top - first.top, 3 * (24 + 6));  // the column with its gap of 6
}

}  // namespace
}  // namespace s::gui::win
