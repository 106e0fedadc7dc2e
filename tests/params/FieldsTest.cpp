#include <gtest/gtest.h>

#include <algorithm>

#include "Fields.h"
#include "ParameterFile.h"
#include "Walks.h"

using namespace params;

TEST(LeadingInteger, FollowsTheDecimalPrefixAndKeepsTheLowEightBits) {
    EXPECT_EQ(LeadingIntegerByte("6"), 6);
    EXPECT_EQ(LeadingIntegerByte("255"), 255);
    EXPECT_EQ(LeadingIntegerByte("256"), 0);
    EXPECT_EQ(LeadingIntegerByte("300"), 44);
    EXPECT_EQ(LeadingIntegerByte("-5"), 251);
    EXPECT_EQ(LeadingIntegerByte("-1"), 255);
    EXPECT_EQ(LeadingIntegerByte("-256"), 0);
    EXPECT_EQ(LeadingIntegerByte("+7"), 7);
    EXPECT_EQ(LeadingIntegerByte(" \t\n\v\f\r12"), 12);
    EXPECT_EQ(LeadingIntegerByte("12abc"), 12);
    EXPECT_EQ(LeadingIntegerByte("abc"), 0);
    EXPECT_EQ(LeadingIntegerByte(""), 0);
    EXPECT_EQ(LeadingIntegerByte("-"), 0);
    EXPECT_EQ(LeadingIntegerByte("- 5"), 0);
    EXPECT_EQ(LeadingIntegerByte("魔法"), 0);
    // Far beyond any integer type: 10^30 + 1 = 1 (mod 256) since 10^30 = 0 (mod 256).
    EXPECT_EQ(LeadingIntegerByte("1000000000000000000000000000001"), 1);
    EXPECT_EQ(LeadingIntegerByte("-1000000000000000000000000000001"), 255);
    EXPECT_EQ(LeadingIntegerByte("4294967297"), 1);
}

TEST(ByteText, IsWhatSavingStoresAsItReads) {
    for (const char* text : {"0", "7", "255", "007", "0255"}) EXPECT_TRUE(IsByteText(text)) << text;
    for (const char* text : {"", "256", "300", "-1", "+7", " 5", "5 ", "12abc", "abc", "魔法", "99999999999"})
        EXPECT_FALSE(IsByteText(text)) << text;
    // A category cell may also hold a category's name; "12" is a code loaded back as its number.
    EXPECT_TRUE(CellStoredAsShown(kCategoryColumn, "道具"));
    EXPECT_TRUE(CellStoredAsShown(kCategoryColumn, "12"));
    EXPECT_FALSE(CellStoredAsShown(kCategoryColumn, "物品"));
    EXPECT_FALSE(CellStoredAsShown(0, "魔法"));
}

TEST(Fields, WriteInTheFileLayout) {
    VectorSink out;
    WriteByteField(out, 300);
    WriteByteField(out, -5);
    WriteStringField("武器", out);
    WriteStringField("", out);
    WriteColorField(out, Rgb(0xC0, 0xE8, 0x40));
    WritePad(out);
    const std::vector<std::uint8_t> expected = {0x2C, 0xFB, 0x00, 0x06, 0xE6, 0xAD, 0xA6, 0xE5, 0x99, 0xA8,
                                                0x00, 0x00, 0x00, 0x40, 0xE8, 0xC0, 0x00};
    EXPECT_EQ(out.data, expected);
}

TEST(FieldReader, ReadsBackAndRefusesWhatDoesNotFit) {
    const std::vector<std::uint8_t> bytes = {0x07, 0x00, 0x03, 'a', 0x00, 'b', 0x12, 0x34, 0x56, 0x78};
    FieldReader in(bytes);
    EXPECT_EQ(in.ReadByte(), 7);
    std::string text;
    bool zeroInside = false;
    EXPECT_TRUE(in.ReadString(text, zeroInside));
    EXPECT_EQ(text, "a");  // up to the first zero byte, but all 3 bytes consumed
    EXPECT_TRUE(zeroInside);
    EXPECT_EQ(in.Offset(), 6u);
    EXPECT_EQ(in.ReadColor(), 0x12345678u);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(in.ReadByte(), std::nullopt);

    const std::vector<std::uint8_t> shortString = {0x00, 0x05, 'a', 'b'};
    FieldReader s(shortString);
    const Result cut = s.ReadString(text, zeroInside);
    ASSERT_FALSE(cut);
    EXPECT_EQ(cut.GetProblem().message, kEndsInsideField);
    EXPECT_EQ(s.Offset(), 0u);
    const std::vector<std::uint8_t> exact = {0x00, 0x02, 'a', 'b'};  // ends where the data ends
    FieldReader e(exact);
    EXPECT_TRUE(e.ReadString(text, zeroInside));
    EXPECT_EQ(text, "ab");
    EXPECT_TRUE(e.AtEnd());

    for (std::uint8_t first : {0x01, 0x80, 0xFF}) {
        const std::vector<std::uint8_t> bad = {first, 0x00};
        FieldReader b(bad);
        const Result badCount = b.ReadString(text, zeroInside);
        ASSERT_FALSE(badCount) << int(first);
        EXPECT_EQ(badCount.GetProblem().message, "string byte count above 255");
    }
    const std::vector<std::uint8_t> shortColor = {1, 2, 3};
    FieldReader c(shortColor);
    EXPECT_EQ(c.ReadColor(), std::nullopt);
}

// The catalogue with one more entry.
template <std::size_t N>
constexpr std::array<ParamDesc, N + 1> WithOneMore(const std::array<ParamDesc, N>& catalogue, ParamDesc extra) {
    std::array<ParamDesc, N + 1> more{};
    std::ranges::copy(catalogue, more.begin());
    more.back() = extra;
    return more;
}

TEST(Fields, TheLargestFileFollowsFromTheCatalogue) {
    ParameterImage image;  // every text at its longest, the table full
    image.advanced = true;
    image.rows.resize(kMaxTableRows);
    for (const ParamDesc& p : Catalogue())
        if (p.kind == Kind::Name || p.kind == Kind::ModeChoice) image[p].text.assign(kMaxStringBytes, 'x');
    VectorSink out;
    ASSERT_TRUE(EncodeParameterFile(image, out));
    EXPECT_EQ(out.data.size(), kMaxFileSize);
    // A parameter added to the catalogue moves it with no other edit.
    static_assert(MaxFileSize(WithOneMore(kCatalogueEntries, entry::Number("n", 1, "", "0", 3, true))) == kMaxFileSize + 1);
    static_assert(MaxFileSize(WithOneMore(kCatalogueEntries, entry::Name("s", 1, "", ""))) == kMaxFileSize + 2 + 255);
}
