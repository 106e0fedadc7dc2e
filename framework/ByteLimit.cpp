#include "ByteLimit.h"

#include <commctrl.h>

#include <string>

#include "TextCodec.h"

namespace framework {
namespace {

constexpr UINT_PTR kSubclassId = 0x936;

std::wstring TextOf(HWND edit) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Bytes still free once the current selection has been replaced.
int Room(HWND edit, int limit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = TextOf(edit);
    const std::wstring_view kept = text;
    const int selected = Cp936Length(kept.substr(start, end - start));
    return limit - (Cp936Length(kept) - selected);
}

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

LRESULT CALLBACK LimitProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR limit) {
    switch (message) {
    case EM_SETLIMITTEXT:  // the same message as EM_LIMITTEXT
        // The native limit counts UTF-16 units, never fewer than the bytes: it stays as a backstop.
        SetWindowSubclass(edit, LimitProc, kSubclassId, wParam);
        break;
    case WM_CHAR:
        if (limit != 0 && wParam >= L' ' && Room(edit, static_cast<int>(limit)) <
                                                   Cp936Length(std::wstring(1, static_cast<wchar_t>(wParam))))
            return 0;
        break;
    case WM_PASTE:
        if (limit != 0) {
            const std::wstring pasted = ClipboardText(edit);
            const std::wstring fitted(FitCp936(pasted, Room(edit, static_cast<int>(limit))));
            if (fitted.size() < pasted.size()) {
                SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(fitted.c_str()));
                return 0;
            }
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, LimitProc, kSubclassId);
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void LimitInCp936Bytes(HWND edit) { SetWindowSubclass(edit, LimitProc, kSubclassId, 0); }

}  // namespace framework
