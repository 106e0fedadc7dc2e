#include "Wnd.h"

namespace framework {
namespace {
constexpr wchar_t kObjectProperty[] = L"Quillet.CWnd";
}  // namespace

CWnd::~CWnd() { Detach(); }

void CWnd::Attach(HWND hwnd) {
    Detach();
    m_hWnd = hwnd;
    SetPropW(hwnd, kObjectProperty, this);
}

void CWnd::Detach() {
    if (m_hWnd && FromHandle(m_hWnd) == this) RemovePropW(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd) { return hwnd ? static_cast<CWnd*>(GetPropW(hwnd, kObjectProperty)) : nullptr; }

bool CWnd::PreTranslateMessage(MSG&) { return false; }

bool CWnd::OnReflectedMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

std::wstring CWnd::GetWindowText() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void CWnd::SetWindowText(std::wstring_view text) { ::SetWindowTextW(m_hWnd, std::wstring(text).c_str()); }

}  // namespace framework
