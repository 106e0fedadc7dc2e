// The table's in-place editing: double-clicks at real cell coordinates, keys
// and characters sent to the open editor, and the end-of-edit notification
// read at the dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CEditableListCtrl.h"
#include "CInPlaceEdit.h"
#include "ControlIds.h"
#include "TableFixture.h"

namespace {

// What the dialog window receives from an in-place editor, copied as it arrives.
struct EndOfEdit {
    WPARAM wParam;
    NMLVDISPINFOW info;
    std::wstring text;
    bool hasText;
    int topRow;  // the list's first visible row at that moment
};

struct DialogSpy {
    HWND list;
    std::vector<EndOfEdit> edits;
    std::vector<int> commands;  // IDOK and IDCANCEL
};

LRESULT CALLBACK SpyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto& spy = *reinterpret_cast<DialogSpy*>(data);
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_ENDLABELEDITW) {
        const auto& info = *reinterpret_cast<NMLVDISPINFOW*>(lParam);
        spy.edits.push_back({wParam, info, info.item.pszText ? info.item.pszText : L"", info.item.pszText != nullptr,
                             static_cast<int>(SendMessageW(spy.list, LVM_GETTOPINDEX, 0, 0))});
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        spy.commands.push_back(LOWORD(wParam));
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// Windows created on the list, as they were asked for: the editors' style and
// full rectangle before the controls adjust them.
struct Creation {
    std::wstring className;
    RECT rect;
    LONG style;
    UINT_PTR id;
};
std::vector<Creation> g_created;
HWND g_watchedList = nullptr;

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW& cs = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (cs.hwndParent == g_watchedList && !IS_INTRESOURCE(cs.lpszClass))
            g_created.push_back({cs.lpszClass, {cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy}, cs.style,
                                 reinterpret_cast<UINT_PTR>(cs.hMenu)});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class EditableList : public TableFixture {
protected:
    void SetUp() override {
        TableFixture::SetUp();
        AddRows({{L"1", L"魔法", L"10", L"100"}, {L"2", L"道具", L"20", L"200"}, {L"3", L"魔法", L"30", L"300"}});
        spy_.list = list_;
        SetWindowSubclass(hwnd_, SpyProc, 1, reinterpret_cast<DWORD_PTR>(&spy_));
        g_created.clear();
        g_watchedList = list_;
        hook_ = SetWindowsHookExW(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
    }
    void TearDown() override {
        UnhookWindowsHookEx(hook_);
        if (IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, SpyProc, 1);
        TableFixture::TearDown();
    }
    CEditableListCtrl& Control() const { return *static_cast<CEditableListCtrl*>(framework::CWnd::FromHandle(list_)); }
    // Where an editor over the cell stands, the list not being scrolled.
    RECT ExpectedPlace(int row, int column) const {
        const RECT cell = CellRect(row, column);
        const LONG left = cell.left + 4;
        return {left, cell.top, std::min<LONG>(left + ColumnWidth(column) - 3, ListClient().right), cell.bottom};
    }
    void SetColumnWidth(int column, int width) { SendMessageW(list_, LVM_SETCOLUMNWIDTH, column, width); }
    void SetColumnFormat(int column, int format) {
        LVCOLUMNW c{};
        c.mask = LVCF_FMT;
        c.fmt = format;
        SendMessageW(list_, LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(&c));
    }
    int TextWidth(const std::wstring& text) const {
        HDC dc = GetDC(list_);
        const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list_, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(list_, dc);
        return size.cx;
    }

    DialogSpy spy_;
    HHOOK hook_ = nullptr;
};

TEST_F(EditableList, DoubleClickOnATextColumnOpensATextBoxOverTheCell) {
    for (int column : {0, 2, 3}) {
        SCOPED_TRACE(column);
        DoubleClick(CellCentre(1, column));
        const HWND editor = Editor();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(ClassOf(editor), L"Edit");
        EXPECT_EQ(EditorRect(), ExpectedPlace(1, column));
        EXPECT_EQ(GetFocus(), editor);
        EXPECT_EQ(TextOf(editor), Cell(1, column));
        DWORD start = 1, end = 0;
        SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, Cell(1, column).size());
        ASSERT_EQ(g_created.size(), 1u);
        EXPECT_EQ(g_created[0].style, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | ES_LEFT);
        EXPECT_EQ(g_created[0].id, 65535u);
        g_created.clear();
        EXPECT_EQ(SendMessageW(editor, WM_GETFONT, 0, 0), SendMessageW(list_, WM_GETFONT, 0, 0));
        SetFocus(list_);
        EXPECT_FALSE(IsWindow(editor));
    }
    EXPECT_EQ(Rows(), (std::vector<TableRow>{{L"1", L"魔法", L"10", L"100"},
                                             {L"2", L"道具", L"20", L"200"},
                                             {L"3", L"魔法", L"30", L"300"}}));
}

TEST_F(EditableList, DoubleClickOnTheCategoryOpensTheDropDownOnTheCellsOwnItem) {
    DoubleClick(CellCentre(1, 1));
    const HWND combo = Editor();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(ClassOf(combo), L"ComboBox");
    EXPECT_EQ(GetFocus(), combo);
    const RECT place = ExpectedPlace(1, 1);
    ASSERT_EQ(g_created.size(), 1u);
    EXPECT_EQ(g_created[0].rect, (RECT{place.left, place.top, place.right, place.bottom + 100}));
    EXPECT_EQ(g_created[0].style, WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | CBS_NOINTEGRALHEIGHT);
    EXPECT_EQ(g_created[0].id, static_cast<UINT_PTR>(kInPlaceEditorId));
    EXPECT_EQ(EditorRect().top, place.top);
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(ComboItem(combo, 0), L"魔法");
    EXPECT_EQ(ComboItem(combo, 1), L"道具");
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageW(combo, WM_GETFONT, 0, 0), SendMessageW(hwnd_, WM_GETFONT, 0, 0));

    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    SetFocus(list_);
    EXPECT_FALSE(IsWindow(combo));
    EXPECT_EQ(Cell(1, 1), L"魔法");
}

