#include "CColorSwatchButton.h"

#include "Gdi.h"

void CColorSwatchButton::SetColor(COLORREF color) {
    m_color = color;
    Invalidate(true);
}

void CColorSwatchButton::DrawItem(const DRAWITEMSTRUCT& item) {
    RECT rc = item.rcItem;
    FillRect(item.hDC, &rc, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(item.hDC, &rc, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    InflateRect(&rc, -1, -1);
    const framework::CGdiObject<HBRUSH> swatch(CreateSolidBrush(m_color & 0x00FFFFFF));
    FillRect(item.hDC, &rc, swatch.Get());
}
