// Thin wrappers over the standard controls: an HWND and one message per call.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

#include "Wnd.h"

namespace framework {

class CEdit : public CWnd {
public:
    void SetLimitText(int limit) { Send(EM_LIMITTEXT, static_cast<WPARAM>(limit)); }
};

class CComboBox : public CWnd {
public:
    int AddString(std::wstring_view text);
    int SetCurSel(int index) { return static_cast<int>(Send(CB_SETCURSEL, static_cast<WPARAM>(index))); }
    int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    // The first item after 'after' whose text begins with prefix, wrapping; CB_ERR if none.
    int FindString(int after, std::wstring_view prefix) const;
    // The item whose text is the box's own text, as the list compares (case
    // aside), or CB_ERR.
    int FindShownItem() const;
    // Selects the item the box's text equals, if any, the caret staying
    // where the typing left it.
    void SelectShownItem();
    // The edit part of a drop-down, or the box itself when it has none.
    HWND GetEditPart() const;
};

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(Send(BM_GETCHECK)); }
    // An owner-drawn button paints here; the parent reflects WM_DRAWITEM to it.
    virtual void DrawItem(const DRAWITEMSTRUCT& item);
    bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

class CListCtrl : public CWnd {
public:
    void SetExtendedStyle(DWORD style) { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)); }
    int InsertColumn(int column, std::wstring_view heading, int format, int width);
    int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    std::wstring GetItemText(int row, int column) const;
    void DeleteAllItems() { Send(LVM_DELETEALLITEMS); }
    void DeleteItem(int row) { Send(LVM_DELETEITEM, static_cast<WPARAM>(row)); }
    int InsertItem(int row, std::wstring_view text);
    void SetItemText(int row, int column, std::wstring_view text);
    int GetNextItem(int after, UINT flags) const {
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(after), MAKELPARAM(flags, 0)));
    }
    // Row -1: every row.
    void SetItemState(int row, UINT state, UINT mask);
    void SetRedraw(bool redraw) { Send(WM_SETREDRAW, redraw); }
};

}  // namespace framework
