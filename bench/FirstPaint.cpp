#include "FirstPaint.h"

#include <windows.h>

#include <cwchar>

namespace {

HHOOK g_hook = nullptr;
// Posted behind the dialog's first WM_PAINT: posted messages come before
// any further paint, so it arrives as soon as that paint has been handled.
constexpr UINT kPainted = WM_APP + 0x3e1;

bool IsTopLevelDialog(HWND hwnd) {
    wchar_t name[16];
    return hwnd && !GetParent(hwnd) && GetClassNameW(hwnd, name, 16) && std::wcscmp(name, L"#32770") == 0;
}

LRESULT CALLBACK OnGetMessage(int code, WPARAM wParam, LPARAM lParam) {
    const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && IsTopLevelDialog(msg.hwnd)) {
        if (msg.message == WM_PAINT) {
            PostMessageW(msg.hwnd, kPainted, 0, 0);
        } else if (msg.message == kPainted) {
            // The controls paint after their parent; have them do it now.
            RedrawWindow(msg.hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            PostMessageW(msg.hwnd, WM_CLOSE, 0, 0);
            UnhookWindowsHookEx(g_hook);
            g_hook = nullptr;
            return 0;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void CloseAfterFirstPaint() { g_hook = SetWindowsHookExW(WH_GETMESSAGE, OnGetMessage, nullptr, GetCurrentThreadId()); }
