#include "SpriteTable.h"

#include <algorithm>
#include <array>
#include <vector>

#include "Fields.h"

namespace params {

void AddTableRow(IControlAccess& controls) {
    const int n = controls.GetRowCount(IDC_SPRITE_TABLE);
    if (n >= kMaxTableRows) {
        controls.ShowMessage(kTableFull);
        return;
    }
    controls.InsertRow(IDC_SPRITE_TABLE, n, kNewRow[0]);
    for (int column = 1; column < kTableColumnCount; ++column)
        controls.SetCellText(IDC_SPRITE_TABLE, n, column, kNewRow[column]);
}

void DeleteSelectedTableRow(IControlAccess& controls) {
    const int row = controls.GetFirstSelectedRow(IDC_SPRITE_TABLE);
    if (row >= 0) controls.DeleteRow(IDC_SPRITE_TABLE, row);
}

void SortTableRows(IControlAccess& controls) {
    struct Row {
        std::array<std::string, kTableColumnCount> cells;
        bool selected = false;
    };
    std::vector<Row> rows(static_cast<std::size_t>(controls.GetRowCount(IDC_SPRITE_TABLE)));
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (int column = 0; column < kTableColumnCount; ++column)
            rows[i].cells[column] = controls.GetCellText(IDC_SPRITE_TABLE, static_cast<int>(i), column);
    for (int i : controls.GetSelectedRows(IDC_SPRITE_TABLE)) rows[static_cast<std::size_t>(i)].selected = true;
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return LeadingIntegerByte(a.cells[0]) < LeadingIntegerByte(b.cells[0]);
    });
    std::vector<int> selected;
    controls.BeginBulkUpdate(IDC_SPRITE_TABLE);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (int column = 0; column < kTableColumnCount; ++column)
            controls.SetCellText(IDC_SPRITE_TABLE, static_cast<int>(i), column, rows[i].cells[column]);
        if (rows[i].selected) selected.push_back(static_cast<int>(i));
    }
    // The selection moves with its rows, so Delete after Sort removes the row the user chose.
    controls.SelectRows(IDC_SPRITE_TABLE, selected);
    controls.EndBulkUpdate(IDC_SPRITE_TABLE);
}

}  // namespace params
