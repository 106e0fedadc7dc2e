// The sprite table's buttons on the editor dialog, and the table's way
// through saving and loading.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "Catalogue.h"
#include "Clipboard.h"
#include "ControlIds.h"
#include "MemoryDialog.h"
#include "TableFixture.h"
#include "TextCodec.h"
#include "MemoryDc.h"
#include "Document.h"
#include "Walks.h"

namespace {

const TableRow kNewRow{L"2", L"魔法", L"1", L"1"};

class SpriteTableDialog : public TableFixture {
protected:
    void Select(int row) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED;
        state.state = LVIS_SELECTED;
        SendMessageW(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    }
    std::wstring Column(int column) const {
        std::wstring cells;
        for (int row = 0; row < RowCount(); ++row) cells += Cell(row, column);
        return cells;
    }
    int FocusRow() const {
        return static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    }
    void PressCtrl(WORD key) { EditorFixture::PressCtrl(key, list_); }
    std::vector<int> SelectedRows() const {
        std::vector<int> rows;
        for (int i = -1; (i = static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, i, LVNI_SELECTED))) >= 0;)
            rows.push_back(i);
        return rows;
    }
};

TEST_F(SpriteTableDialog, AddAppendsTheStartRowUnselectedAndUnscrolled) {
    PressButton(IDC_ADD_ROW);
    EXPECT_EQ(Rows(), std::vector<TableRow>{kNewRow});
    PressButton(IDC_ADD_ROW);
    PressButton(IDC_ADD_ROW);
    EXPECT_EQ(Rows(), std::vector<TableRow>(3, kNewRow));
    EXPECT_TRUE(SelectedRows().empty());

    for (int i = 0; i < 30; ++i) PressButton(IDC_ADD_ROW);
    EXPECT_EQ(RowCount(), 33);
    EXPECT_EQ(SendMessageW(list_, LVM_GETTOPINDEX, 0, 0), 0);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(SpriteTableDialog, AddStopsAtTheRowsAFileCanCarryAndSaysSo) {
    for (int i = 0; i < params::kMaxTableRows; ++i) PressButton(IDC_ADD_ROW);
    EXPECT_EQ(RowCount(), 255);
    EXPECT_TRUE(prompts_.messages.empty());
    PressButton(IDC_ADD_ROW);
    EXPECT_EQ(RowCount(), 255);
    EXPECT_EQ(prompts_.messages, std::vector<std::wstring>{L"表格最多255行"});
}

TEST_F(SpriteTableDialog, DeleteRemovesOnlyTheFirstSelectedRow) {
    AddRows({{L"1", L"魔法", L"1", L"1"},
             {L"2", L"魔法", L"1", L"1"},
             {L"3", L"魔法", L"1", L"1"},
             {L"4", L"魔法", L"1", L"1"},
             {L"5", L"魔法", L"1", L"1"}});
    Select(1);
    Select(3);
    PressButton(IDC_DELETE_ROW);
    ASSERT_EQ(RowCount(), 4);
    EXPECT_EQ(Cell(0, 0) + Cell(1, 0) + Cell(2, 0) + Cell(3, 0), L"1345");
    EXPECT_EQ(SelectedRows(), std::vector<int>{2});  // the former fourth row

    LVITEMW none{};
    none.stateMask = LVIS_SELECTED;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    PressButton(IDC_DELETE_ROW);
    EXPECT_EQ(RowCount(), 4);
    EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(SpriteTableDialog, SortOrdersStablyByTheLevelByteSavingWouldWriteAndTheSelectionMovesWithItsRow) {
    AddRows({{L"300", L"魔法", L"a", L"1"},  // 300 is saved as 44
             {L"abc", L"道具", L"b", L"1"},  // no digits: 0
             {L"7", L"魔法", L"c", L"1"},
             {L"44", L"魔法", L"d", L"1"},
             {L"x", L"魔法", L"e", L"1"}});
    Click(CellCentre(0, 2));
    PressButton(IDC_SORT_ROWS);
    EXPECT_EQ(Rows(), (std::vector<TableRow>{{L"abc", L"道具", L"b", L"1"},
                                             {L"x", L"魔法", L"e", L"1"},
                                             {L"7", L"魔法", L"c", L"1"},
                                             {L"300", L"魔法", L"a", L"1"},
                                             {L"44", L"魔法", L"d", L"1"}}));
    EXPECT_EQ(SelectedRows(), std::vector<int>{3});
    EXPECT_EQ(FocusRow(), 3);  // the keyboard goes on from the same row
    PressButton(IDC_DELETE_ROW);
    EXPECT_EQ(Column(2), L"becd");  // the row the user selected is the one deleted
}

TEST_F(SpriteTableDialog, RowsGoToTheClipboardAsTabbedLinesAndPasteBackAtTheEndAllOrNothing) {
    Check(IDC_ADVANCED_ENABLED, true);
    AddRows({{L"1", L"魔法", L"10", L"100"}, {L"2", L"道具", L"20", L"x"}, {L"300", L"道具", L"30", L"3"}});
    PressButton(IDC_QUICK_SAVE);
    Select(1);
    Select(2);
    PressCtrl('C');
    EXPECT_EQ(framework::GetClipboardText(hwnd_), L"2\t道具\t20\tx\r\n300\t道具\t30\t3\r\n");
    PressCtrl('V');
    const std::vector<TableRow> rows = Rows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[3], rows[1]);
    EXPECT_EQ(rows[4], rows[2]);
    PumpMessages();
    EXPECT_EQ(TextOf(hwnd_), L"*set.prm - RPG特殊属性编辑器 V1.6 by Tessiv");
    EXPECT_TRUE(prompts_.messages.size() == 1u);  // "保存完成" only

    framework::SetClipboardText(hwnd_, L"4,道具,5,6\r\n7\t魔法\t8\t9\t\r\n");  // a fifth cell
    PressCtrl('V');
    std::wstring full;
    for (int i = 0; i < 251; ++i) full += L"4,道具,5,6\n";
    framework::SetClipboardText(hwnd_, full);
    PressCtrl('V');
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(prompts_.messages, (std::vector<std::wstring>{L"保存完成", L"粘贴内容须为每行4列", L"表格最多255行"}));

    PressCtrl('A');
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 2, 3, 4}));

    DoubleClick(CellCentre(0, 3));  // a tab pasted into a cell arrives as a space: the rows paste back whole
    framework::SetClipboardText(hwnd_, L"7\t8");
    SendMessageW(Editor(), WM_PASTE, 0, 0);
    Type(L"\r");
    PressCtrl('A');
    PressCtrl('C');
    PressCtrl('V');
    EXPECT_EQ(Rows().at(5), (TableRow{L"1", L"魔法", L"10", L"7 8"}));
    full = framework::GetClipboardText(hwnd_);
    dlg_.SetRows(IDC_SPRITE_TABLE, {});
    PressCtrl('C');  // nothing selected: the clipboard keeps its text
    EXPECT_EQ(framework::GetClipboardText(hwnd_), full);
}

