// The current cell of a CEditableListCtrl: its column, and the focus
// rectangle drawn round it on the focus row.
#include <algorithm>

#include "CEditableListCtrl.h"
#include "Gdi.h"

namespace {

// The current cell's focus rectangle stands this far inside the cell, clear
// of the grid lines and of the row's own focus rectangle.
constexpr int kCellFocusInset = 2;

}  // namespace

void CEditableListCtrl::InvalidateCell(int row, int column) {
    if (row < 0) return;
    const RECT cell = CellRect(row, column);
    InvalidateRect(m_hWnd, &cell, FALSE);
}

void CEditableListCtrl::SetCurrentColumn(int column) {
    column = std::clamp(column, 0, std::max(ColumnCount() - 1, 0));
    if (column == m_column) return;
    InvalidateCell(FocusRow(), m_column);
    m_column = column;
    InvalidateCell(FocusRow(), m_column);
}

// The current cell's focus rectangle is drawn over what the list painted and
// only there: drawn twice, a focus rectangle would vanish.
LRESULT CEditableListCtrl::OnPaint(WPARAM dc, LPARAM unused) {
    const int row = FocusRow();
    if (dc || GetFocus() != m_hWnd || row < static_cast<int>(Send(LVM_GETTOPINDEX)))
        return Default(WM_PAINT, dc, unused);
    const framework::CGdiObject<HRGN> painted(CreateRectRgn(0, 0, 0, 0));
    GetUpdateRgn(m_hWnd, painted.Get(), FALSE);
    const LRESULT result = Default(WM_PAINT, dc, unused);
    RECT cell = CellRect(row, m_column);
    InflateRect(&cell, -kCellFocusInset, -kCellFocusInset);
    const framework::CClientDC client(m_hWnd);
    SelectClipRgn(client.Handle(), painted.Get());
    DrawFocusRect(client.Handle(), &cell);
    return result;
}

LRESULT CEditableListCtrl::OnSetFocus(WPARAM previous, LPARAM unused) {
    const LRESULT result = Default(WM_SETFOCUS, previous, unused);
    InvalidateCell(FocusRow(), m_column);
    return result;
}

LRESULT CEditableListCtrl::OnKillFocus(WPARAM next, LPARAM unused) {
    const LRESULT result = Default(WM_KILLFOCUS, next, unused);
    InvalidateCell(FocusRow(), m_column);
    return result;
}

// The current cell follows the focus row wherever the list moves it.
LRESULT CEditableListCtrl::OnItemChanged(WPARAM, LPARAM info) {
    const auto& change = *reinterpret_cast<const NMLISTVIEW*>(info);
    if ((change.uOldState ^ change.uNewState) & LVIS_FOCUSED) InvalidateCell(change.iItem, m_column);
    return 0;
}
