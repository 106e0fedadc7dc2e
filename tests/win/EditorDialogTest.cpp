// The editor dialog created modeless from its real template, driven with
// messages and read back through the controls' own messages.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "EditorFixture.h"
#include "Fields.h"
#include "MemoryDc.h"
#include "MemoryDialog.h"
#include "ParameterFile.h"
#include "TextCodec.h"
#include "Document.h"
#include "Walks.h"

using params::Narrow;
using params::Widen;
namespace fs = std::filesystem;

namespace {

const std::wstring kCaption = L"RPG特殊属性编辑器 V1.6 by Tessiv";

// A drop of one file as the shell hands it over; the receiver frees it.
HDROP DropOf(const std::wstring& path) {
    const std::size_t size = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::copy(path.begin(), path.end(), reinterpret_cast<wchar_t*>(drop + 1));  // two zeros end the list
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// The text colour the dialog gives a box when it paints.
COLORREF TextColourOf(HWND dialog, HWND box) {
    MemoryDc device(4, 4, RGB(255, 255, 255));
    SetTextColor(device.Dc(), RGB(1, 2, 3));
    SendMessageW(dialog, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(device.Dc()), reinterpret_cast<LPARAM>(box));
    return GetTextColor(device.Dc());
}

// The range tip the dialog gives the box, if any.
std::wstring TipOf(HWND dialog, HWND box) {
    wchar_t text[80] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(box);
    tool.lpszText = text;
    return SendMessageW(RangeTipOf(dialog), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) ? text : L"";
}

std::vector<unsigned char> CoreBytes(const params::IControlAccess& controls) {
    params::VectorSink sink;
    EXPECT_TRUE(params::EncodeParameterFile(params::ReadControls(controls), sink));
    return {sink.data.begin(), sink.data.end()};
}

using EditorDialog = EditorFixture;

TEST_F(EditorDialog, StartsWithEveryTextAndLimitOfTheCatalogue) {
    EXPECT_EQ(TextOf(hwnd_), L"RPG特殊属性编辑器 V1.6 by Tessiv");
    for (const params::ParamDesc& p : params::Catalogue()) {
        if (p.kind != params::Kind::Number && p.kind != params::Kind::Name) continue;
        EXPECT_EQ(TextOf(Item(p.id)), Widen(p.defaultText)) << p.name;
        EXPECT_EQ(SendMessageW(Item(p.id), EM_GETLIMITTEXT, 0, 0), p.limit) << p.name;
    }
}

TEST_F(EditorDialog, StartsWithTheIconsAndTheFocusOnTheFirstBox) {
    const HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(hwnd_, WM_GETICON, ICON_BIG, 0)), icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(hwnd_, WM_GETICON, ICON_SMALL, 0)), icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(hwnd_, WM_QUERYDRAGICON, 0, 0)), icon);
    EXPECT_EQ(GetFocus(), Item(IDC_LEVELUP_HP0));
}

