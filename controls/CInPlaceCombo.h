// The drop-down that picks the category of one cell of a CEditableListCtrl.
// Whatever it shows when it loses the focus goes into the cell; it deletes
// itself when its window is gone.
#pragma once

#include <windows.h>

#include <string>

#include "CommandTable.h"
#include "Controls.h"

class CInPlaceCombo final : public framework::CComboBox {
public:
    // Always on the heap: the object deletes itself with its window.
    CInPlaceCombo(int row, int column, std::wstring initialText);
    ~CInPlaceCombo() override = default;

    // Creates the window over rect on the list and takes the focus. False
    // when there is no window.
    bool Create(DWORD style, const RECT& rect, HWND list);

protected:
    void PostNcDestroy() override;
    bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnCreate();
    LRESULT OnKillFocus(WPARAM next, LPARAM unused);
    // The selected item, or the cell's own text while none is selected.
    std::wstring ChosenText() const;

    static const framework::CommandEntry<CInPlaceCombo> kMessages[];

    int m_row;
    int m_column;
    std::wstring m_initialText;  // the cell's text when the drop-down opened
};
