// s/process/win/Instance.h
//
// Finds another process running the same program file and brings its window forward with
// the toolkit's restore message (and optionally the second one). Runs on the start-up
// thread. Every failure (no snapshot, no access, no window) means "none found" or "nothing
// sent". Waits are bounded: a hung first instance never hangs the second start.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::file::win { class PathWin; }
namespace s::str::strbuffer { class StrBuffer; }

namespace s::process::win {

class ICaptionSource;

class Instance {
public:
    static constexpr UINT kRestoreMessage = WM_USER + 3;  // 1027
    static constexpr UINT kSecondMessage = WM_USER + 7;   // 1031
    static constexpr UINT kSendFlags = SMTO_BLOCK | SMTO_ABORTIFHUNG | SMTO_NOTIMEOUTIFNOTHUNG;
    static constexpr UINT kSendTimeoutMs = 3000;
    static constexpr DWORD kIdleWaitMs = 5000;  // then go on as if idle
    // What the wait for the other instance's idle asks of its process: only what
    // WaitForInputIdle needs. The whole-access mask of the headers of Vista and later
    // (0x1FFFFF) is refused by XP and 2003, which would skip the wait.
    static constexpr DWORD kIdleWaitAccess = SYNCHRONIZE | PROCESS_QUERY_INFORMATION;
    // What reading another process's image name asks (when its modules cannot be listed).
    static constexpr DWORD kQueryAccess = PROCESS_QUERY_INFORMATION;

    // How another process is opened: OpenProcess (not inheritable) unless a test puts its own
    // function in, to see which rights are asked. The one it replaces is returned; null puts
    // OpenProcess back. Process-wide.
    using ProcessOpener = HANDLE (*)(DWORD access, DWORD pid);
    static ProcessOpener replaceProcessOpener(ProcessOpener opener);

    // The running program's file name as a path object from its pool (the caller gives it
    // back); null when it cannot be read.
    static s::file::win::PathWin* executablePath();
    // The same name as text into out (replaced); false when it cannot be read.
    static bool executablePathText(s::str::strbuffer::StrBuffer* out);
    // The program file of process pid into out (replaced): the first module of its module
    // snapshot, else its image name (device form), else empty.
    static void processPath(DWORD pid, s::str::strbuffer::StrBuffer* out);
    // True when another process runs the same program file; its id in *pid.
    static bool findInstanceProcess(DWORD* pid);
    // True when a top-level window of desktop belongs to another process of the same file.
    static bool isInstanceWindowPresent(HDESK desktop, DWORD* pid);
    // As isInstanceWindowPresent, then sendToInstanceWindows to the process found.
    static bool findInstanceWindow(HDESK desktop, const ICaptionSource* captions,
                                   uint32_t textId, bool second);
    // The restore message (then the second one when asked) to the process's window: the
    // first top-level window whose caption begins with a caption of captions (ignoring case;
    // each distinct text once), or without captions any window with a caption.
    static void sendToInstanceWindows(DWORD pid, const ICaptionSource* captions, uint32_t textId,
                                      bool second);

    // Pure rules, apart from the system calls so that tables test them.
    static bool samePath(const wchar_t* own, const wchar_t* other);
    static bool captionMatches(const wchar_t* caption, const wchar_t* prefix);

private:
    static HWND findTargetWindow(DWORD pid, const wchar_t* prefix);
    static void sendTo(DWORD pid, const wchar_t* prefix, bool second);
    static bool alreadySent(const ICaptionSource* captions, uint32_t upTo, uint32_t textId);
    static HANDLE openProcess(DWORD access, DWORD pid);
};

}  // namespace s::process::win
