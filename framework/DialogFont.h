// A dialog template whose font can draw every text it holds.
#pragma once

#include <windows.h>

#include <string>

namespace framework {

// Template `id` of the program's resources as it stands when its font has a
// glyph for every character of its texts; else the same template with the
// first installed font that has them all in its place, so the dialog and
// every control are laid out and drawn in that font. The system's font
// linking is not relied on: not every system links the fonts it has.
// A changed template is kept in storage; null when there is no template.
const DLGTEMPLATE* DialogTemplateThatDraws(int id, std::wstring& storage);

}  // namespace framework
