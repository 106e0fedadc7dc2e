// Tab and Shift+Tab in an open in-place editor: commit it and open the next
// or previous cell, row after row.
#include "CEditableListCtrl.h"
#include "InPlaceEditor.h"

bool CEditableListCtrl::PreTranslateMessage(MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || GetParent(msg.hwnd) != m_hWnd ||
        ::GetDlgCtrlID(msg.hwnd) != kInPlaceEditorId)
        return false;
    const int columns = ColumnCount();
    const int step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    int row = m_editRow;
    int column = m_column + step;
    if (column < 0 || column >= columns) {
        row += step;
        column = step > 0 ? 0 : columns - 1;
    }
    // Past the first or the last cell, Tab leaves the table as it leaves any control.
    if (row < 0 || row >= GetItemCount()) return false;
    SetFocus(m_hWnd);  // the open editor commits and closes
    if (row != FocusRow()) {
        // The row moves as the arrow keys move it: focused and alone selected.
        SetItemState(-1, 0, LVIS_SELECTED);
        SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    OpenCell(row, column);
    return true;
}

