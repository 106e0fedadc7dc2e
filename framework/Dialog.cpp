#include "Dialog.h"

namespace framework {
namespace {

// Messages whose result is the dialog procedure's return value itself
// rather than DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message) {
    switch (message) {
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

}  // namespace

CDialog::~CDialog() {
    if (m_hWnd) DestroyWindow(m_hWnd);
}

bool CDialog::Create() {
    m_ended = false;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), m_parent, DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CDialog::DoModal() {
    m_modal = true;
    if (!Create()) {
        m_modal = false;
        return -1;
    }
    if (m_parent) EnableWindow(m_parent, FALSE);
    ShowWindow(m_hWnd, SW_SHOW);
    RunLoop();
    if (m_parent) EnableWindow(m_parent, TRUE);
    DestroyWindow(m_hWnd);
    m_modal = false;
    return m_result;
}

void CDialog::RunLoop() {
    MSG msg;
    while (!m_ended) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {  // WM_QUIT ends the run and is passed on to whoever runs next
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (PreTranslate(msg) || IsDialogMessageW(m_hWnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool CDialog::PreTranslate(MSG& msg) {
    HWND h = msg.hwnd;
    while (h && h != m_hWnd) h = GetParent(h);
    if (!h) return false;  // not a window of this dialog: its user data is not ours to read
    for (h = msg.hwnd;; h = GetParent(h)) {
        if (CWnd* wnd = FromHandle(h); wnd && wnd->PreTranslateMessage(msg)) return true;
        if (h == m_hWnd) return false;
    }
}

void CDialog::EndDialog(INT_PTR result) {
    m_result = result;
    m_ended = true;
    if (!m_modal && m_hWnd) DestroyWindow(m_hWnd);
}

BOOL CDialog::OnInitDialog() { return TRUE; }

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void CDialog::Bind(CWnd& control, int id) {
    control.SubclassWindow(GetDlgItem(m_hWnd, id));
    m_bound[id] = &control;
}

bool CDialog::ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND sender = nullptr;
    if (message == WM_NOTIFY) sender = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    if (message == WM_DRAWITEM) sender = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    if (!sender || GetParent(sender) != m_hWnd) return false;  // only our own controls are asked
    CWnd* control = FromHandle(sender);
    return control && control->OnReflectedMessage(message, wParam, lParam, result);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CDialog*>(lParam);
        self->Attach(hwnd);
        return self->OnInitDialog();
    }
    auto* self = static_cast<CDialog*>(FromHandle(hwnd));
    if (!self) return FALSE;  // before WM_INITDIALOG or after the end

    LRESULT result = 0;
    const bool handled = self->ReflectToControl(message, wParam, lParam, result) ||
                         self->OnMessage(message, wParam, lParam, result);
    if (message == WM_DESTROY) {  // the controls go first: untie them while they still exist
        for (const auto& [id, control] : self->m_bound) control->Detach();
        self->m_bound.clear();
    }
    if (message == WM_NCDESTROY) self->Detach();
    if (!handled) return FALSE;
    if (ReturnsDirectly(message)) return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace framework
