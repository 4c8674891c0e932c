// demo/WipeDemo.cpp
//
// Console driver of the wiping engine: destroys the files and folders named on its command
// line with the chosen method, printing the progress and the item in work every 100 ms and,
// at the end, what could not be wiped. It refuses to run without the explicit confirmation
// flag. Not part of the product's window.
//
//   wipe_demo [--method gutmann|dod|dod-e|random] --destroy-beyond-recovery [--] PATH...
//
// Options come before the paths; "--" ends them, so that a path may begin with "-". An
// unknown option, or one after the first path, is an error: it is never taken for a path.
// Each path is made absolute against the current folder before anything is touched and is
// printed so. A path that is missing, unreachable, a root, or neither a file nor a folder
// is listed as not wiped and left out of the run.
//
// Exit code: 0 all wiped, 1 something was not wiped or the wiper could not start, 2 usage.
#include <windows.h>

#include <cwchar>
#include <new>

#include "s/file/win/PathText.h"
#include "s/file/win/PathWin.h"
#include "s/file/wiper/win/Method_DoD.h"
#include "s/file/wiper/win/Method_DoD_E.h"
#include "s/file/wiper/win/Method_Gutmann.h"
#include "s/file/wiper/win/Method_Pseudorandom.h"
#include "s/file/wiper/win/Wiper.h"
#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"

namespace {

using namespace s::file::wiper::win;
using s::file::win::PathWin;
using s::str::strbuffer::StrBuffer;

constexpr wchar_t kConfirmation[] = L"--destroy-beyond-recovery";
constexpr DWORD kPollMs = 100;

struct MethodChoice {
    const wchar_t* name;
    int32_t repeats;  // the follow-up repeats the product uses with the method
    s::file::wiper::IMethod* (*make)();
};

template <class M>
s::file::wiper::IMethod* makeMethod() { return s::thread::Pool<M>::obtain(); }

const MethodChoice kMethods[] = {
    {L"gutmann", 20, &makeMethod<Method_Gutmann>},
    {L"dod", 15, &makeMethod<Method_DoD>},
    {L"dod-e", 7, &makeMethod<Method_DoD_E>},
    {L"random", 2, &makeMethod<Method_Pseudorandom>},
};

// Whole texts in any language: UTF-16 to a console, UTF-8 to a file or pipe (the run-time's
// wide printing converts to the console's code page and stops at the first character it
// cannot show).
void write(HANDLE out, const wchar_t* text) {
    const int units = static_cast<int>(std::wcslen(text));
    DWORD mode, done;
    if (GetConsoleMode(out, &mode)) {
        WriteConsoleW(out, text, static_cast<DWORD>(units), &done, nullptr);
        return;
    }
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, units, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return;
    char* utf8 = new (std::nothrow) char[bytes];
    if (!utf8) return;
    WideCharToMultiByte(CP_UTF8, 0, text, units, utf8, bytes, nullptr, nullptr);
    WriteFile(out, utf8, static_cast<DWORD>(bytes), &done, nullptr);
    delete[] utf8;
}

void say(const wchar_t* text) { write(GetStdHandle(STD_OUTPUT_HANDLE), text); }
void complain(const wchar_t* text) { write(GetStdHandle(STD_ERROR_HANDLE), text); }

void sayLine(const StrBuffer& line) {
    StrBuffer text;
    text.setStr(&line);
    text.appendChar(L'\n');
    say(text.cString());
}

int usage(const wchar_t* problem, const wchar_t* argument) {
    StrBuffer text;
    text.setText(L"wipe_demo: ");
    text.appendText(problem);
    if (argument) {
        text.appendText(L": ");
        text.appendText(argument);
    }
    text.appendText(L"\nusage: wipe_demo [--method gutmann|dod|dod-e|random] ");
    text.appendText(kConfirmation);
    text.appendText(L" [--] PATH...\nDestroys every named file and folder beyond recovery.\n");
    complain(text.cString());
    return 2;
}

const MethodChoice* methodNamed(const wchar_t* name) {
    for (const MethodChoice& m : kMethods)
        if (!std::wcscmp(m.name, name)) return &m;
    return nullptr;
}

bool isOption(const wchar_t* argument) { return argument[0] == L'-' && argument[1] != 0; }

// The current folder, or the one of a drive ("X:"): what Windows resolves relative paths with.
bool currentFolderOf(const wchar_t* drive, StrBuffer* out) {
    DWORD need = drive ? GetFullPathNameW(drive, 0, nullptr, nullptr) : GetCurrentDirectoryW(0, nullptr);
    if (!need || !out->reserve(need)) return false;
    DWORD got = drive ? GetFullPathNameW(drive, need, out->chars(), nullptr) : GetCurrentDirectoryW(need, out->chars());
    if (!got || got >= need) return false;
    out->setLength(got);
    return true;
}

// The argument as an absolute path: "X:\..." and "\\..." as given; "\x" on the current
// drive; "X:x" in that drive's current folder; anything else in the current folder. The
// text is joined, not resolved, so a device name or a trailing dot stays the file's name.
bool absolutePath(const wchar_t* argument, StrBuffer* out) {
    const uint32_t length = static_cast<uint32_t>(std::wcslen(argument));
    if (s::file::win::hasVerbatimPrefix(argument, length) || s::file::win::isFullyQualified(argument, length) ||
        (length >= 2 && s::file::win::isPathSeparator(argument[0]) && s::file::win::isPathSeparator(argument[1])))
        return out->setText(argument);
    StrBuffer base;
    const bool driveRelative = length >= 2 && argument[1] == L':';
    wchar_t drive[3] = {argument[0], L':', 0};
    if (!currentFolderOf(driveRelative ? drive : nullptr, &base)) return false;
    if (length && s::file::win::isPathSeparator(argument[0])) {
        base.setLength(base.length() >= 2 && base.charAt(1) == L':' ? 2 : 0);  // the drive alone
        if (!base.length()) return false;
        return out->setStr(&base) && out->appendText(argument);
    }
    const wchar_t* rest = driveRelative ? argument + 2 : argument;
    PathWin folder;
    return folder.assignText(base.cString()) && folder.resolveRelative(rest, true, out, false);
}

// Why the item at path cannot be wiped, or null when it can be handed to the wiper.
const wchar_t* refusal(PathWin& path) {
    if (!path.isParsed()) return L"the path cannot be read";
    if (path.isRootLike()) return L"a drive, share or volume root, or beyond one";
    const DWORD attributes = path.readLiveAttributes();
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? L"it does not exist"
                                                                              : L"it cannot be reached";
    }
    if (attributes & FILE_ATTRIBUTE_DEVICE) return L"not a file or folder";
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return nullptr;
    // Asked without any access, which opens nothing for reading or writing.
    HANDLE h = path.openItem(0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0);
    if (h == INVALID_HANDLE_VALUE) return nullptr;  // held open elsewhere: the wiper will list it
    const DWORD type = GetFileType(h);
    CloseHandle(h);
    return type == FILE_TYPE_DISK ? nullptr : L"not a file or folder";
}

