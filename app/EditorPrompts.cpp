#include "EditorPrompts.h"

#include "WinApp.h"

namespace {

class CSystemPrompts final : public IEditorPrompts {
public:
    void ShowMessage(HWND owner, const std::wstring& text) override {
        MessageBoxW(owner, text.c_str(), framework::ProgramName().c_str(), MB_OK);
    }
    int Ask(HWND owner, const std::wstring& text, UINT buttons) override {
        return MessageBoxW(owner, text.c_str(), framework::ProgramName().c_str(), buttons);
    }
    std::optional<std::wstring> ChooseFile(HWND owner, const framework::FileDialogSettings& settings) override {
        return framework::CFileDialog(settings, owner).DoModal();
    }
    std::optional<COLORREF> AskColor(HWND owner, const framework::ColorDialogSettings& settings) override {
        return framework::CColorDialog(settings, owner).DoModal();
    }
};

}  // namespace

IEditorPrompts& SystemPrompts() {
    static CSystemPrompts prompts;
    return prompts;
}
