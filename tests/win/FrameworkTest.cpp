// The dialog framework: command tables, reflection to controls, the modal
// loop's pre-dispatch filters, and the program name.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "CommandTable.h"
#include "ControlIds.h"
#include "Controls.h"
#include "Dialog.h"
#include "Gdi.h"
#include "MessageDialog.h"
#include "WinApp.h"

using namespace framework;

namespace {

struct Recorder {
    std::vector<std::string> calls;
    void First() { calls.push_back("first"); }
    void Second() { calls.push_back("second"); }
    LRESULT Answer() {
        calls.push_back("answer");
        return 42;
    }
};

const CommandEntry<Recorder> kRecorderTable[] = {
    {WM_COMMAND, BN_CLICKED, 7, &Recorder::First},
    {WM_COMMAND, BN_CLICKED, 7, &Recorder::Second},  // never reached: the first match wins
    {WM_NOTIFY, NM_DBLCLK, 9, &Recorder::Second},
    {WM_QUERYDRAGICON, 0, 0, &Recorder::Answer},
};

TEST(CommandTable, RoutesByMessageCodeAndIdFirstMatchWinning) {
    Recorder r;
    LRESULT result = -1;
    const std::span<const CommandEntry<Recorder>> table = kRecorderTable;
    EXPECT_TRUE(DispatchCommand(table, r, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), 0, result));
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(DispatchCommand(table, r, WM_COMMAND, MAKEWPARAM(7, EN_CHANGE), 0, result));
    EXPECT_FALSE(DispatchCommand(table, r, WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), 0, result));
    NMHDR header{nullptr, 9, static_cast<UINT>(NM_DBLCLK)};
    EXPECT_TRUE(DispatchCommand(table, r, WM_NOTIFY, 9, reinterpret_cast<LPARAM>(&header), result));
    EXPECT_TRUE(DispatchCommand(table, r, WM_QUERYDRAGICON, 0, 0, result));
    EXPECT_EQ(result, 42);
    EXPECT_EQ(r.calls, (std::vector<std::string>{"first", "second", "answer"}));
    EXPECT_EQ(DecodeMessage(WM_DRAWITEM, 9, 0).id, 9u);  // the control ID is wParam
}

// Swallows Enter when told to; records what it saw.
class CKeyFilter : public CEdit {
public:
    bool PreTranslateMessage(MSG& msg) override {
        if (msg.message != WM_KEYDOWN) return false;
        keys.push_back(static_cast<int>(msg.wParam));
        return swallowEnter && msg.wParam == VK_RETURN;
    }
    bool OnReflectedMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        if (message != WM_NOTIFY) return false;
        ++notifications;
        result = 5;
        return true;
    }
    std::vector<int> keys;
    bool swallowEnter = false;
    int notifications = 0;
};

class COwnerDrawProbe : public CButton {
public:
    void DrawItem(const DRAWITEMSTRUCT& item) override { drawnId = static_cast<int>(item.CtlID); }
    int drawnId = 0;
};

constexpr UINT kFinish = WM_APP + 1;

// The editor's template with a table of its own.
class CProbeDlg final : public CDialog {
public:
    CProbeDlg() : CDialog(IDD_ATTR_EDITOR) {}
    CKeyFilter edit;
    COwnerDrawProbe swatch;
    std::vector<std::string> seen;
    std::vector<UINT> posted;  // sent to the edit once the loop runs
    std::vector<UINT> postedToForeign;
    bool finishAtOnce = true;
    std::function<void(HWND)> whenCreated;
    // A window the framework did not make, inside the bound edit, whose user
    // data points at an object of ours that must never be called through it.
    HWND foreign = nullptr;
    CKeyFilter stranger;

    using CDialog::Bind;
    using CDialog::BoundControl;

protected:
    BOOL OnInitDialog() override {
        Bind(edit, IDC_LEVELUP_HP0);
        Bind(swatch, IDC_ARROW_COLOR);
        foreign = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 4, 4, edit.GetSafeHwnd(), nullptr, nullptr, nullptr);
        SetWindowLongPtrW(foreign, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&stranger));
        for (UINT key : posted) PostMessageW(edit.GetSafeHwnd(), WM_KEYDOWN, key, 1);
        for (UINT key : postedToForeign) PostMessageW(foreign, WM_KEYDOWN, key, 1);
        if (whenCreated) whenCreated(m_hWnd);
        if (finishAtOnce) PostMessageW(m_hWnd, kFinish, 0, 0);
        return TRUE;
    }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnOk() { seen.push_back("IDOK"); }
    void OnNotify() { seen.push_back("notify"); }
    void OnFinish() { EndDialog(7); }
    static const CommandEntry<CProbeDlg> kTable[];
};

