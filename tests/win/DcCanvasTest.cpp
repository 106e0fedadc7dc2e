#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "DcCanvas.h"
#include "MemoryDc.h"
#include "PixelCanvas.h"
#include "SwatchPainter.h"

using namespace swatch;

namespace {

constexpr Color kFace = 0xC8D0D4;
constexpr Color kColour = 0x4080C0;
constexpr Color kBackground = 0xFF00FF;  // magenta: the painting never uses it

}  // namespace

// Every state at a few sizes, the buttons' real size (27 x 16 at 96 DPI) among
// them: the device's lines, rectangles and pixels land where the pixel canvas
// puts them.
TEST(SwatchOnDeviceContext, PaintsThePixelCanvasPixels) {
    HPEN shadowPen = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
    HBRUSH faceBrush = CreateSolidBrush(kFace);
    const SIZE sizes[] = {{24, 16}, {24, 15}, {27, 16}, {40, 21}};
    for (const SIZE size : sizes) {
        for (int bits = 0; bits < 8; ++bits) {
            const SwatchItem item{0, 0, size.cx, size.cy, (bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, kColour};
            MemoryDc device(size.cx, size.cy, kBackground);
            DcCanvas canvas(device.Dc(), shadowPen, faceBrush);
            DrawSwatchButton(canvas, item);
            PixelCanvas expected(size.cx, size.cy, kFace, kBackground);
            DrawSwatchButton(expected, item);
            ExpectSamePixels(device, expected,
                             std::to_string(size.cx) + "x" + std::to_string(size.cy) + " state " + std::to_string(bits));
        }
    }
    DeleteObject(shadowPen);
    DeleteObject(faceBrush);
}