TEST_F(EditableList, TheDropDownAlwaysWritesItsSelectionAndKeepsAnUnknownCode) {
    DoubleClick(CellCentre(0, 1));
    EXPECT_EQ(SendMessageW(Editor(), CB_GETCURSEL, 0, 0), 0);
    SetFocus(list_);  // left without a choice: the selection goes in
    EXPECT_EQ(Cell(0, 1), L"魔法");
    ASSERT_EQ(spy_.edits.size(), 1u);
    EXPECT_TRUE(spy_.edits[0].hasText);

    AddRows({{L"4", L"7", L"1", L"1"}});  // a code no name stands for, as loading shows it
    DoubleClick(CellCentre(3, 1));
    EXPECT_EQ(SendMessageW(Editor(), CB_GETCURSEL, 0, 0), CB_ERR);
    SetFocus(list_);
    EXPECT_EQ(Cell(3, 1), L"7");

    DoubleClick(CellCentre(3, 1));
    SendMessageW(Editor(), CB_SETCURSEL, 1, 0);
    SetFocus(list_);
    EXPECT_EQ(Cell(3, 1), L"道具");
}

TEST_F(EditableList, ABorderPixelBelongsToTheLeftColumn) {
    const RECT row = RowRect(0);
    const int y = (row.top + row.bottom) / 2;
    DoubleClick({row.left + ColumnWidth(0), y});
    EXPECT_EQ(ClassOf(Editor()), L"Edit");
    EXPECT_EQ(EditorRect(), ExpectedPlace(0, 0));
    SetFocus(list_);

    const int secondBorder = row.left + ColumnWidth(0) + ColumnWidth(1);
    DoubleClick({secondBorder, y});
    EXPECT_EQ(ClassOf(Editor()), L"ComboBox");
    SetFocus(list_);

    DoubleClick({secondBorder + 1, y});
    EXPECT_EQ(ClassOf(Editor()), L"Edit");
    EXPECT_EQ(EditorRect(), ExpectedPlace(0, 2));
}

TEST_F(EditableList, NothingOpensRightOfTheLastColumnOrBelowTheLastRow) {
    SetColumnWidth(3, 40);  // leaves room right of the columns
    const RECT row = RowRect(1);
    const int y = (row.top + row.bottom) / 2;
    const int lastRight = row.left + 40 + 40 + 50 + 40;
    ASSERT_LT(lastRight + 2, ListClient().right);

    DoubleClick({lastRight + 1, y});
    EXPECT_EQ(Editor(), nullptr);
    DoubleClick({10, RowRect(2).bottom + 2});
    EXPECT_EQ(Editor(), nullptr);

    DoubleClick({lastRight, y});  // the row ends just before it
    EXPECT_EQ(Editor(), nullptr);
    DoubleClick({lastRight - 1, y});
    EXPECT_EQ(EditorRect(), ExpectedPlace(1, 3));
}

