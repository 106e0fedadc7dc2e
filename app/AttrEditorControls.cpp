// The editor dialog as the core's control provider: the control-access
// interface over its real controls, reached through the objects bound at
// start-up. Texts cross here between UTF-8 and the controls' UTF-16.
#include "AttrEditorDlg.h"

#include "TextCodec.h"

using params::Narrow;
using params::Widen;

std::string CAttrEditorDlg::GetText(int id) const { return Narrow(Get<framework::CWnd>(id).GetWindowText()); }

// A control is set only when it shows something else: every change repaints
// it and notifies the dialog. The choices are always set, as a drop-down's
// typed text may differ from its selection, and selecting notifies nobody.
void CAttrEditorDlg::SetText(int id, std::string_view text) {
    const std::wstring wide = Widen(text);
    auto& control = Get<framework::CWnd>(id);
    if (!control.HasText(wide)) control.SetWindowText(wide);
}

void CAttrEditorDlg::SetTextLimit(int id, int limit) { Get<framework::CEdit>(id).SetLimitText(limit); }

void CAttrEditorDlg::AddChoiceItem(int id, std::string_view text) {
    // A file stores a choice by its place in the list as a Chinese system
    // sorts it (否 before 是; a Japanese one sorts them the other way round).
    constexpr LCID kChinese = MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT);
    Get<framework::CComboBox>(id).Send(CB_SETLOCALE, kChinese);
    Get<framework::CComboBox>(id).AddString(Widen(text));
}

void CAttrEditorDlg::SelectChoiceItem(int id, int index) { Get<framework::CComboBox>(id).SetCurSel(index); }

// The item the drop-down shows: typed text counts only when it is an item's
// own, whatever the list's selection says.
int CAttrEditorDlg::GetChoiceSelection(int id) const { return Get<framework::CComboBox>(id).FindShownItem(); }

int CAttrEditorDlg::FindChoiceItem(int id, std::string_view prefix) const {
    return Get<framework::CComboBox>(id).FindString(0, Widen(prefix));
}

bool CAttrEditorDlg::IsChecked(int id) const { return Get<framework::CButton>(id).GetCheck() != BST_UNCHECKED; }

void CAttrEditorDlg::SetChecked(int id, bool checked) {
    Get<framework::CButton>(id).Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

params::Color CAttrEditorDlg::GetColor(int id) const { return Get<CColorSwatchButton>(id).GetColor(); }

void CAttrEditorDlg::SetColor(int id, params::Color color) {
    auto& swatch = Get<CColorSwatchButton>(id);
    if (swatch.GetColor() != color) swatch.SetColor(color);
}

std::vector<int> CAttrEditorDlg::GetSelectedRows(int id) const {
    const auto& list = Get<framework::CListCtrl>(id);
    std::vector<int> rows;
    for (int row = -1; (row = list.GetNextItem(row, LVNI_SELECTED)) >= 0;) rows.push_back(row);
    return rows;
}

void CAttrEditorDlg::SelectRows(int id, const std::vector<int>& rows) {
    auto& list = Get<framework::CListCtrl>(id);
    list.SetItemState(-1, 0, LVIS_SELECTED);
    for (int row : rows) list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
}

int CAttrEditorDlg::GetFocusRow(int id) const { return Get<framework::CListCtrl>(id).GetNextItem(-1, LVNI_FOCUSED); }

void CAttrEditorDlg::SetFocusRow(int id, int row) {
    Get<framework::CListCtrl>(id).SetItemState(row, LVIS_FOCUSED, LVIS_FOCUSED);
}

void CAttrEditorDlg::BeginUpdate() {
    // A hidden dialog is left alone: turning its redraw back on would show it.
    m_redrawHeld = IsWindowVisible(m_hWnd) != FALSE;
    if (m_redrawHeld) Send(WM_SETREDRAW, FALSE);
}

void CAttrEditorDlg::EndUpdate() {
    if (!m_redrawHeld) return;
    m_redrawHeld = false;
    Send(WM_SETREDRAW, TRUE);
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void CAttrEditorDlg::ShowMessage(std::string_view text) {
    TakeStep();
    RefreshCaption();  // the caption is right while the message is up
    m_prompts.ShowMessage(m_hWnd, Widen(text));
}
