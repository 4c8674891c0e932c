// tests/support/gui/GuiHarness.cpp
#include "support/gui/GuiHarness.h"

#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>

#include "s/col/_array/ArrayU08.h"
#include "s/image/png/win/Png.h"
#include "s/image/win/BufferedImage.h"
#include "s/system/monitor/win/ScreenCapture.h"

namespace tests::gui {

namespace {

constexpr UINT kHungExitCode = 4;
constexpr DWORD kScanStepMs = 20;
constexpr DWORD kAnswerLimitMs = 2000;

std::mutex g_phaseLock;
std::string g_phase = "start";

std::string currentPhase() {
    std::lock_guard<std::mutex> lock(g_phaseLock);
    return g_phase;
}

std::wstring windowClass(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// Without a message to the window: the watcher must not hang on a window that is stuck.
std::wstring captionOf(HWND window) {
    wchar_t text[512] = {};
    InternalGetWindowText(window, text, 512);
    return text;
}

std::wstring boxText(HWND box) {
    wchar_t text[2048] = {};
    HWND item = GetDlgItem(box, 0xFFFF);
    if (item) InternalGetWindowText(item, text, 2048);
    return text;
}

BOOL CALLBACK collectBox(HWND window, LPARAM boxes) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        windowClass(window) == L"#32770")
        reinterpret_cast<std::vector<HWND>*>(boxes)->push_back(window);
    return TRUE;
}

BOOL CALLBACK collectMenu(HWND window, LPARAM menus) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && windowClass(window) == L"#32768")
        reinterpret_cast<std::vector<HWND>*>(menus)->push_back(window);
    return TRUE;
}

BOOL CALLBACK countChild(HWND, LPARAM count) {
    ++*reinterpret_cast<uint32_t*>(count);
    return TRUE;
}

BOOL CALLBACK countWindow(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    ++*reinterpret_cast<uint32_t*>(count);
    EnumChildWindows(window, &countChild, count);
    return TRUE;
}

uint32_t threadCount() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    uint32_t count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    CloseHandle(snapshot);
    return count;
}

// The kind of object a handle stands for ("Event", "Thread", ...), as the system names it.
std::wstring objectType(HANDLE handle) {
    using QueryObject = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    constexpr int kObjectTypeInformation = 2;
    static const QueryObject query = reinterpret_cast<QueryObject>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryObject")));
    // A counted name (length in bytes, then the characters) heads the answer.
    alignas(8) unsigned char answer[512];
    ULONG size = 0;
    if (!query || query(handle, kObjectTypeInformation, answer, sizeof answer, &size) != 0) return L"";
    const auto* name = reinterpret_cast<const UNICODE_STRING*>(answer);
    return std::wstring(name->Buffer, name->Length / sizeof(wchar_t));
}

// Wine 8.0 answers 0 to GetProcessHandleCount and GetGuiResources (checked): kernel
// handles are counted by asking the system about every handle value in turn instead.
void countHandles(ProcessCounts* counts) {
    constexpr uintptr_t kLastProbed = 0x10000;
    DWORD flags = 0;
    for (uintptr_t value = 4; value < kLastProbed; value += 4) {
        HANDLE handle = reinterpret_cast<HANDLE>(value);
        if (!GetHandleInformation(handle, &flags)) continue;
        ++counts->handles;
        if (objectType(handle) == L"Event") ++counts->events;
    }
}

bool writeFile(const std::wstring& path, const uint8_t* bytes, uint32_t count) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool done = WriteFile(file, bytes, count, &written, nullptr) && written == count;
    CloseHandle(file);
    return done;
}

std::wstring screenshotFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder = folder.substr(0, folder.find_last_of(L"\\/") + 1) + L"screenshots";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

void phase(const std::string& text) {
    std::lock_guard<std::mutex> lock(g_phaseLock);
    g_phase = text;
}

Watchdog::Watchdog(const char* test, uint32_t limitMs)
    : m_test(test), m_limitMs(limitMs), m_done(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    phase("start");
    m_thread = CreateThread(nullptr, 0, &run, this, 0, nullptr);
}

Watchdog::~Watchdog() {
    SetEvent(m_done);
    WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
    CloseHandle(m_done);
}

DWORD WINAPI Watchdog::run(void* self) {
    auto* dog = static_cast<Watchdog*>(self);
    if (WaitForSingleObject(dog->m_done, dog->m_limitMs) == WAIT_OBJECT_0) return 0;
    std::fprintf(stderr, "watchdog: %s still running after %u ms, last phase: %s\n",
                 dog->m_test.c_str(), dog->m_limitMs, currentPhase().c_str());
    std::fflush(stderr);
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), kHungExitCode);
    return 0;
}

ModalWatcher::ModalWatcher(int answer) : m_answer(answer) {
    m_thread = CreateThread(nullptr, 0, &run, this, 0, nullptr);
}

ModalWatcher::~ModalWatcher() {
    m_stop = true;
    WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
}

void ModalWatcher::setAnswer(int answer) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_answer = answer;
}

void ModalWatcher::setBeforeAnswer(void (*hook)(HWND)) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_beforeAnswer = hook;
}

std::vector<SeenBox> ModalWatcher::boxes() {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_seen;
}

bool ModalWatcher::waitForBoxes(size_t count, uint32_t limitMs) {
    return eventually(
        [&] {
            std::lock_guard<std::mutex> lock(m_lock);
            return m_done >= count;
        },
        limitMs);
}

