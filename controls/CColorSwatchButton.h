// An owner-drawn push button that holds one colour and shows it.
#pragma once

#include <windows.h>

#include "Controls.h"

class CColorSwatchButton : public framework::CButton {
public:
    COLORREF GetColor() const { return m_color; }
    // Keeps all 32 bits as given and repaints on the next paint cycle.
    void SetColor(COLORREF color);
    void DrawItem(const DRAWITEMSTRUCT& item) override;

private:
    COLORREF m_color = RGB(255, 0, 0);
};
