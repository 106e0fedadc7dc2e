#include "Values.h"

#include <charconv>
#include <cstdio>

namespace prmtool {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string FormatColor(params::Color color) {
    const unsigned r = color & 0xFF, g = color >> 8 & 0xFF, b = color >> 16 & 0xFF, top = color >> 24;
    char text[12];
    if (top != 0) std::snprintf(text, sizeof text, "#%02X%02X%02X%02X", top, r, g, b);
    else std::snprintf(text, sizeof text, "#%02X%02X%02X", r, g, b);
    return text;
}

std::optional<params::Color> ParseColor(std::string_view text) {
    if (text.empty() || text[0] != '#' || (text.size() != 7 && text.size() != 9)) return std::nullopt;
    std::uint32_t written = 0;  // the digits as written: TTRRGGBB
    for (char c : text.substr(1)) {
        const int d = HexDigit(c);
        if (d < 0) return std::nullopt;
        written = written << 4 | static_cast<std::uint32_t>(d);
    }
    const std::uint32_t top = written >> 24, r = written >> 16 & 0xFF, g = written >> 8 & 0xFF, b = written & 0xFF;
    return top << 24 | b << 16 | g << 8 | r;
}

std::optional<std::uint64_t> ParseDigits(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text[0] < '0' || text[0] > '9' || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

}  // namespace prmtool