TEST_F(EditorDialog, StartsWithTheChoiceItemsSelectionsAndSwitch) {
    const HWND modes = Item(IDC_HERO_ANIMATION_MODE);
    ASSERT_EQ(SendMessageW(modes, CB_GETCOUNT, 0, 0), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ComboItem(modes, i), Widen(params::kModeNames[i]));
    EXPECT_EQ(SendMessageW(modes, CB_GETCURSEL, 0, 0), 4);

    ASSERT_EQ(SendMessageW(Item(IDC_USE_PORTRAIT), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(ComboItem(Item(IDC_USE_PORTRAIT), 0), L"否");
    EXPECT_EQ(ComboItem(Item(IDC_USE_PORTRAIT), 1), L"是");
    EXPECT_EQ(SendMessageW(Item(IDC_USE_PORTRAIT), CB_GETCURSEL, 0, 0), 1);

    EXPECT_EQ(SendMessageW(Item(IDC_ADVANCED_ENABLED), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(EditorDialog, SwatchesHoldAndPaintTheirStartColours) {
    int swatches = 0;
    for (const params::ParamDesc& p : params::Catalogue()) {
        if (p.kind != params::Kind::Colour) continue;
        ++swatches;
        EXPECT_EQ(dlg_.GetColor(p.id), p.defaultColor) << p.name;
        // The dialog hands WM_DRAWITEM to the swatch object, which paints its
        // colour in the swatch left of the separator, from 5 pixels in.
        RECT rc;
        GetClientRect(Item(p.id), &rc);
        MemoryDc device(rc.right, rc.bottom, RGB(255, 0, 255));  // a colour no swatch starts with
        SendMessageW(Item(p.id), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(device.Dc()), PRF_CLIENT);
        EXPECT_EQ(device.At(7, rc.bottom / 2), p.defaultColor) << p.name;
    }
    EXPECT_EQ(swatches, 9);
}

TEST_F(EditorDialog, TableStartsEmptyWithItsStylesAndColumns) {
    const HWND list = Item(IDC_SPRITE_TABLE);
    EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & 0x21, 0x21);
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
    for (int i = 0; i < params::kTableColumnCount; ++i) {  // their widths: TextFitTest
        wchar_t heading[32] = {};
        LVCOLUMNW c{};
        c.mask = LVCF_FMT | LVCF_TEXT;
        c.pszText = heading;
        c.cchTextMax = 32;
        ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&c)));
        EXPECT_EQ(heading, Widen(params::kTableColumns[i].heading));
        EXPECT_EQ(c.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    }
    LVCOLUMNW extra{};
    extra.mask = LVCF_WIDTH;
    EXPECT_FALSE(SendMessageW(list, LVM_GETCOLUMNW, params::kTableColumnCount, reinterpret_cast<LPARAM>(&extra)));
}

TEST_F(EditorDialog, QuickSaveWritesTheCoreBytesForTheStartValues) {
    params::MemoryDialog memory;
    params::ApplyDefaults(memory);

    Click(IDC_QUICK_SAVE);
    ASSERT_EQ(prompts_.messages, std::vector<std::wstring>{L"保存完成"});
    EXPECT_EQ(prompts_.owners.back(), hwnd_);
    const auto base = ReadBytes(folder_.Path() / "set.prm");
    EXPECT_EQ(base.size(), 118u);
    EXPECT_EQ(base, CoreBytes(memory));

    Check(IDC_ADVANCED_ENABLED, true);
    memory.SetChecked(IDC_ADVANCED_ENABLED, true);
    Click(IDC_QUICK_SAVE);
    const auto full = ReadBytes(folder_.Path() / "set.prm");
    EXPECT_EQ(full.size(), 170u);
    EXPECT_EQ(full, CoreBytes(memory));
}

// A file in which every value differs from the start values.
void WriteVariedFile(const std::string& path) {
    params::MemoryDialog memory;
    params::ApplyDefaults(memory);
    memory.SetChecked(IDC_ADVANCED_ENABLED, true);
    int n = 40;
    for (const params::ParamDesc& p : params::Catalogue()) {
        switch (p.kind) {
        case params::Kind::Number: memory.SetText(p.id, std::to_string(n++)); break;
        case params::Kind::Name: memory.SetText(p.id, "名" + std::to_string(n++)); break;
        case params::Kind::Colour: memory.SetColor(p.id, params::Rgb(n, n + 1, n + 2)), n += 3; break;
        default: break;
        }
    }
    memory.SelectChoiceItem(IDC_HERO_ANIMATION_MODE, 1);
    memory.SelectChoiceItem(IDC_USE_PORTRAIT, 0);
    memory.SetRows(IDC_SPRITE_TABLE, {{"1", "魔法", "10", "20"}, {"2", "道具", "11", "21"}, {"3", "魔法", "12", "22"}});
    (void)params::Document().Save(path, memory);
    ASSERT_EQ(memory.messages.back(), params::kSaveDone);
}

TEST_F(EditorDialog, QuickLoadRestoresEveryControl) {
    WriteVariedFile("set.prm");
    const auto file = ReadBytes(folder_.Path() / "set.prm");
    Check(IDC_ADVANCED_ENABLED, true);

    Click(IDC_QUICK_LOAD);
    ASSERT_EQ(prompts_.messages, std::vector<std::wstring>{L"读取完成"});
    EXPECT_EQ(TextOf(Item(IDC_LEVELUP_HP0)), L"40");
    EXPECT_EQ(SendMessageW(Item(IDC_HERO_ANIMATION_MODE), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageW(Item(IDC_USE_PORTRAIT), CB_GETCURSEL, 0, 0), 0);
    ASSERT_EQ(SendMessageW(Item(IDC_SPRITE_TABLE), LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(Cell(1, 0), L"2");
    EXPECT_EQ(Cell(1, 1), L"道具");
    EXPECT_EQ(Cell(2, 3), L"22");
    // Every control now holds what the file holds: saving gives the file back.
    EXPECT_EQ(CoreBytes(dlg_), file);
}

TEST_F(EditorDialog, QuickLoadWithoutAFileChangesNothing) {
    const auto before = CoreBytes(dlg_);
    Click(IDC_QUICK_LOAD);
    EXPECT_EQ(prompts_.messages, std::vector<std::wstring>{L"读取错误"});
    EXPECT_EQ(CoreBytes(dlg_), before);
}

TEST_F(EditorDialog, CancelledFileDialogsDoNothing) {
    Click(IDC_SAVE);
    Click(IDC_LOAD);
    EXPECT_TRUE(prompts_.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "set.prm"));
    ASSERT_EQ(prompts_.asked.size(), 2u);
    for (const framework::FileDialogSettings& s : prompts_.asked) {
        EXPECT_EQ(s.defaultExt, L"prm");
        EXPECT_EQ(s.fileName, L"set.prm");
        EXPECT_EQ(s.filter, L"Prm Files (*.prm)|*.prm||");
        EXPECT_EQ(s.flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
        EXPECT_EQ(s.flags & OFN_NOCHANGEDIR, 0u);
    }
    EXPECT_FALSE(prompts_.asked[0].open);
    EXPECT_TRUE(prompts_.asked[1].open);
}

TEST_F(EditorDialog, QuickFilesStayInTheFolderOfTheLastFileChosen) {
    const std::filesystem::path start = folder_.Path(), elsewhere = start / L"别处";
    std::filesystem::create_directory(elsewhere);
    prompts_.browseTo = elsewhere.wstring();
    Click(IDC_LOAD);  // browsed elsewhere, then cancelled
    ASSERT_EQ(std::filesystem::current_path(), elsewhere);
    Click(IDC_QUICK_SAVE);
    EXPECT_TRUE(std::filesystem::exists(start / "set.prm"));
    EXPECT_FALSE(std::filesystem::exists(elsewhere / "set.prm"));

    prompts_.answer = (elsewhere / "a.prm").wstring();
    prompts_.browseTo = start.wstring();
    Click(IDC_SAVE);
    Click(IDC_QUICK_SAVE);
    EXPECT_TRUE(std::filesystem::exists(elsewhere / "set.prm"));
    std::filesystem::remove(start / "set.prm");
    Click(IDC_QUICK_LOAD);
    EXPECT_EQ(prompts_.messages, (std::vector<std::wstring>{L"保存完成", L"保存完成", L"保存完成", L"读取完成"}));
}

// The real file dialogs driven a step at each tick of a thread timer: the
// text typed into the name box (none: the name shown stays) and OK, then
// Cancel while the dialog is still up.
struct BrowseThenCancel {
    std::wstring folder;
    int step = 0;
};
BrowseThenCancel* g_browse = nullptr;

BOOL CALLBACK FindFileDialog(HWND window, LPARAM found) {
    if (ClassOf(window) == L"#32770" && GetDlgItem(window, IDC_QUICK_SAVE) == nullptr) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK DriveFileDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindFileDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    if (g_browse->step++ == 0) {
        if (!g_browse->folder.empty()) SetDlgItemTextW(dialog, cmb13, g_browse->folder.c_str());
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        return;
    }
    KillTimer(nullptr, timer);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
}

// The real file dialogs; everything else answered as by a person.
class CRealFileDialogs final : public IEditorPrompts {
public:
    void ShowMessage(HWND, const std::wstring& text) override { messages.push_back(text); }
    int Ask(HWND, const std::wstring&, UINT) override { return reply; }
    std::optional<std::wstring> ChooseFile(HWND owner, const framework::FileDialogSettings& settings) override {
        return SystemPrompts().ChooseFile(owner, settings);
    }
    std::optional<COLORREF> AskColor(HWND, const framework::ColorDialogSettings&) override { return std::nullopt; }
    std::vector<std::wstring> messages;
    int reply = IDCANCEL;
};

TEST(SystemFileDialog, BrowsingElsewhereAndCancellingLeavesTheQuickFolder) {
    CTempFolder folder;
    const std::filesystem::path elsewhere = folder.Path() / L"别处";
    std::filesystem::create_directory(elsewhere);
    CRealFileDialogs prompts;
    CAttrEditorDlg dlg{prompts};
    ASSERT_TRUE(dlg.Create());
    BrowseThenCancel script{elsewhere.wstring()};
    g_browse = &script;
    SetTimer(nullptr, 0, 50, DriveFileDialog);
    SendMessageW(dlg.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_LOAD, BN_CLICKED), 0);
    g_browse = nullptr;
    EXPECT_EQ(script.step, 2);
    EXPECT_EQ(std::filesystem::current_path(), elsewhere);  // where the dialog left the process
    SendMessageW(dlg.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_QUICK_SAVE, BN_CLICKED), 0);
    EXPECT_EQ(prompts.messages, std::vector<std::wstring>{L"保存完成"});
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "set.prm"));
    EXPECT_FALSE(std::filesystem::exists(elsewhere / "set.prm"));
    DestroyWindow(dlg.GetSafeHwnd());
}

// On a file whose folder and name are too long for the dialog together, 是
// on the close question opens it where the system chooses, with the name,
// and its OK saves there.
TEST(SystemFileDialog, YesOnAFileWithAPathTooLongForTheDialogOpensItElsewhere) {
    CTempFolder temp;
    const fs::path folder = temp.Path() / std::wstring(240 - temp.Path().wstring().size(), L'长');
    const fs::path file = folder / (std::wstring(30, L'名') + L".prm");
    fs::create_directories(folder);
    params::MemoryDialog memory;
    params::ApplyDefaults(memory);
    ASSERT_TRUE(params::Document().Save(Narrow(file.wstring()), memory));

    CRealFileDialogs prompts;
    prompts.reply = IDYES;
    CAttrEditorDlg dlg{prompts};
    dlg.OpenAtStart(file.wstring());
    ASSERT_TRUE(dlg.Create());
    SetWindowTextW(GetDlgItem(dlg.GetSafeHwnd(), IDC_LEVELUP_HP0), L"7");
    BrowseThenCancel script;  // OK on the name shown
    g_browse = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, DriveFileDialog);
    SendMessageW(dlg.GetSafeHwnd(), WM_CLOSE, 0, 0);
    KillTimer(nullptr, timer);
    g_browse = nullptr;
    EXPECT_EQ(prompts.messages, std::vector<std::wstring>{L"保存完成"});
    EXPECT_EQ(ReadBytes(temp.Path() / file.filename()).at(0), 7);
    EXPECT_FALSE(IsWindow(dlg.GetSafeHwnd()));
}

