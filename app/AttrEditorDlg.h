// The editor dialog: its controls are the parameter set. Saving and loading
// run the core's walks with the dialog itself as the control provider.
#pragma once

#include <string>
#include <vector>

#include "ByteLimitedEdit.h"
#include "CColorSwatchButton.h"
#include "CEditableListCtrl.h"
#include "CommandTable.h"
#include "ControlAccess.h"
#include "Controls.h"
#include "Dialog.h"
#include "EditorPrompts.h"
#include "QuickFolder.h"

class CAttrEditorDlg final : public framework::CDialog, public params::IControlAccess {
public:
    explicit CAttrEditorDlg(IEditorPrompts& prompts = SystemPrompts());

    // Paths are UTF-8. Each shows exactly one message.
    void SaveParameterFile(const std::string& path);
    void LoadParameterFile(const std::string& path);

    // The controls, by control ID; texts are UTF-8.
    std::string GetText(int id) const override;
    void SetText(int id, std::string_view text) override;
    void SetTextLimit(int id, int limit) override;
    void AddChoiceItem(int id, std::string_view text) override;
    void SelectChoiceItem(int id, int index) override;
    int GetChoiceSelection(int id) const override;
    int FindChoiceItem(int id, std::string_view prefix) const override;
    bool IsChecked(int id) const override;
    params::Color GetColor(int id) const override;
    void SetColor(int id, params::Color color) override;
    int GetRowCount(int id) const override;
    std::string GetCellText(int id, int row, int column) const override;
    void DeleteAllRows(int id) override;
    void DeleteRow(int id, int row) override;
    void InsertRow(int id, int row, std::string_view column0) override;
    void SetCellText(int id, int row, int column, std::string_view text) override;
    int GetFirstSelectedRow(int id) const override;
    std::vector<int> GetSelectedRows(int id) const override;
    void SelectRows(int id, const std::vector<int>& rows) override;
    void BeginBulkUpdate(int id) override;
    void EndBulkUpdate(int id) override;
    void ShowMessage(std::string_view text) override;

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void BindControls();
    void SetUpTable();
    void SetUpBoxMargins();

    void OnPaint();
    LRESULT OnQueryDragIcon();
    void OnQuickSave();
    void OnQuickLoad();
    void OnSave();
    void OnLoad();
    void OnClose();
    void OnAddRow();
    void OnDeleteRow();
    void OnSortRows();
    void OnAdvancedColor0();
    void OnAdvancedColor1();
    void OnAdvancedColor2();
    void OnAdvancedColor3();
    void OnAdvancedColor4();
    void OnMenuTextColor();
    void OnArrowColor();
    void OnBackgroundColor();
    void OnSliderColor();
    // Runs the colour dialog opened on initial; on OK the colour goes to button.
    void PickColor(CColorSwatchButton& button, COLORREF initial);

    // Through the objects bound at start-up, never the window list: under
    // Wine every GetDlgItem is a call to the Wine server.
    template <class Control>
    Control& Get(int id) const {
        return BoundControl<Control>(id);
    }

    static const framework::CommandEntry<CAttrEditorDlg> kCommands[];

    IEditorPrompts& m_prompts;
    CQuickFolder m_quickFolder;
    HICON m_hIcon;
    std::vector<framework::CByteLimitedEdit> m_edits;
    framework::CComboBox m_modeList;
    framework::CComboBox m_portraitList;
    framework::CButton m_advancedEnabled;
    std::vector<CColorSwatchButton> m_swatches;
    CEditableListCtrl m_table;
    // Offered by every colour dialog and kept for the dialog's life, which is the run.
    framework::CustomColors m_customColors;
};
