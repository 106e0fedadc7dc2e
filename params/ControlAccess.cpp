#include "ControlAccess.h"

namespace params {

std::vector<TableRow> GetTableRows(const IControlAccess& controls, int id) {
    // Shared, not copied: every change check reads the whole table.
    const SharedRows texts = controls.GetSharedRows(id);
    std::vector<TableRow> rows;
    rows.reserve(texts->size());
    for (const RowTexts& row : *texts) rows.push_back(NumbersOf(row));
    return rows;
}

void SetTableRows(IControlAccess& controls, int id, const std::vector<TableRow>& rows) {
    std::vector<RowTexts> texts;
    texts.reserve(rows.size());
    for (const TableRow& row : rows) texts.push_back(TextsOf(row));
    controls.SetRows(id, std::move(texts));
}

}  // namespace params
