// mfc/CWnd.cpp
#include "mfc/CWnd.h"

#include <atomic>

namespace mfc {

namespace {

// Two window properties carry the binding: the object, and the procedure to fall back on
// once the object has let go (messages can still arrive then, e.g. from the system while a
// window of an ended thread is torn down).
const wchar_t kObjectProp[] = L"s.mfc.CWnd";
const wchar_t kSuperProp[] = L"s.mfc.CWnd.super";

std::atomic<CWnd::CreateWindowFunction> g_createWindow{nullptr};

// The object that the next window created on this thread binds to.
thread_local CWnd* t_pending = nullptr;

LRESULT CALLBACK boundProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK creationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && t_pending) {
        CWnd* pending = t_pending;
        t_pending = nullptr;  // a window made inside this one's creation binds to no one
        pending->SubclassWindow(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT superOf(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto super = reinterpret_cast<WNDPROC>(GetPropW(window, kSuperProp));
    return super && super != boundProc ? CallWindowProcW(super, window, message, wParam, lParam)
                                       : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK boundProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* object = CWnd::FromHandlePermanent(window);
    if (!object) return superOf(window, message, wParam, lParam);
    if (message != WM_NCDESTROY) return object->WindowProc(message, wParam, lParam);
    LRESULT result = object->WindowProc(message, wParam, lParam);
    object->Detach();
    return result;
}

}  // namespace

CWnd::~CWnd() { Detach(); }

CWnd* CWnd::FromHandlePermanent(HWND window) {
    return window ? static_cast<CWnd*>(GetPropW(window, kObjectProp)) : nullptr;
}

CWnd::CreateWindowFunction CWnd::setCreateWindowFunction(CreateWindowFunction function) {
    return g_createWindow.exchange(function);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                    int y, int width, int height, HWND parentOrOwner, HMENU menuOrId,
                    LPVOID param) {
    if (m_hWnd) return FALSE;
    HHOOK hook = SetWindowsHookExW(WH_CBT, creationHook, nullptr, GetCurrentThreadId());
    if (!hook) return FALSE;
    CWnd* outer = t_pending;
    t_pending = this;
    CreateWindowFunction create = g_createWindow.load();
    HWND window = (create ? create : &CreateWindowExW)(exStyle, className, windowName, style, x,
                                                        y, width, height, parentOrOwner,
                                                        menuOrId, GetModuleHandleW(nullptr),
                                                        param);
    t_pending = outer;
    UnhookWindowsHookEx(hook);
    if (!window) {
        Detach();  // bound to a window that WM_NCCREATE or WM_CREATE refused
        return FALSE;
    }
    return m_hWnd == window;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, LPVOID param) {
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::SubclassWindow(HWND window) {
    if (m_hWnd || !window || FromHandlePermanent(window)) return FALSE;
    bind(window);
    return TRUE;
}

void CWnd::bind(HWND window) {
    m_hWnd = window;
    SetPropW(window, kObjectProp, this);
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(boundProc)));
    if (previous != boundProc) {
        m_pfnSuper = previous;
        SetPropW(window, kSuperProp, reinterpret_cast<HANDLE>(previous));
    } else {
        m_pfnSuper = reinterpret_cast<WNDPROC>(GetPropW(window, kSuperProp));
    }
}

void CWnd::unbind() {
    if (FromHandlePermanent(m_hWnd) == this) RemovePropW(m_hWnd, kObjectProp);
}

HWND CWnd::Detach() {
    HWND window = m_hWnd;
    if (window) unbind();
    m_hWnd = nullptr;
    return window;
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper && m_pfnSuper != boundProc)
        return CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE)); }

namespace {

BOOL modify(HWND window, int which, DWORD remove, DWORD add, UINT flags) {
    if (!window) return FALSE;
    DWORD style = static_cast<DWORD>(GetWindowLongW(window, which));
    DWORD changed = (style & ~remove) | add;
    if (changed == style) return FALSE;
    SetWindowLongW(window, which, static_cast<LONG>(changed));
    if (flags)
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    return modify(m_hWnd, GWL_STYLE, remove, add, flags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    return modify(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

}  // namespace mfc
