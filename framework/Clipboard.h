// The system clipboard's text.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace framework {

// The clipboard's text; empty when it holds none or another program has it open.
std::wstring GetClipboardText(HWND owner);
// Replaces what the clipboard holds with text; false when it could not.
bool SetClipboardText(HWND owner, std::wstring_view text);

}  // namespace framework
