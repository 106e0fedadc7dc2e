// The editor dialog: its controls are the parameter set. Saving and loading
// run the core's walks with the dialog itself as the control provider. The
// caption names the file last loaded or saved and marks unsaved changes:
// those that make the bytes a save would write differ from that file's.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ByteLimitedEdit.h"
#include "CColorSwatchButton.h"
#include "CEditableListCtrl.h"
#include "CommandTable.h"
#include "ControlAccess.h"
#include "Controls.h"
#include "Dialog.h"
#include "Document.h"
#include "EditHistory.h"
#include "EditorPrompts.h"
#include "QuickFolder.h"
#include "RangeTips.h"
#include "TableModel.h"

class CAttrEditorDlg final : public framework::CDialog, public params::IControlAccess {
public:
    explicit CAttrEditorDlg(IEditorPrompts& prompts = SystemPrompts());

    // Before the window is made: the file to open, whole, as it starts.
    void OpenAtStart(std::wstring path) { m_startFile = std::move(path); }

    // Paths are UTF-8. Each shows exactly one message; true when done.
    bool SaveParameterFile(const std::string& path);
    bool LoadParameterFile(const std::string& path);
    // Opens a file the user named (command line, drop): all of it, "使用"
    // set as the file says. A failure shows "读取错误" and changes nothing.
    bool OpenFile(const std::wstring& path);
    // Whether the bytes a save would write now differ from those of the file
    // last loaded or saved (at first: of the start-up values).
    bool HasUnsavedChanges() const;

    // Mouse messages on their way to the controls drive the range tips; the
    // dialog's keys (kKeys) act wherever the focus is in it.
    bool PreTranslateMessage(MSG& msg) override;

    // The controls, by control ID; texts are UTF-8.
    std::string GetText(int id) const override;
    void SetText(int id, std::string_view text) override;
    void SetTextLimit(int id, int limit) override;
    void AddChoiceItem(int id, std::string_view text) override;
    void SelectChoiceItem(int id, int index) override;
    int GetChoiceSelection(int id) const override;
    int FindChoiceItem(int id, std::string_view prefix) const override;
    bool IsChecked(int id) const override;
    void SetChecked(int id, bool checked) override;
    params::Color GetColor(int id) const override;
    void SetColor(int id, params::Color color) override;
    int GetRowCount(int id) const override;
    std::vector<params::RowTexts> GetRows(int id) const override;
    void SetRows(int id, std::vector<params::RowTexts> rows) override;
    params::SharedRows GetSharedRows(int id) const override;
    void SetSharedRows(int id, const params::SharedRows& rows) override;
    void InsertRow(int id, int row, const params::RowTexts& cells) override;
    void DeleteRow(int id, int row) override;
    std::vector<int> GetSelectedRows(int id) const override;
    void SelectRows(int id, const std::vector<int>& rows) override;
    int GetFocusRow(int id) const override;
    void SetFocusRow(int id, int row) override;
    void BeginUpdate() override;
    void EndUpdate() override;
    void ShowMessage(std::string_view text) override;

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void BindControls();
    void SetUpTable();
    void SetUpBoxMargins();
    // With unsaved changes, asks whether to save them first; false when the
    // user cancels or the save did not happen.
    bool MayReplaceEdits();
    // A question in a message box with these buttons: IDYES, IDNO or IDCANCEL.
    int Ask(std::string_view question, UINT buttons);
    void ScheduleChangeCheck();
    // What the controls hold now becomes an undo step when it is a change;
    // then the drop-downs and the caption follow it. True when it was a change.
    bool TakeStep();
    // The caption from the Document and the controls as they are now: the
    // file's name, and the mark when a save would write other bytes.
    void RefreshCaption();
    // Each drop-down selects the item its typed text equals, and its tip
    // says when there is none: as the user types, and after anything else
    // that changed the values.
    void FollowTypedChoices();
    // The box the user types in: the control ID of the edit (or the typed
    // drop-down) with the keyboard focus, 0 for none.
    int TypingBox() const;
    // The list shows the rows held here, every one of them.
    void ShowAllRows();
    // An open in-place editor puts its text into the cell before anything reads the table.
    void CommitOpenEdit();
    // The save-file dialog opened on path (its folder and name), then the save; true when saved.
    bool SaveThroughDialog(const std::wstring& path);
    // The tip of a box whose text a save would not store as it reads (a
    // number out of range, a drop-down's text that is no item), else nullptr.
    const std::wstring* TipFor(HWND edit) const;
    // Gives the box its tip exactly while it needs one; true when that changed.
    bool UpdateRangeTip(HWND edit);

