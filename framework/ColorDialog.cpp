#include "ColorDialog.h"

namespace framework {

std::optional<COLORREF> CColorDialog::DoModal() {
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = m_owner;
    cc.rgbResult = m_settings.initial;
    cc.lpCustColors = m_settings.customColors->data();
    cc.Flags = m_settings.flags;
    if (!ChooseColorW(&cc)) return std::nullopt;
    return cc.rgbResult;
}

}  // namespace framework
