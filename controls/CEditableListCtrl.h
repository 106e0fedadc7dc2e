// A report-style list view whose cells are edited in place: a double-click
// opens a text box over the cell, or a drop-down over a column given
// choices, and the editor's text comes back through LVN_ENDLABELEDITW.
// The parent holds the cells' texts: the list asks for them as it shows
// them (LVN_GETDISPINFOW) and hands an edited cell back (LVN_SETDISPINFOW).
// From the keyboard: the current cell is on the focus row, Left and Right
// move it, F2 edits it, Alt+Down opens a drop-down's list, and Tab or
// Shift+Tab in an open editor goes on to the next or previous cell.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "CommandTable.h"
#include "Controls.h"

class CInPlaceCombo;
class CInPlaceEdit;

class CEditableListCtrl : public framework::CListCtrl {
public:
    // The column is edited with a drop-down of these items, in this order;
    // a column without choices has a text box.
    void SetColumnChoices(int column, std::vector<std::wstring> choices);
    // count rows from this index whose cells the parent holds; the rows below move down.
    void InsertRows(int first, int count);

    // The row under a point in client coordinates, or -1; column gets the
    // column under it. A point on the border of two columns is in the left one.
    int CellFromPoint(POINT point, int& column) const;
    // Open an editor over the cell. The text box is returned; nothing opens
    // (nullptr) when the row does not exist or the column is missing or
    // narrower than 5 pixels.
    CInPlaceEdit* OpenCellEdit(int row, int column);
    // The cell's rectangle in client coordinates.
    RECT CellRect(int row, int column) const;
    CInPlaceCombo* OpenCellCombo(int row, int column);
    // The column of the current cell, which stands on the focus row.
    int CurrentColumn() const { return m_column; }

    // Tab in an open editor commits it and opens the next cell's editor.
    bool PreTranslateMessage(MSG& msg) override;
    bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Makes the cell visible, scrolling a column whose left edge is outside
    // the list to the list's left edge, and gives the editor's rectangle.
    std::optional<RECT> PlaceEditor(int row, int column);
    const std::vector<std::wstring>& ChoicesOf(int column) const;  // empty for a text box
    bool IsReportView() const;
    int ColumnCount() const;
    int ColumnWidth(int column) const;
    // The whole row in client coordinates; its left edge is column 0's.
    RECT RowBounds(int row) const;

    // Where row 0 stands: it moves as the view scrolls.
    POINT Origin() const;
    int FocusRow() const { return GetNextItem(-1, LVNI_FOCUSED); }
    // The editor of the column's kind: a drop-down where it has choices.
    void OpenCell(int row, int column);
    void SetCurrentColumn(int column);
    void InvalidateCell(int row, int column);

    LRESULT OnLButtonDown(WPARAM flags, LPARAM point);
    LRESULT OnLButtonDblClk(WPARAM flags, LPARAM point);
    LRESULT OnHScroll(WPARAM request, LPARAM bar);
    LRESULT OnVScroll(WPARAM request, LPARAM bar);
    LRESULT OnMouseWheel(WPARAM keysAndDelta, LPARAM point);
    LRESULT OnKeyDown(WPARAM key, LPARAM flags);
    LRESULT OnSysKeyDown(WPARAM key, LPARAM flags);
    LRESULT OnPaint(WPARAM dc, LPARAM unused);
    LRESULT OnSetFocus(WPARAM previous, LPARAM unused);
    LRESULT OnKillFocus(WPARAM next, LPARAM unused);
    LRESULT OnEndLabelEdit(WPARAM id, LPARAM info);
    LRESULT OnItemChanged(WPARAM id, LPARAM info);
    // An open editor commits and closes before the list scrolls under it.
    void TakeFocus();

    static const framework::CommandEntry<CEditableListCtrl> kMessages[];
    // The origin at the last button press: a click on a partly visible row
    // scrolls it into view, and the double-click that follows must still
    // find the cell that was under the pointer.
    std::optional<POINT> m_pressOrigin;
    static const framework::CommandEntry<CEditableListCtrl> kReflected[];

    std::vector<std::vector<std::wstring>> m_columnChoices;  // by column
    int m_column = 0;    // of the current cell
    int m_editRow = -1;  // of the editor opened last
};
