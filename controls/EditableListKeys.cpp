// A CEditableListCtrl from the keyboard: Left and Right move the current
// cell, F2 edits it, Alt+Down opens a drop-down's list.
#include "CEditableListCtrl.h"
#include "CInPlaceCombo.h"

LRESULT CEditableListCtrl::OnKeyDown(WPARAM key, LPARAM flags) {
    const int row = FocusRow();
    switch (key) {
    case VK_LEFT: SetCurrentColumn(m_column - 1); return 0;
    case VK_RIGHT: SetCurrentColumn(m_column + 1); return 0;
    case VK_F2:
        if (row >= 0) OpenCell(row, m_column);
        return 0;
    }
    return Default(WM_KEYDOWN, key, flags);
}

// Alt+Down on a cell with choices opens its drop-down, list and all, as
// Alt+Down does in any drop-down.
LRESULT CEditableListCtrl::OnSysKeyDown(WPARAM key, LPARAM flags) {
    const int row = FocusRow();
    if (key != VK_DOWN || row < 0 || ChoicesOf(m_column).empty()) return Default(WM_SYSKEYDOWN, key, flags);
    if (CInPlaceCombo* combo = OpenCellCombo(row, m_column)) combo->Send(CB_SHOWDROPDOWN, TRUE);
    return 0;
}

