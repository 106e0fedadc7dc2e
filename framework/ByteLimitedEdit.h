// An edit whose text limit counts code-page-936 bytes, as the parameter
// file's readers expect: a limit of 4 admits "ab12" or two Chinese characters.
#pragma once

#include <windows.h>

#include "CommandTable.h"
#include "Controls.h"

namespace framework {

// Once the window is subclassed, EM_LIMITTEXT limits what the user types or
// pastes in bytes of code page 936. Text the program sets is still shown in
// full. Until the first EM_LIMITTEXT there is no limit.
class CByteLimitedEdit : public CEdit {
protected:
    bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnSetLimitText(WPARAM limit, LPARAM unused);
    LRESULT OnChar(WPARAM character, LPARAM flags);
    LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
    // Bytes still free once the current selection has been replaced.
    int Room() const;

    static const CommandEntry<CByteLimitedEdit> kMessages[];

    int m_limit = 0;  // 0: none
};

}  // namespace framework
