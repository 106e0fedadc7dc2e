#include "AttrEditorDlg.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <iterator>

#include "Gdi.h"
#include "Catalogue.h"
#include "Fields.h"
#include "InPlaceEditor.h"
#include "SpriteTable.h"
#include "TextCodec.h"
#include "Walks.h"

using framework::CommandEntry;
using framework::kAnyControl;
using framework::Narrow;
using framework::Widen;

namespace {
// Posted by every change of a control; the check runs once the queue is empty.
constexpr UINT WM_APP_CHECK_CHANGES = WM_APP + 1;
}  // namespace

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
    // throws the edits away; the close box and Alt+F4 ask first.
    {WM_CLOSE, 0, 0, &CAttrEditorDlg::OnClose},
    {WM_DROPFILES, 0, 0, &CAttrEditorDlg::OnDropFiles},
    {WM_COMMAND, EN_CHANGE, kAnyControl, &CAttrEditorDlg::OnEditChange},
    {WM_CTLCOLOREDIT, 0, 0, &CAttrEditorDlg::OnCtlColorEdit},
    {WM_NOTIFY, static_cast<UINT>(NM_CUSTOMDRAW), IDC_SPRITE_TABLE, &CAttrEditorDlg::OnTableCustomDraw},
    {WM_NOTIFY, static_cast<UINT>(LVN_ENDLABELEDITW), kInPlaceEditorId, &CAttrEditorDlg::OnCellEdited},
    {WM_APP_CHECK_CHANGES, 0, 0, &CAttrEditorDlg::OnCheckChanges},
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

// Text that saving would not store as it reads.
constexpr COLORREF kOutOfRangeColor = RGB(255, 0, 0);

std::wstring FullPath(const std::wstring& path) {
    const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::wstring full(n, L'\0');
    full.resize(GetFullPathNameW(path.c_str(), n, full.data(), nullptr));
    return full;
}

// The range tip's tool of owner with the given ID, as adding, finding and removing it name it.
TOOLINFOW TipTool(HWND owner, UINT_PTR id) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = owner;
    tool.uId = id;
    return tool;
}

std::wstring FileNameOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
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
    CreateRangeTip();
    BindControls();
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    params::ApplyDefaults(*this);
    SetUpTable();
    SetUpBoxMargins();
    DragAcceptFiles(m_hWnd, TRUE);
    if (m_startFile.empty() || !OpenFile(m_startFile)) TakeAsSaved(L"");
    return TRUE;  // the focus goes to the first tab stop
}

void CAttrEditorDlg::CreateRangeTip() {
    m_rangeTipText = Widen(params::kValueRangeTip);
    m_rangeTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
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
        std::vector<std::wstring> choices;
        for (std::string_view choice : c.choices) choices.push_back(Widen(choice));
        m_table.SetColumnChoices(i, std::move(choices));
    }
}

