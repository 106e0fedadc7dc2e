// The swatch canvas over a plain buffer of 32-bit pixels (0x00BBGGRR), so the
// swatch's drawing can be checked pixel by pixel without a window system.
#pragma once

#include <optional>
#include <vector>

#include "SwatchCanvas.h"

namespace swatch {

// It keeps a device's rules: pixels outside the buffer are clipped, a brush
// that does not exist cannot be selected, and a brush still selected is not
// released. Before any selection the pen and brush are the device's own,
// which leave no mark.
class PixelCanvas final : public SwatchCanvas {
public:
    PixelCanvas(int width, int height, Color face, Color background);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Color At(int x, int y) const { return pixels_[y * width_ + x]; }

    Selected CurrentPen() const { return {pen_}; }
    Selected CurrentBrush() const { return {brush_}; }
    int SwatchBrushesMade() const { return made_; }
    int SwatchBrushesReleased() const { return released_; }

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
    std::optional<Color> PenColor() const;
    std::optional<Color> BrushColor() const;
    void Fill(int l, int t, int r, int b, Color color);  // r and b exclusive

    int width_;
    int height_;
    Color face_;
    std::vector<Color> pixels_;
    std::optional<Color> swatchBrush_;
    std::uintptr_t pen_;
    std::uintptr_t brush_;
    int made_ = 0;
    int released_ = 0;
};

}  // namespace swatch
