// A dialog from a template: run modally with its own message loop, or
// created modeless (tests create it, drive it with messages, destroy it).
#pragma once

#include <cassert>
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
    // Each control and each ID is bound once.
    void Bind(CWnd& control, int id);
    // The object bound to the control with this ID, as the type it was bound
    // with (checked in debug builds). An ID with no live binding gives a
    // control without a window, on which every call does nothing.
    template <class Control>
    Control& BoundControl(int id) const {
        CWnd* control = FindBound(id);
        assert((!control || dynamic_cast<Control*>(control)) && "the control is bound as another type");
        if (control) return static_cast<Control&>(*control);
        static Control unbound;
        return unbound;
    }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Null unless the control bound to id is still tied to its window.
    CWnd* FindBound(int id) const;
    bool PreTranslate(MSG& msg);
    void RunLoop();

    int m_templateId;
    HWND m_parent;
    struct Binding {
        CWnd* control;
        HWND hwnd;
    };
    std::unordered_map<int, Binding> m_bound;  // by control ID
    bool m_modal = false;
    bool m_ended = false;
    INT_PTR m_result = 0;
};

}  // namespace framework
