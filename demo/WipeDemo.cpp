// demo/WipeDemo.cpp
//
// Console driver of the wiping engine: destroys the files and folders named on its command
// line with the chosen method, printing the progress and the item in work every 100 ms and,
// at the end, what could not be wiped. It refuses to run without the explicit confirmation
// flag. Not part of the product's window.
//
//   wipe_demo [--method gutmann|dod|dod-e|random] --destroy-beyond-recovery PATH...
//
// Exit code: 0 all wiped, 1 something survived or the wiper could not start, 2 usage.
#include <windows.h>

#include <cwchar>

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

int usage() {
    std::fwprintf(stderr, L"usage: wipe_demo [--method gutmann|dod|dod-e|random] %ls PATH...\n"
                          L"Destroys every named file and folder beyond recovery.\n", kConfirmation);
    return 2;
}

const MethodChoice* methodNamed(const wchar_t* name) {
    for (const MethodChoice& m : kMethods)
        if (!std::wcscmp(m.name, name)) return &m;
    return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const MethodChoice* method = methodNamed(L"dod-e");
    bool confirmed = false;
    int first = argc;
    for (int i = 1; i < argc; ++i) {
        if (!std::wcscmp(argv[i], L"--method") && i + 1 < argc) {
            method = methodNamed(argv[++i]);
            if (!method) return usage();
        } else if (!std::wcscmp(argv[i], kConfirmation)) {
            confirmed = true;
        } else {
            first = i;
            break;
        }
    }
    if (!confirmed || first >= argc) return usage();

    Wiper* wiper = s::thread::Pool<Wiper>::obtain();
    if (!wiper || !wiper->prepare()) {
        std::fwprintf(stderr, L"wipe_demo: no memory for the write buffer\n");
        return 1;
    }
    wiper->setMethod(method->make());
    wiper->setSizeChangeCount(method->repeats);
    wiper->setRenameCount(method->repeats);
    wiper->setAttributeChangeCount(method->repeats);
    wiper->setTimestampChangeCount(method->repeats);
    for (int i = first; i < argc; ++i) wiper->addPath(argv[i]);
    if (!wiper->start()) {
        std::fwprintf(stderr, L"wipe_demo: the wiper did not start\n");
        wiper->releaseToPool();
        return 1;
    }
    auto* current = s::thread::Pool<s::str::strbuffer::StrBuffer>::obtain();
    while (wiper->isRunning()) {
        Sleep(kPollMs);
        wiper->getCurrentPath(current);
        std::wprintf(L"%3d%%  %ls\n", wiper->getProgressPercent(), current->cString());
    }
    current->releaseToPool();
    s::str::strarray::StrArray* failed = wiper->getFailedPaths();
    uint32_t survivors = failed ? failed->count() : 0;
    for (uint32_t i = 0; i < survivors; ++i) std::wprintf(L"not wiped: %ls\n", failed->at(i)->cString());
    std::wprintf(L"%ls: %d item(s) given, %u not wiped\n", method->name, argc - first, survivors);
    if (failed) failed->releaseToPool();
    wiper->releaseToPool();
    return survivors ? 1 : 0;
}
