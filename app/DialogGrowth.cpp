#include "DialogGrowth.h"

#include "DialogFont.h"
#include "Gdi.h"

Growth DialogGrowth(HWND dlg, HFONT text) {
    RECT unit{0, 0, 4, 0};
    MapDialogRect(dlg, &unit);
    LOGFONTW font{};
    GetObjectW(text, sizeof(font), &font);
    const framework::CClientDC screen(nullptr);
    font.lfHeight = MulDiv(font.lfHeight, 96, GetDeviceCaps(screen.Handle(), LOGPIXELSY));
    const framework::CGdiObject<HFONT> at96(CreateFontIndirectW(&font));
    const framework::CSelection selected(screen.Handle(), at96.Get());
    const int unit96 = framework::DialogUnitWidth(screen.Handle());
    return unit.right > 0 && unit96 > 0 ? Growth{unit.right, unit96} : Growth{1, 1};
}
