#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PixelCanvas.h"
#include "SwatchPainter.h"

using namespace swatch;

namespace {

constexpr Color kFace = 0xC8D0D4;
constexpr Color kColour = 0x4080C0;
constexpr Color kUntouched = 0xFF00FF00;  // no painted colour has a top byte

// One character per pixel: K black, W white, S shadow, F face, C the swatch
// colour, '.' never painted.
std::string Render(const PixelCanvas& canvas) {
    std::string map;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            switch (canvas.At(x, y)) {
                case kBlack: map += 'K'; break;
                case kWhite: map += 'W'; break;
                case kShadow: map += 'S'; break;
                case kFace: map += 'F'; break;
                case kColour: map += 'C'; break;
                case kUntouched: map += '.'; break;
                default: map += '?';
            }
        }
        map += '\n';
    }
    return map;
}

std::string Join(const std::vector<std::string>& rows) {
    std::string map;
    for (const auto& row : rows) map += row + '\n';
    return map;
}

struct State {
    bool selected = false, disabled = false, focus = false;
};

PixelCanvas Paint(int width, int height, State state, Color color = kColour) {
    PixelCanvas canvas(width, height, kFace, kUntouched);
    DrawSwatchButton(canvas, {0, 0, width, height, state.selected, state.disabled, state.focus, color});
    return canvas;
}

}  // namespace

// The maps below are worked out by hand from the drawing rules. The raised
// frame leaves the top-right corner unpainted and the pressed frame the pixel
// right of the bottom-left corner: the null-pen fill stops short of the last
// column and row, and no line reaches those pixels.

TEST(SwatchPixels, Raised24x16) {
    EXPECT_EQ(Render(Paint(24, 16, {})), Join({
        "FFFFFFFFFFFFFFFFFFFFFFF.",
        "FWWWWWWWWWWWWWWWWWWWWWWK",
        "FWFFFFFFFFFFFFFFFFFFFFSK",
        "FWFFFFFFFFFFFFFFFFFFFFSK",
        "FWFFFKKKKFFFFSWFFFFFFFSK",
        "FWFFFKCCKFFFFSWFFFFFFFSK",
        "FWFFFKCCKFFFFSWFFFFFFFSK",
        "FWFFFKCCKFFFFSWFKKKKKFSK",
        "FWFFFKCCKFFFFSWFFKKKFFSK",
        "FWFFFKCCKFFFFSWFFFKFFFSK",
        "FWFFFKCCKFFFFSWFFFFFFFSK",
        "FWFFFKKKKFFFFSWFFFFFFFSK",
        "FWFFFFFFFFFFFFFFFFFFFFSK",
        "FWFFFFFFFFFFFFFFFFFFFFSK",
        "FSSSSSSSSSSSSSSSSSSSSSSK",
        "KKKKKKKKKKKKKKKKKKKKKKKK",
    }));
}

// Separator and swatch move one pixel right and down; with an even height the
// arrow stays on rows 7 to 9 and moves only right.
TEST(SwatchPixels, Pressed24x16) {
    EXPECT_EQ(Render(Paint(24, 16, {.selected = true})), Join({
        "SSSSSSSSSSSSSSSSSSSSSSSW",
        "SKKKKKKKKKKKKKKKKKKKKKFW",
        "SKFFFFFFFFFFFFFFFFFFFFFW",
        "SKFFFFFFFFFFFFFFFFFFFFFW",
        "SKFFFFFFFFFFFFFFFFFFFFFW",
        "SKFFFFKKKKFFFFSWFFFFFFFW",
        "SKFFFFKCCKFFFFSWFFFFFFFW",
        "SKFFFFKCCKFFFFSWFKKKKKFW",
        "SKFFFFKCCKFFFFSWFFKKKFFW",
        "SKFFFFKCCKFFFFSWFFFKFFFW",
        "SKFFFFKCCKFFFFSWFFFFFFFW",
        "SKFFFFKCCKFFFFSWFFFFFFFW",
        "SKFFFFKKKKFFFFSWFFFFFFFW",
        "SKFFFFFFFFFFFFFFFFFFFFFW",
        "SKFFFFFFFFFFFFFFFFFFFFFW",
        "S.WWWWWWWWWWWWWWWWWWWWWW",
    }));
}

