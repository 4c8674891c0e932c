// bench/WindowBench.cpp
//
// The program's window during a run, measured in the same run beside the console driver:
//   - how long a message sent to the window takes to come back (WM_NULL every 20 ms from a
//     thread of its own while the run lasts; max and median; target within 100 ms);
//   - how old the progress shown is (the longest time between two reports of the run that
//     reached the window, and the largest age seen by the same sampler; target never over
//     0.5 s);
//   - the wipe speed of a run started by a drop on the window (from the run's start report
//     to its end report; the time from the drop, with the confirmation, is printed too)
//     beside `wipe_demo` with the same method on files of the same sizes, made afresh, timed
//     as a whole process (target 0.9 of wipe_demo's speed or better).
// The program's own start-up runs in this process (as in the end-to-end tests); every file
// lives in a sandbox on the session's fixture drive. Figures only, not a test.
// Usage: window_bench [files] [MiB each] (default 4 files of 128 MiB).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/Sandbox.h"
#include "support/program/DropBlock.h"
#include "support/program/InProcessProgram.h"
#include "support/program/ProgramWindow.h"
#include "support/program/QuestionWatcher.h"

namespace {

using tests::program::now;

constexpr DWORD kProbeStepMs = 20;

bool writeRandomFile(const std::wstring& path, uint32_t mib) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::vector<uint32_t> block(1 << 18);  // 1 MiB
    uint32_t x = 2463534242u ^ GetTickCount();
    bool good = true;
    for (uint32_t m = 0; m < mib && good; ++m) {
        for (uint32_t& word : block) {
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
            word = x;
        }
        DWORD written = 0;
        good = WriteFile(file, block.data(), 1 << 20, &written, nullptr) && written == (1u << 20);
    }
    FlushFileBuffers(file);
    CloseHandle(file);
    return good;
}

// The files of one run, in a folder of the sandbox; their full paths.
std::vector<std::wstring> makeFiles(const tests::Sandbox& box, const wchar_t* folder, int count, uint32_t mib) {
    std::vector<std::wstring> paths;
    if (!box.makeFolder(folder)) return paths;
    for (int i = 0; i < count; ++i) {
        std::wstring path = box.at(std::wstring(folder) + L"\\file" + std::to_wstring(i) + L".bin");
        if (!writeRandomFile(path, mib)) return {};
        paths.push_back(path);
    }
    return paths;
}

int leftOf(const std::vector<std::wstring>& paths) {
    int left = 0;
    for (const std::wstring& p : paths) left += GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
    return left;
}

struct Probe {
    HWND window;
    const tests::program::ProgramWindow* view;
    std::atomic<bool> stop{false};
    std::vector<double> roundTrips;  // seconds
    double largestAge = 0;           // seconds since the last report, at the worst sample
    int unanswered = 0;
};

DWORD WINAPI probe(void* context) {
    auto* p = static_cast<Probe*>(context);
    while (!p->stop) {
        const double sent = now();
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutW(p->window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer))
            p->roundTrips.push_back(now() - sent);
        else
            ++p->unanswered;
        const std::vector<tests::program::TracedEvent> trace = p->view->trace();
        if (!trace.empty() && trace.back().name != L"ProcessStatusEnd") {
            // The trace's times count from the view's start.
            const double age = (now() - p->view->startedAt()) - trace.back().at;
            p->largestAge = std::max(p->largestAge, age);
        }
        Sleep(kProbeStepMs);
    }
    return 0;
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The run through the window: the drop, the confirmation, the reports until the end.
bool runThroughWindow(const tests::Sandbox& box, const std::vector<std::wstring>& paths, double* seconds,
                      double* fromDrop, Probe* sampled, double* longestGap, size_t* updates) {
    tests::program::InProcessProgram program;
    HWND main = program.waitForMainWindow(30000);
    if (!main) {
        std::printf("the program showed no window\n");
        return false;
    }
    bool done = false;
    {
        tests::program::ProgramWindow view(main);
        tests::program::QuestionWatcher questions(L"Confirm File Shred", L"Yes");
        HWND area = view.dropArea(L"Drop Box");
        for (const std::wstring& p : paths)
            if (!tests::program::isInsideSandbox(box.path(), p)) return false;
        if (!area) {
            std::printf("the window has no drop area\n");
            return false;
        }
        sampled->window = main;
        sampled->view = &view;
        HANDLE prober = CreateThread(nullptr, 0, &probe, sampled, 0, nullptr);
        const double start = now();
        view.postDrop(area, tests::program::newDropBlock(paths));
        done = view.waitForEvent(L"ProcessStatusEnd", 600000);
        *fromDrop = now() - start;
        sampled->stop = true;
        WaitForSingleObject(prober, INFINITE);
        CloseHandle(prober);
        const std::vector<tests::program::TracedEvent> trace = view.trace();
        *longestGap = 0;
        *updates = 0;
        *seconds = trace.size() >= 2 ? trace.back().at - trace.front().at : *fromDrop;
        for (size_t i = 1; i < trace.size(); ++i) *longestGap = std::max(*longestGap, trace[i].at - trace[i - 1].at);
        for (const tests::program::TracedEvent& e : trace) *updates += e.name == L"ProcessStatusUpdate" ? 1 : 0;
    }
    program.close();
    program.waitForEnd(30000);
    return done;
}

