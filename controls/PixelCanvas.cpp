#include "PixelCanvas.h"

#include <algorithm>
#include <cstdlib>

namespace swatch {
namespace {

// Selection handles: the pens and brushes by their enum values, the device's
// own after them.
constexpr std::uintptr_t kDevicePen = static_cast<std::uintptr_t>(Pen::Null) + 1;
constexpr std::uintptr_t kDeviceBrush = static_cast<std::uintptr_t>(Brush::Swatch) + 1;

// The painter restores only what this canvas gave it and draws only
// straight lines, as a device context draws them alike; anything else is a
// fault of the painter, in every build.
void Require(bool holds) {
    if (!holds) std::abort();
}

}  // namespace

PixelCanvas::PixelCanvas(int width, int height, Color face, Color background)
    : width_(width),
      height_(height),
      face_(face),
      pixels_(static_cast<std::size_t>(width) * height, background),
      pen_(kDevicePen),
      brush_(kDeviceBrush) {}

void PixelCanvas::MakeSwatchBrush(Color color) {
    swatchBrush_ = color;
    ++made_;
}

void PixelCanvas::ReleaseSwatchBrush() {
    if (!swatchBrush_ || brush_ == static_cast<std::uintptr_t>(Brush::Swatch)) return;
    swatchBrush_.reset();
    ++released_;
}

Selected PixelCanvas::SelectPen(Pen pen) {
    const Selected previous{pen_};
    pen_ = static_cast<std::uintptr_t>(pen);
    return previous;
}

Selected PixelCanvas::SelectBrush(Brush brush) {
    const Selected previous{brush_};
    if (brush == Brush::Swatch && !swatchBrush_) return previous;
    brush_ = static_cast<std::uintptr_t>(brush);
    return previous;
}

void PixelCanvas::RestorePen(Selected previous) {
    Require(previous.handle <= kDevicePen);
    pen_ = previous.handle;
}

void PixelCanvas::RestoreBrush(Selected previous) {
    Require(previous.handle <= kDeviceBrush);
    brush_ = previous.handle;
}

std::optional<Color> PixelCanvas::PenColor() const {
    switch (pen_) {
        case static_cast<std::uintptr_t>(Pen::Black): return kBlack;
        case static_cast<std::uintptr_t>(Pen::White): return kWhite;
        case static_cast<std::uintptr_t>(Pen::Shadow): return kShadow;
        default: return std::nullopt;
    }
}

std::optional<Color> PixelCanvas::BrushColor() const {
    switch (brush_) {
        case static_cast<std::uintptr_t>(Brush::Face): return face_;
        case static_cast<std::uintptr_t>(Brush::Swatch): return swatchBrush_;
        default: return std::nullopt;
    }
}

void PixelCanvas::Fill(int l, int t, int r, int b, Color color) {
    for (int y = std::max(t, 0); y < std::min(b, height_); ++y)
        for (int x = std::max(l, 0); x < std::min(r, width_); ++x) pixels_[y * width_ + x] = color;
}

void PixelCanvas::Box(int l, int t, int r, int b) {
    const auto pen = PenColor();
    const auto brush = BrushColor();
    if (!pen) {
        if (brush) Fill(l, t, r - 1, b - 1, *brush);
        return;
    }
    if (brush) Fill(l + 1, t + 1, r - 1, b - 1, *brush);
    Fill(l, t, r, t + 1, *pen);
    Fill(l, b - 1, r, b, *pen);
    Fill(l, t, l + 1, b, *pen);
    Fill(r - 1, t, r, b, *pen);
}

void PixelCanvas::Line(int x1, int y1, int x2, int y2) {
    Require(x1 == x2 || y1 == y2);
    const auto pen = PenColor();
    if (!pen) return;
    // One pixel across, from the start up to but not including the end.
    if (y1 == y2) {
        if (x1 < x2) Fill(x1, y1, x2, y1 + 1, *pen);
        else Fill(x2 + 1, y1, x1 + 1, y1 + 1, *pen);
    } else if (x1 == x2) {
        if (y1 < y2) Fill(x1, y1, x1 + 1, y2, *pen);
        else Fill(x1, y2 + 1, x1 + 1, y1 + 1, *pen);
    }
}

void PixelCanvas::Dot(int x, int y, Color color) { Fill(x, y, x + 1, y + 1, color); }

}  // namespace swatch
