// A dialog template in the font that shows every text it holds whole.
#pragma once

#include <windows.h>

#include <string>

namespace framework {

// The dialog's unit of width for the font selected into dc, as the dialog
// manager computes it: half the mean width of the 52 Latin letters, rounded.
int DialogUnitWidth(HDC dc);

// Template `id` of the program's resources in the first font, of the
// candidates, in which every text of every label, group, check box and
// button shows whole in its control's rectangle at the screen's DPI, with a
// glyph for each of its characters. The candidates: the template's face,
// then the faces every Windows 10/11 has, then those of Linux systems (for
// Wine); laid out at the template's size first, then at a size or two
// larger with the text still at the template's size: then textFont is that
// font, for the controls (its face is empty otherwise). The system's font
// linking is not relied on: not every system links the fonts it has.
// A changed template is kept in storage; the template as it stands when
// its own font fits, or when none does; null when there is no template.
const DLGTEMPLATE* DialogTemplateThatFits(int id, std::wstring& storage, LOGFONTW& textFont);

}  // namespace framework
