#include "DcCanvas.h"

namespace swatch {

void DcCanvas::MakeSwatchBrush(Color color) { swatchBrush_ = CreateSolidBrush(color); }

void DcCanvas::ReleaseSwatchBrush() {
    if (swatchBrush_) DeleteObject(swatchBrush_);
    swatchBrush_ = nullptr;
}

Selected DcCanvas::Select(HGDIOBJ object) {
    return {reinterpret_cast<std::uintptr_t>(SelectObject(dc_, object))};
}

Selected DcCanvas::SelectPen(Pen pen) {
    switch (pen) {
        case Pen::Black: return Select(GetStockObject(BLACK_PEN));
        case Pen::White: return Select(GetStockObject(WHITE_PEN));
        case Pen::Shadow: return Select(shadowPen_);
        case Pen::Null: break;
    }
    return Select(GetStockObject(NULL_PEN));
}

Selected DcCanvas::SelectBrush(Brush brush) {
    return Select(brush == Brush::Face ? faceBrush_ : swatchBrush_);
}

void DcCanvas::RestorePen(Selected previous) { SelectObject(dc_, reinterpret_cast<HGDIOBJ>(previous.handle)); }

void DcCanvas::RestoreBrush(Selected previous) { SelectObject(dc_, reinterpret_cast<HGDIOBJ>(previous.handle)); }

void DcCanvas::Box(int l, int t, int r, int b) { Rectangle(dc_, l, t, r, b); }

void DcCanvas::Line(int x1, int y1, int x2, int y2) {
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
}

void DcCanvas::Dot(int x, int y, Color color) { SetPixel(dc_, x, y, color); }

}  // namespace swatch
