// The save-file and open-file dialogs.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <optional>
#include <string>

namespace framework {

struct FileDialogSettings {
    bool open;                // the open-file dialog, else the save-file dialog
    std::wstring defaultExt;  // added to a name typed without one
    std::wstring folder;      // opened at first, with a separator at its end; empty: where the system chooses
    std::wstring fileName;    // shown at first, a name without its folder
    DWORD flags;              // OFN_*
    std::wstring filter;      // "Name (*.x)|*.x||": pairs separated by '|'
};

class CFileDialog {
public:
    CFileDialog(const FileDialogSettings& settings, HWND owner) : m_settings(settings), m_owner(owner) {}
    // The full path chosen, nothing when the user cancels, or "" when the
    // dialog failed (CommDlgExtendedError): never a cancel.
    std::optional<std::wstring> DoModal();

private:
    FileDialogSettings m_settings;
    HWND m_owner;
};

}  // namespace framework
