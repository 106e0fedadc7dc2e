#include "Varied.h"

namespace {

struct BrokenFile {
    const char* what;
    Bytes bytes;
    const char* line;  // what check prints after "f.prm: "
};

}  // namespace

using Check = ToolTest;

TEST_F(Check, WellFormedFilesPassSilently) {
    for (const Bytes& b : {kStartupBase, kStartupFull, kVariedBase}) {
        Write("f.prm", b);
        const Outcome o = Run({"check", "f.prm"});
        EXPECT_EQ(o.status, 0) << o.out;
        EXPECT_EQ(o.out + o.err, "");
    }
}

TEST_F(Check, NamesTheFirstProblemItsFieldAndOffset) {
    const BrokenFile cases[] = {
        {"empty", {}, "levelUpHp[0] at offset 0: file ends inside the field"},
        {"cut inside a name", Bytes(kStartupBase.begin(), kStartupBase.begin() + 50),
         "equipSlotName[4] at offset 44: file ends inside the field"},
        {"cut inside the advanced block", Bytes(kStartupFull.begin(), kStartupFull.begin() + 121),
         "advancedColor[0] at offset 119: file ends inside the field"},
        {"name not UTF-8", Changed(kStartupBase, {{15, 0xFF}}), "equipSlotName[0] at offset 12: string is not valid UTF-8"},
        // "/" in three bytes, then "器" as it was; U+FFFF in four bytes, then "ab".
        {"overlong 3 bytes", Changed(kStartupBase, {{14, 0xE0}, {15, 0x80}, {16, 0xAF}}),
         "equipSlotName[0] at offset 12: string is not valid UTF-8"},
        {"overlong 4 bytes", Changed(kStartupBase, {{14, 0xF0}, {15, 0x8F}, {16, 0xBF}, {17, 0xBF}, {18, 'a'}, {19, 'b'}}),
         "equipSlotName[0] at offset 12: string is not valid UTF-8"},
        {"count above 255", Changed(kStartupBase, {{20, 1}}),
         "equipSlotName[1] at offset 20: string byte count above 255"},
        {"unknown mode", Changed(kStartupBase, {{54, '9'}}),
         "heroAnimationMode at offset 52: \"9*2*4\" is not a mode name"},
        {"pad not zero", Changed(kStartupBase, {{59 + 13, 5}}), "pad at offset 72: pad byte is not 0"},
        {"usePortrait 2", Changed(kStartupBase, {{115, 2}}), "usePortrait at offset 115: value 2 is not 0 or 1"},
        {"colour top byte", Changed(kStartupFull, {{123, 0x7F}}),
         "advancedColor[1] at offset 123: top byte of the colour is not 0"},
        {"rows missing", Cat({Bytes(kStartupFull.begin(), kStartupFull.end() - 1), {2, 1, 0, 1, 1}}),
         "spriteAttributeTable[1] at offset 174: file ends inside the row (2 rows announced)"},
        {"bytes after the end", Cat({kStartupFull, {9, 9, 9}}), "end at offset 170: 3 bytes follow the last field"},
    };
    for (const BrokenFile& c : cases) {
        Write("f.prm", c.bytes);
        const Outcome o = Run({"check", "f.prm"});
        EXPECT_EQ(o.status, 1) << c.what;
        EXPECT_EQ(o.out, std::string("f.prm: ") + c.line + "\n") << c.what;
    }
}

TEST_F(Check, UnknownCategoryInARow) {
    Bytes b = Cat({Bytes(kStartupFull.begin(), kStartupFull.end() - 1), {2, 1, 0, 1, 1, 4, 2, 1, 1}});
    Write("f.prm", b);
    EXPECT_EQ(Run({"check", "f.prm"}).out, "f.prm: spriteAttributeTable[1] at offset 174: category 2 is not 0 or 1\n");
}

TEST_F(Check, AFileFarLongerThanAnyParameterFileCountsAllItsBytes) {
    Write("f.prm", Cat({kStartupBase, Bytes(10000, 0)}));  // ends exactly after the empty table, then more
    EXPECT_EQ(Run({"check", "f.prm"}).out, "f.prm: end at offset 170: 9948 bytes follow the last field\n");
}

TEST_F(Check, MissingFile) {
    const Outcome o = Run({"check", "none.prm"});
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("none.prm"), std::string::npos);
}
