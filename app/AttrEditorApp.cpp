#include "AttrEditorApp.h"

#include <commctrl.h>
#include <shellapi.h>

#include "AttrEditorDlg.h"

BOOL CAttrEditorApp::InitInstance() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    CAttrEditorDlg dlg;
    // "Quillet.exe FILE" (Explorer's Open, a file dropped on the program) opens FILE.
    int argc = 0;
    if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
        if (argc > 1) dlg.OpenAtStart(argv[1]);
        LocalFree(argv);
    }
    dlg.DoModal();  // OK, Cancel and a failed creation all end the program
    return FALSE;
}
