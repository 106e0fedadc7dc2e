// The window base class: an HWND and the object it belongs to.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace framework {

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    HWND GetSafeHwnd() const { return m_hWnd; }

    // Ties the window to this object until Detach or the window's end.
    void Attach(HWND hwnd);
    // Attach, and from now on the window's own messages come to
    // OnWindowMessage first, until Detach or the window's final destroy.
    void SubclassWindow(HWND hwnd);
    void Detach();
    // The object tied to hwnd, or nullptr. Only a window of this thread whose
    // procedure is ours counts: any other window's user data belongs to
    // whoever made it, and is never read as one of our objects.
    static CWnd* FromHandle(HWND hwnd);

    // The modal loop offers each message to the window it is for (for keys:
    // the focus) and to its parents before the dialog's keyboard handling.
    // True means the message has been dealt with.
    virtual bool PreTranslateMessage(MSG& msg);
    // WM_NOTIFY and WM_DRAWITEM sent by this control to its parent come here
    // first. True means handled, with result as the message's result.
    virtual bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // A subclassed window's messages. True means handled, with result as the
    // message's result; false lets the window's own processing run.
    virtual bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    std::wstring GetWindowText() const;
    void SetWindowText(std::wstring_view text);
    // Whether the window's text is exactly text, asked with one message.
    bool HasText(std::wstring_view text) const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    void Invalidate(bool erase = true) {
        if (m_hWnd) InvalidateRect(m_hWnd, nullptr, erase);  // a null window would mean every window
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(m_hWnd, message, wParam, lParam);
    }

protected:
    // The window's own processing of a message; only from within OnWindowMessage.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) const;
    // After a subclassed window's last message, once the object is no longer
    // tied to it. A window object that owns itself deletes itself here.
    virtual void PostNcDestroy() {}
    // What GWLP_USERDATA holds, unchecked: only for windows known to be ours.
    static CWnd* TiedObject(HWND hwnd) { return reinterpret_cast<CWnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Gives the window back the procedure SubclassWindow replaced.
    void Unhook();

    // The procedure SubclassWindow replaced; messages we leave go on to it.
    WNDPROC m_previous = nullptr;
};

}  // namespace framework