    void OnPaint();
    LRESULT OnQueryDragIcon();
    void OnQuickSave();
    void OnQuickLoad();
    void OnSave();
    void OnLoad();
    void OnClose();
    LRESULT OnDropFiles(WPARAM drop, LPARAM unused);
    LRESULT OnEnable(WPARAM enabled, LPARAM unused);
    LRESULT OnEditChange(WPARAM codeAndId, LPARAM edit);
    LRESULT OnCtlColorEdit(WPARAM dc, LPARAM edit);
    LRESULT OnTableCustomDraw(WPARAM id, LPARAM info);
    // The list asks for a cell's text, and hands back a cell edited in place.
    LRESULT OnTableGetDispInfo(WPARAM id, LPARAM info);
    LRESULT OnTableSetDispInfo(WPARAM id, LPARAM info);
    // Every row goes at once: no word of each one (TRUE).
    LRESULT OnTableDeleteAllItems();
    LRESULT OnBoxKillFocus(WPARAM codeAndId, LPARAM box);
    // The dialog's keys (kKeys).
    void OnUndo();
    void OnRedo();
    // Undo or Redo of the history; then the drop-downs and the caption follow.
    void StepThroughHistory(bool (params::EditHistory::*step)(params::IControlAccess&));
    void OnSelectAllRows();
    void OnCopyRows();
    void OnPasteRows();
    void OnCheckChanges();
    void OnAddRow();
    void OnDeleteRow();
    void OnSortRows();
    // Any of the nine colour buttons: the colour dialog, then the swatch.
    LRESULT OnColorButton(WPARAM codeAndId, LPARAM button);

    // Through the objects bound at start-up, never the window list: under
    // Wine every GetDlgItem is a call to the Wine server.
    template <class Control>
    Control& Get(int id) const {
        return BoundControl<Control>(id);
    }

    static const framework::CommandEntry<CAttrEditorDlg> kCommands[];
    // A key pressed with Ctrl (and Shift when shift is set), anywhere in the
    // dialog or only while the table has the focus. An open cell editor keeps
    // every key for itself.
    struct KeyCommand {
        UINT key;
        bool shift;
        bool tableOnly;
        void (CAttrEditorDlg::*action)();
    };
    static const KeyCommand kKeys[];

    IEditorPrompts& m_prompts;
    CQuickFolder m_quickFolder;
    HICON m_hIcon;
    std::vector<CByteLimitedEdit> m_edits;
    framework::CComboBox m_modeList;
    framework::CComboBox m_portraitList;
    framework::CButton m_advancedEnabled;
    std::vector<CColorSwatchButton> m_swatches;
    CEditableListCtrl m_table;
    params::TableModel m_rows;  // the table's rows: the list shows them
    // Offered by every colour dialog and kept for the dialog's life, which is the run.
    framework::CustomColors m_customColors;

    std::wstring m_startFile;
    params::Document m_document;  // the file last loaded or saved, against which changes are measured
    params::EditHistory m_history;
    bool m_checkPosted = false;
    std::wstring m_caption;
    CRangeTips m_tips;
    COLORREF m_cellTextColor = CLR_DEFAULT;  // of the row being drawn
    bool m_redrawHeld = false;  // between BeginUpdate and EndUpdate
};
