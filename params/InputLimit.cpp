#include "InputLimit.h"

#include <algorithm>
#include <limits>

#include "Cp936Count.h"

namespace params {
namespace {

bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Whether position i of text falls between the two halves of a pair.
bool SplitsPair(std::u16string_view text, std::size_t i) {
    return i > 0 && i < text.size() && IsHigh(text[i - 1]) && IsLow(text[i]);
}

std::u16string WithoutLoneSurrogates(std::u16string_view text) {
    std::u16string kept;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHigh(text[i]) && i + 1 < text.size() && IsLow(text[i + 1])) {
            kept += text.substr(i++, 2);
        } else if (!IsHigh(text[i]) && !IsLow(text[i])) {
            kept += text[i];
        }
    }
    return kept;
}

std::size_t CommonPrefix(std::u16string_view a, std::u16string_view b) {
    return static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
}

std::size_t CommonSuffix(std::u16string_view a, std::u16string_view b) {
    return static_cast<std::size_t>(std::mismatch(a.rbegin(), a.rend(), b.rbegin(), b.rend()).first - a.rbegin());
}

}  // namespace

std::optional<TextChange> HoldToLimit(std::u16string_view before, std::u16string_view after, std::size_t caret,
                                      int limit) {
    // What follows the caret is what followed the change, when it was there
    // before too; this places a change that repeats its neighbours ("ab"
    // typed before "ab") where the user made it.
    std::size_t suffix = after.size() - std::min(caret, after.size());
    if (suffix > before.size() || before.substr(before.size() - suffix) != after.substr(after.size() - suffix))
        suffix = CommonSuffix(before, after);
    suffix = std::min({suffix, before.size(), after.size()});
    std::size_t start = CommonPrefix(before.substr(0, before.size() - suffix), after.substr(0, after.size() - suffix));
    // Both ends of the change at character boundaries, in both texts.
    if (SplitsPair(before, start) || SplitsPair(after, start)) --start;
    if (SplitsPair(before, before.size() - suffix) || SplitsPair(after, after.size() - suffix)) --suffix;

    const std::size_t removed = before.size() - suffix - start;
    const std::u16string_view inserted = after.substr(start, after.size() - suffix - start);
    const int room = limit == 0 ? std::numeric_limits<int>::max()
                                : limit - Cp936Length(before) + Cp936Length(before.substr(start, removed));
    std::u16string kept = WithoutLoneSurrogates(inserted);
    kept.resize(room > 0 ? Cp936Fit(kept, room) : 0);
    if (kept == inserted) return std::nullopt;
    return TextChange{start, removed, std::move(kept)};
}

}  // namespace params
