#include <gtest/gtest.h>

#include "MemoryDialog.h"
#include "SpriteTable.h"

using namespace params;

namespace {

std::vector<std::string> Column(const MemoryDialog& dlg, int column) {
    std::vector<std::string> cells;
    for (const RowTexts& row : dlg.GetRows(IDC_SPRITE_TABLE)) cells.push_back(row[column]);
    return cells;
}

TEST(SpriteTable, AddAppendsTheDefaultRowUnselected) {
    MemoryDialog dlg;
    for (int i = 0; i < 3; ++i) AddTableRow(dlg);
    EXPECT_EQ(dlg.GetRows(IDC_SPRITE_TABLE), std::vector<RowTexts>(3, RowTexts{"2", "魔法", "1", "1"}));
    EXPECT_TRUE(dlg.GetSelectedRows(IDC_SPRITE_TABLE).empty());
    EXPECT_TRUE(dlg.messages.empty());
}

TEST(SpriteTable, AddStopsAtTheRowsAFileCanHold) {
    MemoryDialog dlg;
    for (int i = 0; i < 255; ++i) AddTableRow(dlg);
    EXPECT_TRUE(dlg.messages.empty());
    AddTableRow(dlg);
    EXPECT_EQ(dlg.GetRowCount(IDC_SPRITE_TABLE), 255);
    EXPECT_EQ(dlg.messages, (std::vector<std::string>{"表格最多255行"}));
}

TEST(SpriteTable, DeleteRemovesOnlyTheFirstSelectedRow) {
    MemoryDialog dlg;
    dlg.SetRows(IDC_SPRITE_TABLE, {{"0"}, {"1"}, {"2"}, {"3"}, {"4"}});
    DeleteSelectedTableRow(dlg);  // nothing selected: nothing happens
    EXPECT_EQ(dlg.GetRowCount(IDC_SPRITE_TABLE), 5);

    dlg.SelectRows(IDC_SPRITE_TABLE, {1, 3});
    DeleteSelectedTableRow(dlg);
    EXPECT_EQ(Column(dlg, 0), (std::vector<std::string>{"0", "2", "3", "4"}));
    EXPECT_EQ(dlg.GetSelectedRows(IDC_SPRITE_TABLE), std::vector<int>{2});  // the former fourth row stays selected
}

TEST(SpriteTable, SortOrdersStablyByTheLevelByteThatIsSaved) {
    MemoryDialog dlg;
    dlg.SetRows(IDC_SPRITE_TABLE, {{"10", "魔法", "0"}, {"abc", "魔法", "1"}, {"258", "魔法", "2"},
                                   {"2", "魔法", "3"}, {"-1", "魔法", "4"}, {"2 ", "魔法", "5"}});
    dlg.SelectRows(IDC_SPRITE_TABLE, {0, 3});
    SortTableRows(dlg);
    // bytes: 10, 0, 2, 2, 255, 2 -> stable by byte
    EXPECT_EQ(Column(dlg, 0), (std::vector<std::string>{"abc", "258", "2", "2 ", "10", "-1"}));
    EXPECT_EQ(Column(dlg, 2), (std::vector<std::string>{"1", "2", "3", "5", "0", "4"}));
    EXPECT_EQ(dlg.GetSelectedRows(IDC_SPRITE_TABLE), (std::vector<int>{2, 4}));  // the selection moved with its rows
}

// A load puts in numbers; every later change sees them as the texts the load shows.
TEST(SpriteTable, RowsPutInAsNumbersReadAndChangeAsTheirTexts) {
    MemoryDialog dlg;
    dlg.SetTableRows(IDC_SPRITE_TABLE, {{5, 7, 1, 2}, {0, 1, 255, 0}});
    EXPECT_EQ(dlg.GetRows(IDC_SPRITE_TABLE),
              (std::vector<RowTexts>{{"5", "7", "1", "2"}, {"0", "道具", "255", "0"}}));
    AddTableRow(dlg);
    dlg.SelectRows(IDC_SPRITE_TABLE, {0});
    SortTableRows(dlg);
    EXPECT_EQ(dlg.GetTableRows(IDC_SPRITE_TABLE),
              (std::vector<TableRow>{{0, 1, 255, 0}, {2, 0, 1, 1}, {5, 7, 1, 2}}));
    EXPECT_EQ(dlg.GetSelectedRows(IDC_SPRITE_TABLE), std::vector<int>{2});
}

}  // namespace
