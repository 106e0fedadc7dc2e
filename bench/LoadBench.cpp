// Loading the largest file (255 table rows) into the real editor dialog,
// against the platform's floor: a bare loop that puts the same values into
// the same controls of a bare dialog from the same template, the cheapest
// way the platform offers (redraw held, one direct message per control, the
// table filled with its redraw off). Two largest files that differ in every
// value take turns, so every control changes on every load. Both are timed
// in this process with the performance counter, one load per sample; the
// medians and their ratio are printed. Then, with 255 rows loaded, the cost
// of typing and pointing in each, the editor measuring its change mark.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "AttrEditorDlg.h"
#include "Catalogue.h"
#include "ControlIds.h"
#include "Fields.h"
#include "LargestFile.h"
#include "TextCodec.h"
#include "Walks.h"

namespace {

constexpr int kWarmUp = 10;
constexpr int kSamples = 101;

// Nothing waits for a person: the message is only kept, for checking.
class CQuietPrompts final : public IEditorPrompts {
public:
    void ShowMessage(HWND, const std::wstring& text) override { last = text; }
    std::optional<std::wstring> ChooseFile(HWND, const framework::FileDialogSettings&) override { return {}; }
    std::optional<COLORREF> AskColor(HWND, const framework::ColorDialogSettings&) override { return {}; }
    int Ask(HWND, const std::wstring&, UINT) override { return IDNO; }
    std::wstring last;
};

// What a load puts into each control, in the form the bare loop sends it.
struct Values {
    std::vector<std::pair<int, std::wstring>> texts;  // edits
    std::vector<std::pair<int, int>> selections;      // combo boxes
    std::vector<int> swatches;                        // owner-drawn buttons: repainted only
    std::vector<std::vector<std::wstring>> rows;
};

Values ValuesOf(const params::MemoryDialog& dlg) {
    Values v;
    for (const params::ParamDesc& p : params::Catalogue()) {
        switch (p.kind) {
        case params::Kind::Number:
        case params::Kind::Name: v.texts.emplace_back(p.id, params::Widen(dlg.GetText(p.id))); break;
        case params::Kind::ModeChoice:
        case params::Kind::YesNoChoice: v.selections.emplace_back(p.id, dlg.GetChoiceSelection(p.id)); break;
        case params::Kind::Colour: v.swatches.push_back(p.id); break;
        case params::Kind::Switch: break;
        case params::Kind::Table:
            for (const params::RowTexts& row : dlg.GetRows(p.id)) {
                v.rows.emplace_back();
                for (const std::string& cell : row) v.rows.back().push_back(params::Widen(cell));
            }
            break;
        }
    }
    return v;
}

bool WriteFile(const std::wstring& path, const params::MemoryDialog& dlg) {
    params::VectorSink out;
    if (!params::EncodeParameterFile(params::ReadControls(dlg), out)) return false;
    std::FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    const bool written = std::fwrite(out.data.data(), 1, out.data.size(), f) == out.data.size();
    return std::fclose(f) == 0 && written;
}

INT_PTR CALLBACK BareProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// A bare dialog from the editor's template, with the editor's columns and choice items.
HWND BareDialog() {
    const HWND dlg = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ATTR_EDITOR), nullptr,
                                        BareProc, 0);
    if (!dlg) return nullptr;
    const HWND list = GetDlgItem(dlg, IDC_SPRITE_TABLE);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int i = 0; i < params::kTableColumnCount; ++i) {
        std::wstring heading = params::Widen(params::kTableColumns[i].heading);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = LVCFMT_LEFT;
        column.cx = params::kTableColumns[i].width;
        column.pszText = heading.data();
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    for (const params::ParamDesc& p : params::Catalogue())
        for (std::string_view item : p.addOrder)
            SendDlgItemMessageW(dlg, p.id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(params::Widen(item).c_str()));
    return dlg;
}

// Handles found once, outside the timing, as the editor binds its controls once.
struct BareControls {
    HWND dialog;
    std::vector<HWND> texts, selections, swatches;
    HWND list;
};

BareControls Find(HWND dlg, const Values& v) {
    BareControls c{dlg, {}, {}, {}, GetDlgItem(dlg, IDC_SPRITE_TABLE)};
    for (const auto& [id, text] : v.texts) c.texts.push_back(GetDlgItem(dlg, id));
    for (const auto& [id, index] : v.selections) c.selections.push_back(GetDlgItem(dlg, id));
    for (int id : v.swatches) c.swatches.push_back(GetDlgItem(dlg, id));
    return c;
}

