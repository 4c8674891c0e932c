// tests/probes/LangProbe.cpp
//
// Prints "<pack count> <English name of the language chosen>" on one line: the localizer of
// the program's own pack resource, for tests that run it under another Unix locale.
#include <windows.h>

#include <cstdio>

#include "s/archive/dll/win/Archive.h"
#include "s/file/win/PathWin.h"
#include "s/lang/LangPack.h"
#include "s/lang/Localizer.h"
#include "s/lang/UiLanguage.h"

int wmain() {
    wchar_t self[MAX_PATH];
    if (!GetModuleFileNameW(nullptr, self, MAX_PATH)) return 1;
    s::file::win::PathWin* path = s::file::win::pathFromString(self);
    s::archive::dll::win::Archive* program = s::archive::dll::win::newDllArchive(path);
    s::lang::Localizer* localizer = s::lang::newLocalizerFromResource(program, L"IDR_XML", 130);
    if (program) program->releaseToPool();
    if (path) path->releaseToPool();
    if (!localizer) return 1;
    const s::lang::LangPack* pack = localizer->currentPack();
    char line[256];
    int n = std::snprintf(line, sizeof line, "%u %ls %ls\n", localizer->packCount(),
                          pack ? pack->englishName().cString() : L"-", s::lang::currentUiLanguageName());
    localizer->releaseToPool();
    if (n < 0 || n >= static_cast<int>(sizeof line)) return 1;
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(n), &written, nullptr);
    return 0;
}