TEST_F(EditableList, ADoubleClickOnThePartlyVisibleLastRowEditsThatRow) {
    for (int i = 4; i <= 12; ++i) AddRows({{std::to_wstring(i), L"魔法", std::to_wstring(i * 10), L"1"}});
    SetColumnWidth(3, 300);  // both scroll bars
    ASSERT_TRUE(GetWindowLongW(list_, GWL_STYLE) & WS_HSCROLL);
    ASSERT_TRUE(GetWindowLongW(list_, GWL_STYLE) & WS_VSCROLL);
    const int partly = static_cast<int>(SendMessageW(list_, LVM_GETCOUNTPERPAGE, 0, 0));
    const RECT row = RowRect(partly);
    ASSERT_LT(row.top, ListClient().bottom);
    ASSERT_GT(row.bottom, ListClient().bottom);

    const std::wstring clicked = Cell(partly, 2);
    DoubleClick({CellCentre(partly, 2).x, (row.top + ListClient().bottom) / 2});
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(TextOf(Editor()), clicked);
    Type(L"x\r");
    EXPECT_EQ(Cell(partly, 2), L"x");
    EXPECT_EQ(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), partly);
}

TEST_F(EditableList, AColumnPartlyScrolledOutToTheLeftIsScrolledToTheListsLeftEdge) {
    SetColumnWidth(3, 200);  // wider than the list: it scrolls sideways
    SendMessageW(list_, LVM_SCROLL, 100, 0);
    ASSERT_EQ(RowRect(0).left, -100);  // column 2 now spans -20 to 30

    DoubleClick({10, CellCentre(0, 2).y});
    EXPECT_EQ(RowRect(0).left, -80);
    EXPECT_EQ(EditorRect(), (RECT{4, RowRect(0).top, 4 + 50 - 3, RowRect(0).bottom}));
    Type(L"x\r");
    EXPECT_EQ(Cell(0, 2), L"x");
}

TEST_F(EditableList, AColumnRightOfTheListIsScrolledToItsLeftEdge) {
    SetColumnWidth(2, 250);
    SetColumnWidth(3, 300);  // column 3 starts at 330, right of the list
    ASSERT_LT(ListClient().right, 330);

    ASSERT_NE(Control().OpenCellEdit(2, 3), nullptr);
    EXPECT_EQ(RowRect(2).left, -330);
    EXPECT_EQ(EditorRect(), (RECT{4, RowRect(2).top, ListClient().right, RowRect(2).bottom}));
    EXPECT_EQ(TextOf(Editor()), L"300");
}

TEST_F(EditableList, OpeningRefusesAMissingRowOrColumnAndANarrowColumn) {
    EXPECT_EQ(Control().OpenCellEdit(3, 0), nullptr);
    EXPECT_EQ(Control().OpenCellEdit(0, 4), nullptr);
    Control().OpenCellCombo(5, 1);
    EXPECT_EQ(Editor(), nullptr);

    SetColumnWidth(2, 4);
    EXPECT_EQ(Control().OpenCellEdit(0, 2), nullptr);
    EXPECT_EQ(Editor(), nullptr);
    SetColumnWidth(2, 5);
    ASSERT_NE(Control().OpenCellEdit(0, 2), nullptr);
    EXPECT_EQ(EditorRect(), ExpectedPlace(0, 2));
}

TEST_F(EditableList, TheTextBoxTakesTheColumnsAlignment) {
    SetColumnFormat(2, LVCFMT_RIGHT);
    SetColumnFormat(3, LVCFMT_CENTER);
    Control().OpenCellEdit(0, 2);
    EXPECT_EQ(StyleOf(Editor()) & (ES_CENTER | ES_RIGHT), ES_RIGHT);
    Control().OpenCellEdit(0, 3);  // the first one closes as the second takes the focus
    EXPECT_EQ(StyleOf(Editor()) & (ES_CENTER | ES_RIGHT), ES_CENTER);
    EXPECT_EQ(Cell(0, 2), L"10");
}

