// The few drawing operations the colour swatch button needs, so that its
// drawing runs on a device context and on a plain pixel buffer alike.
#pragma once

#include <cstdint>

namespace swatch {

// A colour in the Windows COLORREF layout: 0x00BBGGRR.
using Color = std::uint32_t;

constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kShadow = 0x808080;

enum class Pen { Black, White, Shadow, Null };

// Face is the control's button-face brush; Swatch is the temporary brush of
// the swatch colour, which exists only between MakeSwatchBrush and
// ReleaseSwatchBrush.
enum class Brush { Face, Swatch };

// Whatever the device had selected before: the painter only hands it back.
struct Selected {
    std::uintptr_t handle;
    bool operator==(const Selected&) const = default;
};

// Coordinates are device pixels. A line covers its start point and stops
// short of its end point; only horizontal and vertical lines are drawn. A box
// outlines columns l and r-1 and rows t and b-1 in the pen and fills the inside
// with the brush; with the null pen the fill covers columns l..r-2 and rows
// t..b-2.
class SwatchCanvas {
public:
    virtual ~SwatchCanvas() = default;

    virtual void MakeSwatchBrush(Color color) = 0;
    virtual void ReleaseSwatchBrush() = 0;

    virtual Selected SelectPen(Pen pen) = 0;
    virtual Selected SelectBrush(Brush brush) = 0;
    virtual void RestorePen(Selected previous) = 0;
    virtual void RestoreBrush(Selected previous) = 0;

    virtual void Box(int l, int t, int r, int b) = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    virtual void Dot(int x, int y, Color color) = 0;
};

}  // namespace swatch
