// tests/support/DeepTree.h
//
// What the tests of deep trees share: a chain of nested folders made through the long form,
// and threads that start their work with little stack left, on which a walk that recursed
// once per level would overflow long before the chain's end (a few hundred bytes a level
// are enough) while a walk with a stack of its own needs only what one item takes.
#pragma once
#include <windows.h>

#include <malloc.h>

#include <string>

namespace tests {

constexpr SIZE_T kStack = 256 * 1024;
constexpr SIZE_T kStackLeft = 24 * 1024;

// `depth` folders "d" nested under `top` (made first), the deepest holding a file "end.txt".
// Answers the deepest folder's path, empty when a step failed.
inline std::wstring makeFolderChain(const std::wstring& top, int depth) {
    std::wstring path = L"\\\\?\\" + top;
    if (!CreateDirectoryW(path.c_str(), nullptr)) return L"";
    for (int level = 0; level < depth; ++level) {
        path += L"\\d";
        if (!CreateDirectoryW(path.c_str(), nullptr)) return L"";
    }
    HANDLE file = CreateFileW((path + L"\\end.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return L"";
    DWORD written = 0;
    WriteFile(file, "end", 3, &written, nullptr);
    CloseHandle(file);
    return path;
}

struct StackTrampoline {
    LPTHREAD_START_ROUTINE procedure;
    void* argument;
};

// Uses up the thread's stack but kStackLeft bytes, then runs the real procedure.
inline DWORD WINAPI runWithLittleStackLeft(void* trampoline) {
    StackTrampoline jump = *static_cast<StackTrampoline*>(trampoline);
    delete static_cast<StackTrampoline*>(trampoline);
    MEMORY_BASIC_INFORMATION stack;
    VirtualQuery(&stack, &stack, sizeof stack);  // the reservation starts at the allocation base
    const SIZE_T free = reinterpret_cast<const char*>(&stack) - static_cast<const char*>(stack.AllocationBase);
    volatile char* used = static_cast<volatile char*>(alloca(free > kStackLeft ? free - kStackLeft : 0));
    used[0] = 0;
    return jump.procedure(jump.argument);
}

// A start function for s::thread::win::Thread (and a plain thread maker) whose threads
// begin their work with only kStackLeft bytes of stack.
inline HANDLE startWithSmallStack(LPTHREAD_START_ROUTINE procedure, void* argument, DWORD* id) {
    StackTrampoline* jump = new StackTrampoline{procedure, argument};
    HANDLE thread = CreateThread(nullptr, kStack, &runWithLittleStackLeft, jump,
                                 CREATE_SUSPENDED | STACK_SIZE_PARAM_IS_A_RESERVATION, id);
    if (!thread) delete jump;
    return thread;
}

}  // namespace tests
