#include "Wnd.h"

#include <commctrl.h>

namespace framework {
namespace {
constexpr wchar_t kObjectProperty[] = L"Quillet.CWnd";
constexpr UINT_PTR kSubclassId = 0xC3D;
}  // namespace

CWnd::~CWnd() { Detach(); }

void CWnd::Attach(HWND hwnd) {
    Detach();
    m_hWnd = hwnd;
    SetPropW(hwnd, kObjectProperty, this);
}

void CWnd::SubclassWindow(HWND hwnd) {
    Attach(hwnd);
    m_subclassed = SetWindowSubclass(hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void CWnd::Detach() {
    if (m_subclassed) RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
    m_subclassed = false;
    if (m_hWnd && FromHandle(m_hWnd) == this) RemovePropW(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR object) {
    auto* self = reinterpret_cast<CWnd*>(object);
    if (message == WM_NCDESTROY) {
        // The last message: unhook now, since the handler may delete the object.
        RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
        self->m_subclassed = false;
    }
    LRESULT result = 0;
    if (self->OnWindowMessage(message, wParam, lParam, result)) return result;
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam) const {
    return DefSubclassProc(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::FromHandle(HWND hwnd) { return hwnd ? static_cast<CWnd*>(GetPropW(hwnd, kObjectProperty)) : nullptr; }

bool CWnd::PreTranslateMessage(MSG&) { return false; }

bool CWnd::OnReflectedMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool CWnd::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

std::wstring CWnd::GetWindowText() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void CWnd::SetWindowText(std::wstring_view text) { ::SetWindowTextW(m_hWnd, std::wstring(text).c_str()); }

}  // namespace framework
