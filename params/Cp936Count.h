// The measure of every text limit: bytes of code page 936, counted per
// UTF-16 unit (1 below U+0080, 2 for any other), so that a limit of 4 admits
// two Chinese characters. Used by the editor's limited edits and by prmtool.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace params {

constexpr int Cp936UnitBytes(char32_t unit) { return unit < 0x80 ? 1 : 2; }

int Cp936Length(std::u16string_view text);

// How many units of text, from its start, fit in room bytes, never
// splitting a surrogate pair.
std::size_t Cp936Fit(std::u16string_view text, int room);

// The length of a UTF-8 text, as its UTF-16 form counts; nullopt when the
// text is not valid UTF-8 (overlong forms, surrogates and code points above
// U+10FFFF included).
std::optional<int> Cp936LengthOfUtf8(std::string_view utf8);

}  // namespace params