// Odd height: the arrow sits on rows 6 to 8. The focus dots stop short of the
// corner (20, 11).
TEST(SwatchPixels, RaisedFocused24x15) {
    EXPECT_EQ(Render(Paint(24, 15, {.focus = true})), Join({
        "FFFFFFFFFFFFFFFFFFFFFFF.",
        "FWWWWWWWWWWWWWWWWWWWWWWK",
        "FWFFFFFFFFFFFFFFFFFFFFSK",
        "FWFKFKFKFKFKFKFKFKFKKFSK",
        "FWFFFKKKKFFFFSWFFFFFFFSK",
        "FWFKFKCCKFFFFSWFFFFFKFSK",
        "FWFFFKCCKFFFFSWFKKKKKFSK",
        "FWFKFKCCKFFFFSWFFKKKKFSK",
        "FWFFFKCCKFFFFSWFFFKFFFSK",
        "FWFKFKCCKFFFFSWFFFFFKFSK",
        "FWFFFKKKKFFFFSWFFFFFFFSK",
        "FWFKFKFKFKFKFKFKFKFKFFSK",
        "FWFFFFFFFFFFFFFFFFFFFFSK",
        "FSSSSSSSSSSSSSSSSSSSSSSK",
        "KKKKKKKKKKKKKKKKKKKKKKKK",
    }));
}

// Odd height pressed: the shifted bottom is even, so the arrow moves down to
// rows 7 to 9. The focus dots move with the rest and skip (21, 12).
TEST(SwatchPixels, PressedFocused24x15) {
    EXPECT_EQ(Render(Paint(24, 15, {.selected = true, .focus = true})), Join({
        "SSSSSSSSSSSSSSSSSSSSSSSW",
        "SKKKKKKKKKKKKKKKKKKKKKFW",
        "SKFFFFFFFFFFFFFFFFFFFFFW",
        "SKFFFFFFFFFFFFFFFFFFFFFW",
        "SKFFKFKFKFKFKFKFKFKFKKFW",
        "SKFFFFKKKKFFFFSWFFFFFFFW",
        "SKFFKFKCCKFFFFSWFFFFFKFW",
        "SKFFFFKCCKFFFFSWFKKKKKFW",
        "SKFFKFKCCKFFFFSWFFKKKKFW",
        "SKFFFFKCCKFFFFSWFFFKFFFW",
        "SKFFKFKCCKFFFFSWFFFFFKFW",
        "SKFFFFKKKKFFFFSWFFFFFFFW",
        "SKFFKFKFKFKFKFKFKFKFKFFW",
        "SKFFFFFFFFFFFFFFFFFFFFFW",
        "S.WWWWWWWWWWWWWWWWWWWWWW",
    }));
}

// No swatch; a grey arrow whose right-hand pixels and tip are white.
TEST(SwatchPixels, Disabled24x16) {
    EXPECT_EQ(Render(Paint(24, 16, {.disabled = true})), Join({
        "FFFFFFFFFFFFFFFFFFFFFFF.",
        "FWWWWWWWWWWWWWWWWWWWWWWK",
        "FWFFFFFFFFFFFFFFFFFFFFSK",
        "FWFFFFFFFFFFFFFFFFFFFFSK",
        "FWFFFFFFFFFFFSWFFFFFFFSK",
        "FWFFFFFFFFFFFSWFFFFFFFSK",
        "FWFFFFFFFFFFFSWFFFFFFFSK",
        "FWFFFFFFFFFFFSWFSSSSWFSK",
        "FWFFFFFFFFFFFSWFFSSWFFSK",
        "FWFFFFFFFFFFFSWFFFWFFFSK",
        "FWFFFFFFFFFFFSWFFFFFFFSK",
        "FWFFFFFFFFFFFSWFFFFFFFSK",
        "FWFFFFFFFFFFFFFFFFFFFFSK",
        "FWFFFFFFFFFFFFFFFFFFFFSK",
        "FSSSSSSSSSSSSSSSSSSSSSSK",
        "KKKKKKKKKKKKKKKKKKKKKKKK",
    }));
}

