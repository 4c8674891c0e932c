// tests/s/process/win/InstanceTest.cpp
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "s/file/win/PathWin.h"
#include "s/process/win/ICaptionSource.h"
#include "s/process/win/Instance.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace {

using s::process::win::Instance;
using s::str::strbuffer::StrBuffer;

TEST(Instance, SamePathIgnoresCaseOnly) {
    struct Row {
        const char* why;
        const wchar_t* own;
        const wchar_t* other;
        bool same;
    } const rows[] = {
        {"the same file", L"C:\\P\\x.exe", L"C:\\P\\x.exe", true},
        {"differently cased", L"C:\\P\\x.exe", L"c:\\p\\X.EXE", true},
        {"a copy in another folder", L"C:\\P\\x.exe", L"C:\\Q\\x.exe", false},
        {"device form does not match", L"C:\\P\\x.exe", L"\\Device\\HarddiskVolume1\\P\\x.exe",
         false},
        {"an unreadable path", L"C:\\P\\x.exe", L"", false},
        {"no own path matches nothing", L"", L"", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(Instance::samePath(r.own, r.other), r.same);
    }
}

TEST(Instance, CaptionMustBeginWithTheText) {
    struct Row {
        const char* why;
        const wchar_t* caption;
        const wchar_t* prefix;
        bool matches;
    } const rows[] = {
        {"begins with it", L"Shredder 1.23", L"Shredder", true},
        {"ignoring case", L"SHREDDER", L"shredder", true},
        {"contains it elsewhere", L"The Shredder", L"Shredder", false},
        {"shorter than the text", L"Shred", L"Shredder", false},
        {"no text: any caption", L"Default IME", nullptr, true},
        {"empty text: any caption", L"x", L"", true},
        {"no text: not an empty caption", L"", nullptr, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(Instance::captionMatches(r.caption, r.prefix), r.matches);
    }
}

TEST(Instance, OwnPathIsTheProgramFileOfItsProcess) {
    StrBuffer own;
    ASSERT_TRUE(Instance::executablePathText(&own));
    s::file::win::PathWin* path = Instance::executablePath();
    ASSERT_NE(path, nullptr);
    EXPECT_TRUE(Instance::samePath(own.cString(), path->getFullPath()));
    path->releaseToPool();
    EXPECT_TRUE(own.endsWithIgnoreCase(L"system_test.exe"));
    StrBuffer found;
    Instance::processPath(GetCurrentProcessId(), &found);
    EXPECT_TRUE(Instance::samePath(own.cString(), found.cString()));
}

TEST(Instance, AProcessThatIsGoneHasNoPath) {
    StrBuffer found;
    found.append(L"stale");
    Instance::processPath(0xFFFFFFF0u, &found);
    EXPECT_EQ(found.length(), 0u);
}

// Captions that repeat across languages: the walk must reach a window whatever language
// it shows, and sending to a process without windows must simply do nothing.
class Captions final : public s::process::win::ICaptionSource {
public:
    uint32_t languageCount() const override { return 3; }
    const wchar_t* captionAt(uint32_t index, uint32_t) const override {
        static const wchar_t* const texts[] = {L"Shredder", L"shredder", L""};
        return texts[index];
    }
};

TEST(Instance, SendingToAProcessWithoutWindowsEndsAtOnce) {
    const DWORD start = GetTickCount();
    Captions captions;
    Instance::sendToInstanceWindows(0xFFFFFFF0u, &captions, 1, true);
    Instance::sendToInstanceWindows(0xFFFFFFF0u, nullptr, 1, true);
    EXPECT_LT(GetTickCount() - start, 1000u);
}

}  // namespace

namespace {

// A window on a thread of its own, as the running instance would have, logging the
// messages of the single-instance protocol. The process is "another instance" for the
// sending step, which is given the process id directly.
class TargetWindow {
public:
    explicit TargetWindow(const wchar_t* caption) : m_caption(caption) {
        m_ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        m_thread = CreateThread(nullptr, 0, &pump, this, 0, nullptr);
        WaitForSingleObject(m_ready, 5000);
    }
    ~TargetWindow() {
        if (m_window) PostMessageW(m_window, WM_CLOSE, 0, 0);
        WaitForSingleObject(m_thread, 5000);
        CloseHandle(m_thread);
        CloseHandle(m_ready);
    }
    bool exists() const { return m_window != nullptr; }
    std::vector<UINT> received() const { return m_received; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
        TargetWindow* self = reinterpret_cast<TargetWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && (message == Instance::kRestoreMessage || message == Instance::kSecondMessage)) {
            self->m_received.push_back(message);
            return 0;
        }
        if (message == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(window, message, w, l);
    }
    static DWORD WINAPI pump(void* data) {
        TargetWindow* self = static_cast<TargetWindow*>(data);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"InstanceTestTarget";
        RegisterClassW(&wc);
        self->m_window = CreateWindowW(wc.lpszClassName, self->m_caption, WS_OVERLAPPEDWINDOW,
                                       0, 0, 100, 100, nullptr, nullptr, wc.hInstance, nullptr);
        if (self->m_window) SetWindowLongPtrW(self->m_window, GWLP_USERDATA, LONG_PTR(self));
        SetEvent(self->m_ready);
        MSG msg;
        while (self->m_window && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
        return 0;
    }

    const wchar_t* m_caption;
    HANDLE m_ready = nullptr;
    HANDLE m_thread = nullptr;
    HWND m_window = nullptr;
    std::vector<UINT> m_received;
};

class Packs final : public s::process::win::ICaptionSource {
public:
    explicit Packs(std::vector<const wchar_t*> texts) : m_texts(std::move(texts)) {}
    uint32_t languageCount() const override { return static_cast<uint32_t>(m_texts.size()); }
    const wchar_t* captionAt(uint32_t index, uint32_t) const override { return m_texts[index]; }

private:
    std::vector<const wchar_t*> m_texts;
};

TEST(Instance, TheWindowGetsTheRestoreMessageThenTheSecond) {
    struct Row {
        const char* why;
        std::vector<const wchar_t*> packs;
        bool second;
        std::vector<UINT> received;
    } const rows[] = {
        {"found in the second language, both messages", {L"Aktenvernichter", L"Shredder Test"},
         true, {1027, 1031}},
        {"the restore message alone", {L"shredder test"}, false, {1027}},
        {"the same caption in many packs is sent once", {L"Shredder", L"SHREDDER", L"Shredder"},
         true, {1027, 1031}},
        {"no language matches: nothing", {L"Aktenvernichter"}, true, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        TargetWindow target(L"Shredder Test 1.23");
        ASSERT_TRUE(target.exists());
        Packs packs(r.packs);
        Instance::sendToInstanceWindows(GetCurrentProcessId(), &packs, 1, r.second);
        EXPECT_EQ(target.received(), r.received);
    }
}

// An opener that answers as XP and 2003 do: a right outside their whole-access mask
// (0x1F0FFF) makes OpenProcess fail with access denied.
constexpr DWORD kXpAllAccess = 0x1F0FFF;
std::vector<DWORD> g_askedRights;
std::vector<bool> g_opened;
HANDLE openAsXpDoes(DWORD access, DWORD pid) {
    g_askedRights.push_back(access);
    HANDLE process = (access & ~kXpAllAccess) ? nullptr : OpenProcess(access, FALSE, pid);
    g_opened.push_back(process != nullptr);
    if (!process) SetLastError(ERROR_ACCESS_DENIED);
    return process;
}

TEST(Instance, TheIdleWaitAsksOnlyForRightsThatXpGrants) {
    TargetWindow target(L"Shredder Test 1.23");
    ASSERT_TRUE(target.exists());
    g_askedRights.clear();
    g_opened.clear();
    const Instance::ProcessOpener before = Instance::replaceProcessOpener(&openAsXpDoes);
    Instance::sendToInstanceWindows(GetCurrentProcessId(), nullptr, 1, false);
    Instance::replaceProcessOpener(before);
    EXPECT_EQ(g_askedRights, std::vector<DWORD>{SYNCHRONIZE | PROCESS_QUERY_INFORMATION});
    EXPECT_EQ(g_opened, std::vector<bool>{true}) << "so the wait for the first instance's idle happens";
    EXPECT_EQ(target.received(), std::vector<UINT>{Instance::kRestoreMessage});
}

}  // namespace
