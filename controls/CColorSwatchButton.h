// An owner-drawn push button that holds one colour and shows it as a swatch
// on a drop-down-like face.
#pragma once

#include <windows.h>

#include "Controls.h"
#include "Gdi.h"

class CColorSwatchButton : public framework::CButton {
public:
    // Pure red until the dialog gives it its colour. The shadow pen and the
    // face brush are made here and kept for the control's life; the face
    // keeps the button-face colour of this moment. The other pens are the
    // system's stock pens.
    CColorSwatchButton();

    COLORREF GetColor() const { return m_color; }
    // Keeps all 32 bits as given and repaints on the next paint cycle.
    void SetColor(COLORREF color);
    void DrawItem(const DRAWITEMSTRUCT& item) override;

private:
    COLORREF m_color;
    framework::CGdiObject<HPEN> m_shadowPen;
    framework::CGdiObject<HBRUSH> m_faceBrush;
};