TEST_F(EditorDialog, AChineseNameSurvivesSaveAndLoadUnderAChineseFileName) {
    const std::wstring path = (folder_.Path() / L"参数.prm").wstring();
    SetWindowTextW(Item(IDC_EQUIP_SLOT0), L"长剑");
    prompts_.answer = path;
    Click(IDC_SAVE);
    SetWindowTextW(Item(IDC_EQUIP_SLOT0), L"x");
    Click(IDC_LOAD);
    EXPECT_EQ(prompts_.messages, (std::vector<std::wstring>{L"保存完成", L"读取完成"}));
    EXPECT_EQ(TextOf(Item(IDC_EQUIP_SLOT0)), L"长剑");
    const auto bytes = ReadBytes(path);
    const std::string utf8 = params::Narrow(L"长剑");
    ASSERT_GE(bytes.size(), 12u + 2 + utf8.size());
    EXPECT_EQ(std::string(bytes.begin() + 14, bytes.begin() + 14 + utf8.size()), utf8);  // UTF-8 in the file
}

// A save replaces the file's bytes, not what the system keeps about it: its
// attributes stay. A read-only file is not replaced.
TEST_F(EditorDialog, ASaveKeepsTheFilesAttributes) {
    const std::wstring path = (folder_.Path() / L"set.prm").wstring();
    Click(IDC_QUICK_SAVE);
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), kept));
    SetWindowTextW(Item(IDC_LEVELUP_HP0), L"77");
    Click(IDC_QUICK_SAVE);
    EXPECT_EQ(GetFileAttributesW(path.c_str()) & (kept | FILE_ATTRIBUTE_READONLY), kept);
    EXPECT_EQ(ReadBytes(path).at(0), 77);

    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    SetWindowTextW(Item(IDC_LEVELUP_HP0), L"78");
    Click(IDC_QUICK_SAVE);
    EXPECT_EQ(prompts_.messages, (std::vector<std::wstring>{L"保存完成", L"保存完成", L"保存错误"}));
    EXPECT_EQ(ReadBytes(path).at(0), 77);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A name in another encoding loads repaired, each bad byte as U+FFFD, cut to
