// Whatever the font and DPI of the system: every label shows whole, every
// box shows the widest value it can hold, and the table's default columns
// fit its list. Run at 96 and at 144 DPI.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "Catalogue.h"
#include "EditorFixture.h"
#include "Gdi.h"
#include "TextCodec.h"

namespace {

using params::Narrow;
using params::Widen;

// The texts a box must show whole: a number box every value 0-255 within its
// limit; a name box its default and as many full-width characters as its
// limit admits (two bytes each).
std::vector<std::wstring> WidestCandidates(const params::ParamDesc& p) {
    std::vector<std::wstring> texts{Widen(p.defaultText)};
    if (p.kind == params::Kind::Number) {
        for (int v = 0; v <= 255; ++v)
            if (std::to_wstring(v).size() <= static_cast<std::size_t>(p.limit)) texts.push_back(std::to_wstring(v));
    } else {
        for (const wchar_t wide : {L'魔', L'饰', L'国', L'Ｗ'}) texts.push_back(std::wstring(p.limit / 2, wide));
    }
    return texts;
}

int ScreenDpi() { return GetDeviceCaps(framework::CClientDC(nullptr).Handle(), LOGPIXELSY); }

class TextFitTest : public EditorFixture {
protected:
    // A device context with the control's own font selected.
    struct ControlDc {
        explicit ControlDc(HWND control)
            : window(control), font(window.Handle(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0))),
              dc(window.Handle()) {}
        framework::CClientDC window;
        framework::CSelection font;
        HDC dc;
    };
};

// Each text as its control draws it: a label wrapped at its width (one too
// wide breaks onto a line its box cannot show), a button or check box in
// the width it asks for itself, a group's caption over its frame with a
// unit of the dialog's width either side.
TEST_F(TextFitTest, EveryTextShowsWhole) {
    const int dpi = ScreenDpi();
    RECT unit{0, 0, 4, 0};
    MapDialogRect(hwnd_, &unit);
    int labels = 0, buttons = 0;
    for (HWND c = GetWindow(hwnd_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const std::wstring text = TextOf(c);
        const LONG type = GetWindowLongW(c, GWL_STYLE) & BS_TYPEMASK;
        const bool label = ClassOf(c) == L"Static";
        if (text.empty() || (!label && (ClassOf(c) != L"Button" || type == BS_OWNERDRAW))) continue;
        RECT client;
        GetClientRect(c, &client);
        ControlDc dc(c);
        RECT need = client;
        if (label) {
            ++labels;
            DrawTextW(dc.dc, text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        } else if (++buttons; type == BS_GROUPBOX) {
            DrawTextW(dc.dc, text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE);
            need.right += 2 * unit.right;
            need.bottom = 0;
        } else {
            SIZE ideal{};
            SendMessageW(c, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
            need = {0, 0, ideal.cx, 0};
        }
        EXPECT_LE(need.right, client.right) << "\"" << Narrow(text) << "\" at " << dpi << " DPI";
        EXPECT_LE(need.bottom, client.bottom) << "\"" << Narrow(text) << "\" at " << dpi << " DPI";
    }
    EXPECT_GT(labels, 60);
    EXPECT_EQ(buttons, 16);  // 8 groups, 7 buttons, the check box
}

// Every label, group and button has a glyph for each of its characters in
// its own font: none shows as a box, whatever fonts the system links in.
// The font is the face it names (a face the system lacks would be stood in
// for by another, which no measurement chose), and so are the tips.
TEST_F(TextFitTest, NoCharacterNeedsAnotherFont) {
    for (HWND c = GetWindow(hwnd_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const std::wstring text = TextOf(c);
        ControlDc dc(c);
        LOGFONTW named{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)), sizeof named, &named);
        wchar_t face[LF_FACESIZE] = {};
        GetTextFaceW(dc.dc, LF_FACESIZE, face);
        if (lstrcmpW(named.lfFaceName, L"MS Shell Dlg") != 0) {
            EXPECT_STREQ(face, named.lfFaceName);
        }
        std::vector<WORD> glyphs(text.size());
        GetGlyphIndicesW(dc.dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS);
        for (std::size_t i = 0; i < text.size(); ++i)  // line breaks are not drawn
            EXPECT_TRUE(text[i] < L' ' || glyphs[i] != 0xFFFF) << "\"" << Narrow(text) << "\" at " << i;
    }
    LOGFONTW tip{}, control{};  // the tip keeps a copy
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(RangeTipOf(hwnd_), WM_GETFONT, 0, 0)), sizeof tip, &tip);
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(IDC_SAVE), WM_GETFONT, 0, 0)), sizeof control, &control);
    EXPECT_STREQ(tip.lfFaceName, control.lfFaceName);
    EXPECT_EQ(tip.lfHeight, control.lfHeight);
}

TEST_F(TextFitTest, EveryBoxShowsItsWidestValue) {
    const int dpi = ScreenDpi();
    for (const params::ParamDesc& p : params::Catalogue()) {
        if (p.kind != params::Kind::Number && p.kind != params::Kind::Name) continue;
        HWND edit = Item(p.id);
        RECT format{};
        SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        ControlDc dc(edit);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.dc, &metrics);
        EXPECT_LE(metrics.tmHeight, format.bottom - format.top) << p.name << " at " << dpi << " DPI";
        std::wstring widest;
        int width = 0;
        for (const std::wstring& text : WidestCandidates(p)) {
            SIZE extent{};
            GetTextExtentPoint32W(dc.dc, text.c_str(), static_cast<int>(text.size()), &extent);
            if (extent.cx > width) width = extent.cx, widest = text;
        }
        EXPECT_LE(width, format.right - format.left) << p.name << " \"" << Narrow(widest) << "\" at " << dpi << " DPI";
    }
}

TEST_F(TextFitTest, DefaultColumnsFitTheList) {
    HWND list = Item(IDC_SPRITE_TABLE);
    RECT client;
    GetClientRect(list, &client);
    int total = 0;
    for (int c = 0; c < params::kTableColumnCount; ++c)
        total += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, c, 0));
    EXPECT_LE(total, client.right);

    if (ScreenDpi() == 96) {  // the widths as given, exactly
        for (int c = 0; c < params::kTableColumnCount; ++c)
            EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, c, 0), params::kTableColumns[c].width);
    }
}

}  // namespace
