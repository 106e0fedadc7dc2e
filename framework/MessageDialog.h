// A message box of our own, in a font we choose: the system's message box
// draws in the system's message font, which on a Linux desktop's Wine has
// no Chinese glyphs. Texts, buttons and their system captions, the default
// button and the sound are the message box's.
#pragma once

#include <windows.h>

#include <string>

#include "CommandTable.h"
#include "Dialog.h"

namespace framework {

class CMessageDialog : public CDialog {
public:
    // type: MB_OK, MB_OKCANCEL, MB_YESNO or MB_YESNOCANCEL, with MB_DEFBUTTON1-3
    // and an MB_ICON... value for the sound; drawn in font.
    CMessageDialog(HWND owner, std::wstring text, std::wstring caption, UINT type, HFONT font);

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // A button's command, Esc or the close box (IDCANCEL): the box ends with
    // that button's ID. Without a Cancel button Esc means OK where OK is
    // the only button, and nothing otherwise.
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    static const CommandEntry<CMessageDialog> kCommands[];

    std::wstring m_text;
    std::wstring m_caption;
    UINT m_type;
    HFONT m_font;
};

// Shown modally over owner in owner's font: IDOK, IDCANCEL, IDYES or IDNO, as MessageBox answers.
int ShowMessageDialog(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

}  // namespace framework
