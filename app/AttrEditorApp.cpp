#include "AttrEditorApp.h"

#include <commctrl.h>

#include "AttrEditorDlg.h"

BOOL CAttrEditorApp::InitInstance() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    CAttrEditorDlg dlg;
    dlg.DoModal();  // OK, Cancel and a failed creation all end the program
    return FALSE;
}
