// A row of the sprite attribute table: the numbers the file holds, and the
// texts the list shows for them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "Catalogue.h"

namespace params {

struct TableRow {
    std::uint8_t level = 0;
    std::uint8_t category = 0;  // index into kCategoryNames; other codes survive unchanged
    std::uint8_t itemId = 0;
    std::uint8_t spriteAttributeId = 0;
    bool operator==(const TableRow&) const = default;
};
// The file's bytes of a row, copied as they are.
static_assert(sizeof(TableRow) == 4 && std::is_trivially_copyable_v<TableRow>);

// A row's cells, column by column.
using RowTexts = std::array<std::string, kTableColumnCount>;

// The texts loading shows for a row: the numbers in decimal, the category
// by its name, or by its code when it has none.
RowTexts TextsOf(const TableRow& row);
// What saving stores for a row's texts: each leading integer's low 8 bits,
// the category name's index.
TableRow NumbersOf(const RowTexts& texts);

// The category names and their codes, in one place: the name of a code,
// and the code of a name; nothing for a code without a name or a text
// that is no name.
std::optional<std::string_view> CategoryName(std::uint8_t code);
std::optional<std::uint8_t> NamedCategory(std::string_view text);

// The text of a category code (its name, or the code in decimal), and the
// code stored for a category text (its name's, or its leading integer's).
std::string CategoryText(std::uint8_t code);
std::uint8_t CategoryCode(std::string_view text);

}  // namespace params
