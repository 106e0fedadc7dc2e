// The start-up values, the save walk and the load walk over the dialog's controls.
#pragma once

#include <string>

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

// Replaces the table's rows with rows, as their cells' texts.
void PutTableRows(const std::vector<TableRow>& rows, IControlAccess& controls);

// Decimal text of a table cell's category code: the category name, or the
// code itself for a code without a name.
std::string CategoryText(std::uint8_t code);
// The code written for a category cell: the name's index, else the leading integer.
std::uint8_t CategoryCode(std::string_view text);

// Writes the controls to path and shows "保存完成" or "保存错误".
void SaveParameterFile(IControlAccess& controls, const std::string& path, IFileOps& ops = SystemFileOps());

// Reads path into the controls and shows "读取完成", or "读取错误" with
// nothing changed when the file cannot be read or is damaged.
void LoadParameterFile(IControlAccess& controls, const std::string& path);

}  // namespace params
