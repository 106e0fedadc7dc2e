// What the in-place editors share: their window on the list, and how they
// hand their text back to it.
#pragma once

#include <windows.h>

#include <string>

// The control identifier of every in-place editor.
constexpr int kInPlaceEditorId = 65535;

// Creates an editor's window of windowClass over rect, as a child of the list.
HWND CreateInPlaceEditorWindow(const wchar_t* windowClass, DWORD style, const RECT& rect, HWND list);

// Sends LVN_ENDLABELEDITW for (row, column) to the list's parent, naming the
// list as the sender, so that the parent reflects it back to the list. A
// cancelled edit carries no text, and the cell keeps its own; tabs and line
// breaks reach the cell as spaces.
void SendEndOfEdit(HWND editor, int row, int column, const std::wstring& text, bool cancelled);
