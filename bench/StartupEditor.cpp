// Quillet's start-up exactly as Quillet.exe runs it, ended right after the
// editor dialog's first paint.
#include <windows.h>

#include "AttrEditorApp.h"
#include "FirstPaint.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CloseAfterFirstPaint();
    CAttrEditorApp app;
    return app.Run();
}
