// tests/s/gui/win/ControlColourTest.cpp
//
// What every control answers to its colour request, asked as its parent asks it (the
// reflected WM_CTLCOLOR): the brush, the text background and the text colour, for an own
// background, an inherited one and one that resolves to nothing.
#include "s/gui/win/ControlColour.h"

#include <functional>
#include <string>

#include <gmock/gmock.h>

#include "s/gui/IContainer.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/CheckBox.h"
#include "s/gui/win/ComboBox.h"
#include "s/gui/win/GroupBox.h"
#include "s/gui/win/Messages.h"
#include "s/gui/win/RadioButton.h"
#include "s/gui/win/TextField.h"
#include "support/gui/GuiTest.h"
#include "support/gui/ShownBox.h"

namespace s::gui::win {
namespace {

using tests::gui::handleOf;
using tests::gui::ShownBox;

class ControlColourTest : public tests::gui::GuiTest {};

struct Answer {
    bool hollow;
    COLORREF brush;  // the solid brush's colour (when not hollow)
    COLORREF background;
    int mode;
    COLORREF text;
};

// The request as the parent's class procedure passes it on: the control's DC and handle.
Answer ask(HWND control) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(4, 5, 6));
    SetBkMode(dc, OPAQUE);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(control, kReflectColour, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    LOGBRUSH shape = {};
    GetObjectW(brush, sizeof(shape), &shape);
    Answer answer = {shape.lbStyle == BS_HOLLOW, shape.lbColor, GetBkColor(dc), GetBkMode(dc), GetTextColor(dc)};
    DeleteDC(dc);
    return answer;
}

struct Control {
    const char* name;
    std::function<s::gui::IComponent*()> make;
    std::function<void(s::gui::IComponent*)> textRed;  // gives the control a red text
    std::function<void(s::gui::IComponent*)> ownPurple;  // a background of its own
};

template <class C>
void redText(s::gui::IComponent* c) {
    dynamic_cast<C*>(c)->setTextColour(200, 0, 0);
}

void purple(s::gui::IComponent* c) { c->setBackgroundColour(90, 40, 160, false); }
// A field's own colour is the one it is typed on.
void purpleField(s::gui::IComponent* c) { dynamic_cast<TextField*>(c)->setFieldColour(90, 40, 160); }

const Control kControls[] = {
    {"button", [] { return newButtonWithText(L"Push", -1, -1); }, &redText<Button>, &purple},
    {"check box", [] { return newCheckBoxWithText(L"Tick", false); }, &redText<CheckBox>, &purple},
    {"radio button", [] { return newRadioButton(L"Dot", false); }, &redText<RadioButton>, &purple},
    {"group box", [] { return newGroupBox(1, 0, 0, L"Frame", -1); }, &redText<GroupBox>, &purple},
    {"text field", [] { return newTextField(); }, &redText<TextField>, &purpleField},
};

// Every control of the table with its own colour, and with the inherited background of the
// window behind it: the text always in the control's text colour.
TEST_F(ControlColourTest, OwnAndInheritedBackgroundsComeWithTheTextColour) {
    for (const Control& kind : kControls) {
        SCOPED_TRACE(kind.name);
        ShownBox s;
        s.box->setBackgroundColour(10, 120, 30, false);
        s::gui::IComponent* own = s.add(kind.make());
        s::gui::IComponent* inherited = s.add(kind.make());
        kind.ownPurple(own);
        inherited->setBackgroundInherited(false);
        kind.textRed(own);
        kind.textRed(inherited);
        s.show();
        Answer a = ask(handleOf(own));
        EXPECT_FALSE(a.hollow);
        EXPECT_EQ(RGB(90, 40, 160), a.brush);
        EXPECT_EQ(RGB(90, 40, 160), a.background);
        EXPECT_EQ(RGB(200, 0, 0), a.text);
        Answer b = ask(handleOf(inherited));
        EXPECT_FALSE(b.hollow);
        EXPECT_EQ(RGB(10, 120, 30), b.brush);  // the box's, which the control sits on
        EXPECT_EQ(RGB(10, 120, 30), b.background);
        EXPECT_EQ(RGB(200, 0, 0), b.text);
    }
}

// A parent without a background of its own whose chain ends in none: seen through.
class ClearPanel final : public ComponentBase<s::gui::IContainer> {
public:
    ClearPanel() { m_backgroundInherited = true; }
    s::gui::IComponent* getParent() const override { return nullptr; }
    void doLayout() override {}
    s::gui::layout::ILayoutManager* getLayoutManager() const override { return nullptr; }
    void setLayoutManager(s::gui::layout::ILayoutManager*) override {}
    bool isContainer() const override { return true; }
    const wchar_t* classId() const override { return L"tests_gui_ClearPanel"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void releaseToPool() override {
        resetForReuse();
        delete this;
    }
};

TEST_F(ControlColourTest, ABackgroundThatResolvesToNoneIsSeenThrough) {
    for (const Control& kind : kControls) {
        SCOPED_TRACE(kind.name);
        ShownBox s;
        auto* panel = s.add(new ClearPanel);
        panel->setFixedSize(200, 60);
        s::gui::IComponent* control = kind.make();
        panel->addChild(control);
        control->setBackgroundInherited(false);
        kind.textRed(control);
        s.show();
        ASSERT_NE(nullptr, handleOf(control));
        Answer a = ask(handleOf(control));
        EXPECT_TRUE(a.hollow);
        EXPECT_EQ(TRANSPARENT, a.mode);
        EXPECT_EQ(RGB(200, 0, 0), a.text);
    }
}

// The combo box and its list: seen through over an inherited background; else its colour,
// or the button face while disabled; the text colour is its font's.
TEST_F(ControlColourTest, TheComboBoxAndItsListAnswerEveryColourRequest) {
    ShownBox s;
    ComboBox* combo = s.add(newComboBox(120));
    combo->setTextColour(200, 0, 0);
    s.show();
    const HWND h = handleOf(combo);
    for (UINT request : {UINT(0x0019), UINT(WM_CTLCOLORLISTBOX), kReflectColour}) {
        SCOPED_TRACE(request);
        HDC dc = CreateCompatibleDC(nullptr);
        auto brush = reinterpret_cast<HBRUSH>(SendMessageW(h, request, reinterpret_cast<WPARAM>(dc), 0));
        LOGBRUSH shape = {};
        ASSERT_TRUE(GetObjectW(brush, sizeof(shape), &shape));
        EXPECT_EQ(RGB(255, 255, 255), shape.lbColor);  // the combo's own white
        EXPECT_EQ(RGB(200, 0, 0), GetTextColor(dc));
        DeleteDC(dc);
    }
    combo->setEnabled(false);
    Answer disabled = ask(h);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), disabled.brush);
    combo->setBackgroundInherited(false);
    Answer through = ask(h);
    EXPECT_TRUE(through.hollow);
    EXPECT_EQ(TRANSPARENT, through.mode);
}

}  // namespace
}  // namespace s::gui::win
