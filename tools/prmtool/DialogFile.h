// Parameter files in and out of an in-memory editor dialog, through the same
// walks the editor uses, so that what prmtool writes is what the editor saves.
#pragma once

#include <string>

#include "MemoryDialog.h"
#include "ParameterFile.h"

namespace prmtool {

// The dialog as the editor starts: every start-up value, "使用" clear.
params::MemoryDialog StartupDialog();

// Loads path into dialog as the editor would, with "使用" set when the file
// holds more than its base block; texts that are not UTF-8 repaired as the
// editor repairs them, or, with Strictness::Keep, kept byte for byte.
params::Result LoadFile(const std::string& path, params::MemoryDialog& dialog,
                        params::Strictness strictness = params::Strictness::Load);

enum class Saving { Replace, NewFile };

// Saves the dialog to path atomically; a new file only where nothing is at path yet.
params::Result SaveFile(const params::MemoryDialog& dialog, const std::string& path, Saving saving = Saving::Replace);

}  // namespace prmtool
