// tests/mfc/ControlsTest.cpp
//
// The edit and track-bar objects on hidden windows: each member reaches its system control.
#include <windows.h>

#include <commctrl.h>

#include <gmock/gmock.h>

#include "mfc/CEdit.h"
#include "mfc/CSliderCtrl.h"

namespace mfc {
namespace {

class HiddenParent {
public:
    HiddenParent() {
        INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
        window.CreateEx(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr);
    }
    ~HiddenParent() { window.DestroyWindow(); }
    CWnd window;
};

TEST(CEdit, SetsItsTextModeMaskAndSelection) {
    HiddenParent parent;
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | ES_AUTOHSCROLL, RECT{0, 0, 200, 24}, &parent.window, 1001));
    EXPECT_EQ(GetDlgCtrlID(edit.m_hWnd), 1001);
    edit.SetWindowText(L"hello world");
    EXPECT_EQ(edit.GetWindowTextLength(), 11);
    wchar_t text[32] = {};
    EXPECT_EQ(edit.GetWindowText(text, 6), 5);  // cut to the room given, terminated
    EXPECT_STREQ(text, L"hello");
    edit.SetReadOnly(TRUE);
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    edit.SetReadOnly(FALSE);
    EXPECT_FALSE(edit.GetStyle() & ES_READONLY);
    edit.SetPasswordChar(L'*');
    EXPECT_EQ(edit.GetPasswordChar(), L'*');
    edit.SetPasswordChar(0);
    EXPECT_EQ(edit.GetPasswordChar(), 0);
    edit.SetSel(0, -1);
    DWORD start = 1, end = 0;
    SendMessageW(edit.m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 11u);
    edit.DestroyWindow();
}

TEST(CSliderCtrl, SetsItsRangePositionStepsAndThumb) {
    HiddenParent parent;
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | TBS_TOP | TBS_FIXEDLENGTH, RECT{0, 0, 200, 30},
                              &parent.window, 1040));
    wchar_t className[32] = {};
    GetClassNameW(slider.m_hWnd, className, 32);
    EXPECT_STREQ(className, TRACKBAR_CLASSW);
    slider.SetRange(50, 150, TRUE);
    EXPECT_EQ(slider.GetRangeMin(), 50);
    EXPECT_EQ(slider.GetRangeMax(), 150);
    slider.SetPos(120);
    EXPECT_EQ(slider.GetPos(), 120);
    slider.SetPos(400);  // the control keeps it inside
    EXPECT_EQ(slider.GetPos(), 150);
    slider.SetPageSize(30);
    slider.SetLineSize(3);
    EXPECT_EQ(slider.GetPageSize(), 30);
    EXPECT_EQ(slider.GetLineSize(), 3);
    slider.SetThumbLength(14);
    EXPECT_EQ(slider.GetThumbLength(), 14);
    slider.SetTicFreq(25);
    RECT channel = {};
    slider.GetChannelRect(&channel);
    EXPECT_GT(channel.right, channel.left);
    slider.DestroyWindow();
}

}  // namespace
}  // namespace mfc
