#include "Clipboard.h"

#include <cstring>

namespace framework {
namespace {

// Open for as long as it lives; every path out closes it.
class COpenClipboard {
public:
    explicit COpenClipboard(HWND owner) : m_open(OpenClipboard(owner) != FALSE) {}
    ~COpenClipboard() {
        if (m_open) CloseClipboard();
    }
    COpenClipboard(const COpenClipboard&) = delete;
    COpenClipboard& operator=(const COpenClipboard&) = delete;
    explicit operator bool() const { return m_open; }

private:
    bool m_open;
};

}  // namespace

std::wstring GetClipboardText(HWND owner) {
    const COpenClipboard clipboard(owner);
    const HANDLE data = clipboard ? GetClipboardData(CF_UNICODETEXT) : nullptr;
    const auto* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (!text) return {};
    // Held to the block's size: another program's text need not end in a zero.
    const std::wstring result(text, wcsnlen(text, GlobalSize(data) / sizeof(wchar_t)));
    GlobalUnlock(data);
    return result;
}

bool SetClipboardText(HWND owner, std::wstring_view text) {
    const COpenClipboard clipboard(owner);
    if (!clipboard || !EmptyClipboard()) return false;
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* copy = block ? static_cast<wchar_t*>(GlobalLock(block)) : nullptr;
    if (!copy) {
        if (block) GlobalFree(block);
        return false;
    }
    std::memcpy(copy, text.data(), text.size() * sizeof(wchar_t));
    copy[text.size()] = L'\0';
    GlobalUnlock(block);
    if (SetClipboardData(CF_UNICODETEXT, block)) return true;  // the clipboard owns it now
    GlobalFree(block);
    return false;
}

}  // namespace framework
