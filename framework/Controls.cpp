#include "Controls.h"

namespace framework {

int CComboBox::AddString(std::wstring_view text) {
    const std::wstring s(text);
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str())));
}

int CComboBox::FindString(int after, std::wstring_view prefix) const {
    const std::wstring s(prefix);
    return static_cast<int>(Send(CB_FINDSTRING, static_cast<WPARAM>(after), reinterpret_cast<LPARAM>(s.c_str())));
}

int CComboBox::FindShownItem() const {
    const std::wstring shown = GetWindowText();
    if (shown.empty()) return CB_ERR;  // no item is empty
    return static_cast<int>(Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(shown.c_str())));
}

void CComboBox::SelectShownItem() {
    const int shown = FindShownItem();
    if (shown == CB_ERR || shown == GetCurSel()) return;
    DWORD start = 0;
    DWORD end = 0;
    Send(CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    SetCurSel(shown);
    Send(CB_SETEDITSEL, 0, MAKELPARAM(start, end));
}

HWND CComboBox::GetEditPart() const {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(m_hWnd, &info) && info.hwndItem ? info.hwndItem : m_hWnd;
}

void CButton::DrawItem(const DRAWITEMSTRUCT&) {}

bool CButton::OnReflectedMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_DRAWITEM) return false;
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

int CListCtrl::InsertColumn(int column, std::wstring_view heading, int format, int width) {
    std::wstring text(heading);
    LVCOLUMNW c{};
    c.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    c.fmt = format;
    c.cx = width;
    c.pszText = text.data();
    c.iSubItem = column;
    return static_cast<int>(Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c)));
}

std::wstring CListCtrl::GetItemText(int row, int column) const {
    // LVM_GETITEMTEXT gives no length: grow the buffer until the text fits.
    std::wstring text(64, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        const auto n = static_cast<std::size_t>(
            Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (n + 1 < text.size()) {
            text.resize(n);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

int CListCtrl::InsertItem(int row, std::wstring_view text) {
    std::wstring s(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = s.data();
    return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void CListCtrl::SetItemText(int row, int column, std::wstring_view text) {
    std::wstring s(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = s.data();
    Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void CListCtrl::SetItemState(int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace framework
