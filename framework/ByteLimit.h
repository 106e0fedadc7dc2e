// Edits whose text limit counts code-page-936 bytes, as the parameter file's
// readers expect: a limit of 4 admits "ab12" or two Chinese characters.
#pragma once

#include <windows.h>

namespace framework {

// From now on EM_LIMITTEXT on this edit limits what the user types or pastes
// in bytes of code page 936. Text the program sets is still shown in full.
// Call it before the first EM_LIMITTEXT: the edit starts without a limit.
void LimitInCp936Bytes(HWND edit);

}  // namespace framework
