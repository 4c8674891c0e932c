// tests/s/gui/win/TextFieldTest.cpp
//
// The edit field stored before it has a window, then made on a Window's UI thread and
// driven by the program and by real keyboard input; every native effect is read back.
#include "s/gui/win/TextField.h"

#include <atomic>
#include <functional>
#include <cstdlib>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "s/gui/win/UiScale.h"
#include "s/gui/win/Window.h"
#include "support/Pooled.h"
#include "support/gui/Fakes.h"
#include "support/gui/GuiTest.h"
#include "support/gui/StayPut.h"
#include "support/gui/ScreenLock.h"
#include "support/gui/TestPanel.h"

namespace s::gui::win {
namespace {

using tests::Pooled;
using tests::gui::eventually;
using tests::gui::phase;
using tests::gui::Recorder;
using tests::gui::saveScreenshot;

Window* newWindow() { return s::thread::Pool<Window, 0>::obtain(); }

void typeText(const std::wstring& text) {
    for (wchar_t c : text) {
        INPUT keys[2] = {};
        for (INPUT& k : keys) {
            k.type = INPUT_KEYBOARD;
            k.ki.wScan = c;
            k.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
        Sleep(5);
    }
}

COLORREF screenPixel(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

// What the field asked the system for; an edit control turns WS_BORDER into a client edge.
std::atomic<DWORD> g_editStyle{0};
std::atomic<bool> g_refuseEdit{false};

HWND WINAPI recordingCreate(DWORD exStyle, LPCWSTR className, LPCWSTR name, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
    const bool edit = !IS_INTRESOURCE(className) && lstrcmpiW(className, L"EDIT") == 0;
    if (edit) g_editStyle = style;
    if (edit && g_refuseEdit) return nullptr;
    return CreateWindowExW(exStyle, className, name, style, x, y, width, height, parent, menu,
                           instance, param);
}

// The font the edit control paints with, as the system holds it.
LOGFONTW nativeFont(HWND edit) {
    LOGFONTW font = {};
    HFONT handle = reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0));
    if (handle) GetObjectW(handle, sizeof(font), &font);
    return font;
}

class TextFieldTest : public tests::gui::GuiTest {
protected:
    // A shown window holding the field at 10,10 (200 x 26).
    void show(TextField* field) {
        window.reset(new Pooled<Window>(newWindow()));
        (*window)->setLayoutManager(tests::gui::StayPut::shared());
        (*window)->setBounds(tests::gui::kQuietCornerX, tests::gui::kQuietCornerY, 320, 200);
        field->setBounds(10, 10, 200, 26);
        (*window)->addChild(field);
        (*window)->show(true, false);
        (*window)->bringToFront(true);
    }
    void SetUp() override {
        GuiTest::SetUp();
        screen = std::make_unique<tests::gui::ScreenLock>();
        g_editStyle = 0;
        g_refuseEdit = false;
        mfc::CWnd::setCreateWindowFunction(&recordingCreate);
    }
    void TearDown() override {
        window.reset();
        mfc::CWnd::setCreateWindowFunction(nullptr);
        screen.reset();
        GuiTest::TearDown();
    }
    std::unique_ptr<tests::gui::ScreenLock> screen;
    std::unique_ptr<Pooled<Window>> window;
};

TEST_F(TextFieldTest, KeepsItsStateWithoutAWindowAndTakesItWhenMade) {
    TextField* field = newTextField();
    EXPECT_STREQ(field->getText(), L"");
    EXPECT_TRUE(field->isEmpty());
    EXPECT_EQ(field->getContentTargetWidth(), 50 * uiScale());
    EXPECT_EQ(field->getContentMinHeight(), 24 * uiScale());
    field->setPassword(true);
    field->setText(L"secret", true);
    field->setEditable(false);
    EXPECT_EQ(field->m_hWnd, nullptr);
    show(field);
    HWND edit = field->m_hWnd;
    ASSERT_NE(edit, nullptr);
    wchar_t className[16] = {};
    GetClassNameW(edit, className, 16);
    EXPECT_STREQ(className, L"Edit");
    EXPECT_EQ(g_editStyle.load(), 0x40810080u);
    EXPECT_EQ(GetDlgCtrlID(edit), 1001);
    EXPECT_EQ(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), L'*');
    EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
    EXPECT_STREQ(field->getText(), L"secret");
    EXPECT_FALSE(saveScreenshot((*window)->getHandle(), L"textfield_password").empty());
    field->setPassword(false);
    EXPECT_EQ(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), 0);
    field->setEditable(true);
    EXPECT_FALSE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
}

TEST_F(TextFieldTest, AFieldThatCannotBeMadeSaysSo) {
    g_refuseEdit = true;
    TextField* field = newTextField();
    show(field);
    EXPECT_EQ(field->m_hWnd, nullptr);
    ASSERT_TRUE(watcher->waitForBoxes(1, 5000));
    EXPECT_EQ(watcher->boxes()[0].caption, L"Error!");
    EXPECT_EQ(watcher->boxes()[0].text, L"Window Creation Failed!");
}

