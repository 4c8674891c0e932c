// mfc/CDC.h
//
// A device context. It owns the DC it created (CreateCompatibleDC, deleted by DeleteDC or
// the destructor); an attached one is only borrowed and is detached, not deleted. The
// scoped kinds (CPaintDC, CClientDC) end their DC themselves.
#pragma once
#include <windows.h>

class CDC {
public:
    CDC() = default;
    virtual ~CDC() { DeleteDC(); }
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    operator HDC() const { return m_hDC; }
    // A memory DC compatible with `dc` (the screen for null); FALSE keeps the DC held before.
    BOOL CreateCompatibleDC(HDC dc);
    BOOL DeleteDC();
    void Attach(HDC dc) { DeleteDC(); m_hDC = dc; m_owned = false; }
    HDC Detach();

    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    BOOL BitBlt(int x, int y, int w, int h, HDC source, int sx, int sy, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, w, h, source, sx, sy, rop);
    }
    int DrawText(const wchar_t* text, int count, RECT* rect, UINT format) {
        return ::DrawTextW(m_hDC, text, count, rect, format);
    }
    int ExcludeClipRect(int l, int t, int r, int b) { return ::ExcludeClipRect(m_hDC, l, t, r, b); }

    HDC m_hDC = nullptr;

private:
    bool m_owned = false;
};
