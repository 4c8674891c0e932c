// tests/support/program/QuestionWatcher.cpp
#include "support/program/QuestionWatcher.h"

#include "support/gui/GuiHarness.h"
#include "support/program/InProcessProgram.h"
#include "support/program/ProgramWindow.h"

namespace tests::program {

namespace {

constexpr DWORD kScanStepMs = 20;
constexpr DWORD kAnswerLimitMs = 5000;

bool clickByText(const std::vector<Control>& controls, const std::wstring& text) {
    for (const Control& c : controls) {
        if (c.text != text) continue;
        if (c.classId != L"s_gui_win_Button" && c.classId != L"s_gui_win_CheckBox") continue;
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutW(c.handle, BM_CLICK, 0, 0, SMTO_NORMAL, kAnswerLimitMs, &ignored) != 0;
    }
    return false;
}

}  // namespace

QuestionWatcher::QuestionWatcher(const wchar_t* title, const wchar_t* answer, const wchar_t* tickText)
    : m_title(title), m_answer(answer ? answer : L""), m_tick(tickText ? tickText : L"") {
    m_thread = CreateThread(nullptr, 0, &run, this, 0, nullptr);
}

QuestionWatcher::~QuestionWatcher() {
    m_stop = true;
    WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
}

void QuestionWatcher::setAnswer(const wchar_t* answer, const wchar_t* tickText) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_answer = answer ? answer : L"";
    m_tick = tickText ? tickText : L"";
}

void QuestionWatcher::setScreenshotName(const wchar_t* name) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_screenshot = name ? name : L"";
}

std::vector<SeenQuestion> QuestionWatcher::seen() {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_seen;
}

bool QuestionWatcher::waitFor(size_t count, uint32_t limitMs) {
    return tests::gui::eventually([&] { return seen().size() >= count; }, limitMs);
}

DWORD WINAPI QuestionWatcher::run(void* self) {
    auto* watcher = static_cast<QuestionWatcher*>(self);
    while (!watcher->m_stop) {
        watcher->scan();
        Sleep(kScanStepMs);
    }
    return 0;
}

// A window handle may come back for a later question: a window counts as new once the one
// answered last has gone.
void QuestionWatcher::scan() {
    HWND window = findTopWindow(m_title.c_str(), false);
    if (!window) {
        m_last = nullptr;
        return;
    }
    if (window == m_last) return;
    answer(window);
    m_last = window;
}

void QuestionWatcher::answer(HWND window) {
    std::wstring answer, tick, screenshot;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        answer = m_answer;
        tick = m_tick;
        screenshot = m_screenshot;
    }
    // Its controls are made on its own thread right after the window: wait for the buttons.
    std::vector<Control> controls;
    for (int tries = 0; tries < 100; ++tries) {
        controls = controlsOf(window, kAnswerLimitMs);
        bool buttons = false;
        for (const Control& c : controls) buttons = buttons || (c.classId == L"s_gui_win_Button" && c.visible);
        if (buttons) break;
        Sleep(kScanStepMs);
    }
    SeenQuestion seen = {window, {}, answer.empty() ? L"close" : answer, false};
    for (const Control& c : controls)
        if (c.visible && !c.text.empty()) seen.texts.push_back(c.text);
    if (!screenshot.empty()) tests::gui::saveScreenshot(window, screenshot.c_str());
    if (!tick.empty()) seen.ticked = clickByText(controls, tick);
    DWORD_PTR ignored = 0;
    if (answer.empty() || !clickByText(controls, answer)) {
        SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL, kAnswerLimitMs, &ignored);
        if (!answer.empty()) seen.answer = L"close (no button " + answer + L")";
    }
    std::lock_guard<std::mutex> lock(m_lock);
    m_seen.push_back(seen);
}

}  // namespace tests::program
