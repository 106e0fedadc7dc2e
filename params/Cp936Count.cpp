#include "Cp936Count.h"

#include "Utf8.h"

namespace params {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

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
