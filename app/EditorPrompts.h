// The editor's modal questions and answers: message boxes and file dialogs.
// Tests put their own in place, so nothing waits for a person.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "FileDialog.h"

class IEditorPrompts {
public:
    virtual ~IEditorPrompts() = default;
    // Text only, OK button, no icon, owned by owner, captioned with the program's name.
    virtual void ShowMessage(HWND owner, const std::wstring& text) = 0;
    // The full path the user chose, or nothing when cancelled.
    virtual std::optional<std::wstring> ChooseFile(HWND owner, const framework::FileDialogSettings& settings) = 0;
};

// The real message boxes and common dialogs.
IEditorPrompts& SystemPrompts();
