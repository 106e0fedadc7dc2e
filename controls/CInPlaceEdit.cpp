#include "CInPlaceEdit.h"

#include <algorithm>
#include <utility>

#include "InPlaceEditor.h"

using framework::CommandEntry;

const CommandEntry<CInPlaceEdit> CInPlaceEdit::kMessages[] = {
    {WM_CHAR, 0, 0, &CInPlaceEdit::OnChar},
    {WM_KILLFOCUS, 0, 0, &CInPlaceEdit::OnKillFocus},
    {WM_MOUSEWHEEL, 0, 0, &CInPlaceEdit::OnMouseWheel},
};

CInPlaceEdit::CInPlaceEdit(int row, int column, std::wstring initialText)
    : m_row(row), m_column(column), m_initialText(std::move(initialText)) {}

bool CInPlaceEdit::Create(DWORD style, const RECT& rect, HWND list) {
    const HWND hwnd = CreateInPlaceEditorWindow(L"EDIT", style, rect, list);
    if (!hwnd) return false;
    SubclassWindow(hwnd);
    OnCreate();
    return true;
}

void CInPlaceEdit::OnCreate() {
    Send(WM_SETFONT, static_cast<WPARAM>(SendMessageW(GetParent(m_hWnd), WM_GETFONT, 0, 0)), TRUE);
    SetWindowText(m_initialText);
    SetFocus(m_hWnd);
    Send(EM_SETSEL, 0, -1);
    Send(EM_SCROLLCARET);
}

bool CInPlaceEdit::PreTranslateMessage(MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE && msg.wParam != VK_DELETE && GetKeyState(VK_CONTROL) >= 0)
        return false;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

bool CInPlaceEdit::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return framework::DispatchCommand<CInPlaceEdit>(kMessages, *this, message, wParam, lParam, result) ||
           CByteLimitedEdit::OnWindowMessage(message, wParam, lParam, result);
}

LRESULT CInPlaceEdit::OnChar(WPARAM character, LPARAM flags) {
    // Moving the focus away commits (or cancels) and ends this object.
    if (character == VK_ESCAPE) {
        m_cancel = true;
        SetFocus(GetParent(m_hWnd));
        return 0;
    }
    if (character == VK_RETURN) {
        SetFocus(GetParent(m_hWnd));
        return 0;
    }
    GrowToText();
    LRESULT result = 0;
    CByteLimitedEdit::OnWindowMessage(WM_CHAR, character, flags, result);
    return result;
}

void CInPlaceEdit::GrowToText() {
    // Measured before the character lands: the box follows one keystroke behind.
    const HWND list = GetParent(m_hWnd);
    const std::wstring text = GetWindowText();
    SIZE extent{};
    HDC dc = GetDC(m_hWnd);
    const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0));
    const HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    if (old) SelectObject(dc, old);
    ReleaseDC(m_hWnd, dc);
    const int width = extent.cx + 5;

    RECT rect;
    GetWindowRect(m_hWnd, &rect);
    MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&rect), 2);
    if (width <= rect.right - rect.left) return;
    RECT client;
    GetClientRect(list, &client);
    rect.right = std::min(rect.left + width, client.right);
    MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

// The wheel scrolls the list, which first closes this box: a single-line
// edit would otherwise keep the wheel and stay over a row that moved away.
LRESULT CInPlaceEdit::OnMouseWheel(WPARAM keysAndDelta, LPARAM point) {
    return SendMessageW(GetParent(m_hWnd), WM_MOUSEWHEEL, keysAndDelta, point);
}

LRESULT CInPlaceEdit::OnKillFocus(WPARAM next, LPARAM unused) {
    Default(WM_KILLFOCUS, next, unused);
    SendEndOfEdit(m_hWnd, m_row, m_column, GetWindowText(), m_cancel);
    DestroyWindow(m_hWnd);  // the object is gone after this
    return 0;
}

void CInPlaceEdit::PostNcDestroy() { delete this; }
