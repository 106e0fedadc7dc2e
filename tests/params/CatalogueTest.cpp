#include <gtest/gtest.h>

#include <set>

#include "Catalogue.h"

using namespace params;

TEST(Catalogue, HoldsEveryControlOnceWithTheRightKinds) {
    std::set<int> ids;
    std::set<std::string_view> names;
    int edits = 0, choices = 0, colours = 0, switches = 0, tables = 0, advanced = 0;
    for (const ParamDesc& p : Catalogue()) {
        EXPECT_TRUE(ids.insert(p.id).second) << p.id;
        EXPECT_TRUE(names.insert(p.name).second) << p.name;
        edits += p.kind == Kind::Number || p.kind == Kind::Name;
        choices += p.kind == Kind::ModeChoice || p.kind == Kind::YesNoChoice;
        colours += p.kind == Kind::Colour;
        switches += p.kind == Kind::Switch;
        tables += p.kind == Kind::Table;
        advanced += p.advanced;
        EXPECT_EQ(FindParam(p.id), &p);
        EXPECT_EQ(FindParam(p.name), &p);
    }
    EXPECT_EQ(edits, 66);
    EXPECT_EQ(choices, 2);
    EXPECT_EQ(colours, 9);
    EXPECT_EQ(switches, 1);
    EXPECT_EQ(tables, 1);
    EXPECT_EQ(advanced, 25);  // the group "Advancd": everything after the check box
    EXPECT_EQ(FindParam(9999), nullptr);
}

TEST(Catalogue, AdvancedBlockFollowsTheSwitchAndEndsWithTheTable) {
    const auto cat = Catalogue();
    bool seenSwitch = false;
    for (const ParamDesc& p : cat) {
        EXPECT_EQ(p.advanced, seenSwitch) << p.name;
        seenSwitch = seenSwitch || p.kind == Kind::Switch;
    }
    EXPECT_EQ(cat.back().kind, Kind::Table);
    EXPECT_EQ(cat.back().id, IDC_SPRITE_TABLE);
}

TEST(Catalogue, PadBytesPrecedeTheThreeLaterColourTriples) {
    std::vector<std::string_view> padded;
    for (const ParamDesc& p : Catalogue())
        if (p.padBefore) padded.push_back(p.name);
    EXPECT_EQ(padded, (std::vector<std::string_view>{"textColor.r", "highlightTextColor.r", "cursorColor.r"}));
}
