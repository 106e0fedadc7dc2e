#include "ByteLimitedEdit.h"

#include <string>

#include "Cp936Count.h"
#include "TextCodec.h"

namespace framework {

const CommandEntry<CByteLimitedEdit> CByteLimitedEdit::kMessages[] = {
    {EM_SETLIMITTEXT, 0, 0, &CByteLimitedEdit::OnSetLimitText},  // the same message as EM_LIMITTEXT
    {WM_CHAR, 0, 0, &CByteLimitedEdit::OnChar},
    {WM_PASTE, 0, 0, &CByteLimitedEdit::OnPaste},
};

namespace {

std::wstring ClipboardText(HWND owner) {
    std::wstring text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    // A single-line edit takes the first line only.
    return text.substr(0, text.find_first_of(L"\r\n"));
}

}  // namespace

bool CByteLimitedEdit::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchCommand<CByteLimitedEdit>(kMessages, *this, message, wParam, lParam, result);
}

int CByteLimitedEdit::Room() const {
    DWORD start = 0, end = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = GetWindowText();
    const std::wstring_view kept = text;
    const int selected = params::Cp936Length(Utf16(kept.substr(start, end - start)));
    return m_limit - (params::Cp936Length(Utf16(kept)) - selected);
}

LRESULT CByteLimitedEdit::OnSetLimitText(WPARAM limit, LPARAM unused) {
    m_limit = static_cast<int>(limit);
    // The native limit counts UTF-16 units, never fewer than the bytes: it stays as a backstop.
    return Default(EM_SETLIMITTEXT, limit, unused);
}

LRESULT CByteLimitedEdit::OnChar(WPARAM character, LPARAM flags) {
    if (m_limit != 0 && character >= L' ' &&
        Room() < params::Cp936UnitBytes(static_cast<wchar_t>(character)))
        return 0;
    return Default(WM_CHAR, character, flags);
}

LRESULT CByteLimitedEdit::OnPaste(WPARAM wParam, LPARAM lParam) {
    if (m_limit != 0) {
        const std::wstring pasted = ClipboardText(m_hWnd);
        const std::wstring fitted = pasted.substr(0, params::Cp936Fit(Utf16(pasted), Room()));
        if (fitted.size() < pasted.size()) {
            Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(fitted.c_str()));
            return 0;
        }
    }
    return Default(WM_PASTE, wParam, lParam);
}

}  // namespace framework
