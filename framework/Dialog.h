// A dialog from a template: run modally with its own message loop, or
// created modeless (tests create it, drive it with messages, destroy it).
#pragma once

#include <optional>
#include <vector>

#include "Gdi.h"
#include "Wnd.h"

namespace framework {

class CDialog : public CWnd {
public:
    explicit CDialog(int templateId, HWND parent = nullptr) : m_templateId(templateId), m_parent(parent) {}
    // From a template in memory, taken as it stands.
    CDialog(const DLGTEMPLATE* dialog, HWND parent) : m_indirect(dialog), m_parent(parent) {}
    ~CDialog() override;

    // Shows the dialog and runs its loop until EndDialog; gives EndDialog's
    // result, or -1 when the window cannot be created.
    INT_PTR DoModal();
    // Creates the window without running it; false when it cannot be created.
    bool Create();
    // A modal run returns result; a modeless dialog is destroyed.
    void EndDialog(INT_PTR result);

    // The font the controls draw their texts in (the dialog's own, or a
    // smaller one of the same face where the layout is a size larger).
    HFONT TextFont() const;

protected:
    // After the controls exist. True lets the system put the focus on the
    // first tab stop.
    virtual BOOL OnInitDialog();
    // The derived class's command table. True means handled, with result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Paints (WM_PAINT) the icon in the middle of the minimised dialog; nothing otherwise.
    void PaintMinimizedIcon(HICON icon);
    // Ties a control object to the control with this ID for the window's
    // life; the control's own messages reach the object's OnWindowMessage.
    // Each control and each ID is bound once, to a control the template has:
    // anything else is a wiring fault.
    void Bind(CWnd& control, int id);
    // The object bound to the control with this ID, as the type it was bound
    // with; another type, or an ID never bound, is a wiring fault. Once the
    // window is gone it gives a control without a window, on which every
    // call does nothing.
    template <class Control>
    Control& BoundControl(int id) const {
        if (CWnd* control = FindBound(id)) {
            if (auto* typed = dynamic_cast<Control*>(control)) return *typed;
            WiringFault(id, "the control is bound as another type");
        }
        static Control unbound;
        return unbound;
    }

private:
    // A fault in the program's own wiring, in every build: said on standard
    // error and to a debugger, and the program ends (exit status 3).
    [[noreturn]] static void WiringFault(int id, const char* what);
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Null once the window or the control bound to id is going away; a
    // wiring fault when id was never bound.
    CWnd* FindBound(int id) const;
    bool PreTranslate(MSG& msg);
    void RunLoop();

    int m_templateId = 0;
    const DLGTEMPLATE* m_indirect = nullptr;
    HWND m_parent;
    struct Binding {
        int id;
        CWnd* control;
        HWND hwnd;
    };
    // Sorted by control ID: a few dozen, bound once. A hash map would bring
    // libstdc++'s rehash policy and prime table into the executable.
    std::vector<Binding> m_bound;
    LOGFONTW m_textLogFont{};  // the text font the next window's controls get, when its face is set
    std::optional<CGdiObject<HFONT>> m_textFont;
    bool m_modal = false;
    bool m_ended = false;
    INT_PTR m_result = 0;
};

}  // namespace framework
