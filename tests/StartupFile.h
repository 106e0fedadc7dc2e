// The start-up values' parameter file, written out by hand, byte by byte,
// from the file layout, with the helpers that build variants of it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

// A string field: 00 N, then the bytes.
inline Bytes Str(std::string_view text) {
    Bytes b(2 + text.size());
    b[1] = static_cast<std::uint8_t>(text.size());
    std::copy(text.begin(), text.end(), b.begin() + 2);
    return b;
}

// A copy of the file with bytes changed at the given offsets.
inline Bytes Changed(Bytes b, std::initializer_list<std::pair<std::size_t, std::uint8_t>> changes) {
    for (const auto& [offset, value] : changes) b[offset] = value;
    return b;
}

// The base block (118 bytes); its first name and the mode spelt out in bytes,
// so that the UTF-8 and the mode's text do not rest on the source's encoding.
inline const Bytes kStartupBase = Cat({
    {0x06, 0x05, 0x04, 0x02, 0x03, 0x04, 0x1E, 0x07, 0x00, 0x00, 0x00, 0x63},
    {0x00, 0x06, 0xE6, 0xAD, 0xA6, 0xE5, 0x99, 0xA8},  // "武器"
    Str("头盔"), Str("铠甲"), Str("手部"), Str("饰品"),
    {0x00, 0x05, 0x34, 0x2A, 0x32, 0x2A, 0x34},  // "4*2*4"
    {0, 0, 0, 144, 47, 74, 255, 255, 255, 0, 255, 255, 255, 0, 255, 255, 0, 0, 121, 95, 60, 3},
    Str("魔法"), Str("魔攻"), Str("魔防"),
    {15, 5, 0, 48, 85, 50, 92, 17, 30, 24, 1, 3, 6},
});

// The advanced block with an empty table (52 bytes).
inline const Bytes kStartupAdvanced = {0x0A, 0x00, 0x00, 0xDF, 0xFF, 0x00, 0x40, 0xE8, 0xC0, 0x00, 0x00, 0xF5, 0xFF,
                                       0x00, 0x00, 0xDF, 0xFF, 0x00, 0x00, 0xDF, 0xFF, 0x00, 0x00, 0x00, 0x00,
                                       1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                       0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00,
                                       0x10, 0x00, 0x00};

// Both blocks (170 bytes).
inline const Bytes kStartupFull = Cat({kStartupBase, kStartupAdvanced});
