#include "CEditableListCtrl.h"

#include <windowsx.h>

#include "InPlaceEditor.h"

using framework::CommandEntry;

const CommandEntry<CEditableListCtrl> CEditableListCtrl::kMessages[] = {
    {WM_LBUTTONDOWN, 0, 0, &CEditableListCtrl::OnLButtonDown},
    {WM_LBUTTONDBLCLK, 0, 0, &CEditableListCtrl::OnLButtonDblClk},
    {WM_HSCROLL, 0, 0, &CEditableListCtrl::OnHScroll},
    {WM_VSCROLL, 0, 0, &CEditableListCtrl::OnVScroll},
    {WM_MOUSEWHEEL, 0, 0, &CEditableListCtrl::OnMouseWheel},
    {WM_KEYDOWN, 0, 0, &CEditableListCtrl::OnKeyDown},
    {WM_SYSKEYDOWN, 0, 0, &CEditableListCtrl::OnSysKeyDown},
    {WM_PAINT, 0, 0, &CEditableListCtrl::OnPaint},
    {WM_SETFOCUS, 0, 0, &CEditableListCtrl::OnSetFocus},
    {WM_KILLFOCUS, 0, 0, &CEditableListCtrl::OnKillFocus},
};

const CommandEntry<CEditableListCtrl> CEditableListCtrl::kReflected[] = {
    {WM_NOTIFY, static_cast<UINT>(LVN_ENDLABELEDITW), kInPlaceEditorId, &CEditableListCtrl::OnEndLabelEdit},
    {WM_NOTIFY, static_cast<UINT>(LVN_ITEMCHANGED), framework::kAnyControl, &CEditableListCtrl::OnItemChanged},
};

bool CEditableListCtrl::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return framework::DispatchCommand<CEditableListCtrl>(kMessages, *this, message, wParam, lParam, result);
}

// The edited text goes to the parent's cell here; the parent still hears of
// the end of the edit (false), as it may follow what changes in the list.
bool CEditableListCtrl::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    framework::DispatchCommand<CEditableListCtrl>(kReflected, *this, message, wParam, lParam, result);
    return false;
}

void CEditableListCtrl::SetColumnChoices(int column, std::vector<std::wstring> choices) {
    if (column < 0) return;
    if (static_cast<std::size_t>(column) >= m_columnChoices.size()) m_columnChoices.resize(column + 1);
    m_columnChoices[static_cast<std::size_t>(column)] = std::move(choices);
}

const std::vector<std::wstring>& CEditableListCtrl::ChoicesOf(int column) const {
    static const std::vector<std::wstring> kNone;
    return column >= 0 && static_cast<std::size_t>(column) < m_columnChoices.size()
               ? m_columnChoices[static_cast<std::size_t>(column)]
               : kNone;
}

POINT CEditableListCtrl::Origin() const {
    if (GetItemCount() == 0) return {};
    const RECT bounds = RowBounds(0);
    return {bounds.left, bounds.top};
}

LRESULT CEditableListCtrl::OnLButtonDown(WPARAM flags, LPARAM point) {
    m_pressOrigin = Origin();
    // A click makes the cell under it current; the list's own processing focuses its row.
    int column = 0;
    if (CellFromPoint({GET_X_LPARAM(point), GET_Y_LPARAM(point)}, column) >= 0) SetCurrentColumn(column);
    return Default(WM_LBUTTONDOWN, flags, point);
}

LRESULT CEditableListCtrl::OnLButtonDblClk(WPARAM flags, LPARAM point) {
    // The pointer, moved with whatever the first click scrolled: it stands on
    // the cell the user clicked, for the list's own processing too.
    const POINT origin = Origin();
    const POINT pressed = m_pressOrigin.value_or(origin);
    m_pressOrigin.reset();
    const POINT at{GET_X_LPARAM(point) + origin.x - pressed.x, GET_Y_LPARAM(point) + origin.y - pressed.y};
    Default(WM_LBUTTONDBLCLK, flags, MAKELPARAM(at.x, at.y));
    int column = 0;
    const int row = CellFromPoint(at, column);
    if (row >= 0) OpenCell(row, column);
    return 0;
}

void CEditableListCtrl::TakeFocus() {
    if (GetFocus() != m_hWnd) SetFocus(m_hWnd);
}

LRESULT CEditableListCtrl::OnHScroll(WPARAM request, LPARAM bar) {
    TakeFocus();
    return Default(WM_HSCROLL, request, bar);
}

LRESULT CEditableListCtrl::OnVScroll(WPARAM request, LPARAM bar) {
    TakeFocus();
    return Default(WM_VSCROLL, request, bar);
}

// The wheel scrolls too, whether it comes straight to the list or from an open text box.
LRESULT CEditableListCtrl::OnMouseWheel(WPARAM keysAndDelta, LPARAM point) {
    TakeFocus();
    return Default(WM_MOUSEWHEEL, keysAndDelta, point);
}

// The parent holds the cells: the edited text goes to it, and the row shows it again.
LRESULT CEditableListCtrl::OnEndLabelEdit(WPARAM, LPARAM info) {
    NMLVDISPINFOW cell = *reinterpret_cast<const NMLVDISPINFOW*>(info);
    if (!cell.item.pszText) return 0;
    cell.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    cell.hdr.code = LVN_SETDISPINFOW;
    SendMessageW(GetParent(m_hWnd), WM_NOTIFY, cell.hdr.idFrom, reinterpret_cast<LPARAM>(&cell));
    Send(LVM_REDRAWITEMS, static_cast<WPARAM>(cell.item.iItem), cell.item.iItem);
    return 0;
}

void CEditableListCtrl::InsertRows(int first, int count) {
    const int columns = ColumnCount();  // two messages: asked once, not for every cell of a load
    for (int row = first; row < first + count; ++row) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = LPSTR_TEXTCALLBACKW;
        const int at = static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        for (item.iSubItem = 1; item.iSubItem < columns; ++item.iSubItem)
            Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
    }
}
