// The resources as the system sees them: dialog template 102 created with a
// bare dialog procedure (no application classes), the icon group and the
// version information.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Catalogue.h"
#include "EditorTestSupport.h"
#include "TextCodec.h"

using params::Narrow;
using params::Widen;

namespace {

// Every control with an ID in tab order, with its place in dialog units.
struct Placement {
    int id;
    int x, y, w, h;
};
constexpr Placement kTabOrder[] = {
    {1001, 45, 19, 19, 12},   {1002, 45, 32, 19, 12},   {1003, 45, 45, 19, 12},
    {1007, 81, 18, 18, 12},   {1008, 81, 32, 18, 12},   {1009, 81, 45, 18, 12},
    {1004, 69, 85, 23, 12},   {1010, 69, 98, 23, 12},   {1011, 120, 29, 23, 12},
    {1012, 120, 41, 23, 12},  {1013, 120, 53, 23, 12},  {1006, 344, 264, 25, 13},
    {1014, 344, 278, 25, 13}, {1015, 69, 111, 23, 12},  {1016, 130, 132, 40, 14},
    {1017, 130, 145, 40, 14}, {1019, 130, 158, 40, 14}, {1020, 130, 171, 40, 14},
    {1021, 130, 184, 40, 14}, {1022, 69, 160, 36, 50},  {1018, 168, 29, 16, 12},
    {1023, 168, 41, 16, 12},  {1024, 168, 53, 16, 12},  {1025, 193, 29, 16, 12},
    {1026, 193, 41, 16, 12},  {1027, 193, 53, 16, 12},  {1028, 218, 29, 16, 12},
    {1029, 218, 41, 16, 12},  {1030, 218, 53, 16, 12},  {1031, 150, 71, 16, 12},
    {1032, 174, 71, 16, 12},  {1033, 200, 71, 16, 12},  {1034, 150, 86, 16, 12},
    {1035, 174, 86, 16, 12},  {1036, 200, 86, 16, 12},  {1037, 150, 101, 16, 12},
    {1038, 174, 101, 16, 12}, {1039, 200, 101, 16, 12}, {1005, 69, 73, 23, 12},
    {1040, 125, 215, 25, 14}, {1041, 168, 215, 25, 14}, {1042, 209, 215, 25, 14},
    {1043, 69, 123, 23, 12},  {1044, 69, 135, 23, 12},  {1045, 69, 147, 23, 12},
    {1046, 307, 264, 25, 13}, {1047, 307, 278, 25, 13}, {1048, 41, 176, 17, 14},
    {1049, 70, 176, 17, 14},  {1050, 41, 191, 17, 14},  {1051, 70, 191, 17, 14},
    {1052, 41, 206, 17, 14},  {1053, 87, 206, 17, 14},  {1054, 210, 129, 23, 12},
    {1055, 210, 142, 23, 54}, {1056, 210, 161, 23, 14}, {1057, 210, 184, 23, 14},
    {1058, 273, 23, 27, 12},  {1059, 264, 37, 18, 10},  {1088, 264, 48, 18, 10},
    {1089, 308, 37, 18, 10},  {1090, 308, 48, 18, 10},  {1091, 264, 59, 18, 10},
    {1092, 308, 62, 18, 10},  {1060, 241, 11, 25, 10},  {1061, 261, 105, 17, 12},
    {1062, 261, 117, 17, 12}, {1063, 261, 129, 17, 12}, {1064, 261, 141, 17, 12},
    {1065, 298, 105, 17, 12}, {1066, 298, 117, 17, 12}, {1067, 298, 129, 17, 12},
    {1068, 298, 141, 17, 12}, {1069, 334, 105, 17, 12}, {1070, 334, 117, 17, 12},
    {1071, 334, 129, 17, 12}, {1072, 334, 141, 17, 12}, {1073, 348, 37, 18, 10},
    {1093, 348, 48, 18, 10},  {1094, 348, 59, 18, 10},  {1074, 338, 22, 27, 12},
    {1075, 265, 71, 17, 12},  {1076, 243, 160, 123, 69}, {1080, 243, 231, 24, 11},
    {1081, 271, 231, 24, 11}, {1082, 298, 231, 24, 11},
};
constexpr int kTabStops = 86;
static_assert(std::size(kTabOrder) == kTabStops);

struct GroupBox {
    std::wstring_view caption;
    int x, y, w, h;
};
constexpr GroupBox kGroupBoxes[] = {
    {L"升级HP,MP变动", 7, 3, 100, 62},  {L"其它属性", 7, 67, 100, 165},
    {L"颜色设置", 108, 3, 129, 114},    {L"装备类型", 108, 120, 64, 85},
    {L"特殊属性", 174, 120, 62, 85},    {L"属性名称", 108, 207, 129, 25},
    {L"Advancd", 239, 3, 132, 242},     {L"升级属性变动", 242, 85, 112, 71},
};

bool HasAll(LONG style, LONG bits) { return (style & bits) == bits; }

// The dialog template's bytes, read as the resource holds them.
class DialogTemplate {
public:
    DialogTemplate() {
        HMODULE module = GetModuleHandleW(nullptr);
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDD_ATTR_EDITOR), RT_DIALOG);
        at_ = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
        font_ = SkipNameOrOrdinal(SkipNameOrOrdinal(SkipNameOrOrdinal(26)));  // menu, class, title
    }

    BYTE FontCharset() const { return at_[font_ + 5]; }

    // A control's style as the template states it. Live controls adjust theirs:
    // a bordered edit or list view trades WS_BORDER for a sunken client edge.
    DWORD StyleOf(int id) const {
        size_t offset = SkipNameOrOrdinal(font_ + 6);  // point size, weight, italic, charset, face
        for (WORD i = 0; i < Word(16); ++i) {
            offset = (offset + 3) & ~size_t{3};
            const DWORD style = *reinterpret_cast<const DWORD*>(at_ + offset + 8);
            if (*reinterpret_cast<const int*>(at_ + offset + 20) == id) return style;
            offset = SkipNameOrOrdinal(SkipNameOrOrdinal(offset + 24));  // class, title
            offset += 2 + Word(offset);                                   // creation data
        }
        return 0;
    }