// what the field holds: the box shows what a save writes, and the save works.
TEST_F(EditorDialog, ANameThatIsNotUtf8LoadsAndSaves) {
    std::vector<std::uint8_t> bytes = {6, 5, 4, 2, 3, 4, 30, 7, 0, 0, 0, 99, 0, 100};
    bytes.insert(bytes.end(), 100, 0xFF);
    Click(IDC_QUICK_SAVE);  // the rest comes from the start-up file
    const auto startup = ReadBytes(folder_.Path() / "set.prm");
    bytes.insert(bytes.end(), startup.begin() + 20, startup.end());
    ASSERT_TRUE(params::WriteFileAtomically((folder_.Path() / "set.prm").string(), bytes));

    Click(IDC_QUICK_LOAD);
    EXPECT_EQ(TextOf(Item(IDC_EQUIP_SLOT0)), std::wstring(85, L'\xFFFD'));
    Click(IDC_QUICK_SAVE);
    EXPECT_EQ(prompts_.messages, (std::vector<std::wstring>{L"保存完成", L"读取完成", L"保存完成"}));
    EXPECT_EQ(ReadBytes(folder_.Path() / "set.prm").size(), startup.size() - 8 + 2 + 255);
}

TEST_F(EditorDialog, NameBoxesLimitTypingInCodePage936Bytes) {
    const HWND name = Item(IDC_EQUIP_SLOT0);
    SetWindowTextW(name, L"");
    for (wchar_t c : std::wstring(L"铠甲手")) SendMessageW(name, WM_CHAR, c, 1);
    EXPECT_EQ(TextOf(name), L"铠甲");  // the other ways text comes in: TextLimitTest
}

TEST_F(EditorDialog, EnterAndEscKeepTheEditorOpenAndCloseEndsIt) {
    SendMessageW(hwnd_, WM_COMMAND, IDOK, 0);
    SendMessageW(hwnd_, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(IsWindow(hwnd_));
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd_));
    EXPECT_TRUE(prompts_.messages.empty());  // nothing changed: no question, no save
    EXPECT_TRUE(prompts_.questions.empty());
}

