/* s/base/win/XpTickCount.c
 *
 * XP's kernel32 has no GetTickCount64, but the posix-model winpthread that the C++ run-time
 * links imports it, and a program with that import does not load on XP. Defining the
 * import slot here makes the linker bind winpthread's calls to this function instead; it
 * calls the real one where the system has it and extends the 32-bit counter on XP.
 */
#include <windows.h>

typedef ULONGLONG(WINAPI* TickCount64Function)(void);

static CRITICAL_SECTION* xpTickLock(void) {
    static CRITICAL_SECTION section;
    static LONG state; /* 0 new, 1 initialising, 2 ready */
    if (InterlockedCompareExchange(&state, 1, 0) == 0) {
        InitializeCriticalSection(&section);
        InterlockedExchange(&state, 2);
    }
    while (state != 2) Sleep(0);
    return &section;
}

static ULONGLONG extendedTickCount(void) {
    static DWORD high, last;
    ULONGLONG result;
    CRITICAL_SECTION* lock = xpTickLock();
    EnterCriticalSection(lock);
    DWORD now = GetTickCount();
    if (now < last) ++high;
    last = now;
    result = ((ULONGLONG)high << 32) | now;
    LeaveCriticalSection(lock);
    return result;
}

static ULONGLONG WINAPI xpGetTickCount64(void) {
    static TickCount64Function real;
    static LONG looked;
    if (!looked) {
        real = (TickCount64Function)(void*)GetProcAddress(GetModuleHandleW(L"kernel32.dll"),
                                                          "GetTickCount64");
        InterlockedExchange(&looked, 1);
    }
    return real ? real() : extendedTickCount();
}

TickCount64Function xpGetTickCount64Import __asm__("__imp__GetTickCount64@0") = xpGetTickCount64;
