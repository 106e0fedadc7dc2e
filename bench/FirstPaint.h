// Ends a modal dialog run right after the dialog has first been painted, so
// that a program's start-up to its first painted dialog can be timed from
// outside, process start to process end.
#pragma once

// Watches the calling thread's message loop. When the first WM_PAINT of a
// top-level dialog comes out of the queue, the dialog and every control on
// it are painted once and the dialog is sent WM_CLOSE.
void CloseAfterFirstPaint();
