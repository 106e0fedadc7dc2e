// Paint context and drawing-object owners: released by their destructors.
#pragma once

#include <windows.h>

namespace framework {

// BeginPaint and EndPaint around one WM_PAINT.
class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hWnd(hwnd), m_dc(BeginPaint(hwnd, &m_ps)) {}
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() { EndPaint(m_hWnd, &m_ps); }
    HDC Handle() const { return m_dc; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
    HDC m_dc;
};

// The device context of a window's client area, or of the screen for null.
class CClientDC {
public:
    explicit CClientDC(HWND hwnd) : m_hWnd(hwnd), m_dc(GetDC(hwnd)) {}
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    ~CClientDC() { ReleaseDC(m_hWnd, m_dc); }
    HDC Handle() const { return m_dc; }

private:
    HWND m_hWnd;
    HDC m_dc;
};

// A pen, brush or other drawing object that we made and must delete.
// Stock objects never go in here.
template <class Handle>
class CGdiObject {
public:
    explicit CGdiObject(Handle handle) : m_handle(handle) {}
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject() {
        if (m_handle) DeleteObject(m_handle);
    }
    Handle Get() const { return m_handle; }

private:
    Handle m_handle;
};

// An object selected into a device context for a scope; the one it
// replaced goes back at the end.
class CSelection {
public:
    CSelection(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(SelectObject(dc, object)) {}
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;
    ~CSelection() { SelectObject(m_dc, m_old); }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

}  // namespace framework
