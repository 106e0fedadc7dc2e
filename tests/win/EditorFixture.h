// The editor dialog created modeless from its real template, in a fresh
// working folder, with prompts that answer for a person.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "AttrEditorDlg.h"
#include "ControlIds.h"
#include "EditorTestSupport.h"

class EditorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dlg_.Create());
        hwnd_ = dlg_.GetSafeHwnd();
    }
    void TearDown() override {
        if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    }

    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    // The button's notification as the dialog receives it; the focus stays where it is.
    void Click(int id) {
        SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    }
    void Check(int id, bool on) { SendMessageW(Item(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }
    std::wstring Cell(int row, int column) const { return CellText(Item(IDC_SPRITE_TABLE), row, column); }
    // Ctrl and key (with Shift) at a window of the dialog, as the modal loop
    // passes it on: offered to the window and its parents, then the dialog,
    // and only then translated and dispatched; then what it posted runs.
    void PressCtrl(WORD key, HWND to, bool shift = false) {
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_CONTROL] = 0x80;
        state[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(state);
        MSG msg{to, WM_KEYDOWN, key, 1, 0, {}};
        bool taken = false;
        for (HWND h = to; h && h != hwnd_ && !taken; h = GetParent(h))
            if (framework::CWnd* wnd = framework::CWnd::FromHandle(h)) taken = wnd->PreTranslateMessage(msg);
        if (!taken && !dlg_.PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        state[VK_CONTROL] = state[VK_SHIFT] = 0;
        SetKeyboardState(state);
        PumpMessages();
    }

    CTempFolder folder_;
    CFakePrompts prompts_;
    CAttrEditorDlg dlg_{prompts_};
    HWND hwnd_ = nullptr;
};
