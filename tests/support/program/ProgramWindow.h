// tests/support/program/ProgramWindow.h
//
// The user's view of one of the program's windows in the test's own process: its controls
// as they are now (read on the window's UI thread, so a text is never read while that
// thread changes it), and the user's acts on them: a drop of paths on the drop area, a
// click of a button, a choice in a combo box, a menu command. Every act goes to the
// controls as the system delivers it (WM_DROPFILES, BM_CLICK, CBN_SELCHANGE, WM_COMMAND).
//
// It also keeps a trace of the window's user events (the reports of a run: start, updates,
// end), each with the time it arrived and what the window showed once the program had
// handled it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace s::gui::win {
class Window;
}  // namespace s::gui::win

namespace tests::program {

// One control as the user sees it.
struct Control {
    HWND handle;
    std::wstring classId;  // the toolkit's class id ("s_gui_win_Label"), or "" for others
    std::wstring text;     // label and button texts, the group box title, the combo's selection
    bool visible;          // shown, and every window above it shown
    bool inStatusBar;
    int32_t value;         // progress bar position, combo selection, check state; else 0
    int32_t range;         // progress bar maximum, combo item count; else 0
};

// One user event of the window and what it showed right after the program handled it.
struct TracedEvent {
    double at;  // seconds since the trace began
    std::wstring name;
    int32_t value1, value2;
    std::wstring text;
    std::wstring status;    // the status label's text then
    int32_t progress;       // the progress bar's position then
    int32_t progressRange;  // its maximum
};

class ProgramWindow {
public:
    // A window of this process made by the toolkit; the trace of its user events begins.
    explicit ProgramWindow(HWND window);
    ~ProgramWindow();
    ProgramWindow(const ProgramWindow&) = delete;
    ProgramWindow& operator=(const ProgramWindow&) = delete;

    bool ok() const { return m_window != nullptr; }
    // The toolkit's window object (for its localizer); its operations belong to its threads.
    s::gui::win::Window* toolkitWindow() const { return m_window; }
    HWND handle() const { return m_handle; }
    std::wstring title() const;

    // Every control below the window, in window order; empty when the UI thread did not
    // answer within limitMs.
    std::vector<Control> controls(uint32_t limitMs = 5000) const;
    // The first control of the class id whose text is `text` ("" for any), else a null handle.
    Control find(const wchar_t* classId, const wchar_t* text) const;
    std::vector<std::wstring> visibleTexts() const;

    // The box that takes the drop inside the group box titled `title` (the first window
    // below it that accepts files), or null.
    HWND dropArea(const wchar_t* title) const;
    // The status bar's first label: the status line.
    std::wstring statusText() const;
    Control progressBar() const;

    // The user's acts. A drop hands the window a block made by newDropBlock (the receiver
    // frees it); false when the window did not take it within limitMs.
    bool drop(HWND area, HGLOBAL block, uint32_t limitMs = 60000) const;
    // Posted rather than sent where the program may answer with a question window of its
    // own: the caller goes on and answers it.
    void postDrop(HWND area, HGLOBAL block) const;
    bool click(const Control& button) const;
    bool chooseInCombo(const Control& combo, int32_t index) const;
    void menuCommand(int32_t id) const;

    std::vector<TracedEvent> trace() const;
    // When the trace began (seconds of now()); the events' times count from it.
    double startedAt() const { return m_start; }
    void clearTrace();
    // True once an event of that name was traced, waiting up to limitMs.
    bool waitForEvent(const wchar_t* name, uint32_t limitMs) const;
    size_t countOf(const wchar_t* name) const;

private:
    class Tracer;
    void record(const wchar_t* name, int32_t value1, int32_t value2, const wchar_t* text);

    HWND m_handle;
    s::gui::win::Window* m_window;
    Tracer* m_tracer;
    double m_start;
    mutable std::mutex m_lock;
    std::vector<TracedEvent> m_trace;
};

// The controls of any toolkit window of this process, read on its UI thread; empty when
// that thread did not answer within limitMs.
std::vector<Control> controlsOf(HWND window, uint32_t limitMs);

// Seconds from the performance counter.
double now();

}  // namespace tests::program
