#include <gtest/gtest.h>

#include "MemoryDialog.h"
#include "SpriteTable.h"

using namespace params;

namespace {

std::vector<std::string> Column(const MemoryDialog& dlg, int column) {
    std::vector<std::string> cells;
    for (int i = 0; i < dlg.GetRowCount(IDC_SPRITE_TABLE); ++i)
        cells.push_back(dlg.GetCellText(IDC_SPRITE_TABLE, i, column));
    return cells;
}

TEST(SpriteTable, AddAppendsTheDefaultRowUnselected) {
    MemoryDialog dlg;
    for (int i = 0; i < 3; ++i) AddTableRow(dlg);
    ASSERT_EQ(dlg.GetRowCount(IDC_SPRITE_TABLE), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(dlg.GetCellText(IDC_SPRITE_TABLE, i, 0), "2");
        EXPECT_EQ(dlg.GetCellText(IDC_SPRITE_TABLE, i, 1), "魔法");
        EXPECT_EQ(dlg.GetCellText(IDC_SPRITE_TABLE, i, 2), "1");
        EXPECT_EQ(dlg.GetCellText(IDC_SPRITE_TABLE, i, 3), "1");
    }
    EXPECT_EQ(dlg.GetFirstSelectedRow(IDC_SPRITE_TABLE), -1);
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
    for (int i = 0; i < 5; ++i) {
        AddTableRow(dlg);
        dlg.SetCellText(IDC_SPRITE_TABLE, i, 0, std::to_string(i));
    }
    DeleteSelectedTableRow(dlg);  // nothing selected: nothing happens
    EXPECT_EQ(dlg.GetRowCount(IDC_SPRITE_TABLE), 5);

    dlg.SelectRow(IDC_SPRITE_TABLE, 1, true);
    dlg.SelectRow(IDC_SPRITE_TABLE, 3, true);
    DeleteSelectedTableRow(dlg);
    EXPECT_EQ(Column(dlg, 0), (std::vector<std::string>{"0", "2", "3", "4"}));
    EXPECT_EQ(dlg.GetFirstSelectedRow(IDC_SPRITE_TABLE), 2);  // the former fourth row stays selected
}

TEST(SpriteTable, SortOrdersStablyByTheLevelByteThatIsSaved) {
    MemoryDialog dlg;
    const char* levels[] = {"10", "abc", "258", "2", "-1", "2 "};
    for (int i = 0; i < 6; ++i) {
        AddTableRow(dlg);
        dlg.SetCellText(IDC_SPRITE_TABLE, i, 0, levels[i]);
        dlg.SetCellText(IDC_SPRITE_TABLE, i, 2, std::to_string(i));
    }
    dlg.SelectRow(IDC_SPRITE_TABLE, 0, true);
    dlg.SelectRow(IDC_SPRITE_TABLE, 3, true);
    SortTableRows(dlg);
    // bytes: 10, 0, 2, 2, 255, 2 -> stable by byte
    EXPECT_EQ(Column(dlg, 0), (std::vector<std::string>{"abc", "258", "2", "2 ", "10", "-1"}));
    EXPECT_EQ(Column(dlg, 2), (std::vector<std::string>{"1", "2", "3", "5", "0", "4"}));
    EXPECT_EQ(dlg.GetSelectedRows(IDC_SPRITE_TABLE), (std::vector<int>{2, 4}));  // the selection moved with its rows
}

}  // namespace
