// The largest file saving can write: eight names of 255 bytes, the longest
// mode name, and a full table of 255 rows, in a dialog. Its two variants
// differ in every value, table cells included.
#pragma once

#include "MemoryDialog.h"

params::MemoryDialog LargestFileDialog(int variant = 0);
