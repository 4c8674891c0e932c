// tests/support/program/ProgramWindow.cpp
#include "support/program/ProgramWindow.h"

#include <commctrl.h>

#include <cwchar>

#include "mfc/CWnd.h"
#include "s/gui/IWindow.h"
#include "s/gui/events/IEventListener.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/CheckBox.h"
#include "s/gui/win/ComboBox.h"
#include "s/gui/win/GroupBox.h"
#include "s/gui/win/OnUiThread.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/Messages.h"
#include "s/gui/win/Window.h"

namespace tests::program {

namespace {

constexpr wchar_t kLabel[] = L"s_gui_win_Label";
constexpr wchar_t kStatusBar[] = L"s_gui_win_StatusBar";
constexpr wchar_t kProgressBar[] = L"s_gui_win_ProgressBar";

std::wstring classIdOf(HWND window) {
    auto* object = dynamic_cast<s::base::IObject*>(mfc::CWnd::FromHandlePermanent(window));
    return object ? object->classId() : L"";
}

std::wstring comboText(HWND combo, LRESULT index) {
    if (index < 0) return L"";
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length <= 0) return L"";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(wcslen(text.c_str()));
    return text;
}

// What the control shows; on its own UI thread.
Control describe(HWND window, HWND top) {
    Control c = {window, classIdOf(window), L"", IsWindowVisible(window) != FALSE, false, 0, 0};
    mfc::CWnd* object = mfc::CWnd::FromHandlePermanent(window);
    if (auto* label = dynamic_cast<s::gui::win::Label*>(object)) {
        c.text = label->getText();
    } else if (auto* check = dynamic_cast<s::gui::win::CheckBox*>(object)) {
        c.text = check->getText();
        c.value = check->isChecked() ? 1 : 0;
    } else if (auto* button = dynamic_cast<s::gui::win::Button*>(object)) {
        c.text = button->getText();
    } else if (auto* group = dynamic_cast<s::gui::win::GroupBox*>(object)) {
        c.text = group->getTitle();
    } else if (dynamic_cast<s::gui::win::ComboBox*>(object)) {
        const LRESULT selected = SendMessageW(window, CB_GETCURSEL, 0, 0);
        c.value = static_cast<int32_t>(selected);
        c.range = static_cast<int32_t>(SendMessageW(window, CB_GETCOUNT, 0, 0));
        c.text = comboText(window, selected);
    } else if (c.classId == kProgressBar) {
        c.value = static_cast<int32_t>(SendMessageW(window, PBM_GETPOS, 0, 0));
        c.range = static_cast<int32_t>(SendMessageW(window, PBM_GETRANGE, FALSE, 0));
    }
    for (HWND up = GetParent(window); up && up != top; up = GetParent(up))
        if (classIdOf(up) == kStatusBar) c.inStatusBar = true;
    return c;
}

struct Collect {
    HWND top;
    std::vector<Control> found;
};

BOOL CALLBACK collectChild(HWND window, LPARAM context) {
    auto* collect = reinterpret_cast<Collect*>(context);
    collect->found.push_back(describe(window, collect->top));
    return TRUE;
}

void collectOnUiThread(void* context) {
    auto* collect = static_cast<Collect*>(context);
    EnumChildWindows(collect->top, &collectChild, reinterpret_cast<LPARAM>(collect));
}

std::wstring statusOf(const std::vector<Control>& controls) {
    for (const Control& c : controls)
        if (c.inStatusBar && c.classId == kLabel) return c.text;
    return L"";
}

Control progressOf(const std::vector<Control>& controls) {
    for (const Control& c : controls)
        if (c.classId == kProgressBar) return c;
    return Control{nullptr, L"", L"", false, false, 0, 0};
}

}  // namespace

double now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency;
}

// Listens to the window's user events after the program's own listener (it is added later),
// so what it reads is what the program made of the event.
class ProgramWindow::Tracer final : public s::gui::events::IEventListener {
public:
    explicit Tracer(ProgramWindow* owner) : m_owner(owner) {}
    void onEvent(void*, int32_t code) override {
        if (code != s::gui::kEventUser) return;
        s::gui::win::Window* w = m_owner->m_window;
        m_owner->record(w->getEventName(), w->getEventValue1(), w->getEventValue2(), w->getEventText());
    }

private:
    ProgramWindow* m_owner;
};

ProgramWindow::ProgramWindow(HWND window)
    : m_handle(window),
      m_window(dynamic_cast<s::gui::win::Window*>(mfc::CWnd::FromHandlePermanent(window))),
      m_tracer(new Tracer(this)),
      m_start(now()) {
    if (!m_window) return;
    if (!s::gui::win::onUiThread(m_handle, [this] { m_window->addUserEventListener(m_tracer); }, 5000))
        m_window = nullptr;
}

ProgramWindow::~ProgramWindow() {
    // A window that has gone took its listener list with it.
    if (m_window && IsWindow(m_handle))
        s::gui::win::onUiThread(m_handle, [this] { m_window->removeListener(s::gui::kEventUser, m_tracer); }, 5000);
    delete m_tracer;
}

