#include <gtest/gtest.h>

#include "Cp936Count.h"

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
    for (const char* broken : {"\xFF", "\xC0\x80", "\xE6\xAD", "\xED\xA0\x80", "\xF4\x90\x80\x80"})
        EXPECT_EQ(Cp936LengthOfUtf8(broken), std::nullopt) << broken;
}
