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

    CTempFolder folder_;
    CFakePrompts prompts_;
    CAttrEditorDlg dlg_{prompts_};
    HWND hwnd_ = nullptr;
};
