// Where things stand in a CEditableListCtrl: rows, columns and cells in
// client coordinates.
#include <algorithm>

#include "CEditableListCtrl.h"

bool CEditableListCtrl::IsReportView() const {
    return (GetWindowLongW(m_hWnd, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
}

int CEditableListCtrl::ColumnCount() const {
    return Header_GetItemCount(reinterpret_cast<HWND>(Send(LVM_GETHEADER)));
}

int CEditableListCtrl::ColumnWidth(int column) const {
    return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

RECT CEditableListCtrl::RowBounds(int row) const {
    RECT bounds{LVIR_BOUNDS, 0, 0, 0};
    Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
    return bounds;
}

int CEditableListCtrl::CellFromPoint(POINT point, int& column) const {
    column = 0;
    if (!IsReportView()) {
        LVHITTESTINFO hit{};
        hit.pt = point;
        return static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    }
    const int top = static_cast<int>(Send(LVM_GETTOPINDEX));
    // The row below the last whole one may show in part.
    const int last = std::min(top + static_cast<int>(Send(LVM_GETCOUNTPERPAGE)), GetItemCount() - 1);
    const int columns = ColumnCount();
    for (int row = top; row <= last; ++row) {
        const RECT bounds = RowBounds(row);
        if (!PtInRect(&bounds, point)) continue;
        int left = bounds.left;
        for (int c = 0; c < columns; ++c) {
            const int width = ColumnWidth(c);
            if (point.x >= left && point.x <= left + width) {  // both ends: a border belongs to the left column
                column = c;
                return row;
            }
            left += width;
        }
    }
    return -1;
}

RECT CEditableListCtrl::CellRect(int row, int column) const {
    RECT cell = RowBounds(row);
    for (int c = 0; c < column; ++c) cell.left += ColumnWidth(c);
    cell.right = cell.left + ColumnWidth(column);
    return cell;
}

