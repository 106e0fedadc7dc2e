// The sprite attribute table's buttons: "增加", "删除" and "排序".
#pragma once

#include "ControlAccess.h"

namespace params {

// Appends the row "2", "魔法", "1", "1"; a full table (255 rows, all a file
// can carry) gets nothing and the user is told.
void AddTableRow(IControlAccess& controls);

// Deletes the first selected row only; nothing without a selection.
void DeleteSelectedTableRow(IControlAccess& controls);

// Sorts the rows, stably, by the level byte saving would write for them;
// selected rows stay selected where they move to.
void SortTableRows(IControlAccess& controls);

}  // namespace params
