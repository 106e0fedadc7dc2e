// How much a dialog grew over its size at 96 DPI: its horizontal base unit
// now against the one its font gives at 96 DPI, averaged as the dialog
// manager does. A font grows by its own metrics, not by DPI/96, so pixel
// sizes given at 96 DPI scale by now/at96 to keep fitting the controls.
#pragma once

#include <windows.h>

struct Growth {
    int now;
    int at96;
};

Growth DialogGrowth(HWND dlg);