const CommandEntry<CProbeDlg> CProbeDlg::kTable[] = {
    {WM_COMMAND, BN_CLICKED, IDOK, &CProbeDlg::OnOk},
    {WM_NOTIFY, NM_CLICK, IDC_LEVELUP_HP0, &CProbeDlg::OnNotify},
    {kFinish, 0, 0, &CProbeDlg::OnFinish},
};

bool CProbeDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchCommand<CProbeDlg>(kTable, *this, message, wParam, lParam, result);
}

TEST(ModalLoop, OffersKeysToTheFocusedWindowBeforeTheDialog) {
    CProbeDlg dlg;
    dlg.posted = {VK_RETURN};
    EXPECT_EQ(dlg.DoModal(), 7);
    EXPECT_EQ(dlg.edit.keys, std::vector<int>{VK_RETURN});
    EXPECT_EQ(dlg.seen, std::vector<std::string>{"IDOK"});  // Enter in an edit is the dialog's IDOK
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);                  // the window is gone after the run

    CProbeDlg swallowing;
    swallowing.edit.swallowEnter = true;
    swallowing.posted = {VK_RETURN};
    EXPECT_EQ(swallowing.DoModal(), 7);
    EXPECT_EQ(swallowing.edit.keys, std::vector<int>{VK_RETURN});
    EXPECT_TRUE(swallowing.seen.empty());
}

TEST(ModalLoop, PassesOverWindowsItDidNotMake) {
    CProbeDlg dlg;
    dlg.postedToForeign = {'A'};
    EXPECT_EQ(dlg.DoModal(), 7);
    EXPECT_TRUE(dlg.stranger.keys.empty());           // its user data was not taken for one of ours
    EXPECT_EQ(dlg.edit.keys, std::vector<int>{'A'});  // the bound edit around it was still asked
}

// Another thread ends the dialog by a sent message while the loop waits with
// nothing in its queue: a timer message comes only when nothing else waits.
constexpr UINT kLater = WM_APP + 2;
std::thread g_sender;
DWORD g_loopThread = 0;

void CALLBACK SendFinishFromAnotherThread(HWND dialog, UINT, UINT_PTR timer, DWORD) {
    KillTimer(dialog, timer);
    g_sender = std::thread([dialog] {
        SendMessageW(dialog, kFinish, 0, 0);  // handled inside the loop's GetMessage
        PostThreadMessageW(g_loopThread, kLater, 0, 0);
    });
}

TEST(ModalLoop, EndDialogFromASentMessageEndsTheRunAtOnce) {
    g_loopThread = GetCurrentThreadId();
    CProbeDlg dlg;
    dlg.finishAtOnce = false;
    dlg.whenCreated = [](HWND hwnd) { SetTimer(hwnd, 1, 1, SendFinishFromAnotherThread); };
    EXPECT_EQ(dlg.DoModal(), 7);
    g_sender.join();
    MSG msg;
    // The run ended without waiting for another message to come along.
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, kLater, kLater, PM_REMOVE));
}

TEST(ModalLoop, AMissingTemplateFailsTheRun) {
    class CNoTemplate final : public CDialog {
    public:
        CNoTemplate() : CDialog(4242) {}
    } dlg;
    EXPECT_EQ(dlg.DoModal(), -1);
}