// Each of 删除, 排序 and a paste is one step back with Ctrl+Z, from the table
// or any other control, and one step on again with Ctrl+Y or Ctrl+Shift+Z.
TEST_F(SpriteTableDialog, CtrlZTakesBackDeleteSortAndPasteAndCtrlYDoesThemAgain) {
    const std::wstring clean = L"set.prm - RPG特殊属性编辑器 V1.6 by Tessiv";
    Check(IDC_ADVANCED_ENABLED, true);
    AddRows({{L"3", L"魔法", L"a", L"1"}, {L"1", L"道具", L"b", L"300"}, {L"2", L"魔法", L"c", L"1"}});
    PressButton(IDC_QUICK_SAVE);
    Click(CellCentre(1, 0));
    PressButton(IDC_DELETE_ROW);
    PumpMessages();
    EXPECT_EQ(Column(2), L"ac");
    EXPECT_EQ(TextOf(hwnd_), L"*" + clean);
    PressCtrl('Z');
    EXPECT_EQ(Rows()[1], (TableRow{L"1", L"道具", L"b", L"300"}));  // where it was, as it read
    EXPECT_EQ(SelectedRows(), std::vector<int>{1});
    EXPECT_EQ(TextOf(hwnd_), clean);  // back to what was saved
    EditorFixture::PressCtrl('Y', Item(IDC_LEVELUP_HP0));
    EXPECT_EQ(Column(2), L"ac");
    EXPECT_EQ(TextOf(hwnd_), L"*" + clean);
    PressCtrl('Z');

    PressButton(IDC_SORT_ROWS);
    PumpMessages();
    EXPECT_EQ(Column(2), L"bca");
    EXPECT_EQ(FocusRow(), 0);
    EditorFixture::PressCtrl('Z', Item(IDC_SORT_ROWS));
    EXPECT_EQ(Column(2), L"abc");
    EXPECT_EQ(FocusRow(), 1);  // the focus row goes back with its row
    EditorFixture::PressCtrl('Z', list_, true);
    EXPECT_EQ(Column(2), L"bca");
    PressCtrl('Z');

    std::wstring ten;
    for (int i = 0; i < 10; ++i) ten += L"4\t道具\t5\t6\r\n";
    framework::SetClipboardText(hwnd_, ten);
    PressCtrl('V');
    EXPECT_EQ(RowCount(), 13);
    PressCtrl('Z');
    EXPECT_EQ(Column(2), L"abc");
    EXPECT_EQ(TextOf(hwnd_), clean);
    PressCtrl('Y');
    EXPECT_EQ(RowCount(), 13);
}