private:
    WORD Word(size_t offset) const { return *reinterpret_cast<const WORD*>(at_ + offset); }
    size_t SkipNameOrOrdinal(size_t offset) const {
        if (Word(offset) == 0xFFFF) return offset + 4;
        while (Word(offset)) offset += 2;
        return offset + 2;
    }

    const BYTE* at_;
    size_t font_;
};

INT_PTR CALLBACK BareDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

class DialogTemplateTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&init);
    }

    void SetUp() override {
        dlg_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ATTR_EDITOR),
                                  nullptr, BareDialogProc, 0);
        ASSERT_NE(dlg_, nullptr) << "error " << GetLastError();
    }

    void TearDown() override {
        if (dlg_) DestroyWindow(dlg_);
    }

    // The dialog manager scales a control's origin and size separately.
    RECT DialogUnits(int x, int y, int w, int h) const {
        RECT r{x, y, w, h};
        MapDialogRect(dlg_, &r);
        return {r.left, r.top, r.left + r.right, r.top + r.bottom};
    }

    // A child's rectangle in the dialog's client coordinates.
    RECT PlaceOf(HWND child) const {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dlg_, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    std::vector<HWND> Children() const {
        std::vector<HWND> out;
        for (HWND c = GetWindow(dlg_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
        return out;
    }

    static bool IsGroupBox(HWND wnd) {
        return ClassOf(wnd) == L"Button" && (StyleOf(wnd) & BS_TYPEMASK) == BS_GROUPBOX;
    }

    const DialogTemplate template_;
    HWND dlg_ = nullptr;
};

TEST_F(DialogTemplateTest, WindowHasTheTemplateFrameSizeCaptionAndFont) {
    RECT client;
    GetClientRect(dlg_, &client);
    RECT expected = DialogUnits(0, 0, 378, 296);
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);

    EXPECT_EQ(TextOf(dlg_), L"RPG特殊属性编辑器");

    LONG style = StyleOf(dlg_);
    EXPECT_TRUE(HasAll(style, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_TRUE(GetWindowLongW(dlg_, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dlg_, WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_STREQ(font.lfFaceName, L"MS Shell Dlg");
    // The default character set lets the system pick a face with Chinese glyphs.
    EXPECT_EQ(template_.FontCharset(), DEFAULT_CHARSET);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(std::abs(font.lfHeight), MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);
}

TEST_F(DialogTemplateTest, EveryParameterControlHasItsClassAndStyles) {
    int edits = 0;
    for (const params::ParamDesc& p : params::Catalogue()) {
        SCOPED_TRACE(p.name);
        HWND c = GetDlgItem(dlg_, p.id);
        ASSERT_NE(c, nullptr);
        LONG style = StyleOf(c);
        EXPECT_TRUE(HasAll(style, WS_CHILD | WS_VISIBLE | WS_TABSTOP));
        switch (p.kind) {
        case params::Kind::Number:
        case params::Kind::Name:
            ++edits;
            EXPECT_EQ(ClassOf(c), L"Edit");
            EXPECT_TRUE(style & ES_AUTOHSCROLL);
            EXPECT_TRUE(template_.StyleOf(p.id) & WS_BORDER);
            EXPECT_EQ((style & ES_NUMBER) != 0, p.digitsOnly);
            EXPECT_EQ(style & ES_MULTILINE, 0);
            break;
        case params::Kind::ModeChoice:
        case params::Kind::YesNoChoice: {
            EXPECT_EQ(ClassOf(c), L"ComboBox");
            EXPECT_TRUE(style & CBS_SORT);
            // The live combo box passes the scroll bar on to its list, which
            // drops it while there is nothing to scroll.
            EXPECT_TRUE(template_.StyleOf(p.id) & WS_VSCROLL);
            // The mode list admits no typing; the portrait choice does.
            LONG type = p.kind == params::Kind::ModeChoice ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
            EXPECT_EQ(style & 3, type);
            break;
        }
        case params::Kind::Switch:
            EXPECT_EQ(ClassOf(c), L"Button");
            EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX);
            EXPECT_EQ(TextOf(c), Widen(p.label));
            break;
        case params::Kind::Colour: {
            EXPECT_EQ(ClassOf(c), L"Button");
            EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW);
            // Its name for a screen reader: the label beside it.
            std::string_view name = p.label;
            if (name.ends_with(':')) name.remove_suffix(1);
            EXPECT_EQ(TextOf(c), Widen(name));
            break;
        }
        case params::Kind::Table:
            EXPECT_EQ(ClassOf(c), WC_LISTVIEWW);
            EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
            EXPECT_EQ(style & LVS_SINGLESEL, 0);
            EXPECT_TRUE(template_.StyleOf(p.id) & WS_BORDER);
            break;
        }
    }
    // The template has no box the catalogue does not know.
    EXPECT_EQ(std::ranges::count(Children(), std::wstring(L"Edit"), ClassOf), edits);
}

TEST_F(DialogTemplateTest, CommandButtonsArePlainPushButtonsWithTheirCaptions) {
    for (const params::CommandButton& b : params::kCommandButtons) {
        HWND c = GetDlgItem(dlg_, b.id);
        ASSERT_NE(c, nullptr) << b.id;
        EXPECT_EQ(ClassOf(c), L"Button");
        EXPECT_EQ(StyleOf(c) & BS_TYPEMASK, BS_PUSHBUTTON) << b.id;
        EXPECT_EQ(TextOf(c), Widen(b.caption));
    }
    // Nothing answers Enter as a default button.
    EXPECT_EQ(GetDlgItem(dlg_, IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(dlg_, IDCANCEL), nullptr);
    for (HWND c : Children())
        if (ClassOf(c) == L"Button") {
            EXPECT_NE(StyleOf(c) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        }
}

TEST_F(DialogTemplateTest, EveryControlStandsAtItsPlace) {
    for (const Placement& p : kTabOrder) {
        SCOPED_TRACE(p.id);
        HWND c = GetDlgItem(dlg_, p.id);
        ASSERT_NE(c, nullptr);
        RECT actual = PlaceOf(c);
        RECT expected = DialogUnits(p.x, p.y, p.w, p.h);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        EXPECT_EQ(actual.right, expected.right);
        // A combo box's template height includes its drop-down.
        if (ClassOf(c) != L"ComboBox") {
            EXPECT_EQ(actual.bottom, expected.bottom);
        }
    }
}

TEST_F(DialogTemplateTest, GroupBoxesHaveTheirCaptionsAndPlaces) {
    std::vector<HWND> boxes;
    for (HWND c : Children())
        if (IsGroupBox(c)) boxes.push_back(c);
    ASSERT_EQ(boxes.size(), std::size(kGroupBoxes));
    for (size_t i = 0; i < boxes.size(); ++i) {
        const GroupBox& g = kGroupBoxes[i];
        EXPECT_EQ(TextOf(boxes[i]), g.caption);
        RECT actual = PlaceOf(boxes[i]);
        RECT expected = DialogUnits(g.x, g.y, g.w, g.h);
        EXPECT_TRUE(EqualRect(&actual, &expected)) << i;
    }
}

TEST_F(DialogTemplateTest, LabelsStayClearOfTheControls) {
    std::vector<HWND> controls, labels;
    for (HWND c : Children()) {
        if (GetDlgCtrlID(c) != -1)
            controls.push_back(c);
        else if (!IsGroupBox(c))
            labels.push_back(c);
    }
    ASSERT_EQ(controls.size(), size_t{kTabStops});
    for (HWND label : labels) {
        EXPECT_EQ(ClassOf(label), L"Static");
        RECT l = PlaceOf(label), overlap;
        for (HWND c : controls) {
            RECT r = PlaceOf(c);
            EXPECT_FALSE(IntersectRect(&overlap, &l, &r))
                << "label \"" << Narrow(TextOf(label))
                << "\" covers control " << GetDlgCtrlID(c);
        }
    }
}

TEST_F(DialogTemplateTest, TabWalksTheControlsInOrderAndWraps) {
    int stops = 0;
    for (HWND c : Children()) {
        bool hasId = GetDlgCtrlID(c) != -1;
        EXPECT_EQ((StyleOf(c) & WS_TABSTOP) != 0, hasId) << GetDlgCtrlID(c);
        stops += hasId;
    }
    EXPECT_EQ(stops, kTabStops);

    // The first tab stop is where the dialog puts the focus at the start.
    HWND at = GetNextDlgTabItem(dlg_, nullptr, FALSE);
    ASSERT_NE(at, nullptr);
    EXPECT_EQ(GetDlgCtrlID(at), kTabOrder[0].id);
    for (int step = 1; step <= kTabStops; ++step) {
        at = GetNextDlgTabItem(dlg_, at, FALSE);
        ASSERT_NE(at, nullptr);
        EXPECT_EQ(GetDlgCtrlID(at), kTabOrder[step % kTabStops].id) << "step " << step;
    }
}

// What a screen reader hears for a control: its name through the system's
// accessibility layer, which names a box by the label before it.
std::wstring AccessibleName(HWND control) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible))))
        return L"(none)";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::wstring result = SUCCEEDED(accessible->get_accName(self, &name)) && name ? name : L"";
    SysFreeString(name);
    accessible->Release();
    return result;
}

