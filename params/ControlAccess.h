// The window-system operations through which the parameter walks reach the
// dialog's controls, each addressed by control ID. Texts are UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Catalogue.h"

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

    // The table
    virtual int GetRowCount(int id) const = 0;
    virtual std::string GetCellText(int id, int row, int column) const = 0;
    virtual void DeleteAllRows(int id) = 0;
    virtual void DeleteRow(int id, int row) = 0;  // rows below move up
    virtual void InsertRow(int id, int row, std::string_view column0) = 0;
    virtual void SetCellText(int id, int row, int column, std::string_view text) = 0;
    virtual int GetFirstSelectedRow(int id) const = 0;  // -1 with none selected
    virtual std::vector<int> GetSelectedRows(int id) const = 0;  // in increasing order
    virtual void SelectRows(int id, const std::vector<int>& rows) = 0;  // these rows and no other
    // Many rows are about to change: the real list holds its redraw until EndBulkUpdate.
    virtual void BeginBulkUpdate(int /*id*/) {}
    virtual void EndBulkUpdate(int /*id*/) {}

    // Text only, OK button, no icon, owned by the dialog, captioned with the program's name.
    virtual void ShowMessage(std::string_view text) = 0;
};

}  // namespace params
