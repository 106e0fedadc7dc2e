// Parameter files in and out of an in-memory editor dialog, through the same
// walks the editor uses, so that what prmtool writes is what the editor saves.
#pragma once

#include <string>

#include "FileIo.h"
#include "MemoryDialog.h"
#include "ParameterFile.h"

namespace prmtool {

// The dialog as the editor starts: every start-up value, "使用" clear.
params::MemoryDialog StartupDialog();

// Loads the held file into dialog as the editor would, with "使用" set when
// the file holds more than its base block; texts that are not UTF-8 repaired
// as the editor repairs them, or, with Strictness::Keep, kept byte for byte.
// dropped, when given, receives the number of bytes after the last field,
// which a save does not write back.
params::Result LoadFile(const params::HeldFile& file, params::MemoryDialog& dialog,
                        params::Strictness strictness = params::Strictness::Load, std::size_t* dropped = nullptr);

// Opens path for reading and loads it.
params::Result LoadFile(const std::string& path, params::MemoryDialog& dialog);

// Saves the dialog into the held file.
params::Result SaveFile(const params::MemoryDialog& dialog, params::HeldFile& file);

// Saves the dialog as a new file, only where nothing is at path yet.
params::Result CreateFile(const params::MemoryDialog& dialog, const std::string& path);

}  // namespace prmtool