TEST_F(DialogTemplateTest, EveryBoxAndColourButtonIsNamedByItsLabel) {
    for (const params::ParamDesc& p : params::Catalogue()) {
        if (p.kind != params::Kind::Number && p.kind != params::Kind::Name && p.kind != params::Kind::Colour) continue;
        std::wstring label = Widen(p.label);
        std::replace(label.begin(), label.end(), L'\n', L' ');
        std::wstring name = AccessibleName(GetDlgItem(dlg_, p.id));
        std::replace(name.begin(), name.end(), L'\n', L' ');
        // A box in a column of boxes is named by its column's heading, which is part of its label.
        EXPECT_FALSE(name.empty()) << p.name;
        EXPECT_NE(label.find(name), std::wstring::npos) << p.name << ": " << Narrow(name);
        if (p.kind == params::Kind::Colour) {
            EXPECT_TRUE(label.starts_with(name) && label.size() - name.size() <= 1);
        }
    }
}

TEST(ResourceTest, IconGroupHoldsThreeSizesAtThreeDepthsAndLoadsAtEachSize) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDI_APP), RT_GROUP_ICON);
    ASSERT_NE(found, nullptr);
    const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    const WORD count = *reinterpret_cast<const WORD*>(dir + 4);
    std::set<std::pair<int, int>> images;  // (size, bits per pixel)
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = dir + 6 + 14 * i;  // packed 14-byte directory entries
        EXPECT_EQ(entry[0], entry[1]);
        images.emplace(entry[0], *reinterpret_cast<const WORD*>(entry + 6));
    }
    EXPECT_EQ(count, 9);
    EXPECT_EQ(images, (std::set<std::pair<int, int>>{
                          {16, 4}, {16, 8}, {16, 24}, {32, 4}, {32, 8}, {32, 24}, {48, 4}, {48, 8}, {48, 24}}));

    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(
            LoadImageW(module, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm{};
        GetObjectW(info.hbmColor, sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, size);
        EXPECT_EQ(bm.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(ResourceTest, VersionInformationNamesQuillet1001) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    ASSERT_NE(found, nullptr);
    const BYTE* block = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    const DWORD blockSize = SizeofResource(module, found);

    // Length, value length and type words, the key "VS_VERSION_INFO", padding to 4 bytes.
    const auto* fixed = reinterpret_cast<const VS_FIXEDFILEINFO*>(block + 40);
    ASSERT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);

    // A string entry is its key, padding to 4 bytes, then its value.
    std::wstring_view all(reinterpret_cast<const wchar_t*>(block), blockSize / 2);
    auto valueOf = [&](std::wstring_view key) -> std::wstring {
        size_t at = all.find(std::wstring(key) + L'\0');
        if (at == std::wstring_view::npos) return L"(missing)";
        at += key.size() + 1;
        if (at % 2) ++at;  // the value starts on a 4-byte boundary
        return std::wstring(all.substr(at).data());
    };
    EXPECT_EQ(valueOf(L"FileVersion"), L"1.0.0.1");
    EXPECT_EQ(valueOf(L"ProductVersion"), L"1.0.0.1");
    EXPECT_EQ(valueOf(L"OriginalFilename"), L"Quillet.exe");
    EXPECT_EQ(valueOf(L"InternalName"), L"Quillet.exe");
}

TEST(ResourceTest, ManifestBringsInCommonControls6) {
    wchar_t path[MAX_PATH] = {};
    HMODULE comctl = LoadLibraryW(L"comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    GetModuleFileNameW(comctl, path, MAX_PATH);
    std::wstring file = path;
    for (wchar_t& c : file) c = static_cast<wchar_t>(std::towlower(c));
    EXPECT_NE(file.find(L"common-controls_6595b64144ccf1df_6."), std::wstring::npos)
        << Narrow(path);
    FreeLibrary(comctl);
}

}  // namespace
