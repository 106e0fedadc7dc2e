#include <gtest/gtest.h>

#include "MemoryDialog.h"
#include "SpriteTable.h"
#include "TableText.h"

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
    SetTableRows(dlg, IDC_SPRITE_TABLE, {{5, 7, 1, 2}, {0, 1, 255, 0}});
    EXPECT_EQ(dlg.GetRows(IDC_SPRITE_TABLE),
              (std::vector<RowTexts>{{"5", "7", "1", "2"}, {"0", "道具", "255", "0"}}));
    AddTableRow(dlg);
    dlg.SelectRows(IDC_SPRITE_TABLE, {0});
    SortTableRows(dlg);
    EXPECT_EQ(GetTableRows(dlg, IDC_SPRITE_TABLE),
              (std::vector<TableRow>{{0, 1, 255, 0}, {2, 0, 1, 1}, {5, 7, 1, 2}}));
    EXPECT_EQ(dlg.GetSelectedRows(IDC_SPRITE_TABLE), std::vector<int>{2});
}

TEST(SpriteTable, SelectedRowsBecomeSpreadsheetTextAndComeBack) {
    MemoryDialog dlg;
    dlg.SetRows(IDC_SPRITE_TABLE, {{"1", "魔法", "10", "x"}, {"2", "道具", "20", "200"}, {"300", "7", "", "-1"}});
    dlg.SelectRows(IDC_SPRITE_TABLE, {0, 2});
    const std::string text = SelectedTableRowsAsText(dlg);
    EXPECT_EQ(text, "1\t魔法\t10\tx\r\n300\t7\t\t-1\r\n");
    EXPECT_EQ(RowsFromText(text), (std::vector<RowTexts>{{"1", "魔法", "10", "x"}, {"300", "7", "", "-1"}}));

    // Comma-separated lines, LF endings, empty lines and no final line end.
    EXPECT_EQ(RowsFromText("\n5,道具, 6,7\n\r\n\t\t\t"),
              (std::vector<RowTexts>{{"5", "道具", " 6", "7"}, {"", "", "", ""}}));
    EXPECT_EQ(RowsFromText(""), std::vector<RowTexts>{});
    // A line of tabs keeps its commas inside the cells.
    EXPECT_EQ(RowsFromText("1,5\t魔法\t2\t3"), (std::vector<RowTexts>{{"1,5", "魔法", "2", "3"}}));
    for (std::string_view wrong : {"1\t2\t3\t4\t5", "1\t2\t3", "1,2,3,4,", "1\t2\t3\t4\nx", "1\t2,3\t4"})
        EXPECT_EQ(RowsFromText(wrong), std::nullopt) << wrong;
}

// The dialog's tests paste and refuse through the clipboard; here, the limit's edge.
TEST(SpriteTable, PasteFillsTheTableExactlyToItsLimitButNotBeyond) {
    MemoryDialog dlg;
    AddTableRow(dlg);
    std::string rows;
    for (int i = 0; i < 254; ++i) rows += "9\t魔法\t1\t1\n";
    PasteTableRows(dlg, rows + "9,魔法,1,1");
    EXPECT_EQ(dlg.GetRowCount(IDC_SPRITE_TABLE), 1);
    EXPECT_EQ(dlg.messages, std::vector<std::string>{"表格最多255行"});
    PasteTableRows(dlg, rows);
    EXPECT_EQ(dlg.GetRowCount(IDC_SPRITE_TABLE), 255);
}

}  // namespace
