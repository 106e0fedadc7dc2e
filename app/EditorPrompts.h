// The editor's modal questions and answers: message boxes, file dialogs
// and the colour dialog.
// Tests put their own in place, so nothing waits for a person.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "ColorDialog.h"
#include "FileDialog.h"

class IEditorPrompts {
public:
    virtual ~IEditorPrompts() = default;
    // Text only, OK button, no icon, owned by owner, captioned with the program's name.
    virtual void ShowMessage(HWND owner, const std::wstring& text) = 0;
    // A question with buttons MB_YESNO or MB_YESNOCANCEL: IDYES, IDNO or IDCANCEL (Esc too).
    virtual int Ask(HWND owner, const std::wstring& text, UINT buttons) = 0;
    // The full path the user chose, nothing when cancelled, or "" when the dialog failed.
    virtual std::optional<std::wstring> ChooseFile(HWND owner, const framework::FileDialogSettings& settings) = 0;
    // The colour the user confirmed, or nothing; the custom colours may change either way.
    virtual std::optional<COLORREF> AskColor(HWND owner, const framework::ColorDialogSettings& settings) = 0;
};

// Message boxes of our own in the owner's font, and the common dialogs.
IEditorPrompts& SystemPrompts();