// All three bits at once: the pressed shift, the grey arrow without a swatch
// and the shifted focus dots.
TEST(SwatchPixels, DisabledPressedFocused24x15) {
    EXPECT_EQ(Render(Paint(24, 15, {.selected = true, .disabled = true, .focus = true})), Join({
        "SSSSSSSSSSSSSSSSSSSSSSSW",
        "SKKKKKKKKKKKKKKKKKKKKKFW",
        "SKFFFFFFFFFFFFFFFFFFFFFW",
        "SKFFFFFFFFFFFFFFFFFFFFFW",
        "SKFFKFKFKFKFKFKFKFKFKKFW",
        "SKFFFFFFFFFFFFSWFFFFFFFW",
        "SKFFKFFFFFFFFFSWFFFFFKFW",
        "SKFFFFFFFFFFFFSWFSSSSWFW",
        "SKFFKFFFFFFFFFSWFFSSWKFW",
        "SKFFFFFFFFFFFFSWFFFWFFFW",
        "SKFFKFFFFFFFFFSWFFFFFKFW",
        "SKFFFFFFFFFFFFSWFFFFFFFW",
        "SKFFKFKFKFKFKFKFKFKFKFFW",
        "SKFFFFFFFFFFFFFFFFFFFFFW",
        "S.WWWWWWWWWWWWWWWWWWWWWW",
    }));
}

TEST(SwatchDrawing, PutsBackThePenAndBrushAndReleasesTheColourBrushOnEveryPaint) {
    const State states[] = {{}, {.selected = true}, {.disabled = true}, {.selected = true, .disabled = true, .focus = true}};
    for (const State& state : states) {
        PixelCanvas canvas(24, 16, kFace, kUntouched);
        const Selected pen = canvas.CurrentPen();
        const Selected brush = canvas.CurrentBrush();
        DrawSwatchButton(canvas, {0, 0, 24, 16, state.selected, state.disabled, state.focus, kColour});
        DrawSwatchButton(canvas, {0, 0, 24, 16, state.selected, state.disabled, state.focus, kColour});
        EXPECT_EQ(canvas.CurrentPen(), pen);
        EXPECT_EQ(canvas.CurrentBrush(), brush);
        // Made even when disabled, where it is never used; a brush still
        // selected could not have been released.
        EXPECT_EQ(canvas.SwatchBrushesMade(), 2);
        EXPECT_EQ(canvas.SwatchBrushesReleased(), 2);
    }
}

TEST(SwatchDrawing, PaintsTheLowTwentyFourBitsOfAColourWithATopByte) {
    EXPECT_EQ(Paint(24, 16, {}, 0xFF000000 | kColour).At(6, 5), kColour);
    EXPECT_EQ(Paint(24, 16, {}, 0x01000000 | kColour).At(7, 10), kColour);
}

// The arrow's rows come from the bottom edge alone: an item at top 3 with
// bottom 19 has its arrow on rows 8 to 10, not around its middle row 11.
TEST(SwatchDrawing, ArrowRowsFollowTheBottomEdgeNotTheMiddle) {
    PixelCanvas canvas(28, 20, kFace, kUntouched);
    DrawSwatchButton(canvas, {2, 3, 26, 19, false, false, false, kColour});
    for (int x = 18; x <= 22; ++x) EXPECT_EQ(canvas.At(x, 8), kBlack) << x;
    for (int x = 19; x <= 21; ++x) EXPECT_EQ(canvas.At(x, 9), kBlack) << x;
    EXPECT_EQ(canvas.At(20, 10), kBlack);
    for (int x = 17; x <= 23; ++x) EXPECT_EQ(canvas.At(x, 11), kFace) << x;
}

// Whatever the size, the focus rectangle's bottom-right corner stays face.
TEST(SwatchDrawing, FocusNeverSetsTheBottomRightCorner) {
    for (int width = 20; width <= 40; ++width) {
        for (int height = 12; height <= 24; ++height) {
            const PixelCanvas raised = Paint(width, height, {.focus = true});
            EXPECT_EQ(raised.At(width - 4, height - 4), kFace) << width << "x" << height;
            const PixelCanvas pressed = Paint(width, height, {.selected = true, .focus = true});
            EXPECT_EQ(pressed.At(width - 3, height - 3), kFace) << width << "x" << height;
        }
    }
}
