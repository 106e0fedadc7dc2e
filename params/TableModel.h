// The table's rows in one place. A version of the rows is never changed once
// others share it: a change makes a new one, so keeping the table as it was
// (an undo step) costs a pointer, and an unchanged table is seen at once.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "TableRow.h"

namespace params {

using SharedRows = std::shared_ptr<const std::vector<RowTexts>>;

class TableModel {
public:
    const std::vector<RowTexts>& Rows() const { return *m_rows; }
    SharedRows Shared() const { return m_rows; }
    int Count() const { return static_cast<int>(m_rows->size()); }
    // "" outside the table.
    const std::string& Cell(int row, int column) const;

    void Assign(SharedRows rows);
    void Assign(std::vector<RowTexts> rows);
    void Insert(int row, const RowTexts& cells);  // clamped to the table; rows below move down
    void Erase(int row);                          // rows below move up; nothing outside the table
    void SetCell(int row, int column, std::string_view text);

private:
    // The rows to change: a copy first while anyone else holds them.
    std::vector<RowTexts>& Own();

    std::shared_ptr<std::vector<RowTexts>> m_rows = std::make_shared<std::vector<RowTexts>>();
    // A version handed in from outside is only ever shared, never changed.
    SharedRows m_borrowed;
};

}  // namespace params
