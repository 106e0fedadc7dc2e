// UTF-8, the encoding of the file's texts: strict decoding, and the repair
// of a text that is not UTF-8 into one that is and that a field can hold.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace params {

// The code point at pos, strictly: no overlong forms, no surrogates, nothing
// above U+10FFFF. pos moves past what was read; nullopt on a broken sequence.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& pos);

bool IsUtf8(std::string_view text);

// The text with U+FFFD for each byte that begins no valid sequence, cut after
// the last whole character that fits in maxBytes.
std::string RepairedUtf8(std::string_view text, std::size_t maxBytes);

}  // namespace params