void FillBare(const BareControls& c, const Values& v) {
    SendMessageW(c.dialog, WM_SETREDRAW, FALSE, 0);
    for (std::size_t i = 0; i < v.texts.size(); ++i)
        SendMessageW(c.texts[i], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(v.texts[i].second.c_str()));
    for (std::size_t i = 0; i < v.selections.size(); ++i)
        SendMessageW(c.selections[i], CB_SETCURSEL, static_cast<WPARAM>(v.selections[i].second), 0);
    for (HWND swatch : c.swatches) InvalidateRect(swatch, nullptr, TRUE);
    SendMessageW(c.list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(c.list, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t r = 0; r < v.rows.size(); ++r) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(r);
        item.pszText = const_cast<wchar_t*>(v.rows[r][0].c_str());
        SendMessageW(c.list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (int col = 1; col < params::kTableColumnCount; ++col) {
            item.iSubItem = col;
            item.pszText = const_cast<wchar_t*>(v.rows[r][col].c_str());
            SendMessageW(c.list, LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
        }
    }
    SendMessageW(c.list, WM_SETREDRAW, TRUE, 0);
    SendMessageW(c.dialog, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(c.dialog, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// Whether the dialog shows v: the texts and the table compared, the rest trusted.
bool Shows(HWND dlg, const Values& v) {
    wchar_t text[512];
    for (const auto& [id, want] : v.texts)
        if (GetDlgItemTextW(dlg, id, text, 512) != want.size() || want != text) return false;
    const HWND list = GetDlgItem(dlg, IDC_SPRITE_TABLE);
    if (ListView_GetItemCount(list) != static_cast<int>(v.rows.size())) return false;
    for (std::size_t r = 0; r < v.rows.size(); r += 97)
        for (int col = 0; col < params::kTableColumnCount; ++col) {
            ListView_GetItemText(list, static_cast<int>(r), col, text, 512);
            if (v.rows[r][col] != text) return false;
        }
    return true;
}

double Now() {
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
}

// One burst of what a user does between two looks at the caption: a digit
// typed into a box and taken back, and the pointer moved over the dialog and
// the table. Posted, then the queue worked off as the dialog's loop would.
void TypeAndPoint(HWND dialog, HWND box, HWND list) {
    PostMessageW(box, WM_CHAR, L'1', 1);
    PostMessageW(box, WM_CHAR, VK_BACK, 1);
    for (int i = 0; i < 4; ++i) {
        PostMessageW(dialog, WM_MOUSEMOVE, 0, MAKELPARAM(40 + 20 * i, 40));
        PostMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(20 + 20 * i, 30));
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (IsDialogMessageW(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int Fail(const char* what) {
    std::fprintf(stderr, "load_bench: %s\n", what);
    return 1;
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::string files[2];
    Values values[2];
    for (int k = 0; k < 2; ++k) {
        const params::MemoryDialog dlg = LargestFileDialog(k);
        const std::wstring path = std::wstring(temp) + L"quillet-load-bench-" + std::to_wstring(k) + L".prm";
        if (!WriteFile(path, dlg)) return Fail("cannot write the files");
        files[k] = params::Narrow(path);
        values[k] = ValuesOf(dlg);
    }

    CQuietPrompts prompts;
    CAttrEditorDlg editor(prompts);
    if (!editor.Create()) return Fail("cannot create the editor dialog");
    SendDlgItemMessageW(editor.GetSafeHwnd(), IDC_ADVANCED_ENABLED, BM_SETCHECK, BST_CHECKED, 0);
    const HWND bare = BareDialog();
    if (!bare) return Fail("cannot create the bare dialog");
    // Both shown, as the editor is while a user loads a file.
    ShowWindow(editor.GetSafeHwnd(), SW_SHOWNOACTIVATE);
    ShowWindow(bare, SW_SHOWNOACTIVATE);
    const BareControls bareControls = Find(bare, values[0]);

    const std::wstring done = params::Widen(params::kLoadDone);
    std::vector<double> loads, fills;
    for (int i = 0; i < kWarmUp + kSamples; ++i) {
        const int k = i % 2;
        prompts.last.clear();
        const double t0 = Now();
        editor.LoadParameterFile(files[k]);
        const double t1 = Now();
        FillBare(bareControls, values[k]);
        const double t2 = Now();
        if (prompts.last != done || !Shows(editor.GetSafeHwnd(), values[k]))
            return Fail("the editor did not load the file");
        if (!Shows(bare, values[k])) return Fail("the bare loop lost values");
        if (i < kWarmUp) continue;
        loads.push_back(t1 - t0);
        fills.push_back(t2 - t1);
    }
    // With the last file loaded in both: typing and pointing, where the
    // editor measures its change mark again and the bare dialog does nothing.
    const HWND editorBox = GetDlgItem(editor.GetSafeHwnd(), IDC_LEVELUP_HP0);
    const HWND bareBox = GetDlgItem(bare, IDC_LEVELUP_HP0);
    std::vector<double> typed, bareTyped;
    for (int i = 0; i < kWarmUp + kSamples; ++i) {
        const double t0 = Now();
        TypeAndPoint(editor.GetSafeHwnd(), editorBox, GetDlgItem(editor.GetSafeHwnd(), IDC_SPRITE_TABLE));
        const double t1 = Now();
        TypeAndPoint(bare, bareBox, bareControls.list);
        const double t2 = Now();
        if (i < kWarmUp) continue;
        typed.push_back(t1 - t0);
        bareTyped.push_back(t2 - t1);
    }
    DestroyWindow(bare);
    for (const std::string& file : files) DeleteFileW(params::Widen(file).c_str());

    const double load = Median(loads), fill = Median(fills);
    std::printf("Load of %zu rows and every other control into the editor: %.0f us; bare loop: %.0f us "
                "(medians of %d); ratio %.2f\n",
                values[0].rows.size(), load * 1e6, fill * 1e6, kSamples, load / fill);
    const double type = Median(typed), bareType = Median(bareTyped);
    std::printf("A digit typed and taken back, and the pointer moved, with %zu rows loaded: editor %.0f us "
                "(its change mark measured again); bare dialog: %.0f us (medians of %d); ratio %.2f\n",
                values[0].rows.size(), type * 1e6, bareType * 1e6, kSamples, type / bareType);
    return 0;
}
