// The start-up values, the save walk and the load walk over the dialog's controls.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ControlAccess.h"
#include "ParameterFile.h"

namespace params {

// Start-up: text limits, default texts, swatch colours, choice items and
// selections. "使用" is left unchecked.
void ApplyDefaults(IControlAccess& controls);

// What saving would write, read from the controls as they are now.
ParameterImage ReadControls(const IControlAccess& controls);

// Puts a decoded file into the controls. The advanced controls and the table
// are touched only when the image holds the advanced block.
void ApplyImage(const ParameterImage& image, IControlAccess& controls);

// The advanced controls and the table at their start-up values: what a file
// without the advanced block shows when it is opened whole.
void ApplyAdvancedDefaults(IControlAccess& controls);

// The bytes a save would write now, or nothing when the controls hold what no
// file can carry (more than 255 rows, a text of more than 255 bytes).
std::optional<std::vector<std::uint8_t>> BytesToSave(const IControlAccess& controls);

// Whether saving stores a table cell's text as it reads, so a load shows it unchanged.
bool CellStoredAsShown(int column, std::string_view text);

}  // namespace params