void CAttrEditorDlg::SetUpBoxMargins() {
    // The boxes are a few characters wide. A font's default margins (under
    // Wine half a character a side for a Chinese font) would cut off "255";
    // the edit's own inset inside its border is room enough.
    for (framework::CByteLimitedEdit& edit : m_edits) edit.Send(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

bool CAttrEditorDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // Any command may change a value (typing, a choice, "使用", a button's work).
    if (message == WM_COMMAND) ScheduleChangeCheck();
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

void CAttrEditorDlg::OnSave() { SaveThroughDialog(Widen(params::kQuickFile)); }

void CAttrEditorDlg::OnLoad() {
    if (const auto path = m_prompts.ChooseFile(m_hWnd, FileSettings(true))) {
        m_quickFolder.FileChosen(*path);
        LoadParameterFile(Narrow(*path));
    }
}

bool CAttrEditorDlg::SaveThroughDialog(const std::wstring& fileName) {
    framework::FileDialogSettings settings = FileSettings(false);
    settings.fileName = fileName;
    const auto path = m_prompts.ChooseFile(m_hWnd, settings);
    if (!path) return false;
    m_quickFolder.FileChosen(*path);
    return SaveParameterFile(Narrow(*path));
}

// Yes saves as "保存" does and closes only once saved; Cancel (and Esc) stays.
void CAttrEditorDlg::OnClose() {
    CommitOpenEdit();
    if (HasUnsavedChanges()) {
        switch (m_prompts.AskYesNoCancel(m_hWnd, Widen(params::kSaveChangesQuestion))) {
        case IDYES:
            if (!SaveThroughDialog(m_filePath.empty() ? Widen(params::kQuickFile) : m_filePath)) return;
            break;
        case IDNO: break;
        default: return;
        }
    }
    EndDialog(IDCANCEL);
}

// The first file dropped is opened; a load by drop reports as one by button.
LRESULT CAttrEditorDlg::OnDropFiles(WPARAM drop, LPARAM) {
    const auto files = reinterpret_cast<HDROP>(drop);
    std::wstring path(DragQueryFileW(files, 0, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(files, 0, path.data(), static_cast<UINT>(path.size())));
    DragFinish(files);
    if (path.empty()) return 0;
    CommitOpenEdit();
    if (OpenFile(path)) ShowMessage(params::kLoadDone);
    return 0;
}

void CAttrEditorDlg::CommitOpenEdit() {
    const HWND focus = GetFocus();
    if (focus && IsChild(m_table.GetSafeHwnd(), focus)) SetFocus(m_table.GetSafeHwnd());
}

bool CAttrEditorDlg::HasUnsavedChanges() const {
    const auto bytes = params::BytesToSave(*this);
    return !bytes || *bytes != m_savedBytes;
}

void CAttrEditorDlg::TakeAsSaved(const std::wstring& path) {
    if (!path.empty()) m_filePath = FullPath(path);
    m_savedBytes = params::BytesToSave(*this).value_or(std::vector<std::uint8_t>{});
    m_unsaved = false;
    UpdateCaption();
}

void CAttrEditorDlg::ScheduleChangeCheck() {
    if (!m_checkPosted) m_checkPosted = PostMessageW(m_hWnd, WM_APP_CHECK_CHANGES, 0, 0) != 0;
}

void CAttrEditorDlg::OnCheckChanges() {
    m_checkPosted = false;
    m_unsaved = HasUnsavedChanges();
    UpdateCaption();
}

void CAttrEditorDlg::UpdateCaption() {
    std::wstring caption = Widen(params::kCaption);
    if (!m_filePath.empty()) caption += Widen(params::kCaptionFileSeparator) + FileNameOf(m_filePath);
    if (m_unsaved) caption += Widen(params::kUnsavedMark);
    if (caption == m_caption) return;
    m_caption = std::move(caption);
    SetWindowText(m_caption);
}

void CAttrEditorDlg::OnCellEdited() { ScheduleChangeCheck(); }

LRESULT CAttrEditorDlg::OnEditChange(WPARAM, LPARAM edit) {
    const auto box = reinterpret_cast<HWND>(edit);
    // Typing repaints only what changed: a new colour needs the whole box.
    if (UpdateRangeTip(box)) InvalidateRect(box, nullptr, FALSE);
    return 0;
}

bool CAttrEditorDlg::IsOutOfRange(HWND edit) const {
    const params::ParamDesc* p = params::FindParam(::GetDlgCtrlID(edit));
    // A combo box's own edit is a child of the combo box, whatever its ID.
    if (!p || p->kind != params::Kind::Number || GetParent(edit) != m_hWnd) return false;
    return !params::IsByteText(GetText(p->id));
}

bool CAttrEditorDlg::UpdateRangeTip(HWND edit) {
    const bool outOfRange = IsOutOfRange(edit);
    wchar_t current[32] = {};
    TOOLINFOW tool = TipTool(m_hWnd, reinterpret_cast<UINT_PTR>(edit));
    tool.lpszText = current;
    const bool tipped = SendMessageW(m_rangeTip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
    if (outOfRange == tipped) return false;
    tool.uFlags = TTF_IDISHWND;
    tool.lpszText = m_rangeTipText.data();
    SendMessageW(m_rangeTip, outOfRange ? TTM_ADDTOOLW : TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return true;
}

LRESULT CAttrEditorDlg::OnCtlColorEdit(WPARAM dc, LPARAM edit) {
    if (!IsOutOfRange(reinterpret_cast<HWND>(edit))) return 0;  // the usual colours
    const auto hdc = reinterpret_cast<HDC>(dc);
    SetTextColor(hdc, kOutOfRangeColor);
    SetBkColor(hdc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

LRESULT CAttrEditorDlg::OnTableCustomDraw(WPARAM, LPARAM info) {
    auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(info);
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        m_cellTextColor = draw.clrText;  // the colour a cell keeps when it is stored as shown
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const int row = static_cast<int>(draw.nmcd.dwItemSpec);
        const std::string text = Narrow(m_table.GetItemText(row, draw.iSubItem));
        draw.clrText = params::CellStoredAsShown(draw.iSubItem, text) ? m_cellTextColor : kOutOfRangeColor;
        return CDRF_DODEFAULT;
    }
    default: return CDRF_DODEFAULT;
    }
}

bool CAttrEditorDlg::PreTranslateMessage(MSG& msg) {
    if (msg.message < WM_MOUSEFIRST || msg.message > WM_MOUSELAST) return false;
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == m_table.GetSafeHwnd())
        UpdateCellTip({GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)});
    // The tip follows the pointer by what it is told, so no control of ours is subclassed for it.
    SendMessageW(m_rangeTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    return false;
}

// One tool, over the cell under the pointer while that cell is out of range.
void CAttrEditorDlg::UpdateCellTip(POINT point) {
    int column = 0;
    const int row = m_table.CellFromPoint(point, column);
    const bool outOfRange = row >= 0 && !params::CellStoredAsShown(column, Narrow(m_table.GetItemText(row, column)));
    const POINT cell = outOfRange ? POINT{column, row} : POINT{-1, -1};
    if (cell.x == m_tipCell.x && cell.y == m_tipCell.y) return;
    TOOLINFOW tool = TipTool(m_table.GetSafeHwnd(), 1);
    if (m_tipCell.y >= 0) SendMessageW(m_rangeTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    m_tipCell = cell;
    if (!outOfRange) return;
    tool.rect = m_table.CellRect(row, column);
    tool.lpszText = m_rangeTipText.data();
    SendMessageW(m_rangeTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

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

bool CAttrEditorDlg::SaveParameterFile(const std::string& path) {
    if (!params::SaveParameterFile(*this, path)) return false;
    TakeAsSaved(Widen(path));
    return true;
}

bool CAttrEditorDlg::LoadParameterFile(const std::string& path) {
    if (!params::LoadParameterFile(*this, path)) return false;
    TakeAsSaved(Widen(path));
    return true;
}

bool CAttrEditorDlg::OpenFile(const std::wstring& path) {
    if (!params::OpenParameterFile(*this, Narrow(path))) return false;
    TakeAsSaved(path);
    return true;
}

std::string CAttrEditorDlg::GetText(int id) const { return Narrow(Get<framework::CWnd>(id).GetWindowText()); }

// A control is set only when it shows something else: every change repaints
// it and notifies the dialog. The choices are always set, as a drop-down's
// typed text may differ from its selection, and selecting notifies nobody.
void CAttrEditorDlg::SetText(int id, std::string_view text) {
    const std::wstring wide = Widen(text);
    auto& control = Get<framework::CWnd>(id);
    if (!control.HasText(wide)) control.SetWindowText(wide);
}

void CAttrEditorDlg::SetTextLimit(int id, int limit) { Get<framework::CEdit>(id).SetLimitText(limit); }

void CAttrEditorDlg::AddChoiceItem(int id, std::string_view text) {
    // A file stores a choice by its place in the list as a Chinese system
    // sorts it (否 before 是; a Japanese one sorts them the other way round).
    constexpr LCID kChinese = MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT);
    Get<framework::CComboBox>(id).Send(CB_SETLOCALE, kChinese);
    Get<framework::CComboBox>(id).AddString(Widen(text));
}

void CAttrEditorDlg::SelectChoiceItem(int id, int index) { Get<framework::CComboBox>(id).SetCurSel(index); }

int CAttrEditorDlg::GetChoiceSelection(int id) const { return Get<framework::CComboBox>(id).GetCurSel(); }

int CAttrEditorDlg::FindChoiceItem(int id, std::string_view prefix) const {
    return Get<framework::CComboBox>(id).FindString(0, Widen(prefix));
}

bool CAttrEditorDlg::IsChecked(int id) const { return Get<framework::CButton>(id).GetCheck() != BST_UNCHECKED; }

void CAttrEditorDlg::SetChecked(int id, bool checked) {
    Get<framework::CButton>(id).Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

params::Color CAttrEditorDlg::GetColor(int id) const { return Get<CColorSwatchButton>(id).GetColor(); }

void CAttrEditorDlg::SetColor(int id, params::Color color) {
    auto& swatch = Get<CColorSwatchButton>(id);
    if (swatch.GetColor() != color) swatch.SetColor(color);
}

int CAttrEditorDlg::GetRowCount(int id) const { return Get<framework::CListCtrl>(id).GetItemCount(); }

std::vector<params::RowTexts> CAttrEditorDlg::GetRows(int id) const {
    const auto& list = Get<framework::CListCtrl>(id);
    std::vector<params::RowTexts> rows(static_cast<std::size_t>(list.GetItemCount()));
    for (std::size_t row = 0; row < rows.size(); ++row)
        for (int column = 0; column < params::kTableColumnCount; ++column)
            rows[row][column] = Narrow(list.GetItemText(static_cast<int>(row), column));
    return rows;
}

void CAttrEditorDlg::SetRows(int id, std::vector<params::RowTexts> rows) {
    auto& list = Get<framework::CListCtrl>(id);
    list.SetRedraw(false);
    list.DeleteAllItems();
    for (std::size_t row = 0; row < rows.size(); ++row) PutRow(list, static_cast<int>(row), rows[row]);
    list.SetRedraw(true);
    list.Invalidate();
}

void CAttrEditorDlg::InsertRow(int id, int row, const params::RowTexts& cells) {
    PutRow(Get<framework::CListCtrl>(id), row, cells);
}

void CAttrEditorDlg::PutRow(framework::CListCtrl& list, int row, const params::RowTexts& cells) {
    const int at = list.InsertItem(row, Widen(cells[0]));
    for (int column = 1; column < params::kTableColumnCount; ++column)
        list.SetItemText(at, column, Widen(cells[column]));
}

void CAttrEditorDlg::DeleteRow(int id, int row) { Get<framework::CListCtrl>(id).DeleteItem(row); }

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

void CAttrEditorDlg::BeginUpdate() {
    // A hidden dialog is left alone: turning its redraw back on would show it.
    m_redrawHeld = IsWindowVisible(m_hWnd) != FALSE;
    if (m_redrawHeld) Send(WM_SETREDRAW, FALSE);
}

void CAttrEditorDlg::EndUpdate() {
    if (!m_redrawHeld) return;
    m_redrawHeld = false;
    Send(WM_SETREDRAW, TRUE);
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void CAttrEditorDlg::ShowMessage(std::string_view text) { m_prompts.ShowMessage(m_hWnd, Widen(text)); }