// Ctrl+Z in an open text box is the box's own; once committed, the cell's
// edit is a step.
TEST_F(SpriteTableDialog, CtrlZInAnOpenCellEditorIsItsOwnUntilItCommits) {
    AddRows({{L"5", L"魔法", L"10", L"1"}});
    PumpMessages();
    DoubleClick(CellCentre(0, 2));
    Type(L"9");
    EditorFixture::PressCtrl('Z', Editor());
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(TextOf(Editor()), L"10");
    Type(L"7");
    SetFocus(list_);
    PumpMessages();
    EXPECT_EQ(Cell(0, 2), L"7");
    PressCtrl('Z');
    EXPECT_EQ(Cell(0, 2), L"10");
    PressCtrl('Z');
    EXPECT_EQ(RowCount(), 0);
}

TEST_F(SpriteTableDialog, AButtonActsOnTheCellAnOpenEditorCommittedFirst) {
    AddRows({{L"5", L"魔法", L"1", L"1"}, {L"6", L"魔法", L"2", L"2"}, {L"7", L"魔法", L"3", L"3"}});
    DoubleClick(CellCentre(2, 0));
    Type(L"0");
    PressButton(IDC_SORT_ROWS);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(Rows().front(), (TableRow{L"0", L"魔法", L"3", L"3"}));

    // The double-click selected the edited row; Delete must see the committed
    // edit on that row, not write it afterwards onto the row that moved up.
    DoubleClick(CellCentre(1, 3));
    Type(L"x");
    PressButton(IDC_DELETE_ROW);
    EXPECT_EQ(Rows(), (std::vector<TableRow>{{L"0", L"魔法", L"3", L"3"}, {L"6", L"魔法", L"2", L"2"}}));

    DoubleClick(CellCentre(0, 2));
    Type(L"9");
    PressButton(IDC_ADD_ROW);
    EXPECT_EQ(Rows(), (std::vector<TableRow>{{L"0", L"魔法", L"9", L"3"}, {L"6", L"魔法", L"2", L"2"}, kNewRow}));
}

TEST_F(SpriteTableDialog, RowsComeBackFromTheFileInOrderAsTheBytesStored) {
    Check(IDC_ADVANCED_ENABLED, true);
    const std::vector<TableRow> typed{{L"abc", L"道具", L"300", L"7"},
                                      {L"12", L"魔法", L"256", L"255"},
                                      {L"5", L"道具", L"9x", L"-1"}};
    AddRows(typed);
    PressButton(IDC_QUICK_SAVE);
    const auto saved = ReadBytes(folder_.Path() / "set.prm");

    // The core writes the same bytes for the same rows.
    params::MemoryDialog memory;
    params::ApplyDefaults(memory);
    memory.SetChecked(IDC_ADVANCED_ENABLED, true);
    std::vector<params::RowTexts> rows(typed.size());
    for (std::size_t row = 0; row < typed.size(); ++row)
        for (int column = 0; column < 4; ++column) rows[row][column] = params::Narrow(typed[row][column]);
    memory.SetRows(IDC_SPRITE_TABLE, std::move(rows));
    (void)params::Document().Save((folder_.Path() / "core.prm").string(), memory);
    EXPECT_EQ(saved, ReadBytes(folder_.Path() / "core.prm"));

    dlg_.SetRows(IDC_SPRITE_TABLE, {});
    AddRows({kNewRow});
    PressButton(IDC_QUICK_LOAD);
    EXPECT_EQ(prompts_.messages, (std::vector<std::wstring>{L"保存完成", L"读取完成"}));
    EXPECT_EQ(Rows(), (std::vector<TableRow>{{L"0", L"道具", L"44", L"7"},
                                             {L"12", L"魔法", L"0", L"255"},
                                             {L"5", L"道具", L"9", L"255"}}));
    PressButton(IDC_QUICK_SAVE);
    EXPECT_EQ(ReadBytes(folder_.Path() / "set.prm"), saved);
}

