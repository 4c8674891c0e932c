// mfc/CWnd.h
//
// Our own small window object under the framework's name: a C++ object bound to one native
// window. Binding happens inside CreateEx through a creation hook on the creating thread,
// so WM_NCCREATE, WM_CREATE and whatever a control sends while it is being made already
// reach WindowProc; an existing window is bound by SubclassWindow. The binding ends at
// WM_NCDESTROY (after the window's own procedure has seen it), by Detach, or with the
// object. The object never destroys its window in the destructor: DestroyWindow is the
// caller's choice, made on the window's own thread.
#pragma once
#include <windows.h>

namespace mfc {

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    WNDPROC m_pfnSuper = nullptr;  // the procedure the window had before it was bound

    // The object bound to the window, null when none is.
    static CWnd* FromHandlePermanent(HWND window);

    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                  int y, int width, int height, HWND parentOrOwner, HMENU menuOrId,
                  LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id, LPVOID param = nullptr);
    BOOL SubclassWindow(HWND window);
    BOOL DestroyWindow();
    HWND Detach();  // ends the binding; the window lives on with its own procedure

    // The message handler of a bound window; the default passes the message on.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's own procedure (the class's, or the control's).
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    DWORD GetStyle() const;
    // With flags, the frame is re-evaluated through SetWindowPos (e.g. SWP_FRAMECHANGED).
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);

    BOOL SetWindowPos(HWND after, int x, int y, int width, int height, UINT flags) {
        return ::SetWindowPos(m_hWnd, after, x, y, width, height, flags);
    }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL UpdateWindow() { return ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(const RECT* area, HRGN region, UINT flags) {
        return ::RedrawWindow(m_hWnd, area, region, flags);
    }
    BOOL Invalidate(BOOL erase = TRUE) { return ::InvalidateRect(m_hWnd, nullptr, erase); }
    BOOL GetClientRect(RECT* rect) const { return ::GetClientRect(m_hWnd, rect); }
    BOOL GetWindowRect(RECT* rect) const { return ::GetWindowRect(m_hWnd, rect); }
    BOOL ClientToScreen(POINT* point) const { return ::ClientToScreen(m_hWnd, point); }
    BOOL ScreenToClient(POINT* point) const { return ::ScreenToClient(m_hWnd, point); }
    BOOL SetWindowText(LPCWSTR text) { return ::SetWindowTextW(m_hWnd, text); }
    void SetFont(HFONT font, BOOL redraw = TRUE) {
        ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    HWND SetCapture() { return ::SetCapture(m_hWnd); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    void DragAcceptFiles(BOOL accept = TRUE) { ::DragAcceptFiles(m_hWnd, accept); }
    BOOL SetMenu(HMENU menu) { return ::SetMenu(m_hWnd, menu); }
    BOOL DrawMenuBar() { return ::DrawMenuBar(m_hWnd); }
    int SetWindowRgn(HRGN region, BOOL redraw) { return ::SetWindowRgn(m_hWnd, region, redraw); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    void BeginModalState() { ::EnableWindow(m_hWnd, FALSE); }
    void EndModalState() { ::EnableWindow(m_hWnd, TRUE); }

    // Seam for tests: the function every CreateEx calls in place of CreateWindowExW.
    // Returns the one it replaces; null restores the system's.
    using CreateWindowFunction = HWND(WINAPI*)(DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int,
                                                int, HWND, HMENU, HINSTANCE, LPVOID);
    static CreateWindowFunction setCreateWindowFunction(CreateWindowFunction function);

private:
    friend struct CWndBinding;
    void bind(HWND window);
    void unbind();
};

}  // namespace mfc
