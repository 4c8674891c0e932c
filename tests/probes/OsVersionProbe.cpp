// tests/probes/OsVersionProbe.cpp
//
// Prints the process's OS version record on one line, "major minor build nt v60 v61 nt52
// |service pack|", for tests that run it under a Windows version set for its file name.
#include <windows.h>

#include <cstdio>

#include "s/system/win/OsVersion.h"

int wmain() {
    const s::system::win::OsVersion& v = s::system::win::osVersion();
    wchar_t line[512];
    int n = _snwprintf(line, 512, L"%u %u %u %d %d %d %d |%s|\n", v.majorVersion, v.minorVersion,
                       v.buildNumber, v.isNt, v.isVersion60OrLater, v.isVersion61OrLater,
                       s::system::win::isNtVersion52(), v.servicePack);
    if (n < 0) return 1;
    char ascii[512];
    for (int i = 0; i < n; ++i) ascii[i] = line[i] < 128 ? static_cast<char>(line[i]) : '?';
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), ascii, n, &written, nullptr);
    return 0;
}