void listNotWiped(const wchar_t* path, const wchar_t* reason) {
    StrBuffer line;
    line.setText(L"not wiped: ");
    line.appendText(path);
    if (reason) {
        line.appendText(L" (");
        line.appendText(reason);
        line.appendChar(L')');
    }
    sayLine(line);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const MethodChoice* method = methodNamed(L"dod-e");
    bool confirmed = false;
    int first = 1;
    for (; first < argc && isOption(argv[first]); ++first) {
        const wchar_t* option = argv[first];
        if (!std::wcscmp(option, L"--")) {
            ++first;
            break;
        }
        if (!std::wcscmp(option, L"--method")) {
            if (first + 1 >= argc) return usage(L"--method needs a method", nullptr);
            method = methodNamed(argv[++first]);
            if (!method) return usage(L"unknown method", argv[first]);
        } else if (!std::wcscmp(option, kConfirmation)) {
            confirmed = true;
        } else {
            return usage(L"unknown option", option);
        }
    }
    const bool optionsEnded = first > 1 && !std::wcscmp(argv[first - 1], L"--");
    if (!confirmed) return usage(L"the confirmation flag is missing", nullptr);
    if (first >= argc) return usage(L"no path given", nullptr);
    for (int i = first; i < argc && !optionsEnded; ++i) {
        if (isOption(argv[i]))
            return usage(L"an option after the first path (put \"--\" before paths that begin with \"-\")", argv[i]);
    }

    Wiper* wiper = s::thread::Pool<Wiper>::obtain();
    if (!wiper || !wiper->prepare()) {
        complain(L"wipe_demo: no memory for the write buffer\n");
        return 1;
    }
    wiper->setMethod(method->make());
    wiper->setSizeChangeCount(method->repeats);
    wiper->setRenameCount(method->repeats);
    wiper->setAttributeChangeCount(method->repeats);
    wiper->setTimestampChangeCount(method->repeats);

    uint32_t refused = 0, queued = 0;
    StrBuffer absolute, line;
    for (int i = first; i < argc; ++i) {
        PathWin path;
        const bool made = absolutePath(argv[i], &absolute) && path.assignPath(&absolute);
        const wchar_t* reason = made ? refusal(path) : L"the path cannot be made absolute";
        if (reason || !wiper->addPath(path.getFullPath())) {
            listNotWiped(made ? path.getFullPath() : argv[i], reason ? reason : L"no memory to queue it");
            ++refused;
            continue;
        }
        line.setText(L"wiping: ");
        line.appendText(path.getFullPath());
        sayLine(line);
        ++queued;
    }
    uint32_t survivors = 0;
    if (queued) {
        if (!wiper->start()) {
            complain(L"wipe_demo: the wiper did not start\n");
            wiper->releaseToPool();
            return 1;
        }
        StrBuffer current;
        while (wiper->isRunning()) {
            Sleep(kPollMs);
            wiper->getCurrentPath(&current);
            line.clear();
            line.appendInt32(wiper->getProgressPercent());
            line.appendText(L"%  ");
            line.appendStr(&current);
            sayLine(line);
        }
        s::str::strarray::StrArray* failed = wiper->getFailedPaths();
        survivors = failed ? failed->count() : 0;
        for (uint32_t i = 0; i < survivors; ++i) listNotWiped(failed->at(i)->cString(), nullptr);
        if (failed) failed->releaseToPool();
    }
    line.setText(method->name);
    line.appendText(L": ");
    line.appendInt32(argc - first);
    line.appendText(L" item(s) given, ");
    line.appendInt32(static_cast<int32_t>(refused + survivors));
    line.appendText(L" not wiped");
    sayLine(line);
    wiper->releaseToPool();
    return refused + survivors ? 1 : 0;
}