// wipe_demo beside this program, on the same number of files of the same sizes.
bool runConsoleDriver(const std::vector<std::wstring>& paths, double* seconds) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    folder = folder.substr(0, folder.find_last_of(L'\\') + 1);
    std::wstring line = L"\"" + folder + L"wipe_demo.exe\" --method random --destroy-beyond-recovery --";
    for (const std::wstring& p : paths) line += L" \"" + p + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION info = {};
    const double start = now();
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
        CloseHandle(nul);
        return false;
    }
    WaitForSingleObject(info.hProcess, INFINITE);
    *seconds = now() - start;
    DWORD code = 1;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    CloseHandle(nul);
    return code == 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int count = argc > 1 ? _wtoi(argv[1]) : 4;
    const uint32_t mib = argc > 2 ? static_cast<uint32_t>(_wtoi(argv[2])) : 128;
    if (count < 1 || mib < 1) {
        std::printf("usage: window_bench [files] [MiB each]\n");
        return 2;
    }
    tests::Sandbox box;
    if (!box.ok()) {
        std::printf("window_bench: no fixture drive (run it in a Wine session: bench/window-bench.sh)\n");
        return 2;
    }
    const double megabytes = count * static_cast<double>(mib) * 1048576.0 / 1e6;
    std::vector<std::wstring> windowFiles = makeFiles(box, L"window", count, mib);
    if (windowFiles.empty()) return 1;
    double windowSeconds = 0, fromDrop = 0, longestGap = 0;
    size_t updates = 0;
    Probe sampled;
    if (!runThroughWindow(box, windowFiles, &windowSeconds, &fromDrop, &sampled, &longestGap, &updates)) {
        std::printf("the run through the window did not end\n");
        return 1;
    }
    const int windowLeft = leftOf(windowFiles);
    std::vector<std::wstring> consoleFiles = makeFiles(box, L"console", count, mib);
    if (consoleFiles.empty()) return 1;
    double consoleSeconds = 0;
    const bool consoleDone = runConsoleDriver(consoleFiles, &consoleSeconds);
    const int consoleLeft = leftOf(consoleFiles);

    const double windowRate = megabytes / windowSeconds, consoleRate = megabytes / consoleSeconds;
    std::vector<double> trips = sampled.roundTrips;
    const double worst = trips.empty() ? 0 : *std::max_element(trips.begin(), trips.end());
    std::printf("%d files of %u MiB, Shred Once (one pseudo-random pass), on the fixture drive\n", count, mib);
    std::printf("round trip of a message to the window during the run: max %.1f ms, median %.2f ms over %zu"
                " messages, %d unanswered within 5 s   (target: max within 100 ms)\n",
                worst * 1e3, median(trips) * 1e3, trips.size(), sampled.unanswered);
    std::printf("age of the progress shown: longest gap between reports %.0f ms (%zu updates),"
                " largest age sampled %.0f ms   (target: never over 500 ms)\n",
                longestGap * 1e3, updates, sampled.largestAge * 1e3);
    std::printf("wipe through the window %.1f MB/s (%.2f s from start to end report, %.2f s from the drop"
                " with the confirmation, %d left)   wipe_demo %.1f MB/s (%.2f s as a process, %d left%s)"
                "   ratio %.2f   (target 0.90 or better)\n",
                windowRate, windowSeconds, fromDrop, windowLeft, consoleRate, consoleSeconds, consoleLeft,
                consoleDone ? "" : ", failed", windowRate / consoleRate);
    return 0;
}
