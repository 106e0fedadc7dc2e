// The start-up values, the save walk and the load walk over the dialog's controls.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ControlAccess.h"
#include "FileIo.h"
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

// ApplyImage, with "使用" set exactly when the image holds the advanced block,
// so that a later save keeps every block the file had; without that block the
// advanced controls and the table go back to their start-up values.
void ApplyWholeImage(const ParameterImage& image, IControlAccess& controls);

// The bytes a save would write now, or nothing when the controls hold what no
// file can carry (more than 255 rows, a text of more than 255 bytes).
std::optional<std::vector<std::uint8_t>> BytesToSave(const IControlAccess& controls);

// Whether saving stores a table cell's text as it reads, so a load shows it unchanged.
bool CellStoredAsShown(int column, std::string_view text);

// Writes the controls to path and shows "保存完成" or "保存错误"; true when saved.
bool SaveParameterFile(IControlAccess& controls, const std::string& path, IFileOps& ops = SystemFileOps());

// Reads path into the controls and shows "读取完成", or "读取错误" with
// nothing changed when the file cannot be read or is damaged; true when read.
bool LoadParameterFile(IControlAccess& controls, const std::string& path);

// Opens the file the user named: all of it, whatever "使用" says
// (ApplyWholeImage). Success is silent; a failure shows "读取错误" and
// changes nothing.
bool OpenParameterFile(IControlAccess& controls, const std::string& path);

}  // namespace params
