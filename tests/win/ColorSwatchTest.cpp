// The colour swatch buttons of the editor dialog: their painting on a real
// device context, and colour picking through the colour dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "EditorFixture.h"
#include "MemoryDc.h"
#include "PixelCanvas.h"
#include "SwatchPainter.h"

namespace {

constexpr COLORREF kBackground = RGB(255, 0, 255);  // the painting never uses it

swatch::PixelCanvas Expected(const RECT& rc, UINT state, COLORREF color) {
    swatch::PixelCanvas canvas(rc.right, rc.bottom, GetSysColor(COLOR_BTNFACE), kBackground);
    swatch::DrawSwatchButton(canvas, {0, 0, rc.right, rc.bottom, (state & ODS_SELECTED) != 0,
                                      (state & ODS_DISABLED) != 0, (state & ODS_FOCUS) != 0, color});
    return canvas;
}

// Each button and the colour its colour dialog opens on.
struct Pick {
    int id;
    COLORREF initial;
};
constexpr Pick kPicks[] = {
    {IDC_ADVANCED_COLOR0, RGB(255, 223, 0)}, {IDC_ADVANCED_COLOR1, RGB(0, 0, 0)},
    {IDC_ADVANCED_COLOR2, RGB(0, 0, 0)},     {IDC_ADVANCED_COLOR3, RGB(0, 0, 0)},
    {IDC_ADVANCED_COLOR4, RGB(0, 0, 0)},     {IDC_MENU_TEXT_COLOR, RGB(0, 0, 0)},
    {IDC_ARROW_COLOR, RGB(0, 0, 0)},         {IDC_BACKGROUND_COLOR, RGB(0, 0, 0)},
    {IDC_SLIDER_COLOR, RGB(0, 0, 0)},
};

class ColorSwatch : public EditorFixture {
protected:
    std::map<int, COLORREF> Colors() const {
        std::map<int, COLORREF> colors;
        for (const Pick& p : kPicks) colors[p.id] = dlg_.GetColor(p.id);
        return colors;
    }
    RECT ClientRect(int id) const {
        RECT rc;
        GetClientRect(Item(id), &rc);
        return rc;
    }
};

// WM_DRAWITEM sent to the dialog reaches the button, which paints exactly
// what the portable painter paints, in every state, and hands the device
// context back with the caller's pen, brush and current position.
TEST_F(ColorSwatch, DrawItemPaintsThePainterPixelsOnTheDevice) {
    const UINT states[] = {0, ODS_SELECTED, ODS_FOCUS, ODS_SELECTED | ODS_FOCUS, ODS_DISABLED};
    const COLORREF colors[] = {RGB(64, 128, 192), 0x12345678};  // a top byte paints the low 24 bits
    const RECT rc = ClientRect(IDC_ARROW_COLOR);
    ASSERT_GT(rc.right, 20);
    HPEN callerPen = CreatePen(PS_DOT, 1, RGB(1, 2, 3));
    HBRUSH callerBrush = CreateSolidBrush(RGB(4, 5, 6));
    for (const COLORREF color : colors) {
        dlg_.SetColor(IDC_ARROW_COLOR, color);
        for (const UINT state : states) {
            MemoryDc device(rc.right, rc.bottom, kBackground);
            const HGDIOBJ oldPen = SelectObject(device.Dc(), callerPen);
            const HGDIOBJ oldBrush = SelectObject(device.Dc(), callerBrush);
            MoveToEx(device.Dc(), 3, 4, nullptr);

            DRAWITEMSTRUCT item{};
            item.CtlType = ODT_BUTTON;
            item.CtlID = IDC_ARROW_COLOR;
            item.itemAction = ODA_SELECT;  // ignored: every call paints everything
            item.itemState = state;
            item.hwndItem = Item(IDC_ARROW_COLOR);
            item.hDC = device.Dc();
            item.rcItem = rc;
            SendMessageW(hwnd_, WM_DRAWITEM, IDC_ARROW_COLOR, reinterpret_cast<LPARAM>(&item));

            const std::string what = "colour " + std::to_string(color) + " state " + std::to_string(state);
            ExpectSamePixels(device, Expected(rc, state, color), what);
            EXPECT_EQ(GetCurrentObject(device.Dc(), OBJ_PEN), callerPen) << what;
            EXPECT_EQ(GetCurrentObject(device.Dc(), OBJ_BRUSH), callerBrush) << what;
            POINT position{};
            GetCurrentPositionEx(device.Dc(), &position);
            EXPECT_EQ(position.x, 3) << what;
            EXPECT_EQ(position.y, 4) << what;
            SelectObject(device.Dc(), oldPen);
            SelectObject(device.Dc(), oldBrush);
        }
    }
    EXPECT_EQ(dlg_.GetColor(IDC_ARROW_COLOR), 0x12345678u);  // painting never changes the value
    DeleteObject(callerPen);
    DeleteObject(callerBrush);
}

// The button's own painting path: a pushed button draws pressed.
TEST_F(ColorSwatch, APushedButtonPrintsPressed) {
    const HWND button = Item(IDC_BACKGROUND_COLOR);
    const RECT rc = ClientRect(IDC_BACKGROUND_COLOR);
    for (const bool pushed : {false, true}) {
        SendMessageW(button, BM_SETSTATE, pushed, 0);
        MemoryDc device(rc.right, rc.bottom, kBackground);
        SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(device.Dc()), PRF_CLIENT);
        ExpectSamePixels(device, Expected(rc, pushed ? ODS_SELECTED : 0, RGB(255, 255, 255)),
                         pushed ? "pushed" : "raised");
    }
}

