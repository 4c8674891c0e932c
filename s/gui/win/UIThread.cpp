// s/gui/win/UIThread.cpp
#include "s/gui/win/UIThread.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>

#include <mutex>
#include <vector>

#include "mfc/Afx.h"
#include "s/gui/win/Wait.h"
#include "s/gui/win/Window.h"

namespace s::gui::win {

namespace {

constexpr DWORD kAllControlClasses = 0xFF;
constexpr DWORD kPostStepMs = 10;

std::mutex g_abandonedLock;
std::vector<uint32_t> g_abandoned;

void initialiseComponentObjects() {
    // Only the first call in the process takes effect; later ones answer RPC_E_TOO_LATE.
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT,
                         RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
}

}  // namespace

BOOL UIThread::InitInstance() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, kAllControlClasses};
    InitCommonControlsEx(&controls);
    m_ole = mfc::AfxOleInit();
    initialiseComponentObjects();
    Window* window = m_window.load();
    if (!window || !window->createWindowsOnUiThread()) return FALSE;
    m_ready.store(true);
    return TRUE;
}

int UIThread::ExitInstance() {
    m_ready.store(false);
    if (m_ole) OleUninitialize();
    m_ole = false;
    return 0;
}

bool UIThread::isAbandoned(uint32_t threadId) {
    std::lock_guard<std::mutex> lock(g_abandonedLock);
    for (uint32_t id : g_abandoned)
        if (id == threadId) return true;
    return false;
}

bool UIThread::stop(UIThread* thread, uint32_t budgetMs) {
    if (!thread) return true;
    if (thread->m_nThreadID == GetCurrentThreadId()) {
        // Waiting for oneself would only run out the budget and then suspend the caller.
        thread->m_bAutoDelete = true;
        PostQuitMessage(0);
        return false;
    }
    DWORD start = GetTickCount();
    if (thread->isReady()) {
        while (!thread->PostThreadMessage(WM_QUIT, 0, 0) && GetTickCount() - start < budgetMs)
            waitForHandleServingSentMessages(thread->m_hThread, kPostStepMs);
    }
    DWORD elapsed = GetTickCount() - start;
    uint32_t left = elapsed < budgetMs ? budgetMs - elapsed : 0;
    bool ended = waitForHandleServingSentMessages(thread->m_hThread, left);
    if (!ended) {
        thread->SuspendThread();
        std::lock_guard<std::mutex> lock(g_abandonedLock);
        g_abandoned.push_back(thread->m_nThreadID);
    }
    delete thread;
    return ended;
}

}  // namespace s::gui::win