DWORD WINAPI ModalWatcher::run(void* self) {
    auto* watcher = static_cast<ModalWatcher*>(self);
    while (!watcher->m_stop) {
        watcher->scan();
        Sleep(kScanStepMs);
    }
    return 0;
}

void ModalWatcher::scan() {
    struct {
        std::vector<HWND> boxes;
    } found;
    EnumWindows(&collectBox, reinterpret_cast<LPARAM>(&found.boxes));
    for (HWND box : found.boxes) {
        bool known = false;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            for (const SeenBox& seen : m_seen) known = known || seen.box == box;
        }
        if (!known) answer(box);
    }
    std::vector<HWND> menus;
    EnumWindows(&collectMenu, reinterpret_cast<LPARAM>(&menus));
    answerMenus(menus);
}

void ModalWatcher::setMenuAnswer(int pick) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_menuAnswer = pick;
}

std::vector<SeenMenu> ModalWatcher::menus() {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_menus;
}

bool ModalWatcher::waitForMenus(size_t count, uint32_t limitMs) {
    return eventually([&] { return menus().size() >= count; }, limitMs);
}

// A menu window's handle may come back for the next menu, so a menu counts as new when it
// was not open at the last scan.
void ModalWatcher::answerMenus(const std::vector<HWND>& open) {
    std::vector<HWND> fresh;
    int answer;
    void (*before)(HWND);
    {
        std::lock_guard<std::mutex> lock(m_lock);
        for (HWND menu : open) {
            bool known = false;
            for (HWND seen : m_openMenus) known = known || seen == menu;
            if (!known) fresh.push_back(menu);
        }
        m_openMenus = open;
        answer = m_menuAnswer;
        before = m_beforeAnswer;
    }
    for (HWND menu : fresh) {
        DWORD_PTR handle = 0;
        SendMessageTimeoutW(menu, MN_GETHMENU, 0, 0, SMTO_NORMAL, kAnswerLimitMs, &handle);
        SeenMenu seen = {menu, reinterpret_cast<HMENU>(handle), GetWindowThreadProcessId(menu, nullptr), answer};
        if (before) before(menu);
        pick(menu, answer);
        std::lock_guard<std::mutex> lock(m_lock);
        m_menus.push_back(seen);
    }
}

// The menu loop reads keys from its thread's queue whatever window they were posted to
// (Wine 8.0). A first VK_DOWN selects the first selectable entry; separators are skipped.
void ModalWatcher::closeOpenMenus() {
    std::vector<HWND> open;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        open = m_openMenus;
    }
    for (HWND menu : open) pick(menu, kMenuClose);
}

void ModalWatcher::pick(HWND menu, int answer) {
    if (answer == kMenuHold) return;
    if (answer < 0) {
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        return;
    }
    for (int i = 0; i <= answer; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
}

void ModalWatcher::answer(HWND box) {
    SeenBox seen = {box, captionOf(box), boxText(box), GetWindow(box, GW_OWNER),
                    GetWindowThreadProcessId(box, nullptr), 0};
    int answer;
    void (*before)(HWND);
    {
        std::lock_guard<std::mutex> lock(m_lock);
        answer = m_answer;
        before = m_beforeAnswer;
    }
    if (before) before(box);
    seen.answeredWith = answer == kHold ? kHold : clickedWith(box, answer);
    {
        // Noted before the click: the box's caller goes on once it is answered, and may look
        // at once (under load the watcher was not yet back from the click then).
        std::lock_guard<std::mutex> lock(m_lock);
        m_seen.push_back(seen);
        if (answer == kHold) ++m_done;
    }
    if (answer == kHold) return;
    click(box, answer);
    std::lock_guard<std::mutex> lock(m_lock);
    ++m_done;
}

int ModalWatcher::clickedWith(HWND box, int answer) {
    return answer > 0 && GetDlgItem(box, answer) ? answer : 0;
}

void ModalWatcher::click(HWND box, int answer) {
    DWORD_PTR ignored = 0;
    HWND button = answer > 0 ? GetDlgItem(box, answer) : nullptr;
    if (button)
        SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, kAnswerLimitMs, &ignored);
    else
        SendMessageTimeoutW(box, WM_CLOSE, 0, 0, SMTO_NORMAL, kAnswerLimitMs, &ignored);
}

void ModalWatcher::answerHeld(int answer) {
    std::vector<HWND> held;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        for (SeenBox& seen : m_seen)
            if (seen.answeredWith == kHold) {
                held.push_back(seen.box);
                seen.answeredWith = answer;
            }
    }
    for (HWND box : held) click(box, answer);
}

std::wstring saveScreenshot(HWND window, const wchar_t* name) {
    // Windows paint what changed once their thread is idle: whatever is still due is painted
    // first (on the window's own thread, which the system asks and waits for).
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    s::image::win::BufferedImage* image = s::system::monitor::win::captureWindow(window);
    if (!image) return L"";
    s::image::png::win::Png* png =
        s::image::png::win::newPngFromImage(image, false, false, 255, 255, 255);
    image->releaseToPool();
    if (!png) return L"";
    s::col::_array::ArrayU08 bytes;
    bool encoded = png->encode(&bytes);
    png->releaseToPool();
    std::wstring path = screenshotFolder() + L"\\" + name + L".png";
    if (!encoded || !writeFile(path, bytes.data(), bytes.count())) return L"";
    return path;
}

ProcessCounts processCounts() {
    ProcessCounts counts = {};
    counts.gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    counts.userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    EnumWindows(&countWindow, reinterpret_cast<LPARAM>(&counts.windows));
    counts.threads = threadCount();
    countHandles(&counts);
    return counts;
}

}  // namespace tests::gui