TEST(Reflection, NotificationsAndDrawingReachTheControlFirst) {
    CProbeDlg dlg;
    ASSERT_TRUE(dlg.Create());
    const HWND hwnd = dlg.GetSafeHwnd();

    NMHDR header{dlg.edit.GetSafeHwnd(), IDC_LEVELUP_HP0, static_cast<UINT>(NM_CLICK)};
    SendMessageW(hwnd, WM_NOTIFY, IDC_LEVELUP_HP0, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(dlg.edit.notifications, 1);
    EXPECT_TRUE(dlg.seen.empty());  // handled by the control, so the dialog's entry does not run
    EXPECT_EQ(GetWindowLongPtrW(hwnd, DWLP_MSGRESULT), 5);

    const HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 4, 4, hwnd, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(foreign, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&dlg.stranger));
    header.hwndFrom = foreign;
    SendMessageW(hwnd, WM_NOTIFY, IDC_LEVELUP_HP0, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(dlg.stranger.notifications, 0);  // a window we did not make is never taken for ours
    EXPECT_EQ(dlg.seen, std::vector<std::string>{"notify"});

    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = IDC_ARROW_COLOR;
    item.hwndItem = dlg.swatch.GetSafeHwnd();
    item.hDC = GetDC(hwnd);
    SendMessageW(hwnd, WM_DRAWITEM, IDC_ARROW_COLOR, reinterpret_cast<LPARAM>(&item));
    ReleaseDC(hwnd, item.hDC);
    EXPECT_EQ(dlg.swatch.drawnId, IDC_ARROW_COLOR);

    DestroyWindow(hwnd);
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    EXPECT_EQ(dlg.edit.GetSafeHwnd(), nullptr);  // controls are untied when the window goes
}

// A wiring fault ends the run in every build, naming the control: an ID
// never bound, one bound twice or as another type, one the template lacks.
TEST(Binding, FindsEachControlByIdAndEndsTheRunOnAWiringFault) {
    CProbeDlg dlg;
    ASSERT_TRUE(dlg.Create());
    EXPECT_EQ(&dlg.BoundControl<CKeyFilter>(IDC_LEVELUP_HP0), &dlg.edit);
    using ::testing::ExitedWithCode;
    EXPECT_EXIT(dlg.BoundControl<CEdit>(IDC_LEVELUP_HP1), ExitedWithCode(3), "control 1002: no control is bound");
    EXPECT_EXIT(dlg.BoundControl<CButton>(IDC_LEVELUP_HP0), ExitedWithCode(3), "bound as another type");
    CEdit other;
    EXPECT_EXIT(dlg.Bind(other, IDC_LEVELUP_HP0), ExitedWithCode(3), "bound once");
    EXPECT_EXIT(dlg.Bind(other, 4242), ExitedWithCode(3), "control 4242: the template has no control");
    DestroyWindow(dlg.GetSafeHwnd());
    EXPECT_EQ(dlg.BoundControl<CEdit>(IDC_LEVELUP_HP0).GetSafeHwnd(), nullptr);  // bindings end with the window
}

TEST(ModelessDialog, EndDialogDestroysIt) {
    CProbeDlg dlg;
    ASSERT_TRUE(dlg.Create());
    const HWND hwnd = dlg.GetSafeHwnd();
    dlg.EndDialog(IDCANCEL);
    EXPECT_FALSE(IsWindow(hwnd));
}

// Our message box answered by keys, as a person answers it: Enter picks
// the default button, Esc means Cancel, OK where OK is alone, and nothing
// where there is neither. Every button carries the system's caption, and
// every control is drawn in the font given.
class CKeyedMessageDialog : public CMessageDialog {
public:
    CKeyedMessageDialog(UINT type, std::vector<WPARAM> keys, HFONT font)
        : CMessageDialog(nullptr, L"参数已修改，是否保存？", L"win_test", type, font), m_keys(std::move(keys)) {}
    std::vector<std::wstring> captions;
    bool inFont = true;
    bool textWhole = false;

protected:
    BOOL OnInitDialog() override {
        const BOOL result = CMessageDialog::OnInitDialog();
        for (HWND c = GetWindow(m_hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            inFont = inFont && reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)) == m_font;
            wchar_t text[64] = {};
            ::GetWindowTextW(c, text, 64);
            if (::GetDlgCtrlID(c) != -1) {
                captions.push_back(text);
                continue;
            }
            // The text shows whole in its rectangle, wrapped as the label wraps it.
            RECT client{}, need{};
            GetClientRect(c, &client);
            need = client;
            const CClientDC dc(c);
            const CSelection selected(dc.Handle(), m_font);
            DrawTextW(dc.Handle(), text, -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            textWhole = need.right <= client.right && need.bottom <= client.bottom && client.right > 0;
        }
        for (const WPARAM key : m_keys) PostMessageW(GetFocus(), WM_KEYDOWN, key, 0);
        return result;
    }

private:
    std::vector<WPARAM> m_keys;
    HFONT m_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
};

TEST(MessageDialog, AnswersLikeTheSystemsMessageBoxInTheFontGiven) {
    const struct {
        UINT type;
        std::vector<WPARAM> keys;
        int answer;
        std::size_t buttons;
    } kCases[] = {
        {MB_OK, {VK_ESCAPE}, IDOK, 1},
        {MB_YESNO, {VK_RETURN}, IDYES, 2},
        {MB_YESNO | MB_DEFBUTTON2, {VK_ESCAPE, VK_RETURN}, IDNO, 2},
        {MB_YESNOCANCEL, {VK_ESCAPE}, IDCANCEL, 3},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, {VK_RETURN}, IDCANCEL, 3},
    };
    for (const auto& c : kCases) {
        CKeyedMessageDialog box(c.type, c.keys, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        EXPECT_EQ(box.DoModal(), c.answer) << c.type;
        EXPECT_TRUE(box.inFont);
        EXPECT_TRUE(box.textWhole);
        ASSERT_EQ(box.captions.size(), c.buttons);
        for (const std::wstring& caption : box.captions) EXPECT_FALSE(caption.empty()) << c.type;
    }
}

TEST(ProgramName, IsTheExecutablesBaseName) { EXPECT_EQ(ProgramName(), L"win_test"); }

}  // namespace