TEST_F(EditableList, OutsideReportViewTheHitTestGivesTheRowInColumnZero) {
    SetWindowLongPtrW(list_, GWL_STYLE, (StyleOf(list_) & ~LVS_TYPEMASK) | LVS_LIST);
    RECT item{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(list_, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    int column = 3;
    EXPECT_EQ(Control().CellFromPoint({item.left + 2, item.top + 2}, column), 1);
    EXPECT_EQ(column, 0);
}

TEST_F(EditableList, EscapeLeavesTheCellEnterCommitsAndAnEmptyTextEmptiesIt) {
    DoubleClick(CellCentre(0, 0));
    const HWND first = Editor();
    Type(L"99\x1b");
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(GetFocus(), list_);
    EXPECT_EQ(Cell(0, 0), L"1");

    DoubleClick(CellCentre(0, 0));
    Type(L"42\r");  // the whole text was selected: typing replaces it
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(Cell(0, 0), L"42");

    DoubleClick(CellCentre(0, 3));
    Type(L"\b\r");
    EXPECT_EQ(Cell(0, 3), L"");

    DoubleClick(CellCentre(0, 2));
    Type(L"\xD83Dx\r");  // half a pair, alone
    EXPECT_EQ(Cell(0, 2), L"x");
}

TEST_F(EditableList, TheEndOfEditNotificationNamesTheListTheEditorAndTheCell) {
    DoubleClick(CellCentre(2, 3));
    Type(L"abc\r");
    DoubleClick(CellCentre(1, 2));
    Type(L"xy\x1b");
    ASSERT_EQ(spy_.edits.size(), 2u);

    const EndOfEdit& done = spy_.edits[0];
    EXPECT_EQ(done.wParam, static_cast<WPARAM>(IDC_SPRITE_TABLE));
    EXPECT_EQ(done.info.hdr.hwndFrom, list_);
    EXPECT_EQ(done.info.hdr.idFrom, static_cast<UINT_PTR>(kInPlaceEditorId));
    EXPECT_EQ(done.info.item.mask, static_cast<UINT>(LVIF_TEXT));
    EXPECT_EQ(done.info.item.iItem, 2);
    EXPECT_EQ(done.info.item.iSubItem, 3);
    EXPECT_EQ(done.text, L"abc");
    EXPECT_EQ(done.info.item.cchTextMax, 3);

    const EndOfEdit& cancelled = spy_.edits[1];
    EXPECT_FALSE(cancelled.hasText);
    EXPECT_EQ(cancelled.info.item.iItem, 1);
    EXPECT_EQ(cancelled.info.item.iSubItem, 2);
    EXPECT_EQ(cancelled.info.item.cchTextMax, 2);  // the length of what the box held
    EXPECT_EQ(Cell(2, 3), L"abc");
    EXPECT_EQ(Cell(1, 2), L"20");
}

TEST_F(EditableList, AClickElsewhereCommitsBeforeTheClickSelects) {
    DoubleClick(CellCentre(0, 2));
    Type(L"5");
    Click(CellCentre(2, 0));
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(Cell(0, 2), L"5");
    EXPECT_EQ(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2);
}

TEST_F(EditableList, AScrollCommitsBeforeTheListMoves) {
    for (int i = 0; i < 20; ++i) AddRows({{L"9", L"魔法", L"1", L"1"}});
    DoubleClick(CellCentre(0, 2));
    Type(L"8");
    SendMessageW(list_, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(Cell(0, 2), L"8");
    ASSERT_EQ(spy_.edits.size(), 1u);
    EXPECT_EQ(spy_.edits[0].topRow, 0);
    EXPECT_EQ(SendMessageW(list_, LVM_GETTOPINDEX, 0, 0), 1);

    DoubleClick(CellCentre(3, 3));
    Type(L"6");
    SendMessageW(list_, WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(Cell(3, 3), L"6");

    DoubleClick(CellCentre(4, 2));
    Type(L"7");
    SendMessageW(Editor(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);  // where the wheel goes: the focus
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(Cell(4, 2), L"7");
}

TEST_F(EditableList, TheTextBoxWidensOneKeystrokeBehindUpToTheListsEdge) {
    DoubleClick(CellCentre(0, 0));
    const RECT start = EditorRect();
    const LONG edge = ListClient().right;
    bool grewInside = false;
    for (int i = 0; i < 60; ++i) {
        const RECT before = EditorRect();
        const int needed = TextWidth(TextOf(Editor())) + 5;  // the text as it was before this key
        Type(L"W");
        const RECT after = EditorRect();
        const LONG expected =
            needed > before.right - before.left ? std::min<LONG>(before.left + needed, edge) : before.right;
        ASSERT_EQ(after.right, expected) << "after " << i + 1 << " keys";
        EXPECT_EQ(after.left, start.left);
        EXPECT_EQ(after.top, start.top);
        EXPECT_EQ(after.bottom, start.bottom);
        grewInside |= after.right > start.right && after.right < edge;
    }
    EXPECT_TRUE(grewInside);
    EXPECT_EQ(EditorRect().right, edge);

    Type(std::wstring(60, L'\b'));  // shorter text: the box keeps its width
    EXPECT_EQ(EditorRect().right, edge);
    EXPECT_EQ(TextOf(Editor()), L"");
}

TEST_F(EditableList, RightMovesTheCurrentCellAndAltDownDropsTheCategoryList) {
    SetFocus(list_);
    LVITEMW focus{};
    focus.stateMask = focus.state = LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&focus));
    SendMessageW(list_, WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_EQ(Control().CurrentColumn(), 1);
    SendMessageW(list_, WM_SYSKEYDOWN, VK_DOWN, 1 | 1 << 29);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(ClassOf(Editor()), L"ComboBox");
    EXPECT_TRUE(SendMessageW(Editor(), CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(EditorRect().top, CellRect(1, 1).top);

    SetFocus(list_);
    for (int i = 0; i < 5; ++i) SendMessageW(list_, WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_EQ(Control().CurrentColumn(), 3);  // no further than the last
    SendMessageW(list_, WM_SYSKEYDOWN, VK_DOWN, 1 | 1 << 29);
    EXPECT_EQ(Editor(), nullptr);  // a text column has no list to drop
}

TEST_F(EditableList, ClosingTheDialogWithAnOpenEditorEndsTheEditor) {
    DoubleClick(CellCentre(1, 3));
    const HWND editor = Editor();
    ASSERT_NE(editor, nullptr);
    RemoveWindowSubclass(hwnd_, SpyProc, 1);
    DestroyWindow(hwnd_);
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_EQ(framework::CWnd::FromHandle(editor), nullptr);
}

}  // namespace

namespace {

// The modal run: keys go through the real message loop, its pre-dispatch
// filters and the dialog's own keyboard handling.
struct ModalScript {
    CAttrEditorDlg* dlg = nullptr;
    DialogSpy spy;
    std::vector<std::wstring> seen;  // cell texts read between the steps
    int step = 0;
};
ModalScript* g_script = nullptr;

void PostKey(HWND to, UINT key) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(to, WM_KEYDOWN, key, scan | 1);
    PostMessageW(to, WM_KEYUP, key, scan | 0xC0000001);
}

void SetItemFocus(HWND list, int row) {
    LVITEMW state{};
    state.stateMask = LVIS_FOCUSED;
    state.state = LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
}

// Double-clicks the cell in the first row and returns the editor it opens.
HWND OpenEditor(HWND list, int column) {
    int left = 0;
    for (int c = 0; c < column; ++c) left += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, c, 0));
    RECT rc{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rc));
    const LPARAM at = MAKELPARAM(rc.left + left + 5, (rc.top + rc.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    return GetDlgItem(list, kInPlaceEditorId);
}

// Notes what the last step left: the cell's text and whether its editor closed.
void NoteCell(ModalScript& s, HWND list, HWND editor, int column, int row = 0) {
    s.seen.push_back(CellText(list, row, column));
    s.seen.push_back(editor ? L"open" : L"closed");
}

void HoldShift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

// Where the open editor stands, as "row,column", and what it holds.
std::wstring EditorAt(HWND list, HWND editor) {
    if (!editor) return L"none";
    RECT rc;
    GetWindowRect(editor, &rc);
    MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&rc), 2);
    LVHITTESTINFO hit{};
    hit.pt = {rc.left + 2, rc.top + 2};
    SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return std::to_wstring(hit.iItem) + L"," + std::to_wstring(hit.iSubItem) + L" " + TextOf(editor);
}

void CALLBACK NextStep(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    ModalScript& s = *g_script;
    const HWND dlg = s.dlg->GetSafeHwnd();
    const HWND list = GetDlgItem(dlg, IDC_SPRITE_TABLE);
    HWND editor = GetDlgItem(list, kInPlaceEditorId);
    switch (s.step++) {
    case 0:  // two rows "2", "魔法", "1", "1"; Delete empties the selected text, Enter commits
        SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDC_ADD_ROW, BN_CLICKED), 0);
        SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDC_ADD_ROW, BN_CLICKED), 0);
        s.spy.list = list;
        SetWindowSubclass(dlg, SpyProc, 1, reinterpret_cast<DWORD_PTR>(&s.spy));
        editor = OpenEditor(list, 2);
        PostKey(editor, VK_DELETE);
        PostMessageW(editor, WM_CHAR, L'3', 1);
        PostKey(editor, VK_RETURN);
        break;
    case 1:  // Escape leaves the cell as it was
        NoteCell(s, list, editor, 2);
        editor = OpenEditor(list, 3);
        PostMessageW(editor, WM_CHAR, L'9', 1);
        PostKey(editor, VK_ESCAPE);
        break;
    case 2:  // from the keyboard alone: Left to the first cell, F2 edits it
        NoteCell(s, list, editor, 3);
        SetItemFocus(list, 0);
        for (int i = 0; i < 4; ++i) PostKey(list, VK_LEFT);  // the fourth stays on the first column
        PostKey(list, VK_F2);
        break;
    case 3:  // Tab commits and opens the next cell: the category's drop-down
        s.seen.push_back(EditorAt(list, editor));
        PostMessageW(editor, WM_CHAR, L'8', 1);
        PostKey(editor, VK_TAB);
        break;
    case 4:  // the drop-down, left as it is, on to the next text box
        s.seen.push_back(EditorAt(list, editor));
        PostKey(editor, VK_TAB);
        break;
    case 5:
        s.seen.push_back(EditorAt(list, editor));
        PostMessageW(editor, WM_CHAR, L'7', 1);
        PostKey(editor, VK_TAB);
        break;
    case 6:  // from the row's last cell to the next row's first
        s.seen.push_back(EditorAt(list, editor));
        PostMessageW(editor, WM_CHAR, L'6', 1);
        PostKey(editor, VK_TAB);
        break;
    case 7:  // Shift+Tab goes back to the previous row's last cell
        s.seen.push_back(EditorAt(list, editor));
        s.seen.push_back(std::to_wstring(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
        HoldShift(true);
        PostKey(editor, VK_TAB);
        break;
    case 8:  // Tab past the last cell leaves the table, committing
        HoldShift(false);
        s.seen.push_back(EditorAt(list, editor));
        SetFocus(list);
        SetItemFocus(list, 1);
        SendMessageW(list, WM_KEYDOWN, VK_F2, 0);  // the current column is still the last
        editor = GetDlgItem(list, kInPlaceEditorId);
        PostMessageW(editor, WM_CHAR, L'4', 1);
        PostKey(editor, VK_TAB);
        break;
    case 9:  // Shift+Tab before the first cell leaves the table too
        NoteCell(s, list, editor, 3, 1);
        s.seen.push_back(std::to_wstring(GetDlgCtrlID(GetFocus())));
        SetItemFocus(list, 0);
        for (int i = 0; i < 3; ++i) SendMessageW(list, WM_KEYDOWN, VK_LEFT, 0);
        SendMessageW(list, WM_KEYDOWN, VK_F2, 0);
        HoldShift(true);
        PostKey(GetDlgItem(list, kInPlaceEditorId), VK_TAB);
        break;
    default:
        HoldShift(false);
        s.seen.push_back(std::to_wstring(GetDlgCtrlID(GetFocus())));
        RemoveWindowSubclass(dlg, SpyProc, 1);
        PostMessageW(dlg, WM_CLOSE, 0, 0);
        return;
    }
    SetTimer(nullptr, 0, 10, NextStep);
}

TEST(EditableListModalRun, EnterEscapeAndDeleteStayInTheTextBoxAndTabWalksTheCells) {
    CTempFolder folder;
    CFakePrompts prompts;
    prompts.reply = IDNO;
    CAttrEditorDlg dlg{prompts};
    ModalScript script;
    script.dlg = &dlg;
    g_script = &script;
    SetTimer(nullptr, 0, 10, NextStep);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(script.seen, (std::vector<std::wstring>{
                               L"3", L"closed", L"1", L"closed",  // Enter, Escape
                               L"0,0 2", L"0,1 魔法", L"0,2 3", L"0,3 1",  // F2, then Tab along the row
                               L"1,0 2", L"1",                         // into the next row, which has the focus
                               L"0,3 6",                               // Shift+Tab back
                               L"4", L"closed", std::to_wstring(IDC_ADD_ROW),  // past the last cell
                               std::to_wstring(IDC_LEVEL_DIFFERENCE)}));       // before the first
    EXPECT_TRUE(script.spy.commands.empty());  // neither IDOK nor IDCANCEL reached the dialog
    ASSERT_EQ(script.spy.edits.size(), 10u);
    EXPECT_EQ(script.spy.edits[2].text, L"8");  // the first cell, committed by Tab
    EXPECT_EQ(script.spy.edits[4].text, L"7");
}

}  // namespace
