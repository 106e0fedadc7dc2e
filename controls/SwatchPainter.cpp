#include "SwatchPainter.h"

namespace swatch {
namespace {

struct Point {
    int x, y;
};

// Two lines, the second starting where the first ends: `via` is drawn, `to` is not.
void Path(SwatchCanvas& canvas, Point from, Point via, Point to) {
    canvas.Line(from.x, from.y, via.x, via.y);
    canvas.Line(via.x, via.y, to.x, to.y);
}

}  // namespace

void DrawSwatchButton(SwatchCanvas& canvas, const SwatchItem& item) {
    int l = item.left, t = item.top, r = item.right, b = item.bottom;

    // Only the low 24 bits are a colour; a top byte (which only a loaded file
    // can bring) would make the device read the value as a palette reference.
    canvas.MakeSwatchBrush(item.color & 0x00FFFFFF);
    const Selected oldPen = canvas.SelectPen(Pen::Null);
    const Selected oldBrush = canvas.SelectBrush(Brush::Face);
    canvas.Box(l, t, r, b);

    if (item.selected) {
        canvas.SelectPen(Pen::Shadow);
        Path(canvas, {l, b - 1}, {l, t}, {r - 1, t});
        canvas.SelectPen(Pen::White);
        Path(canvas, {r - 1, t - 1}, {r - 1, b - 1}, {l + 1, b - 1});
        canvas.SelectPen(Pen::Black);
        Path(canvas, {l + 1, b - 2}, {l + 1, t + 1}, {r - 2, t + 1});
        // The pressed face shows its content one pixel right and down.
        ++l, ++t, ++r, ++b;
    } else {
        canvas.SelectPen(Pen::Black);
        Path(canvas, {l, b - 1}, {r - 1, b - 1}, {r - 1, t});
        canvas.SelectPen(Pen::Shadow);
        Path(canvas, {l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t + 1});
        canvas.SelectPen(Pen::White);
        Path(canvas, {r - 2, t + 1}, {l + 1, t + 1}, {l + 1, b - 2});
    }

    canvas.SelectPen(Pen::White);
    canvas.Line(r - 10, t + 4, r - 10, b - 4);
    canvas.SelectPen(Pen::Shadow);
    canvas.Line(r - 11, t + 4, r - 11, b - 4);

    // The arrow's height comes from the bottom edge alone, not the middle.
    canvas.SelectPen(item.disabled ? Pen::Shadow : Pen::Black);
    const int m = b / 2;
    canvas.Line(r - 4, m - 1, r - 9, m - 1);
    canvas.Line(r - 5, m, r - 8, m);
    if (item.disabled) {
        canvas.Dot(r - 4, m - 1, kWhite);
        canvas.Dot(r - 5, m, kWhite);
        canvas.Dot(r - 6, m + 1, kWhite);
    } else {
        canvas.Dot(r - 6, m + 1, kBlack);
        // Outlined by the arrow's black pen.
        canvas.SelectBrush(Brush::Swatch);
        canvas.Box(l + 5, t + 4, r - 15, b - 4);
    }

    if (item.focus) {
        for (int x = l + 3; x < r - 4; x += 2) {
            canvas.Dot(x, t + 3, kBlack);
            canvas.Dot(x, b - 4, kBlack);
        }
        for (int y = t + 3; y < b - 4; y += 2) {
            canvas.Dot(l + 3, y, kBlack);
            canvas.Dot(r - 4, y, kBlack);
        }
    }

    canvas.RestorePen(oldPen);
    canvas.RestoreBrush(oldBrush);
    canvas.ReleaseSwatchBrush();
}

}  // namespace swatch
