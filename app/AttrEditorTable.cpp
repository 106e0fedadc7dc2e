// The table's rows as the dialog holds them: every change goes to the rows
// here first and the list follows; the list asks for each cell's text when
// it shows it and hands a cell edited in place back.
#include "AttrEditorDlg.h"

#include <algorithm>

#include "TextCodec.h"

using params::Narrow;
using params::Widen;

int CAttrEditorDlg::GetRowCount(int) const { return m_rows.Count(); }

std::vector<params::RowTexts> CAttrEditorDlg::GetRows(int) const { return m_rows.Rows(); }

params::SharedRows CAttrEditorDlg::GetSharedRows(int) const { return m_rows.Shared(); }

void CAttrEditorDlg::SetRows(int id, std::vector<params::RowTexts> rows) {
    Get<CEditableListCtrl>(id);  // a wiring check, as for every other control
    m_rows.Assign(std::move(rows));
    ShowAllRows();
}

void CAttrEditorDlg::SetSharedRows(int id, const params::SharedRows& rows) {
    Get<CEditableListCtrl>(id);
    m_rows.Assign(rows);
    ShowAllRows();
}

void CAttrEditorDlg::ShowAllRows() {
    m_table.SetRedraw(false);
    m_table.DeleteAllItems();
    m_table.InsertRows(0, m_rows.Count());
    m_table.SetRedraw(true);
    m_table.Invalidate();
}

void CAttrEditorDlg::InsertRow(int id, int row, const params::RowTexts& cells) {
    row = std::clamp(row, 0, m_rows.Count());
    m_rows.Insert(row, cells);
    Get<CEditableListCtrl>(id).InsertRows(row, 1);
}

void CAttrEditorDlg::DeleteRow(int id, int row) {
    if (row < 0 || row >= m_rows.Count()) return;
    m_rows.Erase(row);
    Get<CEditableListCtrl>(id).DeleteItem(row);
}

LRESULT CAttrEditorDlg::OnTableGetDispInfo(WPARAM, LPARAM info) {
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(info)->item;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const std::wstring text = Widen(m_rows.Cell(item.iItem, item.iSubItem));
        lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
    }
    return 0;
}

LRESULT CAttrEditorDlg::OnTableSetDispInfo(WPARAM, LPARAM info) {
    const LVITEMW& item = reinterpret_cast<const NMLVDISPINFOW*>(info)->item;
    if (item.pszText) m_rows.SetCell(item.iItem, item.iSubItem, Narrow(item.pszText));
    return 0;
}

LRESULT CAttrEditorDlg::OnTableDeleteAllItems() { return TRUE; }
