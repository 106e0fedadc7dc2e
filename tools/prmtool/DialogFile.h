// The in-memory editor dialog prmtool works on, through the same walks and
// the same Document as the editor, so that what prmtool writes is what the
// editor saves.
#pragma once

#include "MemoryDialog.h"

namespace prmtool {

// The dialog as the editor starts: every start-up value, "使用" clear.
params::MemoryDialog StartupDialog();

}  // namespace prmtool