TEST_F(SpriteTableDialog, AnEditedCellIsAnUnsavedChangeAndClosingCommitsItFirst) {
    const std::wstring clean = L"set.prm - RPG特殊属性编辑器 V1.6 by Tessiv";
    Check(IDC_ADVANCED_ENABLED, true);
    AddRows({{L"5", L"魔法", L"1", L"1"}});
    PressButton(IDC_QUICK_SAVE);
    DoubleClick(CellCentre(0, 2));
    Type(L"9");
    SetFocus(list_);
    PumpMessages();
    EXPECT_EQ(TextOf(hwnd_), L"*" + clean);
    DoubleClick(CellCentre(0, 2));
    Type(L"1");
    SetFocus(list_);
    PumpMessages();
    EXPECT_EQ(TextOf(hwnd_), clean);

    DoubleClick(CellCentre(0, 2));
    Type(L"7");
    prompts_.reply = IDCANCEL;  // stays open
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);  // the close box takes no focus from the editor
    EXPECT_EQ(prompts_.questions.size(), 1u);
    EXPECT_EQ(Cell(0, 2), L"7");
}

TEST_F(SpriteTableDialog, CellsNotStoredAsTheyReadAreRedWithATipUnderThePointer) {
    AddRows({{L"300", L"道具", L"abc", L"7"}, {L"300", L"道具", L"abc", L"7"}});
    Select(1);  // in the focused list, where a selected row has colours of its own
    SetFocus(list_);
    const RECT client = ListClient();
    MemoryDc device(client.right, client.bottom, RGB(255, 255, 255));
    SendMessageW(list_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(device.Dc()), PRF_CLIENT | PRF_ERASEBKGND);
    const auto count = [&](int row, int column, auto wanted) {
        const RECT cell = CellRect(row, column);
        int n = 0;
        for (int y = cell.top; y < cell.bottom; ++y)
            for (int x = cell.left; x < cell.right; ++x) n += wanted(device.At(x, y));
        return n;
    };
    const auto isRed = [](COLORREF p) { return GetRValue(p) > 160 && GetGValue(p) < 96 && GetBValue(p) < 96; };
    const auto isSelection = [](COLORREF p) { return p == GetSysColor(COLOR_HIGHLIGHT); };
    for (int row : {0, 1}) {
        EXPECT_GT(count(row, 0, isRed), 0) << row;
        EXPECT_EQ(count(row, 1, isRed), 0) << row;
        EXPECT_GT(count(row, 2, isRed), 0) << row;
        EXPECT_EQ(count(row, 3, isRed), 0) << row;
    }
    EXPECT_GT(count(1, 0, isSelection), count(1, 0, isRed));  // red on the selection colour

    // The tip covers the out-of-range cell under the pointer, and no other.
    const auto tipAt = [&](int column) {
        const POINT at = CellCentre(0, column);
        MSG move{};
        move.hwnd = list_;
        move.message = WM_MOUSEMOVE;
        move.lParam = MAKELPARAM(at.x, at.y);
        dlg_.PreTranslateMessage(move);
        wchar_t text[80] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = list_;
        tool.uId = 1;
        tool.lpszText = text;
        const bool shown = SendMessageW(RangeTipOf(hwnd_), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
        return shown && std::wstring(text) == L"取值范围0～255" && PtInRect(&tool.rect, at);
    };
    EXPECT_TRUE(tipAt(0));
    EXPECT_FALSE(tipAt(3));
    EXPECT_TRUE(tipAt(2));
    EXPECT_TRUE(tipAt(0));  // straight from one red cell of the row to another
    EXPECT_FALSE(tipAt(1));
}

// Records what the list is told while a file loads.
LRESULT CALLBACK ListSpy(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto& events = *reinterpret_cast<std::vector<std::string>*>(data);
    if (message == WM_SETREDRAW) events.push_back(wParam ? "redraw on" : "redraw off");
    if (message == LVM_INSERTITEMW && (events.empty() || events.back() != "insert")) events.push_back("insert");
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

TEST_F(SpriteTableDialog, LoadingManyRowsHoldsTheRedrawUntilTheEnd) {
    Check(IDC_ADVANCED_ENABLED, true);
    for (int i = 0; i < 200; ++i) PressButton(IDC_ADD_ROW);
    PressButton(IDC_QUICK_SAVE);
    std::vector<std::string> events;
    SetWindowSubclass(list_, ListSpy, 1, reinterpret_cast<DWORD_PTR>(&events));
    PressButton(IDC_QUICK_LOAD);
    RemoveWindowSubclass(list_, ListSpy, 1);
    EXPECT_EQ(RowCount(), 200);
    EXPECT_EQ(events, (std::vector<std::string>{"redraw off", "insert", "redraw on"}));
}

}  // namespace
