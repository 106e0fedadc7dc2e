// What the editor dialog's tests share: prompts that answer for a person,
// a temporary working folder, and reading controls back by message.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "EditorPrompts.h"

class CFakePrompts final : public IEditorPrompts {
public:
    void ShowMessage(HWND owner, const std::wstring& text) override {
        owners.push_back(owner);
        messages.push_back(text);
        WhileUp(owner);
    }
    int Ask(HWND owner, const std::wstring& text, UINT buttons) override {
        questions.push_back(text);
        WhileUp(owner);
        if (reply == kEnter) return (buttons & MB_DEFMASK) == MB_DEFBUTTON2 ? IDNO : IDYES;
        return (buttons & MB_TYPEMASK) == MB_YESNO && reply == IDCANCEL ? IDNO : reply;
    }
    std::optional<std::wstring> ChooseFile(HWND, const framework::FileDialogSettings& settings) override {
        asked.push_back(settings);
        if (!browseTo.empty()) SetCurrentDirectoryW(browseTo.c_str());
        return answer;
    }

    std::optional<COLORREF> AskColor(HWND owner, const framework::ColorDialogSettings& settings) override {
        colorOwners.push_back(owner);
        colorAsked.push_back(settings);
        WhileUp(owner);
        return colorAnswer;
    }

    std::vector<HWND> owners;
    std::vector<std::wstring> messages;
    std::vector<std::wstring> questions;
    static constexpr int kEnter = 0;  // a reply: Return, which takes the default button
    int reply = IDNO;  // the user goes on without saving
    std::vector<framework::FileDialogSettings> asked;
    std::optional<std::wstring> answer;  // nothing: the user cancels
    std::wstring browseTo;  // the current folder after the dialog, as browsing leaves it on some systems
    std::vector<HWND> colorOwners;
    std::vector<framework::ColorDialogSettings> colorAsked;
    std::optional<COLORREF> colorAnswer;  // nothing: the user cancels
    std::function<void(HWND owner)> whileUp;  // runs while a box is up, as a message from elsewhere would

private:
    // A modal box disables its owner while it is up.
    void WhileUp(HWND owner) {
        if (!whileUp || m_up) return;
        m_up = true;
        EnableWindow(owner, FALSE);
        whileUp(owner);
        EnableWindow(owner, TRUE);
        m_up = false;
    }
    bool m_up = false;
};

// Makes a fresh folder the current directory for the test's lifetime.
class CTempFolder {
public:
    CTempFolder();
    ~CTempFolder();
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_old;
    std::filesystem::path m_path;
};

std::vector<unsigned char> ReadBytes(const std::filesystem::path& path);
std::wstring TextOf(HWND control);
std::wstring ClassOf(HWND window);
inline LONG StyleOf(HWND window) { return GetWindowLongW(window, GWL_STYLE); }
std::wstring CellText(HWND list, int row, int column);
std::wstring ComboItem(HWND combo, int index);
// Runs what was posted, as the modal loop would between messages.
void PumpMessages();
// The dialog's own tooltip, which holds its range tips.
HWND RangeTipOf(HWND dialog);
