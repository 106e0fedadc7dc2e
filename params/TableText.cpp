#include "TableText.h"

namespace params {

std::string RowsAsText(const std::vector<RowTexts>& rows) {
    std::string text;
    for (const RowTexts& row : rows) {
        for (std::size_t column = 0; column < row.size(); ++column) {
            if (column > 0) text += '\t';
            text += row[column];
        }
        text += "\r\n";
    }
    return text;
}

std::optional<std::vector<RowTexts>> RowsFromText(std::string_view text) {
    std::vector<RowTexts> rows;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        const char separator = line.find('\t') != std::string_view::npos ? '\t' : ',';
        RowTexts& row = rows.emplace_back();
        for (std::size_t column = 0;; ++column) {
            if (column == row.size()) return std::nullopt;  // more cells than columns
            const std::size_t next = line.find(separator);
            row[column] = line.substr(0, next);
            if (next == std::string_view::npos) {
                if (column + 1 != row.size()) return std::nullopt;
                break;
            }
            line.remove_prefix(next + 1);
        }
    }
    return rows;
}

}  // namespace params
