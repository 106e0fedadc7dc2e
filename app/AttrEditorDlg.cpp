#include "AttrEditorDlg.h"

#include <algorithm>
#include <iterator>

#include "Gdi.h"
#include "Catalogue.h"
#include "SpriteTable.h"
#include "TextCodec.h"
#include "Walks.h"

using framework::CommandEntry;
using framework::Narrow;
using framework::Widen;

const CommandEntry<CAttrEditorDlg> CAttrEditorDlg::kCommands[] = {
    {WM_PAINT, 0, 0, &CAttrEditorDlg::OnPaint},
    {WM_QUERYDRAGICON, 0, 0, &CAttrEditorDlg::OnQueryDragIcon},
    {WM_COMMAND, BN_CLICKED, IDC_QUICK_SAVE, &CAttrEditorDlg::OnQuickSave},
    {WM_COMMAND, BN_CLICKED, IDC_QUICK_LOAD, &CAttrEditorDlg::OnQuickLoad},
    {WM_COMMAND, BN_CLICKED, IDC_SAVE, &CAttrEditorDlg::OnSave},
    {WM_COMMAND, BN_CLICKED, IDC_LOAD, &CAttrEditorDlg::OnLoad},
    {WM_COMMAND, BN_CLICKED, IDC_ADD_ROW, &CAttrEditorDlg::OnAddRow},
    {WM_COMMAND, BN_CLICKED, IDC_DELETE_ROW, &CAttrEditorDlg::OnDeleteRow},
    {WM_COMMAND, BN_CLICKED, IDC_SORT_ROWS, &CAttrEditorDlg::OnSortRows},
    {WM_COMMAND, BN_CLICKED, IDC_ADVANCED_COLOR0, &CAttrEditorDlg::OnAdvancedColor0},
    {WM_COMMAND, BN_CLICKED, IDC_ADVANCED_COLOR1, &CAttrEditorDlg::OnAdvancedColor1},
    {WM_COMMAND, BN_CLICKED, IDC_ADVANCED_COLOR2, &CAttrEditorDlg::OnAdvancedColor2},
    {WM_COMMAND, BN_CLICKED, IDC_ADVANCED_COLOR3, &CAttrEditorDlg::OnAdvancedColor3},
    {WM_COMMAND, BN_CLICKED, IDC_ADVANCED_COLOR4, &CAttrEditorDlg::OnAdvancedColor4},
    {WM_COMMAND, BN_CLICKED, IDC_MENU_TEXT_COLOR, &CAttrEditorDlg::OnMenuTextColor},
    {WM_COMMAND, BN_CLICKED, IDC_ARROW_COLOR, &CAttrEditorDlg::OnArrowColor},
    {WM_COMMAND, BN_CLICKED, IDC_BACKGROUND_COLOR, &CAttrEditorDlg::OnBackgroundColor},
    {WM_COMMAND, BN_CLICKED, IDC_SLIDER_COLOR, &CAttrEditorDlg::OnSliderColor},
    // Enter and Esc (IDOK, IDCANCEL) have no entry, so a stray key never
    // throws the edits away; the close box and Alt+F4 end the program at once.
    {WM_CLOSE, 0, 0, &CAttrEditorDlg::OnClose},
};

namespace {

std::size_t CountOf(params::Kind a, params::Kind b) {
    const auto catalogue = params::Catalogue();
    return static_cast<std::size_t>(
        std::count_if(catalogue.begin(), catalogue.end(), [&](const params::ParamDesc& p) {
            return p.kind == a || p.kind == b;
        }));
}

framework::FileDialogSettings FileSettings(bool open) {
    // OFN_OVERWRITEPROMPT is kept for the open dialog too, where it has no effect.
    return {open, L"prm", Widen(params::kQuickFile), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
            L"Prm Files (*.prm)|*.prm||"};
}

// The colour dialog opens on a fixed colour, never the swatch's own: the
// first advanced colour's usual value for that button, black for the rest.
constexpr COLORREF kAdvancedColor0Pick = RGB(255, 223, 0);
constexpr COLORREF kColorPick = RGB(0, 0, 0);

// How much the dialog grew over its size at 96 DPI: its horizontal base unit
// now against the one its font gives at 96 DPI, averaged as the dialog
// manager does. A font grows by its own metrics, not by DPI/96, so pixel
// sizes given at 96 DPI scale by this to keep fitting the controls.
struct Growth {
    int now;
    int at96;
};

Growth DialogGrowth(HWND dlg) {
    RECT unit{0, 0, 4, 0};
    MapDialogRect(dlg, &unit);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dlg, WM_GETFONT, 0, 0)), sizeof(font), &font);
    HDC dc = CreateCompatibleDC(nullptr);
    font.lfHeight = MulDiv(font.lfHeight, 96, GetDeviceCaps(dc, LOGPIXELSY));
    const framework::CGdiObject<HFONT> at96(CreateFontIndirectW(&font));
    const HGDIOBJ old = SelectObject(dc, at96.Get());
    constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE letters{};
    GetTextExtentPoint32W(dc, kLetters, 52, &letters);
    SelectObject(dc, old);
    DeleteDC(dc);
    const int unit96 = static_cast<int>((letters.cx / 26 + 1) / 2);
    return unit.right > 0 && unit96 > 0 ? Growth{unit.right, unit96} : Growth{1, 1};
}

}  // namespace

