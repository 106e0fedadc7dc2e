// The window-system operations through which the parameter walks reach the
// dialog's controls, each addressed by control ID. Texts are UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Catalogue.h"
#include "TableModel.h"
#include "TableRow.h"

namespace params {

class IControlAccess {
public:
    virtual ~IControlAccess() = default;

    // Edits and combo boxes
    virtual std::string GetText(int id) const = 0;
    virtual void SetText(int id, std::string_view text) = 0;  // shown in full, whatever the limit
    virtual void SetTextLimit(int id, int limit) = 0;         // code-page-936 bytes
    virtual void AddChoiceItem(int id, std::string_view text) = 0;  // lands at its sorted position
    virtual void SelectChoiceItem(int id, int index) = 0;  // outside the list (-1 too) clears
    virtual int GetChoiceSelection(int id) const = 0;      // -1 with nothing selected
    // First item beginning with prefix (case-insensitive), searched from the
    // second item to the end, then the first; -1 if none.
    virtual int FindChoiceItem(int id, std::string_view prefix) const = 0;

    // Check box
    virtual bool IsChecked(int id) const = 0;
    virtual void SetChecked(int id, bool checked) = 0;

    // Colour swatches: all 32 bits are kept
    virtual Color GetColor(int id) const = 0;
    virtual void SetColor(int id, Color color) = 0;

    // The table, whole rows at a time
    virtual int GetRowCount(int id) const = 0;
    virtual std::vector<RowTexts> GetRows(int id) const = 0;
    virtual void SetRows(int id, std::vector<RowTexts> rows) = 0;  // replaces every row; none selected
    // The rows as one version that never changes (TableModel): the same
    // pointer while the table stays as it is. A provider holding its rows
    // otherwise hands out a copy.
    virtual SharedRows GetSharedRows(int id) const { return std::make_shared<const std::vector<RowTexts>>(GetRows(id)); }
    virtual void SetSharedRows(int id, const SharedRows& rows) { SetRows(id, *rows); }
    virtual void InsertRow(int id, int row, const RowTexts& cells) = 0;
    virtual void DeleteRow(int id, int row) = 0;  // rows below move up
    virtual std::vector<int> GetSelectedRows(int id) const = 0;  // in increasing order
    virtual void SelectRows(int id, const std::vector<int>& rows) = 0;  // these rows and no other
    // The row with the keyboard focus, -1 for none. A provider without a
    // keyboard has none, and setting it there changes nothing.
    virtual int GetFocusRow(int) const { return -1; }
    virtual void SetFocusRow(int, int) {}

    // Many controls are about to change: the real dialog holds its redraw until EndUpdate.
    virtual void BeginUpdate() {}
    virtual void EndUpdate() {}

    // Text only, OK button, no icon, owned by the dialog, captioned with the program's name.
    virtual void ShowMessage(std::string_view text) = 0;
};

// The table as numbers, through its texts as every provider holds them: what
// saving stores for each row (NumbersOf), and rows put in as loading shows
// them (TextsOf).
std::vector<TableRow> GetTableRows(const IControlAccess& controls, int id);
void SetTableRows(IControlAccess& controls, int id, const std::vector<TableRow>& rows);

}  // namespace params