TEST_F(TextFieldTest, ProgramChangesNotifyOnlyWhenAskedAndTheSwitchComesBack) {
    TextField* field = newTextField();
    Recorder changes;
    field->addChangeListener(&changes);
    show(field);
    field->setText(L"quiet", false);
    EXPECT_EQ(changes.calls, 0);
    EXPECT_STREQ(field->getText(), L"quiet");
    field->setText(L"loud", true);
    EXPECT_EQ(changes.calls, 1);
    EXPECT_EQ(changes.lastCode, ITextField::kChanged);
    EXPECT_EQ(changes.lastSource, static_cast<IComponent*>(field));
    field->clear();
    EXPECT_EQ(changes.calls, 2);
    EXPECT_TRUE(field->isEmpty());
}

TEST_F(TextFieldTest, TypedTextNotifiesAndLosingFocusIsHeard) {
    TextField* field = newTextField();
    auto* other = s::thread::Pool<tests::gui::TestPanel>::obtain();  // the window's child
    Recorder changes, focusLost;
    field->addChangeListener(&changes);
    field->addFocusLostListener(&focusLost);
    show(field);
    other->setBounds(10, 60, 50, 20);
    (*window)->addChild(other);
    phase("type");
    HWND edit = field->m_hWnd;
    Window* w = window->get();
    // Another test process may take the keyboard between our focus and a key: a key that
    // went elsewhere typed nothing here and is pressed again.
    for (wchar_t c : std::wstring(L"abc")) {
        const size_t before = wcslen(field->getText());
        for (int attempt = 0; attempt < 5 && wcslen(field->getText()) == before; ++attempt) {
            ASSERT_TRUE(tests::gui::takeKeyboard(
                w->getHandle(), edit,
                [&] { onUiThread(*w, [edit] { SetFocus(edit); }, kWaitForever); }, 5000));
            SendMessageW(edit, EM_SETSEL, before, before);  // the caret at the end
            typeText(std::wstring(1, c));
            eventually([&] { return wcslen(field->getText()) != before; }, 1000);
        }
    }
    EXPECT_TRUE(eventually([&] { return std::wstring(field->getText()) == L"abc"; }, 5000));
    EXPECT_EQ(std::wstring(field->getText()), L"abc");
    EXPECT_EQ(changes.calls, 3);
    EXPECT_EQ(changes.lastCode, ITextField::kChanged);
    EXPECT_FALSE(saveScreenshot((*window)->getHandle(), L"textfield_typed").empty());
    phase("move the focus away");
    HWND away = other->m_hWnd;
    // A parallel test that took the foreground meanwhile took the focus too: the field
    // gets it back first, and the count is taken from there.
    ASSERT_TRUE(tests::gui::takeKeyboard(
        w->getHandle(), edit, [&] { onUiThread(*w, [edit] { SetFocus(edit); }, kWaitForever); }, 5000));
    const int lost = focusLost.calls;
    onUiThread(*w, [&] { SetFocus(away); }, kWaitForever);
    EXPECT_TRUE(eventually([&] { return focusLost.calls == lost + 1; }, 5000));
    EXPECT_EQ(focusLost.lastCode, ITextField::kFocusLost);
}

TEST_F(TextFieldTest, ALongTextIsReadWhole) {
    TextField* field = newTextField();
    show(field);
    std::wstring text;
    for (int i = 0; i < 10000; ++i) text += static_cast<wchar_t>(L'a' + i % 26);
    SendMessageW(field->m_hWnd, EM_SETLIMITTEXT, 20000, 0);
    field->setText(text.c_str(), false);
    EXPECT_EQ(GetWindowTextLengthW(field->m_hWnd), 10000);
    EXPECT_EQ(std::wstring(field->getText()), text);
}

TEST_F(TextFieldTest, ReadOnlyAndDisabledFieldsPaintOnTheButtonFace) {
    TextField* field = newTextField();
    field->setFieldColour(255, 255, 255);
    show(field);
    HWND edit = field->m_hWnd;
    // Read again after a repaint until it shows: a window of a parallel test may pass over.
    auto shows = [&](COLORREF colour) {
        return eventually(
            [&] {
                (*window)->bringToFront(true);
                RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                return screenPixel(edit, 150, 10) == colour;
            },
            3000);
    };
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    ASSERT_NE(face, RGB(255, 255, 255));
    EXPECT_TRUE(shows(RGB(255, 255, 255)));
    field->setEditable(false);
    EXPECT_TRUE(shows(face));
    EXPECT_FALSE(saveScreenshot((*window)->getHandle(), L"textfield_readonly").empty());
    field->setEditable(true);
    field->setEnabled(false);
    EXPECT_TRUE(shows(face));
    field->setEnabled(true);
    EXPECT_TRUE(shows(RGB(255, 255, 255)));
}

