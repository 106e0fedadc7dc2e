// The editor dialog with its sprite attribute table, driven the way a user
// drives it: real mouse messages at cell coordinates, characters typed into
// the in-place editor, button clicks.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "EditorFixture.h"
#include "InPlaceEditor.h"

using TableRow = std::array<std::wstring, 4>;

class TableFixture : public EditorFixture {
protected:
    void SetUp() override;

    void AddRows(const std::vector<TableRow>& rows);
    std::vector<TableRow> Rows() const;
    int RowCount() const { return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0)); }
    int ColumnWidth(int column) const {
        return static_cast<int>(SendMessageW(list_, LVM_GETCOLUMNWIDTH, column, 0));
    }
    RECT ListClient() const;
    // The row's bounds and a column's span within it, in list client coordinates.
    RECT RowRect(int row) const;
    RECT CellRect(int row, int column) const;
    POINT CellCentre(int row, int column) const;

    // A double-click as the system delivers it: down, up, double-click, up.
    void DoubleClick(POINT at);
    void Click(POINT at);
    // A button pressed with the mouse, taking the focus as it does.
    void PressButton(int id);

    HWND Editor() const { return GetDlgItem(list_, kInPlaceEditorId); }
    // The open editor's window rectangle in list client coordinates.
    RECT EditorRect() const;
    void Type(std::wstring_view characters);

    HWND list_ = nullptr;
};

bool operator==(const RECT& a, const RECT& b);
void PrintTo(const RECT& r, std::ostream* os);
