#include <windows.h>

#include "AttrEditorApp.h"

namespace {
CAttrEditorApp theApp;
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return theApp.Run(); }
