#include "Cp936Count.h"

namespace params {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// The next code point of a UTF-8 text, strictly; nullopt on a broken sequence.
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

int Cp936Length(std::u16string_view text) {
    int bytes = 0;
    for (char16_t unit : text) bytes += Cp936UnitBytes(unit);
    return bytes;
}

std::size_t Cp936Fit(std::u16string_view text, int room) {
    std::size_t n = 0;
    for (int used = 0; n < text.size() && used + Cp936UnitBytes(text[n]) <= room; ++n)
        used += Cp936UnitBytes(text[n]);
    if (n > 0 && n < text.size() && IsHighSurrogate(text[n - 1])) --n;
    return n;
}

std::optional<int> Cp936LengthOfUtf8(std::string_view utf8) {
    int count = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto cp = NextCodePoint(utf8, pos);
        if (!cp) return std::nullopt;
        // Beyond U+FFFF a code point is a surrogate pair: two units, neither below U+0080.
        count += *cp < 0x10000 ? Cp936UnitBytes(*cp) : 2 * Cp936UnitBytes(0xD800);
    }
    return count;
}

}  // namespace params
