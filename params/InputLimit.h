// How a change the user makes to a limited text is held to its limit,
// whatever way the change came (typing, pasting, an input method, dropping):
// only what the user put in is cut, at a character boundary, and no half of a
// surrogate pair is ever kept. Text that was there before stays in full,
// even beyond the limit.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace params {

// Replace removed units of the text before, from start, with insert.
struct TextChange {
    std::size_t start;
    std::size_t removed;
    std::u16string insert;
    bool operator==(const TextChange&) const = default;
};

// The user turned before into after, leaving the caret at caret. Gives
// nothing when after may stay: what was put in fits in limit bytes of code
// page 936 (0: no limit) and holds no lone surrogate. Otherwise gives the
// change to make to before instead: the same place, with what was put in cut
// to what fits.
std::optional<TextChange> HoldToLimit(std::u16string_view before, std::u16string_view after, std::size_t caret,
                                      int limit);

}  // namespace params
