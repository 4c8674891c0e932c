// tests/s/gui/win/ComboBoxTest.cpp
//
// A combo box driven by selection messages, and its edge cases at the ends of the list.
#include "s/gui/win/ComboBox.h"

#include <gmock/gmock.h>

#include "s/gui/combobox/ComboBoxItem.h"
#include "support/Pooled.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"
#include "support/gui/ShownBox.h"

namespace s::gui::win {
namespace {

using s::gui::combobox::ComboBoxItem;
using tests::Pooled;
using tests::gui::handleOf;
using tests::gui::Recorder;
using tests::gui::saveScreenshot;
using tests::gui::ShownBox;

class ComboBoxTest : public tests::gui::GuiTest {};

TEST(ComboBox, AnEmptyListKeepsNoSelectionAndReadsNothingPastItsEnd) {
    Pooled<ComboBox> combo(newComboBox(120));
    EXPECT_EQ(combo->getSelectedIndex(), -1);
    EXPECT_EQ(combo->getSelectedItem(), nullptr);
    combo->setSelection(3, true);
    EXPECT_EQ(combo->getSelectedIndex(), -1);
    EXPECT_EQ(combo->removeAt(0), nullptr);
    EXPECT_EQ(combo->getItem(-1), nullptr);
    combo->addItem(ComboBoxItem::withCaption(L"One"));
    combo->addItem(ComboBoxItem::withCaption(L"Two"));
    combo->setSelection(7, false);  // outside the list: the first item
    EXPECT_EQ(combo->getSelectedIndex(), 0);
    combo->setSelection(1, false);
    combo->insertItem(0, ComboBoxItem::withCaption(L"Zero"));
    EXPECT_EQ(combo->getSelectedIndex(), 2);  // moved with its item
    EXPECT_STREQ(combo->getSelectedItem()->getCaption(), L"Two");
    combo->removeAt(2)->releaseToPool();
    EXPECT_EQ(combo->getSelectedIndex(), -1);
    EXPECT_EQ(combo->getSelectedItem(), nullptr);
    EXPECT_EQ(combo->getItemCount(), 2u);
}

TEST_F(ComboBoxTest, UserSelectionTellsTheListenersAndTheNativeListMirrorsTheItems) {
    ShownBox s;
    ComboBox* combo = s.add(newComboBox(150));
    for (const wchar_t* c : {L"Quick", L"Thorough", L"Paranoid"})
        combo->addItem(ComboBoxItem::withCaption(c));
    Recorder changes;
    combo->addSelectionListener(&changes);
    s.show();
    HWND h = handleOf(combo);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & 0xFFFF, 0x0213);
    EXPECT_EQ(GetDlgCtrlID(h), 1020);
    EXPECT_EQ(SendMessageW(h, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(h, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(combo->getSelectedIndex(), 0);
    SendMessageW(h, CB_SETCURSEL, 2, 0);
    SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(1020, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(h));
    EXPECT_EQ(combo->getSelectedIndex(), 2);
    EXPECT_EQ(combo->getPreviousIndex(), 0);
    EXPECT_EQ(changes.calls.load(), 1);
    EXPECT_EQ(changes.lastCode.load(), 0);
    combo->setSelection(1, false);
    EXPECT_EQ(SendMessageW(h, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(changes.calls.load(), 1);
    combo->removeAt(1)->releaseToPool();
    EXPECT_EQ(SendMessageW(h, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(h, CB_GETCURSEL, 0, 0), -1);
    combo->setSelection(0, true);
    EXPECT_EQ(changes.calls.load(), 2);
    EXPECT_FALSE(saveScreenshot(s.window->getHandle(), L"combo_box").empty());
}


std::wstring listText(HWND combo, int32_t index) {
    wchar_t text[128] = {};
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

// Items made from text ids follow the window's language, in the box and in the control's
// list; the chosen item stays chosen, and nobody hears of a selection change.
TEST_F(ComboBoxTest, ALanguageChangeReTextsTheItemsAndKeepsTheSelection) {
    ShownBox s;
    tests::gui::FakeLocalizer localizer;
    localizer.texts[0] = {{10, L"Once"}, {11, L"Twice"}};
    localizer.texts[1] = {{10, L"Einmal"}, {11, L"Zweimal"}};
    s.window->setLocalizer(&localizer);
    ComboBox* combo = s.add(newComboBox(150));
    combo->addItem(ComboBoxItem::create(&localizer, 10));
    combo->addItem(ComboBoxItem::create(&localizer, 11));
    combo->addItem(ComboBoxItem::withCaption(L"Literal"));
    combo->setSelection(1, false);
    Recorder changes;
    combo->addSelectionListener(&changes);
    s.show();
    HWND h = handleOf(combo);
    ASSERT_NE(h, nullptr);
    localizer.switchTo(1);
    EXPECT_STREQ(combo->getItem(0)->getCaption(), L"Einmal");
    EXPECT_STREQ(combo->getItem(1)->getCaption(), L"Zweimal");
    EXPECT_STREQ(combo->getItem(2)->getCaption(), L"Literal");
    EXPECT_EQ(listText(h, 0), L"Einmal");
    EXPECT_EQ(listText(h, 1), L"Zweimal");
    EXPECT_EQ(listText(h, 2), L"Literal");
    EXPECT_EQ(combo->getSelectedIndex(), 1);
    EXPECT_EQ(SendMessageW(h, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageW(h, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(changes.calls.load(), 0);
    EXPECT_FALSE(saveScreenshot(s.window->getHandle(), L"combo_box_german").empty());
    s.window->setLocalizer(nullptr);
}

// The list opens as wide as its widest caption, also after a language of longer captions:
// a narrower width than the list had would leave it as narrow as the closed box.
TEST_F(ComboBoxTest, TheOpenedListFitsItsCaptionsAfterALanguageOfLongerOnes) {
    constexpr UINT kReflectedDropDown = WM_APP + 0x0F, kReflectedCloseUp = WM_APP + 0x10;
    ShownBox s;
    tests::gui::FakeLocalizer localizer;
    localizer.texts[0] = {{10, L"A very long caption indeed, far wider than the box and the next one"}};
    localizer.texts[1] = {{10, L"A shorter caption, still wider than the box"}};
    s.window->setLocalizer(&localizer);
    ComboBox* combo = s.add(newComboBox(80));
    combo->addItem(ComboBoxItem::create(&localizer, 10));
    s.show();
    HWND h = handleOf(combo);
    ASSERT_NE(h, nullptr);
    auto openedWidth = [&] {
        SendMessageW(h, kReflectedDropDown, 0, 0);
        SendMessageW(h, kReflectedCloseUp, 0, 0);
        return static_cast<int>(SendMessageW(h, CB_GETDROPPEDWIDTH, 0, 0));
    };
    auto captionWidth = [&] {
        HDC dc = GetDC(h);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)));
        SIZE size = {};
        const wchar_t* caption = combo->getItem(0)->getCaption();
        GetTextExtentPoint32W(dc, caption, lstrlenW(caption), &size);
        SelectObject(dc, old);
        ReleaseDC(h, dc);
        return static_cast<int>(size.cx);
    };
    EXPECT_GE(openedWidth(), captionWidth());
    localizer.switchTo(1);
    EXPECT_GE(openedWidth(), captionWidth());
    s.window->setLocalizer(nullptr);
}


ComboBoxItem* keyed(const wchar_t* caption, int32_t key) {
    ComboBoxItem* item = ComboBoxItem::withCaption(caption);
    item->setKey(key);
    return item;
}

// The delete operations select item 0 first, silently; removing the selection then leaves none.
TEST(ComboBox, DeletingByKeyOrSelectionResetsTheSelectionToTheFirstItemFirst) {
    Pooled<ComboBox> combo(newComboBox(120));
    Recorder changes;
    combo->addSelectionListener(&changes);
    for (int32_t key : {10, 20, 30, 40}) combo->addItem(keyed(L"item", key));
    combo->selectByKey(30, true);
    EXPECT_EQ(combo->getSelectedIndex(), 2);
    EXPECT_EQ(changes.calls.load(), 1);
    combo->selectByKey(99, true);  // no such key: nothing changes
    EXPECT_EQ(combo->getSelectedIndex(), 2);
    combo->deleteByKey(40);
    EXPECT_EQ(combo->getItemCount(), 3u);
    EXPECT_EQ(combo->getSelectedIndex(), 0);  // reset first, without events
    EXPECT_EQ(changes.calls.load(), 1);
    combo->deleteAt(2);
    EXPECT_EQ(combo->getItemCount(), 2u);
    EXPECT_EQ(combo->getSelectedIndex(), 0);
    EXPECT_EQ(combo->getSelectedItem()->getKey(), 10);
    combo->setSelection(1, false);
    combo->deleteAtSelection();  // reset to 0, so item 0 goes, and with it the selection
    EXPECT_EQ(combo->getItemCount(), 1u);
    EXPECT_EQ(combo->getItem(0)->getKey(), 20);
    EXPECT_EQ(combo->getSelectedIndex(), -1);
    EXPECT_EQ(combo->getSelectedItem(), nullptr);
    Pooled<ComboBoxItem> stranger(ComboBoxItem::withCaption(L"not in the list"));
    combo->deleteItem(stranger.get());  // removes and releases nothing
    EXPECT_EQ(combo->getItemCount(), 1u);
    EXPECT_EQ(combo->removeItem(stranger.get()), nullptr);
}

TEST(ComboBox, RemovingTheSelectedItemTellsTheListenersOnceAndLeavesNoSelection) {
    Pooled<ComboBox> combo(newComboBox(120));
    ComboBoxItem* one = keyed(L"One", 1);
    combo->addItem(one);
    combo->addItem(keyed(L"Two", 2));
    combo->setSelection(0, false);
    Recorder changes;
    combo->addSelectionListener(&changes);
    EXPECT_EQ(combo->removeItem(one), one);
    EXPECT_EQ(changes.calls.load(), 1);
    EXPECT_EQ(combo->getSelectedIndex(), -1);
    EXPECT_EQ(combo->getPreviousIndex(), -1);
    one->releaseToPool();
}

// The dropped list is as wide as its widest caption and "0"; from 31 items on it leaves room
// for the scroll bar.
TEST_F(ComboBoxTest, TheDroppedListIsWidenedByTheScrollBarFromThirtyOneItemsOn) {
    int32_t widths[2] = {0, 0};
    for (int32_t n : {30, 31}) {
        ShownBox s;
        ComboBox* combo = s.add(newComboBox(60));  // narrower than the captions
        for (int32_t i = 0; i < n; ++i)
            combo->addItem(ComboBoxItem::withCaption(L"Extra Carefully (Even More Secure)"));
        s.show();
        HWND h = handleOf(combo);
        SendMessageW(h, CB_SHOWDROPDOWN, TRUE, 0);
        EXPECT_TRUE(combo->isDropped());
        widths[n - 30] = static_cast<int32_t>(SendMessageW(h, CB_GETDROPPEDWIDTH, 0, 0));
        SendMessageW(h, CB_SHOWDROPDOWN, FALSE, 0);
        EXPECT_FALSE(combo->isDropped());
    }
    EXPECT_EQ(widths[1] - widths[0], GetSystemMetrics(SM_CXVSCROLL));
}

// Has the combo draw its item into dc, 100 x 20, as the list asks it.
void drawItemInto(HWND combo, int32_t index, HDC dc) {
    DRAWITEMSTRUCT d = {};
    d.CtlType = ODT_COMBOBOX;
    d.CtlID = ComboBox::kControlId;
    d.itemID = static_cast<UINT>(index);
    d.itemAction = ODA_DRAWENTIRE;
    d.hwndItem = combo;
    d.hDC = dc;
    d.rcItem = {0, 0, 100, 20};
    SendMessageW(combo, WM_DRAWITEM, ComboBox::kControlId, reinterpret_cast<LPARAM>(&d));
}

COLORREF drawnPixel(HWND combo, ComboBoxItem* item, int32_t index, int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 100, 20);
    HGDIOBJ old = SelectObject(dc, bitmap);
    (void)item;
    drawItemInto(combo, index, dc);
    COLORREF pixel = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixel;
}

// Headers, separators and thin separators are drawn as the flags of the open list say.
TEST_F(ComboBoxTest, ItemFlagsDrawHeadersAndSeparators) {
    ShownBox s;
    ComboBox* combo = s.add(newComboBox(150));
    ComboBoxItem* header = ComboBoxItem::withCaption(L"Methods");
    ComboBoxItem* separator = ComboBoxItem::withCaption(L"");
    ComboBoxItem* thin = ComboBoxItem::withCaption(L"");
    ComboBoxItem* plain = ComboBoxItem::withCaption(L"Shred Once");
    header->setListFlags(8);
    separator->setListFlags(16);
    thin->setListFlags(32);
    for (ComboBoxItem* i : {header, separator, thin, plain}) combo->addItem(i);
    s.show();
    HWND h = handleOf(combo);
    SendMessageW(h, CB_SHOWDROPDOWN, TRUE, 0);  // the list flags apply while it is open
    EXPECT_EQ(drawnPixel(h, header, 0, 50, 18), RGB(0x55, 0x55, 0x55));
    EXPECT_EQ(drawnPixel(h, header, 0, 0, 0), RGB(255, 255, 255));  // a rounded corner
    EXPECT_EQ(drawnPixel(h, separator, 1, 50, 10), RGB(0xAA, 0xAA, 0xAA));
    EXPECT_EQ(drawnPixel(h, separator, 1, 1, 10), RGB(255, 255, 255));  // inset by 2
    EXPECT_EQ(drawnPixel(h, thin, 2, 50, 10), RGB(0xEE, 0xEE, 0xEE));
    EXPECT_EQ(drawnPixel(h, thin, 2, 6, 10), RGB(255, 255, 255));  // inset by 7
    EXPECT_EQ(drawnPixel(h, plain, 3, 98, 18), RGB(255, 255, 255));
    SendMessageW(h, CB_SHOWDROPDOWN, FALSE, 0);
    // Closed, the same header has no closed flags: a plain row.
    EXPECT_EQ(drawnPixel(h, header, 0, 50, 18), RGB(255, 255, 255));
}


// The text colour an item was drawn in: what the drawing leaves in the device context.
COLORREF drawnTextColour(HWND combo, int32_t index) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    drawItemInto(combo, index, dc);
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
}

// A plain item is written in the combo's text colour; a disabled combo and the flags keep
// their own shades.
TEST_F(ComboBoxTest, PlainItemsAreWrittenInTheTextColour) {
    ShownBox s;
    ComboBox* combo = s.add(newComboBox(150));
    ComboBoxItem* plain = ComboBoxItem::withCaption(L"Shred Once");
    ComboBoxItem* grey = ComboBoxItem::withCaption(L"Greyed");
    grey->setClosedFlags(2);
    combo->addItem(plain);
    combo->addItem(grey);
    combo->setTextColour(0, 100, 200);
    s.show();
    const HWND h = handleOf(combo);
    EXPECT_EQ(RGB(0, 100, 200), drawnTextColour(h, 0));
    EXPECT_EQ(RGB(0x88, 0x88, 0x88), drawnTextColour(h, 1));
    combo->setEnabled(false);
    EXPECT_EQ(RGB(0xA1, 0xA1, 0x92), drawnTextColour(h, 0));
}

// In font preview each caption is measured in the font it names: here faces of the host,
// which Wine 8.0 offers through fontconfig, one of them fixed-pitch.
TEST_F(ComboBoxTest, FontPreviewMeasuresEachCaptionInTheFontItNames) {
    int32_t widths[2] = {0, 0};
    for (bool preview : {false, true}) {
        ShownBox s;
        ComboBox* combo = s.add(newComboBox(40));
        combo->setFontPreview(preview);
        for (const wchar_t* face : {L"DejaVu Sans Mono", L"DejaVu Serif Condensed"})
            combo->addItem(ComboBoxItem::withCaption(face));
        combo->setFontHeight(-30);  // large, so that the faces' widths differ by much
        s.show();
        HWND h = handleOf(combo);
        SendMessageW(h, CB_SHOWDROPDOWN, TRUE, 0);
        widths[preview] = static_cast<int32_t>(SendMessageW(h, CB_GETDROPPEDWIDTH, 0, 0));
        SendMessageW(h, CB_SHOWDROPDOWN, FALSE, 0);
    }
    EXPECT_GT(widths[0], 40);
    EXPECT_NE(widths[1], widths[0]);
}

}  // namespace
}  // namespace s::gui::win
