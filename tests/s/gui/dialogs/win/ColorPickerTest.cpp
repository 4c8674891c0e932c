// tests/s/gui/dialogs/win/ColorPickerTest.cpp
//
// The colour dialog driven through the box watcher: it opens at the picker's colour (white
// at first), a colour typed into its red, green and blue fields is taken with OK, and a
// cancel leaves the colour as it was.
#include "s/gui/dialogs/win/ColorPicker.h"

#include <gmock/gmock.h>

#include <atomic>
#include <string>

#include "s/gui/win/Window.h"
#include "s/thread/Pool.h"
#include "support/Pooled.h"
#include "tests/s/gui/dialogs/DialogFixture.h"

namespace s::gui::dialogs::win {
namespace {

using tests::gui::CallThread;

// The dialog's fields for red, green and blue (the system's template ids).
constexpr int kRedField = 706, kGreenField = 707, kBlueField = 708;

std::wstring fieldText(HWND dialog, int id) {
    wchar_t text[16] = {};
    GetDlgItemTextW(dialog, id, text, 16);
    return text;
}

class ColorPickerTest : public tests::gui::DialogFixture {
protected:
    void SetUp() override {
        DialogFixture::SetUp();
        parent->setBounds(80, 80, 300, 200);
        parent->show(true, false);
    }
    tests::Pooled<s::gui::win::Window> parent{s::thread::Pool<s::gui::win::Window, 0>::obtain()};
    tests::Pooled<ColorPicker> picker;
    std::atomic<bool> chosen{false};
};

TEST_F(ColorPickerTest, StartsWhiteAndTakesTheTypedColourWithOk) {
    EXPECT_EQ(0xFFFFFFu, picker->getColor());
    CallThread call([&] { chosen = picker->show(parent.get()); });
    HWND dialog = this->dialog(0);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(L"255", fieldText(dialog, kRedField));
    EXPECT_EQ(L"255", fieldText(dialog, kBlueField));
    SetDlgItemTextW(dialog, kRedField, L"18");
    SetDlgItemTextW(dialog, kGreenField, L"52");
    SetDlgItemTextW(dialog, kBlueField, L"86");
    Sleep(200);
    tests::gui::saveScreenshot(dialog, L"color_picker");
    answer(IDOK);
    ASSERT_TRUE(call.join(20000));
    EXPECT_TRUE(chosen);
    EXPECT_EQ(0x123456u, picker->getColor());
    EXPECT_EQ(0x12, picker->getRed());
    EXPECT_EQ(0x34, picker->getGreen());
    EXPECT_EQ(0x56, picker->getBlue());
}

TEST_F(ColorPickerTest, OpensAtItsColourAndACancelKeepsIt) {
    picker->setColor(10, 20, 30);
    CallThread call([&] { chosen = picker->show(parent.get()); });
    HWND dialog = this->dialog(0);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(L"10", fieldText(dialog, kRedField));
    EXPECT_EQ(L"20", fieldText(dialog, kGreenField));
    EXPECT_EQ(L"30", fieldText(dialog, kBlueField));
    SetDlgItemTextW(dialog, kRedField, L"200");
    answer(IDCANCEL);
    ASSERT_TRUE(call.join(20000));
    EXPECT_FALSE(chosen);
    EXPECT_EQ(0x0A141Eu, picker->getColor());
}

}  // namespace
}  // namespace s::gui::dialogs::win
