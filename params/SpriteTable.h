// The sprite attribute table's buttons: "增加", "删除" and "排序"; and its
// rows to and from spreadsheets.
#pragma once

#include <string>
#include <string_view>

#include "ControlAccess.h"

namespace params {

// Appends the row "2", "魔法", "1", "1"; a full table (255 rows, all a file
// can carry) gets nothing and the user is told.
void AddTableRow(IControlAccess& controls);

// Deletes the first selected row only; nothing without a selection.
void DeleteSelectedTableRow(IControlAccess& controls);

// Sorts the rows, stably, by the level byte saving would write for them;
// selected rows stay selected where they move to, and the focus row too.
void SortTableRows(IControlAccess& controls);

// The selected rows as a spreadsheet takes them (RowsAsText), each cell as
// it shows.
std::string SelectedTableRowsAsText(const IControlAccess& controls);

// Appends the rows of spreadsheet text (RowsFromText) with their texts as
// they are. All or nothing: when a line is not one row, or the rows would
// not fit the table, nothing is pasted and the user is told why.
void PasteTableRows(IControlAccess& controls, std::string_view text);

}  // namespace params
