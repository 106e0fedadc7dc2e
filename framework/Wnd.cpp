#include "Wnd.h"

#include <algorithm>

namespace framework {

// The object lives in GWLP_USERDATA and the subclass is a plain GWLP_WNDPROC
// swap: under Wine, window properties and SetWindowSubclass cost a call to
// the Wine server on every message, while these are read in the process.

CWnd::~CWnd() { Detach(); }

void CWnd::Attach(HWND hwnd) {
    Detach();
    m_hWnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd || GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) return nullptr;
    if (GetWindowLongPtrW(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&CWnd::WindowProc)) return nullptr;
    return TiedObject(hwnd);
}

void CWnd::SubclassWindow(HWND hwnd) {
    Attach(hwnd);
    m_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WindowProc)));
}

void CWnd::Unhook() {
    // A procedure set over ours since keeps its place; ours then passes
    // everything on (see WindowProc).
    if (GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWnd::WindowProc))
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
    if (TiedObject(m_hWnd) == this) SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
}

void CWnd::Detach() {
    if (m_hWnd) Unhook();
    m_previous = nullptr;
    m_hWnd = nullptr;
}

LRESULT CALLBACK CWnd::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* self = TiedObject(hwnd);  // only windows we subclassed come here
    if (!self) {
        // Untied while another procedure sat over ours: we only ever replace
        // the procedure a window was created with, its class's.
        const auto own = reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC));
        return CallWindowProcW(own, hwnd, message, wParam, lParam);
    }
    const WNDPROC previous = self->m_previous;
    if (message != WM_NCDESTROY) {
        LRESULT result = 0;
        if (self->OnWindowMessage(message, wParam, lParam, result)) return result;
        return CallWindowProcW(previous, hwnd, message, wParam, lParam);
    }
    // The last message: the object lets go of the window, then may delete itself.
    self->Unhook();
    LRESULT result = 0;
    if (!self->OnWindowMessage(message, wParam, lParam, result))
        result = CallWindowProcW(previous, hwnd, message, wParam, lParam);
    self->m_hWnd = nullptr;
    self->m_previous = nullptr;
    self->PostNcDestroy();
    return result;
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcW(m_previous, m_hWnd, message, wParam, lParam);
}

bool CWnd::PreTranslateMessage(MSG&) { return false; }

bool CWnd::OnReflectedMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool CWnd::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

std::wstring CWnd::GetWindowText() const {
    // Most texts are short: one message reads them whole, and only a text
    // that fills the buffer is measured first. The dialog reads every box
    // after each change.
    wchar_t shortText[64];
    const int n = ::GetWindowTextW(m_hWnd, shortText, 64);
    if (n < 63) return std::wstring(shortText, static_cast<std::size_t>(std::max(n, 0)));
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool CWnd::HasText(std::wstring_view text) const {
    // Room for one unit more: a longer text then comes back longer than text.
    std::wstring shown(text.size() + 2, L'\0');
    const auto n = static_cast<std::size_t>(Send(WM_GETTEXT, shown.size(), reinterpret_cast<LPARAM>(shown.data())));
    return n == text.size() && std::wstring_view(shown.data(), n) == text;
}

void CWnd::SetWindowText(std::wstring_view text) { ::SetWindowTextW(m_hWnd, std::wstring(text).c_str()); }

}  // namespace framework