TEST_F(EditorDialog, AFileNamedAtStartOpensWholeAndNamesTheCaption) {
    const fs::path path = folder_.Path() / L"游戏 参数.prm";
    WriteVariedFile(Narrow(path.wstring()));
    CFakePrompts prompts;
    CAttrEditorDlg dlg{prompts};
    dlg.OpenAtStart(path.wstring());
    ASSERT_TRUE(dlg.Create());
    const HWND h = dlg.GetSafeHwnd();
    EXPECT_TRUE(prompts.messages.empty());  // the caption says it
    EXPECT_EQ(TextOf(h), L"游戏 参数.prm - " + kCaption);
    EXPECT_EQ(SendMessageW(GetDlgItem(h, IDC_ADVANCED_ENABLED), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(TextOf(GetDlgItem(h, IDC_LEVELUP_HP0)), L"40");
    EXPECT_EQ(SendMessageW(GetDlgItem(h, IDC_SPRITE_TABLE), LVM_GETITEMCOUNT, 0, 0), 3);
    SendMessageW(h, WM_COMMAND, MAKEWPARAM(IDC_QUICK_SAVE, BN_CLICKED), 0);
    EXPECT_EQ(ReadBytes(folder_.Path() / "set.prm"), ReadBytes(path));
    EXPECT_EQ(TextOf(h), L"set.prm - " + kCaption);

    CFakePrompts brokenPrompts;
    CAttrEditorDlg broken{brokenPrompts};
    broken.OpenAtStart((folder_.Path() / L"none.prm").wstring());
    ASSERT_TRUE(broken.Create());
    EXPECT_EQ(brokenPrompts.messages, std::vector<std::wstring>{L"读取错误"});
    EXPECT_EQ(TextOf(broken.GetSafeHwnd()), kCaption);
    EXPECT_EQ(TextOf(GetDlgItem(broken.GetSafeHwnd(), IDC_LEVELUP_HP0)), L"6");
}

TEST_F(EditorDialog, ADroppedFileOpensWholeAndReportsAsALoadDoes) {
    std::FILE* cut = _wfopen(L"cut.prm", L"wb");
    std::fputs("abc", cut);
    std::fclose(cut);
    SetWindowTextW(Item(IDC_LEVELUP_HP0), L"77");
    SendMessageW(hwnd_, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf((folder_.Path() / L"cut.prm").wstring())), 0);
    EXPECT_EQ(prompts_.messages, std::vector<std::wstring>{L"读取错误"});
    EXPECT_EQ(TextOf(Item(IDC_LEVELUP_HP0)), L"77");

    const fs::path path = folder_.Path() / L"拖入 的.prm";
    WriteVariedFile(Narrow(path.wstring()));
    SendMessageW(hwnd_, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(path.wstring())), 0);
    EXPECT_EQ(prompts_.messages.back(), L"读取完成");
    EXPECT_EQ(SendMessageW(Item(IDC_ADVANCED_ENABLED), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(TextOf(Item(IDC_LEVELUP_HP0)), L"40");
    EXPECT_EQ(CoreBytes(dlg_), ReadBytes(path));
    PumpMessages();
    EXPECT_EQ(TextOf(hwnd_), L"拖入 的.prm - " + kCaption);

    params::MemoryDialog startup;  // a base-only file shows no rows nor advanced values of the last one
    params::ApplyDefaults(startup);
    ASSERT_TRUE(params::Document().Save("base.prm", startup));
    SendMessageW(hwnd_, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf((folder_.Path() / L"base.prm").wstring())), 0);
    Check(IDC_ADVANCED_ENABLED, true);
    startup.SetChecked(IDC_ADVANCED_ENABLED, true);
    EXPECT_EQ(CoreBytes(dlg_), CoreBytes(startup));
}

TEST_F(EditorDialog, TheCaptionMarksWhatASaveWouldWriteDifferently) {
    PumpMessages();
    EXPECT_EQ(TextOf(hwnd_), kCaption);
    SetWindowTextW(Item(IDC_LEVELUP_HP0), L"7");
    PumpMessages();
    EXPECT_EQ(TextOf(hwnd_), L"*" + kCaption);
    SetWindowTextW(Item(IDC_LEVELUP_HP0), L"006");  // undone: saved as 6 again
    PumpMessages();
    EXPECT_EQ(TextOf(hwnd_), kCaption);
    SetWindowTextW(Item(IDC_DOUBLE_ATTACK), L"99");  // not saved while "使用" is clear
    PumpMessages();
    EXPECT_EQ(TextOf(hwnd_), kCaption);
    Check(IDC_ADVANCED_ENABLED, true);
    Click(IDC_ADVANCED_ENABLED);
    PumpMessages();
    EXPECT_EQ(TextOf(hwnd_), L"*" + kCaption);
    Click(IDC_QUICK_SAVE);
    PumpMessages();
    EXPECT_EQ(TextOf(hwnd_), L"set.prm - " + kCaption);
    SendMessageW(Item(IDC_HERO_ANIMATION_MODE), CB_SETCURSEL, 0, 0);
    SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(IDC_HERO_ANIMATION_MODE, CBN_SELCHANGE), 0);
    PumpMessages();
    EXPECT_EQ(TextOf(hwnd_), L"*set.prm - " + kCaption);

    // A colour picked in the colour dialog, whose own loop runs whatever is
    // queued before the colour is set, marks the caption too.
    Click(IDC_QUICK_SAVE);
    prompts_.whileUp = [](HWND) { PumpMessages(); };
    prompts_.colorAnswer = RGB(1, 2, 3);
    Click(IDC_ADVANCED_COLOR2);
    PumpMessages();
    EXPECT_EQ(TextOf(hwnd_), L"*set.prm - " + kCaption);
}