std::wstring ProgramWindow::title() const {
    wchar_t caption[256] = {};
    InternalGetWindowText(m_handle, caption, 256);
    return caption;
}

std::vector<Control> controlsOf(HWND window, uint32_t limitMs) {
    Collect collect = {window, {}};
    if (!s::gui::win::onUiThread(window, [&] { collectOnUiThread(&collect); }, limitMs)) return {};
    return collect.found;
}

std::vector<Control> ProgramWindow::controls(uint32_t limitMs) const { return controlsOf(m_handle, limitMs); }

Control ProgramWindow::find(const wchar_t* classId, const wchar_t* text) const {
    for (const Control& c : controls())
        if (c.classId == classId && (!*text || c.text == text)) return c;
    return Control{nullptr, L"", L"", false, false, 0, 0};
}

std::vector<std::wstring> ProgramWindow::visibleTexts() const {
    std::vector<std::wstring> texts;
    for (const Control& c : controls())
        if (c.visible && !c.text.empty()) texts.push_back(c.text);
    return texts;
}

HWND ProgramWindow::dropArea(const wchar_t* title) const {
    const Control group = find(L"s_gui_win_GroupBox", title);
    if (!group.handle) return nullptr;
    for (const Control& c : controls()) {
        if (!IsChild(group.handle, c.handle) && GetParent(c.handle) != GetParent(group.handle)) continue;
        if (c.handle == group.handle) continue;
        if (!(GetWindowLongW(c.handle, GWL_EXSTYLE) & WS_EX_ACCEPTFILES)) continue;
        // The content of the group box: below it, or laid over it by the same parent.
        RECT inner = {}, outer = {};
        GetWindowRect(c.handle, &inner);
        GetWindowRect(group.handle, &outer);
        if (IsChild(group.handle, c.handle) || (inner.left >= outer.left && inner.right <= outer.right &&
                                                 inner.top >= outer.top && inner.bottom <= outer.bottom))
            return c.handle;
    }
    return nullptr;
}

std::wstring ProgramWindow::statusText() const { return statusOf(controls()); }

Control ProgramWindow::progressBar() const { return progressOf(controls()); }

bool ProgramWindow::drop(HWND area, HGLOBAL block, uint32_t limitMs) const {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(area, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0, SMTO_NORMAL, limitMs,
                               &answer) != 0;
}

void ProgramWindow::postDrop(HWND area, HGLOBAL block) const {
    PostMessageW(area, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
}

bool ProgramWindow::click(const Control& button) const {
    DWORD_PTR answer = 0;
    return button.handle &&
           SendMessageTimeoutW(button.handle, BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &answer) != 0;
}

// As the list does when the user picks an item: the selection, then its notice to the
// parent, which hands it back to the control.
bool ProgramWindow::chooseInCombo(const Control& combo, int32_t index) const {
    if (!combo.handle) return false;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(combo.handle, CB_SETCURSEL, index, 0, SMTO_NORMAL, 5000, &answer)) return false;
    const WPARAM notice = MAKEWPARAM(GetDlgCtrlID(combo.handle), CBN_SELCHANGE);
    return SendMessageTimeoutW(GetParent(combo.handle), WM_COMMAND, notice, reinterpret_cast<LPARAM>(combo.handle),
                               SMTO_NORMAL, 5000, &answer) != 0;
}

// A pick in one of the menu bar's drop-downs comes back to the bar as WM_COMMAND.
void ProgramWindow::menuCommand(int32_t id) const {
    for (const Control& c : controls())
        if (c.classId == L"s_gui_win_MenuEx") {
            PostMessageW(c.handle, WM_COMMAND, static_cast<WPARAM>(id), 0);
            return;
        }
}

void ProgramWindow::record(const wchar_t* name, int32_t value1, int32_t value2, const wchar_t* text) {
    TracedEvent event = {now() - m_start, name ? name : L"", value1, value2, text ? text : L"", L"", 0, 0};
    // On the UI thread: what the window shows now is what the program made of the event.
    Collect collect = {m_handle, {}};
    collectOnUiThread(&collect);
    event.status = statusOf(collect.found);
    const Control bar = progressOf(collect.found);
    event.progress = bar.value;
    event.progressRange = bar.range;
    std::lock_guard<std::mutex> lock(m_lock);
    m_trace.push_back(event);
}

std::vector<TracedEvent> ProgramWindow::trace() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_trace;
}

void ProgramWindow::clearTrace() {
    std::lock_guard<std::mutex> lock(m_lock);
    m_trace.clear();
}

size_t ProgramWindow::countOf(const wchar_t* name) const {
    std::lock_guard<std::mutex> lock(m_lock);
    size_t n = 0;
    for (const TracedEvent& e : m_trace) n += e.name == name ? 1 : 0;
    return n;
}

bool ProgramWindow::waitForEvent(const wchar_t* name, uint32_t limitMs) const {
    const DWORD start = GetTickCount();
    while (countOf(name) == 0) {
        if (GetTickCount() - start > limitMs) return countOf(name) > 0;
        Sleep(10);
    }
    return true;
}

}  // namespace tests::program
