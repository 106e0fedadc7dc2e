// Values a save would not store as they read: drawn red, with a tip saying
// what is stored. One tooltip window; a tool per box that needs one, and
// one over the table's cell under the pointer.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "CEditableListCtrl.h"
#include "TableModel.h"

class CRangeTips {
public:
    // The tooltip, owned by owner and gone with it, drawn in font (the
    // dialog's: the system's own tip font may lack Chinese glyphs).
    void Create(HWND owner, HFONT font);
    const std::wstring& RangeText() const { return m_rangeText; }
    const std::wstring& ChoiceText() const { return m_choiceText; }
    // Gives box the tip exactly while tip is not null; true when that changed.
    bool Update(HWND box, const std::wstring* tip);
    // A mouse message on its way to a control: the tip follows the pointer by
    // what it is told, so no control is subclassed for it; over the table it
    // is the tip of the cell under the pointer, whose text is in rows.
    void Relay(MSG& msg, const CEditableListCtrl& table, const params::TableModel& rows);

private:
    void UpdateCellTip(const CEditableListCtrl& table, const params::TableModel& rows, POINT point);

    HWND m_owner = nullptr;
    HWND m_tip = nullptr;
    std::wstring m_rangeText;
    std::wstring m_choiceText;
    POINT m_cell{-1, -1};  // (column, row) of the table's tip
};

// The colours of a box whose text is out of range: red on the window's background.
LRESULT PaintOutOfRange(HDC dc);

// The table's custom draw: a cell not stored as it reads is red, in a
// selected row too. rowText keeps the colour of the row being drawn.
LRESULT DrawTableCell(NMLVCUSTOMDRAW& draw, const params::TableModel& rows, const CEditableListCtrl& table,
                      COLORREF& rowText);