// Typing in a box is one step for Ctrl+Z, from the box or anywhere else, as
// it was typed; the mark follows, and 快取 over typed values comes back whole.
TEST_F(EditorDialog, CtrlZAndCtrlYTakeBackTypingAndALoadAndTheMarkFollows) {
    const HWND box = Item(IDC_MENU_ARROW_R);
    Click(IDC_QUICK_SAVE);
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
    for (wchar_t c : std::wstring(L"300")) {
        SendMessageW(box, WM_CHAR, c, 1);
        PumpMessages();
    }
    EXPECT_EQ(TextOf(hwnd_), L"*set.prm - " + kCaption);
    PressCtrl('Z', box);
    EXPECT_EQ(TextOf(box), L"0");
    EXPECT_EQ(TextOf(hwnd_), L"set.prm - " + kCaption);
    PressCtrl('Y', Item(IDC_HERO_ANIMATION_MODE));
    EXPECT_EQ(TextOf(box), L"300");  // as typed, though a save stores 44
    EXPECT_EQ(TextOf(hwnd_), L"*set.prm - " + kCaption);

    prompts_.reply = IDNO;  // load without saving
    Click(IDC_QUICK_LOAD);
    PumpMessages();
    EXPECT_EQ(TextOf(box), L"0");
    PressCtrl('Z', Item(IDC_QUICK_LOAD));
    EXPECT_EQ(TextOf(box), L"300");
    EXPECT_EQ(TextOf(hwnd_), L"*set.prm - " + kCaption);
    PressCtrl('Y', box);
    EXPECT_EQ(TextOf(box), L"0");
}

// With unsaved changes, 读取, 快取 and a drop ask first: Cancel changes
// nothing, No loads, Yes saves through the save dialog and then loads. A save
// over the file open here that another program changed since asks too.
TEST_F(EditorDialog, NoEditIsLostToALoadOrAnotherProgramsChangeToASave) {
    WriteVariedFile("set.prm");
    const auto varied = ReadBytes(folder_.Path() / "set.prm");
    SetWindowTextW(Item(IDC_LEVELUP_HP0), L"77");
    prompts_.reply = IDCANCEL;
    prompts_.answer = (folder_.Path() / L"set.prm").wstring();
    Click(IDC_QUICK_LOAD);
    Click(IDC_LOAD);
    SendMessageW(hwnd_, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(*prompts_.answer)), 0);
    EXPECT_EQ(prompts_.questions, std::vector<std::wstring>(3, L"参数已修改，是否保存？"));
    EXPECT_TRUE(prompts_.asked.empty() && prompts_.messages.empty());
    EXPECT_EQ(TextOf(Item(IDC_LEVELUP_HP0)), L"77");

    prompts_.reply = IDYES;
    prompts_.answer = (folder_.Path() / L"kept.prm").wstring();
    Click(IDC_QUICK_LOAD);
    EXPECT_EQ(prompts_.messages, (std::vector<std::wstring>{L"保存完成", L"读取完成"}));
    EXPECT_EQ(TextOf(Item(IDC_LEVELUP_HP0)), L"40");
    EXPECT_EQ(ReadBytes(folder_.Path() / "kept.prm")[0], 77);
    SetWindowTextW(Item(IDC_LEVELUP_HP0), L"78");
    prompts_.reply = IDNO;
    Click(IDC_QUICK_LOAD);
    EXPECT_EQ(TextOf(Item(IDC_LEVELUP_HP0)), L"40");

    auto changed = varied;
    changed[1] = 99;  // by another program, after the load
    std::FILE* file = _wfopen(L"set.prm", L"wb");
    std::fwrite(changed.data(), 1, changed.size(), file);
    std::fclose(file);
    prompts_.questions.clear();
    Click(IDC_QUICK_SAVE);  // No: nothing written
    prompts_.reply = CFakePrompts::kEnter;  // 否, the default
    Click(IDC_QUICK_SAVE);
    EXPECT_EQ(prompts_.questions, std::vector<std::wstring>(2, L"文件已被其他程序修改，是否覆盖？"));
    EXPECT_EQ(ReadBytes(folder_.Path() / "set.prm"), changed);
    prompts_.reply = IDYES;
    Click(IDC_QUICK_SAVE);
    EXPECT_EQ(ReadBytes(folder_.Path() / "set.prm"), CoreBytes(dlg_));
    EXPECT_EQ(ReadBytes(folder_.Path() / "set.prm")[1], varied[1]);

    ASSERT_TRUE(CreateHardLinkW(L"link.prm", L"set.prm", nullptr));  // the same file by another name
    file = _wfopen(L"set.prm", L"wb");
    std::fwrite(changed.data(), 1, changed.size(), file);
    std::fclose(file);
    prompts_.reply = IDNO;
    prompts_.answer = (folder_.Path() / L"link.prm").wstring();
    Click(IDC_SAVE);
    EXPECT_EQ(prompts_.questions, std::vector<std::wstring>(4, L"文件已被其他程序修改，是否覆盖？"));
    EXPECT_EQ(ReadBytes(folder_.Path() / "set.prm"), changed);
}

