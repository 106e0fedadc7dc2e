#include "EditorMessages.h"

#include <commctrl.h>

bool IsRequest(UINT message, WPARAM wParam) {
    return message == WM_DROPFILES || message == WM_CLOSE || (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED);
}

bool ChangesNothing(UINT message, LPARAM lParam) {
    switch (message) {
    case WM_SETCURSOR:
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_NCHITTEST:
    case WM_MOUSEHOVER:
    case WM_MOUSELEAVE:
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORDLG:
    case WM_DRAWITEM:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETOBJECT:
    case WM_ENTERIDLE:
    case WM_TIMER:
    case WM_APP_CHECK_CHANGES: return true;
    case WM_NOTIFY: {
        const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
        return code == static_cast<UINT>(NM_CUSTOMDRAW) || code == static_cast<UINT>(LVN_GETDISPINFOW) ||
               code == TTN_GETDISPINFOW || code == TTN_SHOW || code == TTN_POP;
    }
    default: return false;
    }
}

