// The text box that edits one cell of a CEditableListCtrl in place. It
// commits when it loses the focus, unless Escape cancelled it, and deletes
// itself when its window is gone.
#pragma once

#include <windows.h>

#include <string>

#include "ByteLimitedEdit.h"
#include "CommandTable.h"

// A limited edit with no limit set: however text comes in, no half of a
// surrogate pair stays.
class CInPlaceEdit final : public CByteLimitedEdit {
public:
    // Always on the heap: the object deletes itself with its window.
    CInPlaceEdit(int row, int column, std::wstring initialText);
    ~CInPlaceEdit() override = default;

    // Creates the window over rect on the list, shows the cell's text all
    // selected and takes the focus. False when there is no window.
    bool Create(DWORD style, const RECT& rect, HWND list);

    // Enter, Escape, Delete and Control chords go straight to the box, never
    // to the dialog's keyboard handling.
    bool PreTranslateMessage(MSG& msg) override;

protected:
    void PostNcDestroy() override;
    bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnCreate();
    LRESULT OnChar(WPARAM character, LPARAM flags);
    LRESULT OnKillFocus(WPARAM next, LPARAM unused);
    LRESULT OnMouseWheel(WPARAM keysAndDelta, LPARAM point);
    // Widens the box to the text it holds, up to the list's right edge.
    void GrowToText();

    static const framework::CommandEntry<CInPlaceEdit> kMessages[];

    int m_row;
    int m_column;
    std::wstring m_initialText;
    bool m_cancel = false;
};
