#include "InPlaceEditor.h"

#include <commctrl.h>

HWND CreateInPlaceEditorWindow(const wchar_t* windowClass, DWORD style, const RECT& rect, HWND list) {
    return CreateWindowExW(0, windowClass, L"", style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, list, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kInPlaceEditorId)),
                           GetModuleHandleW(nullptr), nullptr);
}

void SendEndOfEdit(HWND editor, int row, int column, const std::wstring& text, bool cancelled) {
    const HWND list = GetParent(editor);
    // A tab or line break in a cell would split its row when copied as
    // tab-separated lines: each becomes a space, however it came in.
    std::wstring buffer = text;
    for (wchar_t& c : buffer)
        if (c == L'\t' || c == L'\r' || c == L'\n') c = L' ';
    NMLVDISPINFOW info{};
    info.hdr.hwndFrom = list;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(editor));
    info.hdr.code = LVN_ENDLABELEDITW;
    info.item.mask = LVIF_TEXT;
    info.item.iItem = row;
    info.item.iSubItem = column;
    info.item.pszText = cancelled ? nullptr : buffer.data();
    info.item.cchTextMax = static_cast<int>(buffer.size());
    SendMessageW(GetParent(list), WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID(list)),
                 reinterpret_cast<LPARAM>(&info));
}