TEST_F(EditorDialog, ClosingWithUnsavedChangesAsksAndYesClosesOnlyOnceSaved) {
    fs::path folder = folder_.Path();  // the current file's path: 280 characters, whole only as folder and name
    while (folder.wstring().size() < 200) folder /= std::wstring(40, L'长');
    fs::create_directories(folder);
    const fs::path current = folder / (std::wstring(280 - folder.wstring().size() - 5, L'名') + L".prm");
    prompts_.answer = current.wstring();
    Click(IDC_SAVE);
    prompts_.answer.reset();
    SetWindowTextW(Item(IDC_LEVELUP_HP0), L"7");
    prompts_.reply = IDCANCEL;
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(hwnd_));
    EXPECT_EQ(prompts_.questions, std::vector<std::wstring>{L"参数已修改，是否保存？"});
    EXPECT_EQ(prompts_.asked.size(), 1u);

    prompts_.reply = IDYES;  // then the file dialog is cancelled
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(hwnd_));
    ASSERT_EQ(prompts_.asked.size(), 2u);
    EXPECT_FALSE(prompts_.asked[1].open);
    EXPECT_EQ(prompts_.asked[1].folder, folder.wstring() + L"\\");
    EXPECT_EQ(prompts_.asked[1].fileName, current.filename().wstring());

    prompts_.answer = L"";  // the file dialog failed, which is no cancel
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(hwnd_));
    EXPECT_EQ(prompts_.messages.back(), L"保存错误");

    prompts_.answer = folder_.Path().wstring();  // a folder: the save fails
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(hwnd_));
    EXPECT_EQ(prompts_.messages.back(), L"保存错误");

    prompts_.answer = (folder_.Path() / L"参数.prm").wstring();
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd_));
    EXPECT_EQ(prompts_.messages.back(), L"保存完成");
    EXPECT_EQ(ReadBytes(folder_.Path() / L"参数.prm").at(0), 7);
}

TEST_F(EditorDialog, NothingLoadsOrClosesBehindAModalBox) {
    WriteVariedFile("other.prm");
    std::vector<bool> acceptingDrops;
    prompts_.whileUp = [&](HWND editor) {  // a drop, a click of "快取", a close: all from elsewhere
        acceptingDrops.push_back(GetWindowLongW(editor, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
        SendMessageW(editor, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf((folder_.Path() / L"other.prm").wstring())), 0);
        Click(IDC_QUICK_LOAD);
        SendMessageW(editor, WM_CLOSE, 0, 0);
    };
    SetWindowTextW(Item(IDC_LEVELUP_HP0), L"77");
    Click(IDC_QUICK_SAVE);  // "保存完成" is up meanwhile
    EXPECT_EQ(TextOf(Item(IDC_LEVELUP_HP0)), L"77");
    SetWindowTextW(Item(IDC_LEVELUP_HP0), L"7");
    prompts_.reply = IDYES;
    prompts_.answer = (folder_.Path() / L"kept.prm").wstring();
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);  // the question, then "保存完成"
    EXPECT_FALSE(IsWindow(hwnd_));
    EXPECT_EQ(ReadBytes(folder_.Path() / L"kept.prm").at(0), 7);  // the edit the question was about
    EXPECT_EQ(prompts_.messages, (std::vector<std::wstring>{L"保存完成", L"保存完成"}));
    EXPECT_EQ(prompts_.questions.size(), 1u);
    EXPECT_EQ(acceptingDrops, std::vector<bool>(3, false));
}

TEST_F(EditorDialog, NoClosesWithoutWritingAnything) {
    SetWindowTextW(Item(IDC_LEVELUP_HP0), L"7");
    prompts_.reply = IDNO;
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd_));
    EXPECT_EQ(prompts_.questions.size(), 1u);
    EXPECT_TRUE(prompts_.asked.empty());
    EXPECT_TRUE(fs::is_empty(folder_.Path()));
}

