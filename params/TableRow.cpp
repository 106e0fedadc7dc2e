#include "TableRow.h"

#include <iterator>

#include "Fields.h"

namespace params {

std::optional<std::string_view> CategoryName(std::uint8_t code) {
    if (code < std::size(kCategoryNames)) return kCategoryNames[code];
    return std::nullopt;
}

std::optional<std::uint8_t> NamedCategory(std::string_view text) {
    for (std::size_t i = 0; i < std::size(kCategoryNames); ++i)
        if (text == kCategoryNames[i]) return static_cast<std::uint8_t>(i);
    return std::nullopt;
}

std::string CategoryText(std::uint8_t code) { return std::string(CategoryName(code).value_or(ByteText(code))); }

std::uint8_t CategoryCode(std::string_view text) { return NamedCategory(text).value_or(LeadingIntegerByte(text)); }

RowTexts TextsOf(const TableRow& row) {
    return {std::string(ByteText(row.level)), CategoryText(row.category), std::string(ByteText(row.itemId)),
            std::string(ByteText(row.spriteAttributeId))};
}

TableRow NumbersOf(const RowTexts& texts) {
    return {LeadingIntegerByte(texts[0]), CategoryCode(texts[1]), LeadingIntegerByte(texts[2]),
            LeadingIntegerByte(texts[3])};
}

}  // namespace params
