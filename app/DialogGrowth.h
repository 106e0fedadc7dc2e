// How much a dialog grew over its size at 96 DPI: its horizontal base unit
// now against the one the font its controls draw in gives at 96 DPI. A font
// grows by its own metrics, not by DPI/96, and the layout may be a size
// larger than the text, so pixel sizes given at 96 DPI scale by now/at96 to
// keep fitting the controls.
#pragma once

#include <windows.h>

struct Growth {
    int now;
    int at96;
};

Growth DialogGrowth(HWND dlg, HFONT text);
