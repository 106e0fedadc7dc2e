#include "SpriteTable.h"

#include <algorithm>
#include <array>
#include <vector>

#include "Fields.h"
#include "TableText.h"

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
    // A counting sort by the level byte: stable, and small in the editor.
    std::vector<std::uint8_t> levels(rows.size());
    std::array<std::size_t, 257> next{};  // where the next row of each level goes
    for (std::size_t i = 0; i < rows.size(); ++i) ++next[(levels[i] = LeadingIntegerByte(rows[i][0])) + 1u];
    for (std::size_t level = 1; level < next.size(); ++level) next[level] += next[level - 1];
    std::vector<std::size_t> from(rows.size());  // the place before sorting of each place after
    for (std::size_t i = 0; i < rows.size(); ++i) from[next[levels[i]]++] = i;

    const int focus = controls.GetFocusRow(IDC_SPRITE_TABLE);
    std::vector<bool> wasSelected(rows.size());
    for (int i : controls.GetSelectedRows(IDC_SPRITE_TABLE)) wasSelected[static_cast<std::size_t>(i)] = true;
    std::vector<RowTexts> sorted(rows.size());
    std::vector<int> selected;
    int focusAfter = -1;
    for (std::size_t i = 0; i < from.size(); ++i) {
        sorted[i] = std::move(rows[from[i]]);
        if (wasSelected[from[i]]) selected.push_back(static_cast<int>(i));
        if (static_cast<int>(from[i]) == focus) focusAfter = static_cast<int>(i);
    }
    controls.SetRows(IDC_SPRITE_TABLE, std::move(sorted));
    // The selection moves with its rows, so Delete after Sort removes the row
    // the user chose; the keyboard goes on from the row it was on.
    controls.SelectRows(IDC_SPRITE_TABLE, selected);
    if (focusAfter >= 0) controls.SetFocusRow(IDC_SPRITE_TABLE, focusAfter);
}

std::string SelectedTableRowsAsText(const IControlAccess& controls) {
    const std::vector<RowTexts> rows = controls.GetRows(IDC_SPRITE_TABLE);
    std::vector<RowTexts> selected;
    for (int row : controls.GetSelectedRows(IDC_SPRITE_TABLE)) selected.push_back(rows[static_cast<std::size_t>(row)]);
    return RowsAsText(selected);
}

void PasteTableRows(IControlAccess& controls, std::string_view text) {
    const std::optional<std::vector<RowTexts>> rows = RowsFromText(text);
    if (!rows) {
        controls.ShowMessage(kPasteShapeError);
        return;
    }
    int n = controls.GetRowCount(IDC_SPRITE_TABLE);
    if (n + rows->size() > static_cast<std::size_t>(kMaxTableRows)) {
        controls.ShowMessage(kTableFull);
        return;
    }
    for (const RowTexts& row : *rows) controls.InsertRow(IDC_SPRITE_TABLE, n++, row);
}

}  // namespace params
