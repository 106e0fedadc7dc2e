#include "QuickFolder.h"

#include <windows.h>

#include "Catalogue.h"
#include "FileIo.h"
#include "TextCodec.h"

CQuickFolder::CQuickFolder() {
    m_folder.resize(GetCurrentDirectoryW(0, nullptr));
    m_folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(m_folder.size()), m_folder.data()));
    if (!m_folder.empty() && m_folder.back() != L'\\' && m_folder.back() != L'/') m_folder += L'\\';
}

void CQuickFolder::FileChosen(const std::wstring& path) {
    if (std::string folder = params::SplitPath(params::Narrow(path)).first; !folder.empty())
        m_folder = params::Widen(folder);
}

std::wstring CQuickFolder::QuickFile() const { return m_folder + params::Widen(params::kQuickFile); }
