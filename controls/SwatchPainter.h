// The look of the colour swatch button: a raised or pressed face, a swatch of
// the colour, an etched separator and a drop-down arrow.
#pragma once

#include "SwatchCanvas.h"

namespace swatch {

struct SwatchItem {
    int left, top, right, bottom;  // right and bottom exclusive
    bool selected;                 // pressed
    bool disabled;
    bool focus;
    Color color;
};

// Paints the whole item and leaves the canvas's pen and brush as it found them.
void DrawSwatchButton(SwatchCanvas& canvas, const SwatchItem& item);

}  // namespace swatch
