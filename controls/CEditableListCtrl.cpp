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
    {WM_KEYDOWN, 0, 0, &CEditableListCtrl::OnKeyDown},
    {WM_SYSKEYDOWN, 0, 0, &CEditableListCtrl::OnSysKeyDown},
    {WM_PAINT, 0, 0, &CEditableListCtrl::OnPaint},
    {WM_SETFOCUS, 0, 0, &CEditableListCtrl::OnSetFocus},
    {WM_KILLFOCUS, 0, 0, &CEditableListCtrl::OnKillFocus},
};

const CommandEntry<CEditableListCtrl> CEditableListCtrl::kReflected[] = {
    {WM_NOTIFY, static_cast<UINT>(LVN_ENDLABELEDITW), kInPlaceEditorId, &CEditableListCtrl::OnEndLabelEdit},
    {WM_NOTIFY, static_cast<UINT>(LVN_ITEMCHANGED), framework::kAnyControl, &CEditableListCtrl::OnItemChanged},
};

namespace {

constexpr int kNarrowestEditableColumn = 5;
constexpr int kDropDownListHeight = 100;
// The current cell's focus rectangle stands this far inside the cell, clear
// of the grid lines and of the row's own focus rectangle.
constexpr int kCellFocusInset = 2;

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

POINT CEditableListCtrl::Origin() const {
    if (GetItemCount() == 0) return {};
    const RECT bounds = RowBounds(0);
    return {bounds.left, bounds.top};
}

LRESULT CEditableListCtrl::OnLButtonDown(WPARAM flags, LPARAM point) {
    m_pressOrigin = Origin();
    // A click makes the cell under it current; the list's own processing focuses its row.
    int column = 0;
    if (CellFromPoint({GET_X_LPARAM(point), GET_Y_LPARAM(point)}, column) >= 0) SetCurrentColumn(column);
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
    if (row >= 0) OpenCell(row, column);
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

void CEditableListCtrl::InvalidateCell(int row, int column) {
    if (row < 0) return;
    const RECT cell = CellRect(row, column);
    InvalidateRect(m_hWnd, &cell, FALSE);
}

void CEditableListCtrl::SetCurrentColumn(int column) {
    column = std::clamp(column, 0, std::max(ColumnCount() - 1, 0));
    if (column == m_column) return;
    InvalidateCell(FocusRow(), m_column);
    m_column = column;
    InvalidateCell(FocusRow(), m_column);
}

LRESULT CEditableListCtrl::OnKeyDown(WPARAM key, LPARAM flags) {
    const int row = FocusRow();
    switch (key) {
    case VK_LEFT: SetCurrentColumn(m_column - 1); return 0;
    case VK_RIGHT: SetCurrentColumn(m_column + 1); return 0;
    case VK_F2:
        if (row >= 0) OpenCell(row, m_column);
        return 0;
    case 'A':
        if (GetKeyState(VK_CONTROL) >= 0) break;
        SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
        return 0;
    }
    return Default(WM_KEYDOWN, key, flags);
}

// Alt+Down on a cell with choices opens its drop-down, list and all, as
// Alt+Down does in any drop-down.
LRESULT CEditableListCtrl::OnSysKeyDown(WPARAM key, LPARAM flags) {
    const int row = FocusRow();
    if (key != VK_DOWN || row < 0 || ChoicesOf(m_column).empty()) return Default(WM_SYSKEYDOWN, key, flags);
    if (CInPlaceCombo* combo = OpenCellCombo(row, m_column)) combo->Send(CB_SHOWDROPDOWN, TRUE);
    return 0;
}

bool CEditableListCtrl::PreTranslateMessage(MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || GetParent(msg.hwnd) != m_hWnd ||
        ::GetDlgCtrlID(msg.hwnd) != kInPlaceEditorId)
        return false;
    const int columns = ColumnCount();
    const int step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    int row = m_editRow;
    int column = m_column + step;
    if (column < 0 || column >= columns) {
        row += step;
        column = step > 0 ? 0 : columns - 1;
    }
    // Past the first or the last cell, Tab leaves the table as it leaves any control.
    if (row < 0 || row >= GetItemCount()) return false;
    SetFocus(m_hWnd);  // the open editor commits and closes
    if (row != FocusRow()) {
        // The row moves as the arrow keys move it: focused and alone selected.
        SetItemState(-1, 0, LVIS_SELECTED);
        SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    OpenCell(row, column);
    return true;
}

// The current cell's focus rectangle is drawn over what the list painted and
// only there: drawn twice, a focus rectangle would vanish.
LRESULT CEditableListCtrl::OnPaint(WPARAM dc, LPARAM unused) {
    const int row = FocusRow();
    if (dc || GetFocus() != m_hWnd || row < static_cast<int>(Send(LVM_GETTOPINDEX)))
        return Default(WM_PAINT, dc, unused);
    const HRGN painted = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(m_hWnd, painted, FALSE);
    const LRESULT result = Default(WM_PAINT, dc, unused);
    RECT cell = CellRect(row, m_column);
    InflateRect(&cell, -kCellFocusInset, -kCellFocusInset);
    const HDC hdc = GetDC(m_hWnd);
    SelectClipRgn(hdc, painted);
    DrawFocusRect(hdc, &cell);
    ReleaseDC(m_hWnd, hdc);
    DeleteObject(painted);
    return result;
}

LRESULT CEditableListCtrl::OnSetFocus(WPARAM previous, LPARAM unused) {
    const LRESULT result = Default(WM_SETFOCUS, previous, unused);
    InvalidateCell(FocusRow(), m_column);
    return result;
}

LRESULT CEditableListCtrl::OnKillFocus(WPARAM next, LPARAM unused) {
    const LRESULT result = Default(WM_KILLFOCUS, next, unused);
    InvalidateCell(FocusRow(), m_column);
    return result;
}

// The current cell follows the focus row wherever the list moves it.
LRESULT CEditableListCtrl::OnItemChanged(WPARAM, LPARAM info) {
    const auto& change = *reinterpret_cast<const NMLISTVIEW*>(info);
    if ((change.uOldState ^ change.uNewState) & LVIS_FOCUSED) InvalidateCell(change.iItem, m_column);
    return 0;
}