CAttrEditorDlg::CAttrEditorDlg(IEditorPrompts& prompts)
    : CDialog(IDD_ATTR_EDITOR),
      m_prompts(prompts),
      m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP))),
      m_edits(CountOf(params::Kind::Number, params::Kind::Name)),
      m_swatches(CountOf(params::Kind::Colour, params::Kind::Colour)) {
    m_customColors.fill(RGB(255, 255, 255));
}

BOOL CAttrEditorDlg::OnInitDialog() {
    BindControls();
    SetWindowText(Widen(params::kCaption));
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    params::ApplyDefaults(*this);
    SetUpTable();
    SetUpBoxMargins();
    return TRUE;  // the focus goes to the first tab stop
}

void CAttrEditorDlg::BindControls() {
    auto edit = m_edits.begin();
    auto swatch = m_swatches.begin();
    for (const params::ParamDesc& p : params::Catalogue()) {
        switch (p.kind) {
        case params::Kind::Number:
        case params::Kind::Name:
            Bind(*edit++, p.id);
            break;
        case params::Kind::ModeChoice: Bind(m_modeList, p.id); break;
        case params::Kind::YesNoChoice: Bind(m_portraitList, p.id); break;
        case params::Kind::Switch: Bind(m_advancedEnabled, p.id); break;
        case params::Kind::Colour: Bind(*swatch++, p.id); break;
        case params::Kind::Table: Bind(m_table, p.id); break;
        }
    }
}

void CAttrEditorDlg::SetUpTable() {
    m_table.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const Growth growth = DialogGrowth(m_hWnd);
    for (int i = 0; i < params::kTableColumnCount; ++i) {
        const params::ColumnDesc& c = params::kTableColumns[i];
        m_table.InsertColumn(i, Widen(c.heading), LVCFMT_LEFT, MulDiv(c.width, growth.now, growth.at96));
    }
}

void CAttrEditorDlg::SetUpBoxMargins() {
    // The boxes are a few characters wide. A font's default margins (under
    // Wine half a character a side for a Chinese font) would cut off "255";
    // the edit's own inset inside its border is room enough.
    for (framework::CByteLimitedEdit& edit : m_edits) edit.Send(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

bool CAttrEditorDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return framework::DispatchCommand<CAttrEditorDlg>(kCommands, *this, message, wParam, lParam, result);
}

void CAttrEditorDlg::OnPaint() {
    framework::CPaintDC dc(m_hWnd);
    if (!IsIconic(m_hWnd)) return;  // nothing of ours on the face of the dialog
    Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Handle()), 0);
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    const int x = (rc.right - rc.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rc.bottom - rc.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc.Handle(), x, y, m_hIcon);
}

LRESULT CAttrEditorDlg::OnQueryDragIcon() { return reinterpret_cast<LRESULT>(m_hIcon); }

void CAttrEditorDlg::OnQuickSave() { SaveParameterFile(Narrow(m_quickFolder.QuickFile())); }

void CAttrEditorDlg::OnQuickLoad() { LoadParameterFile(Narrow(m_quickFolder.QuickFile())); }

void CAttrEditorDlg::OnSave() {
    if (const auto path = m_prompts.ChooseFile(m_hWnd, FileSettings(false))) {
        m_quickFolder.FileChosen(*path);
        SaveParameterFile(Narrow(*path));
    }
}

void CAttrEditorDlg::OnLoad() {
    if (const auto path = m_prompts.ChooseFile(m_hWnd, FileSettings(true))) {
        m_quickFolder.FileChosen(*path);
        LoadParameterFile(Narrow(*path));
    }
}

void CAttrEditorDlg::OnClose() { EndDialog(IDCANCEL); }

// An open in-place editor has already committed: the button took the focus from it.
void CAttrEditorDlg::OnAddRow() { params::AddTableRow(*this); }

void CAttrEditorDlg::OnDeleteRow() { params::DeleteSelectedTableRow(*this); }

void CAttrEditorDlg::OnSortRows() { params::SortTableRows(*this); }

void CAttrEditorDlg::OnAdvancedColor0() {
    PickColor(Get<CColorSwatchButton>(IDC_ADVANCED_COLOR0), kAdvancedColor0Pick);
}

void CAttrEditorDlg::OnAdvancedColor1() { PickColor(Get<CColorSwatchButton>(IDC_ADVANCED_COLOR1), kColorPick); }

void CAttrEditorDlg::OnAdvancedColor2() { PickColor(Get<CColorSwatchButton>(IDC_ADVANCED_COLOR2), kColorPick); }

void CAttrEditorDlg::OnAdvancedColor3() { PickColor(Get<CColorSwatchButton>(IDC_ADVANCED_COLOR3), kColorPick); }

