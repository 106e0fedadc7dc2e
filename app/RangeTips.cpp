#include "RangeTips.h"

#include <windowsx.h>

#include "Catalogue.h"
#include "SpriteTable.h"
#include "TextCodec.h"
#include "Walks.h"

using params::Widen;

namespace {

constexpr COLORREF kOutOfRangeColor = RGB(255, 0, 0);

// The tool of owner with the given ID, as adding, finding and removing it name it.
TOOLINFOW TipTool(HWND owner, UINT_PTR id) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = owner;
    tool.uId = id;
    return tool;
}

}  // namespace

void CRangeTips::Create(HWND owner, HFONT font) {
    m_owner = owner;
    m_rangeText = Widen(params::kValueRangeTip);
    m_choiceText = Widen(params::kChooseFromListTip);
    m_tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SendMessageW(m_tip, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

bool CRangeTips::Update(HWND box, const std::wstring* tip) {
    const bool outOfRange = tip != nullptr;
    wchar_t current[32] = {};
    TOOLINFOW tool = TipTool(m_owner, reinterpret_cast<UINT_PTR>(box));
    tool.lpszText = current;
    const bool tipped = SendMessageW(m_tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
    if (outOfRange == tipped) return false;
    tool.uFlags = TTF_IDISHWND;
    tool.lpszText = const_cast<wchar_t*>(tip ? tip->c_str() : L"");
    SendMessageW(m_tip, outOfRange ? TTM_ADDTOOLW : TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return true;
}

void CRangeTips::Relay(MSG& msg, const CEditableListCtrl& table, const params::TableModel& rows) {
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == table.GetSafeHwnd())
        UpdateCellTip(table, rows, {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)});
    SendMessageW(m_tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

// One tool, over the cell under the pointer while that cell is out of range.
void CRangeTips::UpdateCellTip(const CEditableListCtrl& table, const params::TableModel& rows, POINT point) {
    int column = 0;
    const int row = table.CellFromPoint(point, column);
    const bool outOfRange = row >= 0 && !params::CellStoredAsShown(column, rows.Cell(row, column));
    const POINT cell = outOfRange ? POINT{column, row} : POINT{-1, -1};
    if (cell.x == m_cell.x && cell.y == m_cell.y) return;
    TOOLINFOW tool = TipTool(table.GetSafeHwnd(), 1);
    if (m_cell.y >= 0) SendMessageW(m_tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    m_cell = cell;
    if (!outOfRange) return;
    tool.rect = table.CellRect(row, column);
    tool.lpszText = m_rangeText.data();
    SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

LRESULT PaintOutOfRange(HDC dc) {
    SetTextColor(dc, kOutOfRangeColor);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

LRESULT DrawTableCell(NMLVCUSTOMDRAW& draw, const params::TableModel& rows, const CEditableListCtrl& table,
                      COLORREF& rowText) {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        rowText = draw.clrText;  // the colour a cell keeps when it is stored as shown
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const int row = static_cast<int>(draw.nmcd.dwItemSpec);
        if (params::CellStoredAsShown(draw.iSubItem, rows.Cell(row, draw.iSubItem))) {
            draw.clrText = rowText;
            return CDRF_DODEFAULT;
        }
        draw.clrText = kOutOfRangeColor;
        // The focused list paints a selected cell in its own text colour:
        // this cell gets the selection's background from us instead.
        if ((draw.nmcd.uItemState & CDIS_SELECTED) && GetFocus() == table.GetSafeHwnd()) {
            draw.nmcd.uItemState &= ~CDIS_SELECTED;
            draw.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
        }
        return CDRF_DODEFAULT;
    }
    default: return CDRF_DODEFAULT;
    }
}
