// The dialog's keys, in one table: undo and redo from anywhere in the
// dialog, and the table's rows to and from spreadsheets.
#include "AttrEditorDlg.h"

#include "Clipboard.h"
#include "SpriteTable.h"
#include "TextCodec.h"

using params::Narrow;
using params::Widen;

const CAttrEditorDlg::KeyCommand CAttrEditorDlg::kKeys[] = {
    {'Z', false, false, &CAttrEditorDlg::OnUndo},
    {'Y', false, false, &CAttrEditorDlg::OnRedo},
    {'Z', true, false, &CAttrEditorDlg::OnRedo},
    {'A', false, true, &CAttrEditorDlg::OnSelectAllRows},
    {'C', false, true, &CAttrEditorDlg::OnCopyRows},
    {'V', false, true, &CAttrEditorDlg::OnPasteRows},
};

bool CAttrEditorDlg::PreTranslateMessage(MSG& msg) {
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) m_tips.Relay(msg, m_table, m_rows);
    // Ctrl with Alt is AltGr on many keyboards: a character, not a command.
    if (msg.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return false;
    const HWND table = m_table.GetSafeHwnd();
    if (IsChild(table, msg.hwnd)) return false;  // an open cell editor's own, until it commits
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    for (const KeyCommand& k : kKeys) {
        if (k.key != msg.wParam || k.shift != shift || (k.tableOnly && msg.hwnd != table)) continue;
        (this->*k.action)();
        return true;
    }
    return false;
}

void CAttrEditorDlg::OnUndo() { StepThroughHistory(&params::EditHistory::Undo); }

void CAttrEditorDlg::OnRedo() { StepThroughHistory(&params::EditHistory::Redo); }

// What was typed last becomes a step of its own first, so it is what goes.
void CAttrEditorDlg::StepThroughHistory(bool (params::EditHistory::*step)(params::IControlAccess&)) {
    TakeStep();
    if (!(m_history.*step)(*this)) return;
    FollowTypedChoices();
    RefreshCaption();
}

void CAttrEditorDlg::OnSelectAllRows() { m_table.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED); }

// With no row selected the clipboard keeps what it holds.
void CAttrEditorDlg::OnCopyRows() {
    if (const std::string rows = params::SelectedTableRowsAsText(*this); !rows.empty())
        framework::SetClipboardText(m_hWnd, Widen(rows));
}

void CAttrEditorDlg::OnPasteRows() { params::PasteTableRows(*this, Narrow(framework::GetClipboardText(m_hWnd))); }
