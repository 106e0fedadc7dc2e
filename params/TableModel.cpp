#include "TableModel.h"

#include <algorithm>

namespace params {

const std::string& TableModel::Cell(int row, int column) const {
    static const std::string kNone;
    if (row < 0 || row >= Count() || column < 0 || column >= kTableColumnCount) return kNone;
    return (*m_rows)[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void TableModel::Assign(SharedRows rows) {
    if (!rows) return Assign(std::vector<RowTexts>{});
    // Held as given: the next change copies it (Own), as its other holders expect.
    m_borrowed = std::move(rows);
    m_rows = std::const_pointer_cast<std::vector<RowTexts>>(m_borrowed);
}

void TableModel::Assign(std::vector<RowTexts> rows) {
    m_borrowed.reset();
    m_rows = std::make_shared<std::vector<RowTexts>>(std::move(rows));
}

std::vector<RowTexts>& TableModel::Own() {
    if (m_borrowed || m_rows.use_count() > 1) {
        m_rows = std::make_shared<std::vector<RowTexts>>(*m_rows);
        m_borrowed.reset();
    }
    return *m_rows;
}

void TableModel::Insert(int row, const RowTexts& cells) {
    auto& rows = Own();
    const auto at = static_cast<std::ptrdiff_t>(std::clamp(row, 0, static_cast<int>(rows.size())));
    rows.insert(rows.begin() + at, cells);
}

void TableModel::Erase(int row) {
    if (row < 0 || row >= Count()) return;
    auto& rows = Own();
    rows.erase(rows.begin() + row);
}

void TableModel::SetCell(int row, int column, std::string_view text) {
    if (row < 0 || row >= Count() || column < 0 || column >= kTableColumnCount) return;
    Own()[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
}

}  // namespace params
