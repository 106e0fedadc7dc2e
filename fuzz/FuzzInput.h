// How a fuzz input is laid out: the first byte's low bit is the state of
// "使用" at loading, the rest is the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

struct FuzzInput {
    bool advancedEnabled = false;
    std::span<const std::uint8_t> file;
};

inline FuzzInput SplitFuzzInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return {};
    return {(data[0] & 1) != 0, {data + 1, size - 1}};
}

inline std::uint8_t FuzzSelector(bool advancedEnabled) { return advancedEnabled ? 1 : 0; }
