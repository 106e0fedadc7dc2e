#include "SpriteTable.h"

#include <algorithm>
#include <vector>

#include "Fields.h"

namespace params {

void AddTableRow(IControlAccess& controls) {
    const int n = controls.GetRowCount(IDC_SPRITE_TABLE);
    if (n >= kMaxTableRows) {
        controls.ShowMessage(kTableFull);
        return;
    }
    RowTexts row;
    std::copy(std::begin(kNewRow), std::end(kNewRow), row.begin());
    controls.InsertRow(IDC_SPRITE_TABLE, n, row);
}

void DeleteSelectedTableRow(IControlAccess& controls) {
    const std::vector<int> selected = controls.GetSelectedRows(IDC_SPRITE_TABLE);
    if (!selected.empty()) controls.DeleteRow(IDC_SPRITE_TABLE, selected.front());
}

void SortTableRows(IControlAccess& controls) {
    std::vector<RowTexts> rows = controls.GetRows(IDC_SPRITE_TABLE);
    struct Entry {
        std::uint8_t level;
        std::size_t from;  // the row's place before sorting
    };
    std::vector<Entry> order(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) order[i] = {LeadingIntegerByte(rows[i][0]), i};
    std::stable_sort(order.begin(), order.end(), [](const Entry& a, const Entry& b) { return a.level < b.level; });

    std::vector<bool> wasSelected(rows.size());
    for (int i : controls.GetSelectedRows(IDC_SPRITE_TABLE)) wasSelected[static_cast<std::size_t>(i)] = true;
    std::vector<RowTexts> sorted(rows.size());
    std::vector<int> selected;
    for (std::size_t i = 0; i < order.size(); ++i) {
        sorted[i] = std::move(rows[order[i].from]);
        if (wasSelected[order[i].from]) selected.push_back(static_cast<int>(i));
    }
    controls.SetRows(IDC_SPRITE_TABLE, std::move(sorted));
    // The selection moves with its rows, so Delete after Sort removes the row the user chose.
    controls.SelectRows(IDC_SPRITE_TABLE, selected);
}

}  // namespace params
