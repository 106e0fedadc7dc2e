#include "TableFixture.h"

#include <ostream>

#include "TextCodec.h"

void TableFixture::SetUp() {
    EditorFixture::SetUp();
    list_ = Item(IDC_SPRITE_TABLE);
}

// Through the dialog, which holds the rows the list shows.
void TableFixture::AddRows(const std::vector<TableRow>& rows) {
    for (const TableRow& row : rows) {
        params::RowTexts cells;
        for (int column = 0; column < 4; ++column) cells[column] = params::Narrow(row[column]);
        dlg_.InsertRow(IDC_SPRITE_TABLE, RowCount(), cells);
    }
}

std::vector<TableRow> TableFixture::Rows() const {
    std::vector<TableRow> rows;
    for (int row = 0; row < RowCount(); ++row) rows.push_back({Cell(row, 0), Cell(row, 1), Cell(row, 2), Cell(row, 3)});
    return rows;
}

RECT TableFixture::ListClient() const {
    RECT rc;
    GetClientRect(list_, &rc);
    return rc;
}

RECT TableFixture::RowRect(int row) const {
    RECT rc{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rc));
    return rc;
}

RECT TableFixture::CellRect(int row, int column) const {
    RECT rc = RowRect(row);
    for (int c = 0; c < column; ++c) rc.left += ColumnWidth(c);
    rc.right = rc.left + ColumnWidth(column);
    return rc;
}

POINT TableFixture::CellCentre(int row, int column) const {
    const RECT rc = CellRect(row, column);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

void TableFixture::DoubleClick(POINT at) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    SendMessageW(list_, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageW(list_, WM_LBUTTONUP, 0, where);
    SendMessageW(list_, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    SendMessageW(list_, WM_LBUTTONUP, 0, where);
}

void TableFixture::Click(POINT at) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    SendMessageW(list_, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageW(list_, WM_LBUTTONUP, 0, where);
}

void TableFixture::PressButton(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }

RECT TableFixture::EditorRect() const {
    RECT rc{};
    GetWindowRect(Editor(), &rc);
    MapWindowPoints(nullptr, list_, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

void TableFixture::Type(std::wstring_view characters) {
    for (wchar_t c : characters) SendMessageW(GetFocus(), WM_CHAR, c, 1);
}

bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

void PrintTo(const RECT& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
