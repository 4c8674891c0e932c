// mfc/CWinThread.cpp
#include "mfc/CWinThread.h"

#include <process.h>

namespace mfc {

CWinThread::~CWinThread() {
    if (m_hThread) CloseHandle(m_hThread);
}

int CWinThread::Run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return ExitInstance();
}

bool CWinThread::start(int priority, unsigned stackSize, DWORD flags) {
    unsigned id = 0;
    uintptr_t handle = _beginthreadex(nullptr, stackSize, &threadMain, this, CREATE_SUSPENDED, &id);
    if (!handle) return false;
    m_hThread = reinterpret_cast<HANDLE>(handle);
    m_nThreadID = id;
    SetThreadPriority(m_hThread, priority);
    if (!(flags & CREATE_SUSPENDED)) ::ResumeThread(m_hThread);
    return true;
}

unsigned __stdcall CWinThread::threadMain(void* self) {
    auto* thread = static_cast<CWinThread*>(self);
    int code = thread->InitInstance() ? thread->Run() : thread->ExitInstance();
    if (thread->m_bAutoDelete) delete thread;
    return static_cast<unsigned>(code);
}

}  // namespace mfc