void CAttrEditorDlg::OnAdvancedColor4() { PickColor(Get<CColorSwatchButton>(IDC_ADVANCED_COLOR4), kColorPick); }

void CAttrEditorDlg::OnMenuTextColor() { PickColor(Get<CColorSwatchButton>(IDC_MENU_TEXT_COLOR), kColorPick); }

void CAttrEditorDlg::OnArrowColor() { PickColor(Get<CColorSwatchButton>(IDC_ARROW_COLOR), kColorPick); }

void CAttrEditorDlg::OnBackgroundColor() { PickColor(Get<CColorSwatchButton>(IDC_BACKGROUND_COLOR), kColorPick); }

void CAttrEditorDlg::OnSliderColor() { PickColor(Get<CColorSwatchButton>(IDC_SLIDER_COLOR), kColorPick); }

void CAttrEditorDlg::PickColor(CColorSwatchButton& button, COLORREF initial) {
    // Compact form (no CC_FULLOPEN), the initial colour preselected.
    const framework::ColorDialogSettings settings{initial, CC_RGBINIT, &m_customColors};
    if (const auto chosen = m_prompts.AskColor(m_hWnd, settings)) button.SetColor(*chosen);
}

void CAttrEditorDlg::SaveParameterFile(const std::string& path) { params::SaveParameterFile(*this, path); }

void CAttrEditorDlg::LoadParameterFile(const std::string& path) { params::LoadParameterFile(*this, path); }

std::string CAttrEditorDlg::GetText(int id) const { return Narrow(Get<framework::CWnd>(id).GetWindowText()); }

void CAttrEditorDlg::SetText(int id, std::string_view text) { Get<framework::CWnd>(id).SetWindowText(Widen(text)); }

void CAttrEditorDlg::SetTextLimit(int id, int limit) { Get<framework::CEdit>(id).SetLimitText(limit); }

void CAttrEditorDlg::AddChoiceItem(int id, std::string_view text) {
    Get<framework::CComboBox>(id).AddString(Widen(text));
}

void CAttrEditorDlg::SelectChoiceItem(int id, int index) { Get<framework::CComboBox>(id).SetCurSel(index); }

int CAttrEditorDlg::GetChoiceSelection(int id) const { return Get<framework::CComboBox>(id).GetCurSel(); }

int CAttrEditorDlg::FindChoiceItem(int id, std::string_view prefix) const {
    return Get<framework::CComboBox>(id).FindString(0, Widen(prefix));
}

bool CAttrEditorDlg::IsChecked(int id) const { return Get<framework::CButton>(id).GetCheck() != BST_UNCHECKED; }

params::Color CAttrEditorDlg::GetColor(int id) const { return Get<CColorSwatchButton>(id).GetColor(); }

void CAttrEditorDlg::SetColor(int id, params::Color color) { Get<CColorSwatchButton>(id).SetColor(color); }

int CAttrEditorDlg::GetRowCount(int id) const { return Get<framework::CListCtrl>(id).GetItemCount(); }

std::string CAttrEditorDlg::GetCellText(int id, int row, int column) const {
    return Narrow(Get<framework::CListCtrl>(id).GetItemText(row, column));
}

void CAttrEditorDlg::DeleteAllRows(int id) { Get<framework::CListCtrl>(id).DeleteAllItems(); }

void CAttrEditorDlg::DeleteRow(int id, int row) { Get<framework::CListCtrl>(id).DeleteItem(row); }

void CAttrEditorDlg::InsertRow(int id, int row, std::string_view column0) {
    Get<framework::CListCtrl>(id).InsertItem(row, Widen(column0));
}

void CAttrEditorDlg::SetCellText(int id, int row, int column, std::string_view text) {
    Get<framework::CListCtrl>(id).SetItemText(row, column, Widen(text));
}

int CAttrEditorDlg::GetFirstSelectedRow(int id) const {
    return Get<framework::CListCtrl>(id).GetNextItem(-1, LVNI_SELECTED);
}

std::vector<int> CAttrEditorDlg::GetSelectedRows(int id) const {
    const auto& list = Get<framework::CListCtrl>(id);
    std::vector<int> rows;
    for (int row = -1; (row = list.GetNextItem(row, LVNI_SELECTED)) >= 0;) rows.push_back(row);
    return rows;
}

void CAttrEditorDlg::SelectRows(int id, const std::vector<int>& rows) {
    auto& list = Get<framework::CListCtrl>(id);
    list.SetItemState(-1, 0, LVIS_SELECTED);
    for (int row : rows) list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
}

void CAttrEditorDlg::BeginBulkUpdate(int id) { Get<framework::CListCtrl>(id).SetRedraw(false); }

void CAttrEditorDlg::EndBulkUpdate(int id) {
    auto& list = Get<framework::CListCtrl>(id);
    list.SetRedraw(true);
    list.Invalidate();
}

void CAttrEditorDlg::ShowMessage(std::string_view text) { m_prompts.ShowMessage(m_hWnd, Widen(text)); }
