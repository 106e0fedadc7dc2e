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

// The next code point of a UTF-8 text, strictly: no overlong forms, no
// surrogates, nothing above U+10FFFF. nullopt on a broken sequence.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((lead & 0xE0) == 0xC0) extra = 1, cp = lead & 0x1F, min = 0x80;
    else if ((lead & 0xF0) == 0xE0) extra = 2, cp = lead & 0x0F, min = 0x800;
    else if ((lead & 0xF8) == 0xF0) extra = 3, cp = lead & 0x07, min = 0x10000;
    else return std::nullopt;
    for (int i = 0; i < extra; ++i) {
        if (pos >= text.size()) return std::nullopt;
        const auto c = static_cast<unsigned char>(text[pos++]);
        if ((c & 0xC0) != 0x80) return std::nullopt;
        cp = cp << 6 | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    return cp;
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

std::optional<int> LimitBytes(std::string_view utf8) {
    int count = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto cp = NextCodePoint(utf8, pos);
        if (!cp) return std::nullopt;
        count += *cp < 0x80 ? 1 : *cp < 0x10000 ? 2 : 4;  // a surrogate pair is two units
    }
    return count;
}

}  // namespace prmtool