TEST_F(TextFieldTest, EveryFontSettingReachesTheNativeFieldBeforeAndAfterItIsMade) {
    struct Case {
        const char* name;
        std::function<void(TextField*)> set;
        std::function<bool(const LOGFONTW&)> shows;
    };
    const LONG plainHeight = [] {
        Pooled<TextField> plain(newTextField());
        return plain->getFontHeight();
    }();
    const std::vector<Case> cases = {
        {"bold", [](TextField* f) { f->setBold(true); },
         [](const LOGFONTW& l) { return l.lfWeight == 700; }},
        {"height", [](TextField* f) { f->setFontHeight(-31); },
         [](const LOGFONTW& l) { return l.lfHeight == -31; }},
        {"width", [](TextField* f) { f->setFontWidth(9); },
         [](const LOGFONTW& l) { return l.lfWidth == 9; }},
        {"italic", [](TextField* f) { f->setItalic(true); },
         [](const LOGFONTW& l) { return l.lfItalic != 0; }},
        {"underline", [](TextField* f) { f->setUnderline(true); },
         [](const LOGFONTW& l) { return l.lfUnderline != 0; }},
        {"strike-out", [](TextField* f) { f->setStrikeOut(true); },
         [](const LOGFONTW& l) { return l.lfStrikeOut != 0; }},
        {"weight", [](TextField* f) { f->setFontWeight(600); },
         [](const LOGFONTW& l) { return l.lfWeight == 600; }},
        {"face", [](TextField* f) { f->setFaceName(L"Courier New"); },
         [](const LOGFONTW& l) { return std::wstring(l.lfFaceName) == L"Courier New"; }},
        // Size code 10 asks for 20 points: twice the plain 10 points.
        {"size code", [](TextField* f) { f->setFontSizeCode(10); },
         [plainHeight](const LOGFONTW& l) { return std::labs(l.lfHeight) > std::labs(plainHeight); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (bool madeFirst : {false, true}) {
            SCOPED_TRACE(madeFirst ? "set on the made field" : "set before it is made");
            TextField* field = newTextField();
            if (!madeFirst) c.set(field);
            show(field);
            ASSERT_NE(field->m_hWnd, nullptr);
            if (madeFirst) {
                EXPECT_FALSE(c.shows(nativeFont(field->m_hWnd)));
                c.set(field);
            }
            EXPECT_TRUE(c.shows(nativeFont(field->m_hWnd)));
            window.reset();
        }
    }
    TextField* field = newTextField();
    field->setTextColour(200, 10, 20);
    EXPECT_EQ(field->getTextColour(), RGB(200, 10, 20));
    show(field);
    RedrawWindow(field->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(saveScreenshot((*window)->getHandle(), L"textfield_coloured").empty());
}

TEST_F(TextFieldTest, KeepsItsNumbersForTheOwnerUntilItGoesBackToThePool) {
    TextField* field = newTextField();
    EXPECT_EQ(field->getIntegerCount(), 0u);
    field->addInteger(7);
    field->addInteger(-3);
    ASSERT_EQ(field->getIntegerCount(), 2u);
    EXPECT_EQ(field->getInteger(0), 7);
    EXPECT_EQ(field->getInteger(1), -3);
    field->resetForReuse();
    EXPECT_EQ(field->getIntegerCount(), 0u);
    field->releaseToPool();
}

TEST_F(TextFieldTest, APasswordFieldTakesTypedTextAndShowsOnlyStars) {
    TextField* field = newTextField();
    field->setPassword(true);
    Recorder changes;
    field->addChangeListener(&changes);
    show(field);
    HWND edit = field->m_hWnd;
    Window* w = window->get();
    for (wchar_t c : std::wstring(L"pw")) {
        const size_t before = wcslen(field->getText());
        for (int attempt = 0; attempt < 5 && wcslen(field->getText()) == before; ++attempt) {
            ASSERT_TRUE(tests::gui::takeKeyboard(
                w->getHandle(), edit,
                [&] { onUiThread(*w, [edit] { SetFocus(edit); }, kWaitForever); }, 5000));
            SendMessageW(edit, EM_SETSEL, before, before);
            typeText(std::wstring(1, c));
            eventually([&] { return wcslen(field->getText()) != before; }, 1000);
        }
    }
    EXPECT_EQ(std::wstring(field->getText()), L"pw");
    EXPECT_EQ(changes.calls, 2);
    EXPECT_EQ(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), L'*');
    EXPECT_FALSE(saveScreenshot((*window)->getHandle(), L"textfield_password_typed").empty());
}

TEST_F(TextFieldTest, SelectingAllFromAnotherThreadTakesTheFocusAndTheWholeText) {
    TextField* field = newTextField();
    field->setText(L"hello world", false);
    show(field);
    HWND edit = field->m_hWnd;
    Window* w = window->get();
    SendMessageW(edit, EM_SETSEL, 3, 3);
    field->postSelectAll();  // the field's own thread selects
    DWORD start = 0, end = 0;
    EXPECT_TRUE(eventually(
        [&] {
            SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            return start == 0 && end == 11;
        },
        3000))
        << start << ".." << end;
    HWND focused = nullptr;
    onUiThread(*w, [&] { focused = GetFocus(); }, kWaitForever);
    EXPECT_EQ(focused, edit);
    EXPECT_FALSE(saveScreenshot((*window)->getHandle(), L"textfield_selected").empty());
}

}  // namespace
}  // namespace s::gui::win
