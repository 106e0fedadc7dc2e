// An edit whose text limit counts code-page-936 bytes, as the parameter
// file's readers expect: a limit of 4 admits "ab12" or two Chinese characters.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "Controls.h"

// Once the window is subclassed, EM_LIMITTEXT limits in bytes of code page
// 936 whatever the user puts in, by any way the edit takes text: after each
// message the edit processes, a change it made is cut back to what fits, at a
// character boundary, and no half of a surrogate pair stays. Text the program
// sets (WM_SETTEXT from its own thread) is kept in full. Until the first
// EM_LIMITTEXT there is no limit, but still no lone surrogate.
class CByteLimitedEdit : public framework::CEdit {
protected:
    bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Cuts what the user changed since the text was last held to the limit.
    void HoldChangeToLimit();
    // The text, from the edit's own procedure.
    std::wstring Text() const;

    int m_limit = 0;  // 0: none
    bool m_known = false;
    std::wstring m_held;  // the text as last held to the limit or set by the program
    int m_depth = 0;      // messages in processing, one inside another
    bool m_composing = false;  // an input method's unfinished text is in the box
    // A character message with the first half of a pair, waiting for the second.
    struct CharMessage {
        UINT message;
        WPARAM unit;
        LPARAM flags;
    };
    std::optional<CharMessage> m_firstHalf;
};

