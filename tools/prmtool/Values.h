// Strict text forms of single values: colours, integers, and the byte count
// the editor's text limits are measured in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Catalogue.h"

namespace prmtool {

// "#RRGGBB", or "#TTRRGGBB" when the top byte is not zero (red is the low byte of a Color).
std::string FormatColor(params::Color color);
// The inverse of FormatColor; "#00RRGGBB" is accepted too. Hex digits in either case.
std::optional<params::Color> ParseColor(std::string_view text);

// A decimal number made of digits only: no sign, no spaces.
std::optional<std::uint64_t> ParseDigits(std::string_view text);

// The length of a UTF-8 text in code-page-936 bytes, as the editor's limits
// count it: 1 for a character below U+0080, 2 for any other UTF-16 unit.
// nullopt when the text is not valid UTF-8.
std::optional<int> LimitBytes(std::string_view utf8);

}  // namespace prmtool
