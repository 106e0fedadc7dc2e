// The swatch canvas over a borrowed Win32 device context.
#pragma once

#include <windows.h>

#include "SwatchCanvas.h"

namespace swatch {

// The shadow pen and face brush belong to the caller, which keeps them for its
// lifetime; the black, white and null pens are the system's stock pens. Only
// the temporary swatch brush is made and deleted here.
class DcCanvas final : public SwatchCanvas {
public:
    DcCanvas(HDC dc, HPEN shadowPen, HBRUSH faceBrush) : dc_(dc), shadowPen_(shadowPen), faceBrush_(faceBrush) {}
    DcCanvas(const DcCanvas&) = delete;
    DcCanvas& operator=(const DcCanvas&) = delete;

    void MakeSwatchBrush(Color color) override;
    void ReleaseSwatchBrush() override;
    Selected SelectPen(Pen pen) override;
    Selected SelectBrush(Brush brush) override;
    void RestorePen(Selected previous) override;
    void RestoreBrush(Selected previous) override;
    void Box(int l, int t, int r, int b) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Dot(int x, int y, Color color) override;

private:
    Selected Select(HGDIOBJ object);

    HDC dc_;
    HPEN shadowPen_;
    HBRUSH faceBrush_;
    HBRUSH swatchBrush_ = nullptr;
};

}  // namespace swatch
