#include "QuickFolder.h"

#include <windows.h>

#include "Catalogue.h"
#include "TextCodec.h"

CQuickFolder::CQuickFolder() {
    m_folder.resize(GetCurrentDirectoryW(0, nullptr));
    m_folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(m_folder.size()), m_folder.data()));
    if (!m_folder.empty() && m_folder.back() != L'\\' && m_folder.back() != L'/') m_folder += L'\\';
}

void CQuickFolder::FileChosen(const std::wstring& path) {
    const std::size_t end = path.find_last_of(L"\\/");
    if (end != std::wstring::npos) m_folder = path.substr(0, end + 1);
}

std::wstring CQuickFolder::QuickFile() const { return m_folder + framework::Widen(params::kQuickFile); }
