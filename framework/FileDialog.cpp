#include "FileDialog.h"

#include <algorithm>

namespace framework {
std::optional<std::wstring> CFileDialog::DoModal() {
    std::wstring filter = m_settings.filter;
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    // The dialog takes a folder and name of fewer than MAX_PATH characters
    // together: on a longer one it does not open, or its OK does nothing. It
    // then starts where the system chooses, with the name alone. (An 8.3 name
    // is no way round: the dialog spells the folder out again.)
    const std::wstring& name = m_settings.fileName;
    const bool fits = m_settings.folder.size() + name.size() < MAX_PATH;
    const std::wstring folder = fits ? m_settings.folder : L"";
    // Room for the longest path the system allows, so a file that opens by
    // argument comes back whole. The folder goes apart from the name: a full
    // path of MAX_PATH characters or more in the name field is dropped.
    constexpr std::size_t kLongestPath = 32768;
    std::wstring path = name;
    path.resize(std::max(path.size() + 1, kLongestPath), L'\0');

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrDefExt = m_settings.defaultExt.c_str();
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.Flags = m_settings.flags | OFN_EXPLORER;
    const BOOL chosen = m_settings.open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn);
    // The dialog's own failure (a path too long for it, say) is no cancel: the caller answers it.
    if (!chosen) return CommDlgExtendedError() == 0 ? std::nullopt : std::optional(std::wstring());
    path.resize(path.find(L'\0'));
    return path;
}

}  // namespace framework
