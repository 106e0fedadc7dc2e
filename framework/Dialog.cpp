#include "Dialog.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "DialogFont.h"
#include "Gdi.h"

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

// A derived dialog's members are gone by now; each control untied itself
// from its window as it went, so nothing here reaches them.
CDialog::~CDialog() {
    if (m_hWnd) DestroyWindow(m_hWnd);
}

bool CDialog::Create() {
    m_ended = false;
    std::wstring storage;
    const DLGTEMPLATE* dialog = m_indirect ? m_indirect : DialogTemplateThatFits(m_templateId, storage, m_textLogFont);
    return dialog && CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialog, m_parent, DialogProc,
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

HFONT CDialog::TextFont() const {
    return m_textFont ? m_textFont->Get() : reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
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
    if (!h) return false;  // not a window of this dialog
    // The target and its parents, as far as they are ours: the system's own
    // windows in between (a combo box's edit, a list's header) are passed over.
    for (h = msg.hwnd; h != m_hWnd; h = GetParent(h))
        if (CWnd* wnd = FromHandle(h); wnd && wnd->PreTranslateMessage(msg)) return true;
    return PreTranslateMessage(msg);
}

void CDialog::EndDialog(INT_PTR result) {
    m_result = result;
    m_ended = true;
    // Ended from a sent message, the loop would sleep on in GetMessage: wake it.
    if (m_modal) PostMessageW(m_hWnd, WM_NULL, 0, 0);
    else if (m_hWnd) DestroyWindow(m_hWnd);
}

BOOL CDialog::OnInitDialog() { return TRUE; }

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void CDialog::PaintMinimizedIcon(HICON icon) {
    CPaintDC dc(m_hWnd);
    if (!IsIconic(m_hWnd)) return;
    Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Handle()), 0);
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    const int x = (rc.right - rc.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rc.bottom - rc.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc.Handle(), x, y, icon);
}

void CDialog::Bind(CWnd& control, int id) {
    const auto at = std::ranges::lower_bound(m_bound, id, {}, &Binding::id);
    if (control.GetSafeHwnd() || (at != m_bound.end() && at->id == id))
        WiringFault(id, "a control and an ID are bound once");
    const HWND hwnd = GetDlgItem(m_hWnd, id);
    if (!hwnd) WiringFault(id, "the template has no control with this ID");
    control.SubclassWindow(hwnd);
    m_bound.insert(at, {id, &control, hwnd});
}

CWnd* CDialog::FindBound(int id) const {
    const auto it = std::ranges::lower_bound(m_bound, id, {}, &Binding::id);
    if (it == m_bound.end() || it->id != id) {
        if (!m_hWnd) return nullptr;  // the window and its bindings are gone
        WiringFault(id, "no control is bound to this ID");
    }
    // A control object that has gone untied itself from its window first.
    if (TiedObject(it->hwnd) != it->control) return nullptr;
    return it->control;
}

void CDialog::WiringFault(int id, const char* what) {
    // Built by hand: a printf would bring the C library's whole formatter into the editor.
    const std::string text = "wiring fault: control " + std::to_string(id) + ": " + what + "\n";
    std::fputs(text.c_str(), stderr);
    OutputDebugStringA(text.c_str());
    ExitProcess(3);
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
        self->m_textFont.reset();
        if (self->m_textLogFont.lfFaceName[0]) {
            self->m_textFont.emplace(CreateFontIndirectW(&self->m_textLogFont));
            for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(self->m_textFont->Get()), FALSE);
        }
        return self->OnInitDialog();
    }
    // The system calls this procedure only for dialogs made with it.
    auto* self = static_cast<CDialog*>(TiedObject(hwnd));
    if (!self) return FALSE;  // before WM_INITDIALOG or after the end

    LRESULT result = 0;
    const bool handled = self->ReflectToControl(message, wParam, lParam, result) ||
                         self->OnMessage(message, wParam, lParam, result);
    if (message == WM_NCDESTROY) {  // the controls untied themselves at their own end
        self->m_bound.clear();
        self->Detach();
    }
    if (!handled) return FALSE;
    if (ReturnsDirectly(message)) return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace framework
