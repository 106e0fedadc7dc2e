#include "MessageDialog.h"

#include <algorithm>
#include <span>

#include "CommandTable.h"
#include "DialogFont.h"

namespace framework {
namespace {

// The buttons of each kind of box, left to right.
struct ButtonSet {
    UINT type;
    int ids[3];
};
constexpr ButtonSet kButtonSets[] = {
    {MB_OK, {IDOK}},
    {MB_OKCANCEL, {IDOK, IDCANCEL}},
    {MB_YESNO, {IDYES, IDNO}},
    {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}},
};

std::span<const int> ButtonsOf(UINT type) {
    for (const ButtonSet& set : kButtonSets)
        if (set.type == (type & MB_TYPEMASK)) return {set.ids, std::find(set.ids, std::end(set.ids), 0)};
    return {kButtonSets[0].ids, 1};  // OK
}

// A box with a title and no controls: the controls are made when its font is known.
struct EmptyTemplate {
    DLGTEMPLATE header{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 0, 0, 0};
    WORD menu = 0, windowClass = 0, title = 0;
};
alignas(4) constexpr EmptyTemplate kEmptyTemplate{};

// The captions the system's own message box gives its buttons, in the
// user's language: Windows keeps them among user32's strings (800 on, by
// button ID), Wine in its message box template.
using Caption = wchar_t[64];
void GetSystemCaption(int id, Caption& caption) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (LoadStringW(user32, 799 + id, caption, 64) > 0) return;
    if (HWND box = CreateDialogParamW(user32, L"MSGBOX", nullptr, nullptr, 0)) {
        GetDlgItemTextW(box, id, caption, 64);
        DestroyWindow(box);
    }
}

}  // namespace

const CommandEntry<CMessageDialog> CMessageDialog::kCommands[] = {
    {WM_COMMAND, BN_CLICKED, kAnyControl, &CMessageDialog::OnCommand},
};

CMessageDialog::CMessageDialog(HWND owner, std::wstring text, std::wstring caption, UINT type, HFONT font)
    : CDialog(&kEmptyTemplate.header, owner), m_text(std::move(text)), m_caption(std::move(caption)), m_type(type),
      m_font(font) {}

// Laid out as the system lays out its box, in the units of its font: the
// text wrapped at two thirds of the screen, the buttons under it, centred.
BOOL CMessageDialog::OnInitDialog() {
    ::SetWindowTextW(m_hWnd, m_caption.c_str());
    SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    const CClientDC dc(m_hWnd);
    const CSelection selected(dc.Handle(), m_font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.Handle(), &metrics);
    const int unitX = DialogUnitWidth(dc.Handle()), unitY = metrics.tmHeight;
    const int marginX = MulDiv(7, unitX, 4), marginY = MulDiv(7, unitY, 8), gap = MulDiv(4, unitX, 4);

    RECT text{0, 0, GetSystemMetrics(SM_CXSCREEN) * 2 / 3, 0};
    DrawTextW(dc.Handle(), m_text.c_str(), -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    const std::span<const int> ids = ButtonsOf(m_type);
    Caption captions[std::size(ButtonSet{}.ids)] = {};
    int buttonWidth = MulDiv(50, unitX, 4);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        GetSystemCaption(ids[i], captions[i]);
        RECT need{};
        DrawTextW(dc.Handle(), captions[i], -1, &need, DT_CALCRECT | DT_SINGLELINE);
        buttonWidth = std::max(buttonWidth, static_cast<int>(need.right) + 2 * unitX);
    }
    const int buttonHeight = MulDiv(14, unitY, 8);
    const int buttonsWidth = static_cast<int>(ids.size()) * (buttonWidth + gap) - gap;
    const int width = std::max(static_cast<int>(text.right), buttonsWidth) + 2 * marginX;
    const int height = marginY + text.bottom + marginY + buttonHeight + marginY;

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto make = [&](const wchar_t* type, const wchar_t* title, DWORD style, int x, int y, int cx, int cy, int id) {
        HWND control = CreateWindowExW(0, type, title, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, m_hWnd,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        return control;
    };
    make(L"Static", m_text.c_str(), SS_LEFT | SS_NOPREFIX, marginX, marginY, text.right, text.bottom, -1);
    const std::size_t chosen = (m_type & MB_DEFMASK) / MB_DEFBUTTON2;
    const int defaultId = ids[chosen < ids.size() ? chosen : 0];
    int x = (width - buttonsWidth) / 2;
    for (std::size_t i = 0; i < ids.size(); ++i, x += buttonWidth + gap) {
        const DWORD style = WS_TABSTOP | (i == 0 ? WS_GROUP : 0) | (ids[i] == defaultId ? BS_DEFPUSHBUTTON : 0);
        make(L"Button", captions[i], style, x, height - marginY - buttonHeight, buttonWidth, buttonHeight,
             ids[i]);
    }
    // Without Cancel, and more than OK, the box can only be answered with a button.
    if (!std::ranges::count(ids, IDCANCEL) && ids.size() > 1)
        EnableMenuItem(GetSystemMenu(m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);

    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, GetWindowLongW(m_hWnd, GWL_STYLE), FALSE, GetWindowLongW(m_hWnd, GWL_EXSTYLE));
    RECT over{};
    HWND owner = GetWindow(m_hWnd, GW_OWNER);
    if (!owner || !GetWindowRect(owner, &over)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
    const int cx = frame.right - frame.left, cy = frame.bottom - frame.top;
    SetWindowPos(m_hWnd, nullptr, (over.left + over.right - cx) / 2, (over.top + over.bottom - cy) / 2, cx, cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(m_hWnd, DM_SETDEFID, static_cast<WPARAM>(defaultId), 0);
    SetFocus(GetDlgItem(m_hWnd, defaultId));
    MessageBeep(m_type & MB_ICONMASK);
    return FALSE;  // the focus is on the default button
}

bool CMessageDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchCommand<CMessageDialog>(kCommands, *this, message, wParam, lParam, result);
}

LRESULT CMessageDialog::OnCommand(WPARAM wParam, LPARAM) {
    const int id = LOWORD(wParam);
    const std::span<const int> ids = ButtonsOf(m_type);
    if (std::ranges::count(ids, id)) EndDialog(id);
    else if (id == IDCANCEL && ids.size() == 1) EndDialog(IDOK);
    return 0;
}

int ShowMessageDialog(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    HFONT font = owner ? reinterpret_cast<HFONT>(SendMessageW(owner, WM_GETFONT, 0, 0)) : nullptr;
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return static_cast<int>(CMessageDialog(owner, text, caption, type, font).DoModal());
}

}  // namespace framework
