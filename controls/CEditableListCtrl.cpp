#include "CEditableListCtrl.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "CInPlaceCombo.h"
#include "CInPlaceEdit.h"
#include "InPlaceEditor.h"

using framework::CommandEntry;

const CommandEntry<CEditableListCtrl> CEditableListCtrl::kMessages[] = {
    {WM_LBUTTONDOWN, 0, 0, &CEditableListCtrl::OnLButtonDown},
    {WM_LBUTTONDBLCLK, 0, 0, &CEditableListCtrl::OnLButtonDblClk},
    {WM_HSCROLL, 0, 0, &CEditableListCtrl::OnHScroll},
    {WM_VSCROLL, 0, 0, &CEditableListCtrl::OnVScroll},
    {WM_MOUSEWHEEL, 0, 0, &CEditableListCtrl::OnMouseWheel},
};

const CommandEntry<CEditableListCtrl> CEditableListCtrl::kReflected[] = {
    {WM_NOTIFY, static_cast<UINT>(LVN_ENDLABELEDITW), kInPlaceEditorId, &CEditableListCtrl::OnEndLabelEdit},
};

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

bool CEditableListCtrl::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return framework::DispatchCommand<CEditableListCtrl>(kMessages, *this, message, wParam, lParam, result);
}

// The edited text goes into the cell here; the parent still hears of the
// end of the edit (false), as it may follow what changes in the list.
bool CEditableListCtrl::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    framework::DispatchCommand<CEditableListCtrl>(kReflected, *this, message, wParam, lParam, result);
    return false;
}

void CEditableListCtrl::SetColumnChoices(int column, std::vector<std::wstring> choices) {
    if (column < 0) return;
    if (static_cast<std::size_t>(column) >= m_columnChoices.size()) m_columnChoices.resize(column + 1);
    m_columnChoices[static_cast<std::size_t>(column)] = std::move(choices);
}

const std::vector<std::wstring>& CEditableListCtrl::ChoicesOf(int column) const {
    static const std::vector<std::wstring> kNone;
    return column >= 0 && static_cast<std::size_t>(column) < m_columnChoices.size()
               ? m_columnChoices[static_cast<std::size_t>(column)]
               : kNone;
}

bool CEditableListCtrl::IsReportView() const {
    return (GetWindowLongW(m_hWnd, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
}

int CEditableListCtrl::ColumnCount() const {
    return Header_GetItemCount(reinterpret_cast<HWND>(Send(LVM_GETHEADER)));
}

int CEditableListCtrl::ColumnWidth(int column) const {
    return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

RECT CEditableListCtrl::RowBounds(int row) const {
    RECT bounds{LVIR_BOUNDS, 0, 0, 0};
    Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
    return bounds;
}

int CEditableListCtrl::CellFromPoint(POINT point, int& column) const {
    column = 0;
    if (!IsReportView()) {
        LVHITTESTINFO hit{};
        hit.pt = point;
        return static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    }
    const int top = static_cast<int>(Send(LVM_GETTOPINDEX));
    // The row below the last whole one may show in part.
    const int last = std::min(top + static_cast<int>(Send(LVM_GETCOUNTPERPAGE)), GetItemCount() - 1);
    const int columns = ColumnCount();
    for (int row = top; row <= last; ++row) {
        const RECT bounds = RowBounds(row);
        if (!PtInRect(&bounds, point)) continue;
        int left = bounds.left;
        for (int c = 0; c < columns; ++c) {
            const int width = ColumnWidth(c);
            if (point.x >= left && point.x <= left + width) {  // both ends: a border belongs to the left column
                column = c;
                return row;
            }
            left += width;
        }
    }
    return -1;
}

RECT CEditableListCtrl::CellRect(int row, int column) const {
    RECT cell = RowBounds(row);
    for (int c = 0; c < column; ++c) cell.left += ColumnWidth(c);
    cell.right = cell.left + ColumnWidth(column);
    return cell;
}

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

    auto* edit = new CInPlaceEdit(row, column, GetItemText(row, column));
    if (!edit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | TextAlignment(format.fmt), *place,
                      m_hWnd)) {
        delete edit;
        return nullptr;
    }
    return edit;
}

void CEditableListCtrl::OpenCellCombo(int row, int column) {
    std::optional<RECT> place = PlaceEditor(row, column);
    if (!place) return;
    place->bottom += kDropDownListHeight;

    const std::wstring text = GetItemText(row, column);
    auto* combo = new CInPlaceCombo(row, column, text);
    if (!combo->Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | CBS_NOINTEGRALHEIGHT, *place,
                       m_hWnd)) {
        delete combo;
        return;
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
}

POINT CEditableListCtrl::Origin() const {
    if (GetItemCount() == 0) return {};
    const RECT bounds = RowBounds(0);
    return {bounds.left, bounds.top};
}

LRESULT CEditableListCtrl::OnLButtonDown(WPARAM flags, LPARAM point) {
    m_pressOrigin = Origin();
    return Default(WM_LBUTTONDOWN, flags, point);
}

LRESULT CEditableListCtrl::OnLButtonDblClk(WPARAM flags, LPARAM point) {
    // The pointer, moved with whatever the first click scrolled: it stands on
    // the cell the user clicked, for the list's own processing too.
    const POINT origin = Origin();
    const POINT pressed = m_pressOrigin.value_or(origin);
    m_pressOrigin.reset();
    const POINT at{GET_X_LPARAM(point) + origin.x - pressed.x, GET_Y_LPARAM(point) + origin.y - pressed.y};
    Default(WM_LBUTTONDBLCLK, flags, MAKELPARAM(at.x, at.y));
    int column = 0;
    const int row = CellFromPoint(at, column);
    if (row < 0) return 0;
    if (!ChoicesOf(column).empty())
        OpenCellCombo(row, column);
    else
        OpenCellEdit(row, column);
    return 0;
}

void CEditableListCtrl::TakeFocus() {
    if (GetFocus() != m_hWnd) SetFocus(m_hWnd);
}

LRESULT CEditableListCtrl::OnHScroll(WPARAM request, LPARAM bar) {
    TakeFocus();
    return Default(WM_HSCROLL, request, bar);
}

LRESULT CEditableListCtrl::OnVScroll(WPARAM request, LPARAM bar) {
    TakeFocus();
    return Default(WM_VSCROLL, request, bar);
}

// The wheel scrolls too, whether it comes straight to the list or from an open text box.
LRESULT CEditableListCtrl::OnMouseWheel(WPARAM keysAndDelta, LPARAM point) {
    TakeFocus();
    return Default(WM_MOUSEWHEEL, keysAndDelta, point);
}

LRESULT CEditableListCtrl::OnEndLabelEdit(WPARAM, LPARAM info) {
    const LVITEMW& item = reinterpret_cast<const NMLVDISPINFOW*>(info)->item;
    if (item.pszText) SetItemText(item.iItem, item.iSubItem, item.pszText);
    return 0;
}