TEST_F(EditorDialog, NumbersNotStoredAsTheyReadAreRedWithATipAndSavedAsBefore) {
    const COLORREF red = RGB(255, 0, 0);
    const HWND hp = Item(IDC_LEVELUP_HP0);
    for (const wchar_t* text : {L"300", L"abc", L"-1", L""}) {
        SetWindowTextW(hp, text);
        EXPECT_EQ(TextColourOf(hwnd_, hp), red) << text;
        EXPECT_EQ(TipOf(hwnd_, hp), L"取值范围0～255") << text;
    }
    for (const wchar_t* text : {L"255", L"0"}) {
        SetWindowTextW(hp, text);
        EXPECT_EQ(TextColourOf(hwnd_, hp), GetSysColor(COLOR_WINDOWTEXT)) << text;
        EXPECT_EQ(TipOf(hwnd_, hp), L"") << text;
    }
    SetWindowTextW(Item(IDC_EQUIP_SLOT0), L"abc");  // a name is stored as it reads
    EXPECT_NE(TextColourOf(hwnd_, Item(IDC_EQUIP_SLOT0)), red);

    SetWindowTextW(hp, L"300");
    Click(IDC_QUICK_SAVE);
    EXPECT_EQ(ReadBytes(folder_.Path() / "set.prm").at(0), 44);
}

TEST_F(EditorDialog, ADropDownSavesTheItemItShowsAndShowsTypedTextOfNoItemInRed) {
    const HWND edit = FindWindowExW(Item(IDC_USE_PORTRAIT), nullptr, L"Edit", nullptr);
    const params::ParamDesc& usePortrait = *params::FindParam(IDC_USE_PORTRAIT);
    const auto type = [&](wchar_t c) {  // over the whole text, as after Ctrl+A
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SendMessageW(edit, WM_CHAR, c, 1);
        PumpMessages();
    };
    type(L'是');  // the item shown already: typing cleared the list's selection
    EXPECT_EQ(params::ReadControls(dlg_)[usePortrait].byte, 1);
    EXPECT_EQ(SendMessageW(Item(IDC_USE_PORTRAIT), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(TipOf(hwnd_, edit), L"");
    type(L'x');
    EXPECT_EQ(TextColourOf(hwnd_, edit), RGB(255, 0, 0));
    EXPECT_EQ(TipOf(hwnd_, edit), L"请从列表中选择");
    EXPECT_EQ(params::ReadControls(dlg_)[usePortrait].byte, 0);  // as with no selection

    SendMessageW(Item(IDC_HERO_ANIMATION_MODE), WM_CHAR, L'1', 1);
    EXPECT_EQ(params::ReadControls(dlg_)[*params::FindParam(IDC_HERO_ANIMATION_MODE)].text, "1*1*1");
}

// The modal run: keys go through the real loop and its dialog-key handling.
CAttrEditorDlg* g_running = nullptr;

void CALLBACK PressKeysThenClose(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const HWND dlg = g_running->GetSafeHwnd();
    const HWND edit = GetDlgItem(dlg, IDC_LEVELUP_HP0);
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDC_QUICK_SAVE, BN_CLICKED), 0);
    PostMessageW(edit, WM_CHAR, L'1', 1);  // an edit after the save
    PostMessageW(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);  // Alt+F4, the close box
}

TEST(EditorModalRun, EnterAndEscInAnEditKeepItRunningAndCloseAsksThenEndsIt) {
    CTempFolder folder;
    CFakePrompts prompts;
    prompts.reply = IDNO;
    CAttrEditorDlg dlg{prompts};
    g_running = &dlg;
    SetTimer(nullptr, 0, 10, PressKeysThenClose);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    // The quick save posted after Enter and Esc still ran, so neither ended the run.
    EXPECT_EQ(prompts.messages, std::vector<std::wstring>{L"保存完成"});
    EXPECT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
}

// The real program, started as Explorer starts it for a file.
TEST(EditorProcess, OpensTheFileOnItsCommandLine) {
    CTempFolder folder;
    const fs::path file = folder.Path() / L"游戏 参数.prm";
    WriteVariedFile(Narrow(file.wstring()));
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const fs::path exe = fs::path(self).parent_path().parent_path().parent_path() / L"app" / L"Quillet.exe";
    std::wstring command = L"\"" + exe.wstring() + L"\" \"" + file.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.Path().c_str(),
                               &startup, &process));
    WaitForInputIdle(process.hProcess, 30000);
    HWND editor = nullptr;
    for (int tries = 0; !editor && tries < 300; ++tries) {
        for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, L"#32770", nullptr));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(h, &owner);
            if (owner == process.dwProcessId && IsWindowVisible(h)) editor = h;
        }
        if (!editor) Sleep(100);
    }
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(TextOf(editor), L"游戏 参数.prm - " + kCaption);
    EXPECT_EQ(SendMessageW(GetDlgItem(editor, IDC_ADVANCED_ENABLED), BM_GETCHECK, 0, 0), BST_CHECKED);
    wchar_t hp[8] = {};  // another process's box: GetWindowText would not ask it
    SendMessageW(GetDlgItem(editor, IDC_LEVELUP_HP0), WM_GETTEXT, 8, reinterpret_cast<LPARAM>(hp));
    EXPECT_STREQ(hp, L"40");
    PostMessageW(editor, WM_CLOSE, 0, 0);  // nothing changed: it ends without a question
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace
