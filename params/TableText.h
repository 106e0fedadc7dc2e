// The table's rows as text, the way spreadsheets copy and paste them: a row
// a line, its cells separated by tabs.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TableRow.h"

namespace params {

// Each row's cells joined by tabs, every line ended by CR LF.
std::string RowsAsText(const std::vector<RowTexts>& rows);

// The rows of such text. A line without a tab may separate its cells by
// commas, as a CSV file does; lines end in LF or CR LF and empty lines are
// passed over. Nothing when any other line is not exactly one row's cells.
std::optional<std::vector<RowTexts>> RowsFromText(std::string_view text);

}  // namespace params
