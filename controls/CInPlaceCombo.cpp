#include "CInPlaceCombo.h"

#include <utility>

#include "InPlaceEditor.h"

using framework::CommandEntry;

const CommandEntry<CInPlaceCombo> CInPlaceCombo::kMessages[] = {
    {WM_KILLFOCUS, 0, 0, &CInPlaceCombo::OnKillFocus},
};

CInPlaceCombo::CInPlaceCombo(int row, int column, std::wstring initialText)
    : m_row(row), m_column(column), m_initialText(std::move(initialText)) {}

bool CInPlaceCombo::Create(DWORD style, const RECT& rect, HWND list) {
    const HWND hwnd = CreateInPlaceEditorWindow(L"COMBOBOX", style, rect, list);
    if (!hwnd) return false;
    SubclassWindow(hwnd);
    OnCreate();
    return true;
}

void CInPlaceCombo::OnCreate() {
    Send(WM_SETFONT, static_cast<WPARAM>(SendMessageW(GetParent(m_hWnd), WM_GETFONT, 0, 0)), TRUE);
    SetFocus(m_hWnd);
}

bool CInPlaceCombo::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return framework::DispatchCommand<CInPlaceCombo>(kMessages, *this, message, wParam, lParam, result);
}

std::wstring CInPlaceCombo::ChosenText() const {
    const int index = GetCurSel();
    if (index < 0) return m_initialText;
    std::wstring text(static_cast<std::size_t>(Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index))) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

LRESULT CInPlaceCombo::OnKillFocus(WPARAM next, LPARAM unused) {
    Default(WM_KILLFOCUS, next, unused);
    SendEndOfEdit(m_hWnd, m_row, m_column, ChosenText(), false);  // a drop-down has no cancel
    DestroyWindow(m_hWnd);  // the object is gone after this
    return 0;
}

void CInPlaceCombo::PostNcDestroy() { delete this; }
