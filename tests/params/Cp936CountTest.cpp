#include <gtest/gtest.h>

#include "Cp936Count.h"
#include "InputLimit.h"

using namespace params;

TEST(Cp936Count, AsciiCountsOneAndEverythingElseTwo) {
    EXPECT_EQ(Cp936Length(u""), 0);
    EXPECT_EQ(Cp936Length(u"255"), 3);
    EXPECT_EQ(Cp936Length(u"武器"), 4);
    EXPECT_EQ(Cp936Length(u"a武"), 3);
    EXPECT_EQ(Cp936Length(u"\u00e9"), 2);  // not ASCII, so two bytes
}

TEST(Cp936Count, FitKeepsTheLongestStartThatFits) {
    EXPECT_EQ(Cp936Fit(u"武器铠甲", 4), 2u);
    EXPECT_EQ(Cp936Fit(u"武器铠甲", 5), 2u);
    EXPECT_EQ(Cp936Fit(u"a武器", 4), 2u);
    EXPECT_EQ(Cp936Fit(u"abc", 0), 0u);
    EXPECT_EQ(Cp936Fit(u"abc", 10), 3u);
    EXPECT_EQ(Cp936Fit(u"a\U0001F600", 3), 1u);  // half a surrogate pair is never kept
}

TEST(Cp936Count, Utf8CountsAsItsUtf16FormAndRefusesBrokenText) {
    EXPECT_EQ(Cp936LengthOfUtf8("ab12"), 4);
    EXPECT_EQ(Cp936LengthOfUtf8("武器"), 4);
    EXPECT_EQ(Cp936LengthOfUtf8("\u00e9"), 2);
    EXPECT_EQ(Cp936LengthOfUtf8("\U0001F600"), 4);  // a surrogate pair
    for (const char* broken : {"\xFF", "\xC0\x80", "\xE0\x80\x80", "\xF0\x80\x80\x80", "\xF0\x8F\xBF\xBF", "\xE6\xAD", "\xED\xA0\x80", "\xF4\x90\x80\x80"})
        EXPECT_EQ(Cp936LengthOfUtf8(broken), std::nullopt) << broken;
}

std::optional<TextChange> Change(std::size_t start, std::size_t removed, std::u16string insert) {
    return TextChange{start, removed, std::move(insert)};
}

TEST(HoldToLimit, CutsOnlyWhatWasPutInAtACharacterBoundary) {
    EXPECT_EQ(HoldToLimit(u"", u"武器铠甲", 4, 4), Change(0, 0, u"武器"));     // pasted into an empty box
    EXPECT_EQ(HoldToLimit(u"a", u"ab武器c", 5, 4), Change(1, 0, u"b武"));      // mixed ASCII and Chinese
    EXPECT_EQ(HoldToLimit(u"ab", u"ab\U0001F600", 4, 4), Change(2, 0, u""));  // a pair that does not fit at all
    EXPECT_EQ(HoldToLimit(u"ab", u"abc", 3, 4), std::nullopt);
    EXPECT_EQ(HoldToLimit(u"武器", u"武甲", 2, 4), std::nullopt);  // typed over a selection
    // Placed by the caret: "ab" pasted before "ab" is cut where it went in.
    EXPECT_EQ(HoldToLimit(u"ab", u"abab", 2, 3), Change(0, 0, u"a"));
    EXPECT_EQ(HoldToLimit(u"aa", u"aaaa", 3, 3), Change(1, 0, u"a"));
}

TEST(HoldToLimit, KeepsTextThatWasThereAndNeverHalfAPair) {
    EXPECT_EQ(HoldToLimit(u"武器铠甲手部", u"武器铠甲手", 5, 4), std::nullopt);  // deleting from a loaded text
    EXPECT_EQ(HoldToLimit(u"武器铠甲手部", u"武器铠甲手部a", 7, 4), Change(6, 0, u""));
    EXPECT_EQ(HoldToLimit(u"", u"x\xD800y", 3, 0), Change(0, 0, u"xy"));        // no limit, still no lone half
    EXPECT_EQ(HoldToLimit(u"a\U0001F600", u"a\xD83D", 2, 0), Change(1, 2, u""));  // half a pair deleted: all of it goes
    EXPECT_EQ(HoldToLimit(u"\xD83Dx", u"\U0001F600x", 2, 0), std::nullopt);  // a lone half made whole
}
