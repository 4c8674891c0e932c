// tests/s/gui/win/FontOwnerTest.cpp
//
// The font properties of every control with a caption: set before and after the control
// exists, read back, and a larger font measures the control larger.
#include <atomic>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "s/gui/IFont.h"
#include "s/gui/combobox/ComboBoxItem.h"
#include "s/gui/drawer/IButton.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/CheckBox.h"
#include "s/gui/win/ComboBox.h"
#include "s/gui/win/GroupBox.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/RadioButton.h"
#include "support/gui/GuiTest.h"
#include "support/gui/ShownBox.h"

namespace s::gui::win {
namespace {

using tests::gui::saveScreenshot;
using tests::gui::ShownBox;

class FontOwnerTest : public tests::gui::GuiTest {};

struct Row {
    const char* name;
    s::gui::IComponent* component;
    s::gui::IFontOwner* fonts;
    bool measuresCaption;  // its height follows the font (the combo box keeps its own)
};

TEST_F(FontOwnerTest, EveryCaptionedControlTakesTheFontPropertiesAndMeasuresAgain) {
    ShownBox s;
    s.window->setBounds(60, 60, 420, 400);
    Button* button = s.add(newButtonWithText(L"Start", -1, -1));
    CheckBox* check = s.add(newCheckBoxWithText(L"Verify", false));
    RadioButton* radio = s.add(newRadioButton(L"Quick", false));
    Label* label = s.add(newLabelWithText(L"Ready", false, false));
    ComboBox* combo = s.add(newComboBox(160));
    combo->addItem(s::gui::combobox::ComboBoxItem::withCaption(L"Shred Once"));
    GroupBox* group = s.add(newGroupBox(1, 0, 0, L"Drop Box", -1));
    std::vector<Row> rows = {{"button", button, button, true}, {"check box", check, check, true},
                             {"radio button", radio, radio, true}, {"label", label, label, true},
                             {"combo box", combo, combo, false}, {"group box", group, group, true}};
    label->setItalic(true);  // before the control exists: kept and used at creation
    s.show();
    EXPECT_TRUE(label->isItalic());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        int32_t before = row.component->getMinHeight();
        row.fonts->setFontName(L"Tahoma");
        row.fonts->setBold(true);
        row.fonts->setUnderline(true);
        row.fonts->setStrikeOut(true);
        row.fonts->setTextColour(10, 20, 30);
        row.fonts->setFontHeight(-28);
        EXPECT_STREQ(row.fonts->getFontName(), L"Tahoma");
        EXPECT_TRUE(row.fonts->isBold());
        EXPECT_EQ(row.fonts->getFontWeight(), 700);
        EXPECT_TRUE(row.fonts->isUnderline());
        EXPECT_TRUE(row.fonts->isStrikeOut());
        EXPECT_EQ(row.fonts->getTextColour(), static_cast<uint32_t>(RGB(10, 20, 30)));
        EXPECT_EQ(row.fonts->getFontHeight(), -28);
        if (row.measuresCaption) {
            EXPECT_GT(row.component->getMinHeight(), before);
        }
        row.fonts->setFontWeight(400);
        EXPECT_FALSE(row.fonts->isBold());
    }
    EXPECT_FALSE(saveScreenshot(s.window->getHandle(), L"controls_large_fonts").empty());
}


// Records the colour of the font each face is drawn with.
class ColourDrawer final : public s::gui::drawer::IButton {
public:
    std::atomic<uint32_t> colour{0};
    std::atomic<int> draws{0};
    void draw(HDC, int32_t, int32_t, int32_t, int32_t, int32_t, const wchar_t*, bool,
              const s::gui::IFont* font, bool, bool, bool) override {
        colour = font ? font->getTextColour() : 0xFFFFFFFF;
        ++draws;
    }
    bool drawGlyph(HDC, int32_t, int32_t, int32_t, int32_t, const wchar_t*, int32_t, int32_t,
                   int32_t) override {
        return false;
    }
    s::gui::IFontDescription* getCaptionFont() override { return nullptr; }
    s::gui::IFontDescription* getCaptionDisabledFont() override { return nullptr; }
    s::gui::IFontDescription* getSecondTextFont() override { return nullptr; }
    const wchar_t* classId() const override { return L"tests_ColourDrawer"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void releaseToPool() override {}
    void resetForReuse() override {}
};

// The text colour is the normal face's only: disabled and toggled faces keep their own.
TEST_F(FontOwnerTest, AButtonDrawsEachStateWithItsOwnFont) {
    ShownBox s;
    ColourDrawer drawer;
    Button* button = s.add(newButtonWithText(L"Toggle", 100, 28));
    button->setDrawer(&drawer, false);
    button->setToggleMode(true, true, false, false);
    button->setTextColour(200, 0, 0);
    s.show();
    // The face painted after the call: the paint of another thread's window may come late.
    auto drawnColour = [&] {
        int before = drawer.draws.load();
        EXPECT_TRUE(tests::gui::eventually(
            [&] {
                RedrawWindow(tests::gui::handleOf(button), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                return drawer.draws.load() > before;
            },
            3000));
        return drawer.colour.load();
    };
    EXPECT_EQ(drawnColour(), static_cast<uint32_t>(RGB(200, 0, 0)));
    button->setToggled(true);
    EXPECT_NE(drawnColour(), static_cast<uint32_t>(RGB(200, 0, 0)));
    button->setToggled(false);
    button->setEnabled(false);
    EXPECT_NE(drawnColour(), static_cast<uint32_t>(RGB(200, 0, 0)));
    button->setEnabled(true);
    EXPECT_EQ(drawnColour(), static_cast<uint32_t>(RGB(200, 0, 0)));
}

}  // namespace
}  // namespace s::gui::win
