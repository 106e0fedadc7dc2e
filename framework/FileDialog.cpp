#include "FileDialog.h"


#include <algorithm>

namespace framework {

std::optional<std::wstring> CFileDialog::DoModal() {
    std::wstring filter = m_settings.filter;
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    // Room for the longest path the system allows, so a file that opens by
    // argument comes back whole. The folder goes apart from the name: a full
    // path of MAX_PATH characters or more in the name field is dropped.
    constexpr std::size_t kLongestPath = 32768;
    std::wstring path = m_settings.fileName;
    path.resize(std::max(path.size() + 1, kLongestPath), L'\0');

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrDefExt = m_settings.defaultExt.c_str();
    ofn.lpstrInitialDir = m_settings.folder.empty() ? nullptr : m_settings.folder.c_str();
    ofn.Flags = m_settings.flags | OFN_EXPLORER;
    const BOOL chosen = m_settings.open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn);
    if (!chosen) return std::nullopt;
    path.resize(path.find(L'\0'));
    return path;
}

}  // namespace framework
