// Loading the largest file (255 table rows) into the real editor dialog,
// against the platform's floor: a bare loop that puts the same rows' texts
// into the same list view of a dialog from the same template, with redrawing
// off. Both are timed in this process with the performance counter, one
// load per sample, alternating; the medians and their ratio are printed.
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
    std::wstring last;
};

using Rows = std::vector<std::vector<std::wstring>>;

// The texts the load puts into the table, cell by cell.
Rows TableTexts(const params::MemoryDialog& dlg) {
    Rows rows(static_cast<std::size_t>(dlg.GetRowCount(IDC_SPRITE_TABLE)));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < params::kTableColumnCount; ++c)
            rows[r].push_back(framework::Widen(dlg.GetCellText(IDC_SPRITE_TABLE, static_cast<int>(r), c)));
    return rows;
}

bool WriteLargestFile(const std::wstring& path) {
    params::VectorSink out;
    if (!params::EncodeParameterFile(params::ReadControls(LargestFileDialog()), out)) return false;
    std::FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    const bool written = std::fwrite(out.data.data(), 1, out.data.size(), f) == out.data.size();
    return std::fclose(f) == 0 && written;
}

INT_PTR CALLBACK BareProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The list view of a bare dialog from the editor's template, with the editor's columns.
HWND BareList(HWND dlg) {
    const HWND list = GetDlgItem(dlg, IDC_SPRITE_TABLE);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int i = 0; i < params::kTableColumnCount; ++i) {
        std::wstring heading = framework::Widen(params::kTableColumns[i].heading);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = LVCFMT_LEFT;
        column.cx = params::kTableColumns[i].width;
        column.pszText = heading.data();
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    return list;
}

void FillBare(HWND list, const Rows& rows) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(r);
        item.pszText = const_cast<wchar_t*>(rows[r][0].c_str());
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (int c = 1; c < params::kTableColumnCount; ++c) {
            item.iSubItem = c;
            item.pszText = const_cast<wchar_t*>(rows[r][c].c_str());
            SendMessageW(list, LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
        }
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
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
    const std::wstring path = std::wstring(temp) + L"quillet-load-bench.prm";
    if (!WriteLargestFile(path)) return Fail("cannot write the file");
    const Rows rows = TableTexts(LargestFileDialog());

    CQuietPrompts prompts;
    CAttrEditorDlg editor(prompts);
    if (!editor.Create()) return Fail("cannot create the editor dialog");
    SendDlgItemMessageW(editor.GetSafeHwnd(), IDC_ADVANCED_ENABLED, BM_SETCHECK, BST_CHECKED, 0);
    const HWND bare = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ATTR_EDITOR), nullptr,
                                         BareProc, 0);
    if (!bare) return Fail("cannot create the bare dialog");
    const HWND list = BareList(bare);

    const std::string file = framework::Narrow(path);
    const std::wstring done = framework::Widen(params::kLoadDone);
    const HWND editorList = GetDlgItem(editor.GetSafeHwnd(), IDC_SPRITE_TABLE);
    std::vector<double> loads, fills;
    for (int i = 0; i < kWarmUp + kSamples; ++i) {
        prompts.last.clear();
        const double t0 = Now();
        editor.LoadParameterFile(file);
        const double t1 = Now();
        FillBare(list, rows);
        const double t2 = Now();
        if (prompts.last != done || ListView_GetItemCount(editorList) != static_cast<int>(rows.size()))
            return Fail("the editor did not load the file");
        if (ListView_GetItemCount(list) != static_cast<int>(rows.size())) return Fail("the bare fill lost rows");
        if (i < kWarmUp) continue;
        loads.push_back(t1 - t0);
        fills.push_back(t2 - t1);
    }
    DestroyWindow(bare);
    DeleteFileW(path.c_str());

    const double load = Median(loads), fill = Median(fills);
    std::printf("Load of %zu rows into the editor: %.0f us; bare list fill: %.0f us (medians of %d); ratio %.2f\n",
                rows.size(), load * 1e6, fill * 1e6, kSamples, load / fill);
    return 0;
}
