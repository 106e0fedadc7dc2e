// Strict text forms of single values: colours and integers.
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

}  // namespace prmtool
