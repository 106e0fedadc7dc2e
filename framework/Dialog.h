// A dialog from a template: run modally with its own message loop, or
// created modeless (tests create it, drive it with messages, destroy it).
#pragma once

#include <unordered_map>

#include "Wnd.h"

namespace framework {

class CDialog : public CWnd {
public:
    explicit CDialog(int templateId, HWND parent = nullptr) : m_templateId(templateId), m_parent(parent) {}
    ~CDialog() override;

    // Shows the dialog and runs its loop until EndDialog; gives EndDialog's
    // result, or -1 when the window cannot be created.
    INT_PTR DoModal();
    // Creates the window without running it; false when it cannot be created.
    bool Create();
    // A modal run returns result; a modeless dialog is destroyed.
    void EndDialog(INT_PTR result);

protected:
    // After the controls exist. True lets the system put the focus on the
    // first tab stop.
    virtual BOOL OnInitDialog();
    // The derived class's command table. True means handled, with result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Ties a control object to the control with this ID for the window's
    // life; the control's own messages reach the object's OnWindowMessage.
    void Bind(CWnd& control, int id);
    // The object bound to the control with this ID; it must have been bound.
    CWnd& BoundControl(int id) const { return *m_bound.at(id); }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool PreTranslate(MSG& msg);
    void RunLoop();

    int m_templateId;
    HWND m_parent;
    std::unordered_map<int, CWnd*> m_bound;  // by control ID
    bool m_modal = false;
    bool m_ended = false;
    INT_PTR m_result = 0;
};

}  // namespace framework
