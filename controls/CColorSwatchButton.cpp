#include "CColorSwatchButton.h"

#include "DcCanvas.h"
#include "SwatchPainter.h"

CColorSwatchButton::CColorSwatchButton()
    : m_color(RGB(255, 0, 0)),
      m_shadowPen(CreatePen(PS_SOLID, 1, RGB(128, 128, 128))),
      m_faceBrush(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))) {}

void CColorSwatchButton::SetColor(COLORREF color) {
    m_color = color;
    Invalidate(true);
}

void CColorSwatchButton::DrawItem(const DRAWITEMSTRUCT& item) {
    // The device context is the caller's: the painter puts its pen and brush
    // back, and the lines' current position is put back here.
    POINT position;
    GetCurrentPositionEx(item.hDC, &position);
    swatch::DcCanvas canvas(item.hDC, m_shadowPen.Get(), m_faceBrush.Get());
    const RECT& rc = item.rcItem;
    swatch::DrawSwatchButton(canvas, {rc.left, rc.top, rc.right, rc.bottom, (item.itemState & ODS_SELECTED) != 0,
                                      (item.itemState & ODS_DISABLED) != 0, (item.itemState & ODS_FOCUS) != 0,
                                      m_color});
    MoveToEx(item.hDC, position.x, position.y, nullptr);
}
