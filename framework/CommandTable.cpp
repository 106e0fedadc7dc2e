#include "CommandTable.h"

namespace framework {

MessageKey DecodeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        return {message, HIWORD(wParam), LOWORD(wParam)};
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        return {message, header->code, static_cast<UINT>(header->idFrom)};
    }
    case WM_DRAWITEM:
        return {message, 0, static_cast<UINT>(wParam)};
    default:
        return {message, 0, 0};
    }
}

}  // namespace framework
