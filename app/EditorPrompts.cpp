#include "EditorPrompts.h"

#include "MessageDialog.h"
#include "WinApp.h"

namespace {

class CSystemPrompts final : public IEditorPrompts {
public:
    void ShowMessage(HWND owner, const std::wstring& text) override {
        framework::ShowMessageDialog(owner, text, framework::ProgramName(), MB_OK);
    }
    int Ask(HWND owner, const std::wstring& text, UINT buttons) override {
        return framework::ShowMessageDialog(owner, text, framework::ProgramName(), buttons);
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
