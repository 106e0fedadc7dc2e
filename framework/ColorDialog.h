// The system colour dialog.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <array>
#include <optional>

namespace framework {

// The 16 custom colours the dialog offers; the user's changes are written back.
using CustomColors = std::array<COLORREF, 16>;

struct ColorDialogSettings {
    COLORREF initial;            // preselected with CC_RGBINIT
    DWORD flags;                 // CC_*
    CustomColors* customColors;  // kept by the caller from one run to the next
};

class CColorDialog {
public:
    CColorDialog(const ColorDialogSettings& settings, HWND owner) : m_settings(settings), m_owner(owner) {}
    // The colour chosen, or nothing when the user cancels or the dialog fails.
    std::optional<COLORREF> DoModal();

private:
    ColorDialogSettings m_settings;
    HWND m_owner;
};

}  // namespace framework
