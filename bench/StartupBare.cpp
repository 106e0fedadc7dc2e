// The platform's floor for the editor's start-up: the same dialog template,
// resources and manifest run by DialogBoxParamW with a procedure that does
// nothing, ended right after the dialog's first paint.
#include <windows.h>

#include <commctrl.h>

#include "ControlIds.h"
#include "FirstPaint.h"

namespace {

INT_PTR CALLBACK BareProc(HWND hwnd, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) EndDialog(hwnd, IDCANCEL);
    return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The template holds a list view: its class must be registered, as Quillet does.
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    CloseAfterFirstPaint();
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ATTR_EDITOR), nullptr, BareProc, 0);
    return 0;  // as Quillet, whatever the dialog gave
}
