#include "ByteLimitedEdit.h"

#include <imm.h>

#include "InputLimit.h"
#include "TextCodec.h"

std::wstring CByteLimitedEdit::Text() const {
    std::wstring text(static_cast<std::size_t>(Default(WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        Default(WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

bool CByteLimitedEdit::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_NCDESTROY) return false;
    if (!m_known) {
        m_held = Text();
        m_known = true;
    }
    // Sent by another thread: another program, such as dictation or an
    // automation tool, putting text in for the user.
    const bool fromOutside = m_depth == 0 && InSendMessageEx(nullptr) != ISMEX_NOSEND;
    if (message == WM_SETTEXT && !fromOutside) {  // the program's own text: shown and kept in full
        ++m_depth;  // the parent may read the text in EN_CHANGE before it is held
        result = Default(message, wParam, lParam);
        --m_depth;
        m_held = Text();
        return true;
    }
    if (message == EM_SETLIMITTEXT) m_limit = static_cast<int>(wParam);  // the native limit stays as a backstop

    // A pair typed as two character messages goes in as one change, so that
    // the first half is never alone in the box between them.
    std::optional<CharMessage> firstHalf;
    if (message == WM_CHAR || message == WM_IME_CHAR) {
        const auto unit = static_cast<wchar_t>(wParam);
        if (IS_HIGH_SURROGATE(unit)) {
            m_firstHalf = CharMessage{message, wParam, lParam};
            result = 0;
            return true;
        }
        if (IS_LOW_SURROGATE(unit)) firstHalf = m_firstHalf;
        m_firstHalf.reset();
    }

    ++m_depth;
    if (firstHalf) Default(firstHalf->message, firstHalf->unit, firstHalf->flags);
    result = Default(message, wParam, lParam);
    --m_depth;

    // An input method's unfinished text is cut only once it is decided, or
    // left behind with the focus. Only this thread's input method counts.
    if (message == WM_IME_STARTCOMPOSITION && !fromOutside) m_composing = true;
    if (message == WM_IME_ENDCOMPOSITION || message == WM_KILLFOCUS ||
        (message == WM_IME_COMPOSITION && (lParam & GCS_RESULTSTR)))
        m_composing = false;
    else if (message == WM_IME_COMPOSITION && (lParam & GCS_COMPSTR) && !fromOutside)
        m_composing = true;

    if (m_depth == 0 && (!m_composing || fromOutside)) HoldChangeToLimit();
    return true;
}

void CByteLimitedEdit::HoldChangeToLimit() {
    const std::wstring now = Text();
    if (now == m_held) return;
    DWORD start = 0, caret = 0;
    Default(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&caret));
    if (const auto change = params::HoldToLimit(params::Utf16(m_held), params::Utf16(now), caret, m_limit)) {
        // Back to the text before, then the change as it may be, as one
        // undoable step: undo then returns to the text before the change.
        ++m_depth;
        Default(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_held.c_str()));
        Default(EM_SETSEL, change->start, change->start + change->removed);
        const std::wstring insert(change->insert.begin(), change->insert.end());
        Default(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(insert.c_str()));
        --m_depth;
    }
    m_held = Text();
}

