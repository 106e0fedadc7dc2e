// How an in-place editor hands its text back to the list it stands on.
#pragma once

#include <windows.h>

#include <string>

// The control identifier of every in-place editor.
constexpr int kInPlaceEditorId = 65535;

// Sends LVN_ENDLABELEDITW for (row, column) to the list's parent, naming the
// list as the sender, so that the parent reflects it back to the list. A
// cancelled edit carries no text, and the cell keeps its own.
void SendEndOfEdit(HWND editor, int row, int column, const std::wstring& text, bool cancelled);
