// What a message to the editor dialog may do: ask it to act, or change nothing.
#pragma once

#include <windows.h>

// Posted once something may have changed a value; the change check runs
// when the queue gets to it.
constexpr UINT WM_APP_CHECK_CHANGES = WM_APP + 1;

// A message asking the editor to act: a drop, a close, a button's command.
// Every modal box of ours (message box, question, file or colour dialog)
// disables the dialog while it is up, yet its loop still brings such a
// message here: a drop, or a message another program posts. Run then, it
// would load or close behind the box, so a disabled dialog refuses it.
bool IsRequest(UINT message, WPARAM wParam);

// Messages that only paint, point or ask: nothing they do changes a value.
bool ChangesNothing(UINT message, LPARAM lParam);
