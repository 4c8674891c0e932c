// tests/support/TestMain.cpp
//
// The entry of every test program. A crash on a thread other than the test's own escapes
// GoogleTest's guard; Wine 8.0 then starts its debugger, which ends the process with exit
// code 0 (checked), so ctest would count the crashed test as passed. The filter below turns
// every unhandled exception into a failing exit instead.
#include <windows.h>

#include <cstdio>

#include <gmock/gmock.h>

namespace {

constexpr UINT kCrashExitCode = 3;

LONG WINAPI failOnCrash(EXCEPTION_POINTERS* info) {
    std::fprintf(stderr, "unhandled exception 0x%08lx at %p on thread %lu\n",
                 info->ExceptionRecord->ExceptionCode, info->ExceptionRecord->ExceptionAddress,
                 GetCurrentThreadId());
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), kCrashExitCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
    SetUnhandledExceptionFilter(&failOnCrash);
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
