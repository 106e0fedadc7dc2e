// Opening an in-place editor over a cell of a CEditableListCtrl: where it
// goes, scrolling the cell into view first, and which kind it is.
#include <algorithm>

#include "CEditableListCtrl.h"
#include "CInPlaceCombo.h"
#include "CInPlaceEdit.h"

namespace {

constexpr int kNarrowestEditableColumn = 5;
constexpr int kDropDownListHeight = 100;

DWORD TextAlignment(int format) {
    switch (format & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_LEFT: return ES_LEFT;
    case LVCFMT_RIGHT: return ES_RIGHT;
    default: return ES_CENTER;
    }
}

}  // namespace

std::optional<RECT> CEditableListCtrl::PlaceEditor(int row, int column) {
    if (!Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), TRUE)) return std::nullopt;
    if (column >= ColumnCount()) return std::nullopt;
    const int width = ColumnWidth(column);
    if (width < kNarrowestEditableColumn) return std::nullopt;
    int offset = 0;
    for (int c = 0; c < column; ++c) offset += ColumnWidth(c);

    RECT bounds = RowBounds(row);
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int columnLeft = bounds.left + offset;
    if (columnLeft < 0 || columnLeft > client.right) {
        Send(LVM_SCROLL, static_cast<WPARAM>(columnLeft), 0);
        bounds.left -= columnLeft;
    }
    RECT place{bounds.left + offset + 4, bounds.top, 0, bounds.bottom};
    place.right = std::min<LONG>(place.left + width - 3, client.right);
    return place;
}

CInPlaceEdit* CEditableListCtrl::OpenCellEdit(int row, int column) {
    const std::optional<RECT> place = PlaceEditor(row, column);
    if (!place) return nullptr;
    LVCOLUMNW format{};
    format.mask = LVCF_FMT;
    Send(LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&format));

    // The cell edited is the current one; Tab goes on from it.
    SetCurrentColumn(column);
    m_editRow = row;
    auto* edit = new CInPlaceEdit(row, column, GetItemText(row, column));
    if (!edit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | TextAlignment(format.fmt), *place,
                      m_hWnd)) {
        delete edit;
        return nullptr;
    }
    return edit;
}

CInPlaceCombo* CEditableListCtrl::OpenCellCombo(int row, int column) {
    std::optional<RECT> place = PlaceEditor(row, column);
    if (!place) return nullptr;
    place->bottom += kDropDownListHeight;

    SetCurrentColumn(column);
    m_editRow = row;
    const std::wstring text = GetItemText(row, column);
    auto* combo = new CInPlaceCombo(row, column, text);
    if (!combo->Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | CBS_NOINTEGRALHEIGHT, *place,
                       m_hWnd)) {
        delete combo;
        return nullptr;
    }
    combo->Send(WM_SETFONT, static_cast<WPARAM>(SendMessageW(GetParent(m_hWnd), WM_GETFONT, 0, 0)), TRUE);
    const std::vector<std::wstring>& choices = ChoicesOf(column);
    combo->Send(CB_INITSTORAGE, choices.size(), 10);
    int match = -1;
    for (const std::wstring& choice : choices) {
        const int index = combo->AddString(choice);
        if (choice == text) match = index;
    }
    // The cell's own category; none for any other text, which then stays as it is.
    combo->SetCurSel(match);
    return combo;
}

void CEditableListCtrl::OpenCell(int row, int column) {
    if (!ChoicesOf(column).empty())
        OpenCellCombo(row, column);
    else
        OpenCellEdit(row, column);
}

