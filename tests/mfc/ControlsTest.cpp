// tests/mfc/ControlsTest.cpp
//
// The button, combo-box, edit, progress and track-bar objects on hidden windows: each
// member reaches its system control.
#include <windows.h>

#include <commctrl.h>

#include <gmock/gmock.h>

#include "mfc/CButton.h"
#include "mfc/CComboBox.h"
#include "mfc/CEdit.h"
#include "mfc/CProgressCtrl.h"
#include "mfc/CSliderCtrl.h"

namespace mfc {
namespace {

class HiddenParent {
public:
    HiddenParent() {
        INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
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
    EXPECT_EQ(SendMessageW(edit.m_hWnd, EM_GETPASSWORDCHAR, 0, 0), L'*');
    edit.SetPasswordChar(0);
    EXPECT_EQ(SendMessageW(edit.m_hWnd, EM_GETPASSWORDCHAR, 0, 0), 0);
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
    EXPECT_EQ(SendMessageW(slider.m_hWnd, TBM_GETRANGEMIN, 0, 0), 50);
    EXPECT_EQ(SendMessageW(slider.m_hWnd, TBM_GETRANGEMAX, 0, 0), 150);
    slider.SetPos(120);
    EXPECT_EQ(slider.GetPos(), 120);
    slider.SetPos(400);  // the control keeps it inside
    EXPECT_EQ(slider.GetPos(), 150);
    slider.SetPageSize(30);
    slider.SetLineSize(3);
    EXPECT_EQ(SendMessageW(slider.m_hWnd, TBM_GETPAGESIZE, 0, 0), 30);
    EXPECT_EQ(SendMessageW(slider.m_hWnd, TBM_GETLINESIZE, 0, 0), 3);
    slider.SetThumbLength(14);
    EXPECT_EQ(SendMessageW(slider.m_hWnd, TBM_GETTHUMBLENGTH, 0, 0), 14);
    slider.SetTicFreq(25);
    RECT channel = {};
    slider.GetChannelRect(&channel);
    EXPECT_GT(channel.right, channel.left);
    slider.DestroyWindow();
}

TEST(CButton, MeasuresItsCaptionAndSetsItsStyleAndCheck) {
    HiddenParent parent;
    CButton push;
    ASSERT_TRUE(push.Create(L"Measure me", WS_CHILD | BS_PUSHBUTTON, RECT{0, 0, 10, 10}, &parent.window, 1000));
    wchar_t className[16] = {};
    GetClassNameW(push.m_hWnd, className, 16);
    EXPECT_STREQ(L"Button", className);
    SIZE ideal = {0, 0};
    EXPECT_TRUE(push.GetIdealSize(&ideal));  // the tests carry the common controls 6
    EXPECT_GT(ideal.cx, 10);
    EXPECT_GT(ideal.cy, 0);
    push.SetButtonStyle(BS_DEFPUSHBUTTON, FALSE);
    EXPECT_EQ(static_cast<DWORD>(BS_DEFPUSHBUTTON), push.GetStyle() & 0xF);
    CButton check;
    ASSERT_TRUE(check.Create(L"Tick", WS_CHILD | BS_AUTOCHECKBOX, RECT{0, 20, 80, 40}, &parent.window, 1003));
    EXPECT_EQ(BST_UNCHECKED, check.GetCheck());
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, check.GetCheck());
    push.DestroyWindow();
    check.DestroyWindow();
}

TEST(CComboBox, KeepsItsStringsSelectionAndListSizes) {
    HiddenParent parent;
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL,
                             RECT{0, 0, 120, 200},
                             &parent.window, 1020));
    EXPECT_EQ(0, combo.AddString(L"one"));
    EXPECT_EQ(1, combo.AddString(L"three"));
    EXPECT_EQ(1, combo.InsertString(1, L"two"));
    EXPECT_EQ(3, static_cast<int>(SendMessageW(combo.m_hWnd, CB_GETCOUNT, 0, 0)));
    wchar_t text[16] = {};
    SendMessageW(combo.m_hWnd, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(L"two", text);
    EXPECT_EQ(CB_ERR, combo.GetCurSel());
    EXPECT_EQ(2, combo.SetCurSel(2));
    EXPECT_EQ(2, combo.GetCurSel());
    EXPECT_EQ(2, combo.DeleteString(0));  // the count left
    EXPECT_EQ(CB_ERR, combo.SetCurSel(-1));  // cleared, as the control reports it
    EXPECT_EQ(CB_ERR, combo.GetCurSel());
    EXPECT_NE(CB_ERR, combo.SetItemHeight(0, 21));
    EXPECT_EQ(21, combo.GetItemHeight(0));
    EXPECT_NE(CB_ERR, combo.SetDroppedWidth(180));
    EXPECT_EQ(180, static_cast<int>(SendMessageW(combo.m_hWnd, CB_GETDROPPEDWIDTH, 0, 0)));
    EXPECT_EQ(0, combo.SetTopIndex(0));
    EXPECT_EQ(0, combo.GetTopIndex());
    combo.DestroyWindow();
}

TEST(CProgressCtrl, TakesItsRangeAndPosition) {
    HiddenParent parent;
    CProgressCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD, RECT{0, 0, 100, 16}, &parent.window, 1007));
    bar.SetRange32(0, 1000);
    EXPECT_EQ(1000, static_cast<int>(SendMessageW(bar.m_hWnd, PBM_GETRANGE, FALSE, 0)));
    EXPECT_EQ(0, static_cast<int>(SendMessageW(bar.m_hWnd, PBM_GETRANGE, TRUE, 0)));
    EXPECT_EQ(0, bar.SetPos(250));  // the position before
    EXPECT_EQ(250, static_cast<int>(SendMessageW(bar.m_hWnd, PBM_GETPOS, 0, 0)));
    bar.DestroyWindow();
}

}  // namespace
}  // namespace mfc
