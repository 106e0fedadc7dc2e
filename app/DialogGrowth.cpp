#include "DialogGrowth.h"

#include "Gdi.h"

Growth DialogGrowth(HWND dlg) {
    RECT unit{0, 0, 4, 0};
    MapDialogRect(dlg, &unit);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dlg, WM_GETFONT, 0, 0)), sizeof(font), &font);
    HDC dc = CreateCompatibleDC(nullptr);
    font.lfHeight = MulDiv(font.lfHeight, 96, GetDeviceCaps(dc, LOGPIXELSY));
    const framework::CGdiObject<HFONT> at96(CreateFontIndirectW(&font));
    const HGDIOBJ old = SelectObject(dc, at96.Get());
    constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE letters{};
    GetTextExtentPoint32W(dc, kLetters, 52, &letters);
    SelectObject(dc, old);
    DeleteDC(dc);
    const int unit96 = static_cast<int>((letters.cx / 26 + 1) / 2);
    return unit.right > 0 && unit96 > 0 ? Growth{unit.right, unit96} : Growth{1, 1};
}