TEST_F(ColorSwatch, EachButtonOpensOnItsFixedColourAndTakesOnlyTheConfirmedChoice) {
    COLORREF answer = RGB(10, 20, 30);
    for (const Pick& p : kPicks) {
        SCOPED_TRACE(p.id);
        dlg_.SetColor(p.id, RGB(1, 2, 3));  // the dialog never opens on the swatch's colour
        auto expected = Colors();

        prompts_.colorAsked.clear();
        prompts_.colorOwners.clear();
        prompts_.colorAnswer = answer;
        Click(p.id);
        ASSERT_EQ(prompts_.colorAsked.size(), 1u);
        const framework::ColorDialogSettings& asked = prompts_.colorAsked[0];
        EXPECT_EQ(asked.initial, p.initial);
        EXPECT_EQ(asked.flags & CC_RGBINIT, static_cast<DWORD>(CC_RGBINIT));
        EXPECT_EQ(asked.flags & CC_FULLOPEN, 0u);
        EXPECT_EQ(prompts_.colorOwners[0], hwnd_);
        expected[p.id] = answer;
        EXPECT_EQ(Colors(), expected);

        prompts_.colorAnswer.reset();  // Cancel, the close box or a failure
        Click(p.id);
        EXPECT_EQ(prompts_.colorAsked.size(), 2u);
        EXPECT_EQ(Colors(), expected);
        answer += RGB(1, 1, 1);
    }
    EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(ColorSwatch, CustomColoursStartWhiteAndStayForEveryButton) {
    Click(IDC_ADVANCED_COLOR0);
    ASSERT_EQ(prompts_.colorAsked.size(), 1u);
    framework::CustomColors* table = prompts_.colorAsked[0].customColors;
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(std::all_of(table->begin(), table->end(), [](COLORREF c) { return c == RGB(255, 255, 255); }));

    (*table)[5] = RGB(9, 8, 7);  // what the colour dialog does when the user defines a custom colour
    Click(IDC_SLIDER_COLOR);
    Click(IDC_ADVANCED_COLOR0);
    ASSERT_EQ(prompts_.colorAsked.size(), 3u);
    for (const auto& asked : prompts_.colorAsked) EXPECT_EQ(asked.customColors, table);
    EXPECT_EQ((*table)[5], RGB(9, 8, 7));
}

TEST_F(ColorSwatch, AColourWithATopByteSurvivesSaveAndLoadUnchanged) {
    Check(IDC_ADVANCED_ENABLED, true);
    dlg_.SetColor(IDC_SLIDER_COLOR, 0x12345678);
    Click(IDC_QUICK_SAVE);
    const auto bytes = ReadBytes(folder_.Path() / "set.prm");
    const unsigned char stored[] = {0x12, 0x34, 0x56, 0x78};  // most significant byte first
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), std::begin(stored), std::end(stored)), bytes.end());

    dlg_.SetColor(IDC_SLIDER_COLOR, RGB(0, 0, 0));
    Click(IDC_QUICK_LOAD);
    EXPECT_EQ(prompts_.messages, (std::vector<std::wstring>{L"保存完成", L"读取完成"}));
    EXPECT_EQ(dlg_.GetColor(IDC_SLIDER_COLOR), 0x12345678u);
}

// The real colour dialog behind the real prompts, answered by a hook on
// this thread the moment it is shown.
struct ColorDialogScript {
    WPARAM press = IDOK;
    std::vector<HWND> owners;
};
ColorDialogScript* g_script = nullptr;

LRESULT CALLBACK AnswerColorDialog(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        const HWND dlg = reinterpret_cast<HWND>(wParam);
        wchar_t cls[16] = {};
        GetClassNameW(dlg, cls, 16);
        if (std::wstring(cls) == L"#32770" && GetDlgItem(dlg, IDC_ADVANCED_COLOR0) == nullptr) {
            g_script->owners.push_back(GetWindow(dlg, GW_OWNER));
            PostMessageW(dlg, WM_COMMAND, g_script->press, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(SystemColorDialog, OkTakesThePreselectedColourAndCancelNothing) {
    CTempFolder folder;
    CAttrEditorDlg dlg;  // the real prompts
    ASSERT_TRUE(dlg.Create());
    const HWND hwnd = dlg.GetSafeHwnd();
    ColorDialogScript script;
    g_script = &script;
    const HHOOK hook = SetWindowsHookExW(WH_CBT, AnswerColorDialog, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);

    dlg.SetColor(IDC_ADVANCED_COLOR0, RGB(1, 2, 3));
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDC_ADVANCED_COLOR0, BN_CLICKED), 0);
    EXPECT_EQ(dlg.GetColor(IDC_ADVANCED_COLOR0), RGB(255, 223, 0));
    dlg.SetColor(IDC_BACKGROUND_COLOR, RGB(1, 2, 3));
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDC_BACKGROUND_COLOR, BN_CLICKED), 0);
    EXPECT_EQ(dlg.GetColor(IDC_BACKGROUND_COLOR), RGB(0, 0, 0));

    script.press = IDCANCEL;
    dlg.SetColor(IDC_SLIDER_COLOR, RGB(7, 7, 7));
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDC_SLIDER_COLOR, BN_CLICKED), 0);
    EXPECT_EQ(dlg.GetColor(IDC_SLIDER_COLOR), RGB(7, 7, 7));

    UnhookWindowsHookEx(hook);
    g_script = nullptr;
    EXPECT_EQ(script.owners, std::vector<HWND>(3, hwnd));
    DestroyWindow(hwnd);
}

}  // namespace
