#include "Utf8.h"

namespace params {

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

bool IsUtf8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    for (std::size_t pos = 0; pos < size;) {
        const unsigned lead = bytes[pos];
        if (lead < 0x80) {
            ++pos;
        } else if (lead - 0xE1u <= 0xEFu - 0xE1u && lead != 0xED && size - pos >= 3 &&
                   ((bytes[pos + 1] ^ 0x80u) | (bytes[pos + 2] ^ 0x80u)) < 0x40) {
            // A three-byte character clear of the overlong and surrogate edges
            // (E0, ED): most Chinese text, checked inline, since every load asks.
            pos += 3;
        } else if (!NextCodePoint(text, pos)) {
            return false;
        }
    }
    return true;
}

std::string RepairedUtf8(std::string_view text, std::size_t maxBytes) {
    constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
    std::string out;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        std::string_view piece = kReplacement;
        if (NextCodePoint(text, pos)) piece = text.substr(start, pos - start);
        else pos = start + 1;
        if (out.size() + piece.size() > maxBytes) break;
        out += piece;
    }
    return out;
}

}  // namespace params
