#include "AttrEditorDlg.h"

#include <shellapi.h>

#include "Catalogue.h"
#include "DialogGrowth.h"
#include "EditorMessages.h"
#include "Fields.h"
#include "InPlaceEditor.h"
#include "SpriteTable.h"
#include "TextCodec.h"
#include "Walks.h"

using framework::CommandEntry;
using framework::kAnyControl;
using params::Narrow;
using params::Widen;


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
    {WM_COMMAND, BN_CLICKED, IDC_ADVANCED_COLOR0, &CAttrEditorDlg::OnColorButton},
    {WM_COMMAND, BN_CLICKED, IDC_ADVANCED_COLOR1, &CAttrEditorDlg::OnColorButton},
    {WM_COMMAND, BN_CLICKED, IDC_ADVANCED_COLOR2, &CAttrEditorDlg::OnColorButton},
    {WM_COMMAND, BN_CLICKED, IDC_ADVANCED_COLOR3, &CAttrEditorDlg::OnColorButton},
    {WM_COMMAND, BN_CLICKED, IDC_ADVANCED_COLOR4, &CAttrEditorDlg::OnColorButton},
    {WM_COMMAND, BN_CLICKED, IDC_MENU_TEXT_COLOR, &CAttrEditorDlg::OnColorButton},
    {WM_COMMAND, BN_CLICKED, IDC_ARROW_COLOR, &CAttrEditorDlg::OnColorButton},
    {WM_COMMAND, BN_CLICKED, IDC_BACKGROUND_COLOR, &CAttrEditorDlg::OnColorButton},
    {WM_COMMAND, BN_CLICKED, IDC_SLIDER_COLOR, &CAttrEditorDlg::OnColorButton},
    // Enter and Esc (IDOK, IDCANCEL) have no entry, so a stray key never
    // throws the edits away; the close box and Alt+F4 ask first.
    {WM_CLOSE, 0, 0, &CAttrEditorDlg::OnClose},
    {WM_DROPFILES, 0, 0, &CAttrEditorDlg::OnDropFiles},
    {WM_ENABLE, 0, 0, &CAttrEditorDlg::OnEnable},
    {WM_COMMAND, EN_CHANGE, kAnyControl, &CAttrEditorDlg::OnEditChange},
    {WM_CTLCOLOREDIT, 0, 0, &CAttrEditorDlg::OnCtlColorEdit},
    {WM_NOTIFY, static_cast<UINT>(NM_CUSTOMDRAW), IDC_SPRITE_TABLE, &CAttrEditorDlg::OnTableCustomDraw},
    {WM_NOTIFY, static_cast<UINT>(LVN_GETDISPINFOW), IDC_SPRITE_TABLE, &CAttrEditorDlg::OnTableGetDispInfo},
    {WM_NOTIFY, static_cast<UINT>(LVN_SETDISPINFOW), IDC_SPRITE_TABLE, &CAttrEditorDlg::OnTableSetDispInfo},
    {WM_NOTIFY, static_cast<UINT>(LVN_DELETEALLITEMS), IDC_SPRITE_TABLE, &CAttrEditorDlg::OnTableDeleteAllItems},
    {WM_COMMAND, EN_KILLFOCUS, kAnyControl, &CAttrEditorDlg::OnBoxKillFocus},
    {WM_COMMAND, CBN_EDITCHANGE, IDC_USE_PORTRAIT, &CAttrEditorDlg::FollowTypedChoices},
    {WM_COMMAND, CBN_KILLFOCUS, kAnyControl, &CAttrEditorDlg::OnBoxKillFocus},
    {WM_APP_CHECK_CHANGES, 0, 0, &CAttrEditorDlg::OnCheckChanges},
};

namespace {

framework::FileDialogSettings FileSettings(bool open) {
    // OFN_OVERWRITEPROMPT is kept for the open dialog too, where it has no effect.
    return {open, L"prm", L"", Widen(params::kQuickFile), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
            L"Prm Files (*.prm)|*.prm||"};
}

}  // namespace

CAttrEditorDlg::CAttrEditorDlg(IEditorPrompts& prompts)
    : CDialog(IDD_ATTR_EDITOR),
      m_prompts(prompts),
      m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP))),
      m_edits(params::CountOf(params::Kind::Number) + params::CountOf(params::Kind::Name)),
      m_swatches(params::CountOf(params::Kind::Colour)) {
    m_customColors.fill(RGB(255, 255, 255));
}

BOOL CAttrEditorDlg::OnInitDialog() {
    m_tips.Create(m_hWnd, TextFont());
    BindControls();
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    params::ApplyDefaults(*this);
    SetUpTable();
    SetUpBoxMargins();
    DragAcceptFiles(m_hWnd, TRUE);
    m_history.Reset(*this);  // the start-up values: nothing before them to undo
    if (m_startFile.empty() || !OpenFile(m_startFile)) {
        m_document.Clear(*this);
        RefreshCaption();
    }
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
    const Growth growth = DialogGrowth(m_hWnd, TextFont());
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
    for (CByteLimitedEdit& edit : m_edits) edit.Send(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

bool CAttrEditorDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (IsRequest(message, wParam) && !IsWindowEnabled(m_hWnd)) {
        if (message == WM_DROPFILES) DragFinish(reinterpret_cast<HDROP>(wParam));
        result = 0;
        return true;
    }
    // A request acts on what the user sees now, and undoing it brings back
    // just that, the table's selection too: what is still to be looked at is
    // looked at first.
    if (m_checkPosted && IsRequest(message, wParam)) TakeStep();
    const bool handled =
        framework::DispatchCommand<CAttrEditorDlg>(kCommands, *this, message, wParam, lParam, result);
    // Whatever a message led to (typing, a choice, a colour picked in its own
    // dialog, a drop, a button's work) is done once its handler returns: the
    // mark is then measured again from the controls, once the queue gets to it.
    if (!ChangesNothing(message, lParam)) ScheduleChangeCheck();
    return handled;
}

void CAttrEditorDlg::OnPaint() { PaintMinimizedIcon(m_hIcon); }

LRESULT CAttrEditorDlg::OnQueryDragIcon() { return reinterpret_cast<LRESULT>(m_hIcon); }

void CAttrEditorDlg::OnQuickSave() { SaveParameterFile(Narrow(m_quickFolder.QuickFile())); }

void CAttrEditorDlg::OnQuickLoad() {
    if (MayReplaceEdits()) LoadParameterFile(Narrow(m_quickFolder.QuickFile()));
}

void CAttrEditorDlg::OnSave() { SaveThroughDialog(Widen(params::kQuickFile)); }

void CAttrEditorDlg::OnLoad() {
    if (!MayReplaceEdits()) return;
    if (const auto path = m_prompts.ChooseFile(m_hWnd, FileSettings(true))) {
        if (path->empty()) {  // the dialog failed
            ShowMessage(params::kLoadError);
            return;
        }
        m_quickFolder.FileChosen(*path);
        LoadParameterFile(Narrow(*path));
    }
}

bool CAttrEditorDlg::SaveThroughDialog(const std::wstring& path) {
    framework::FileDialogSettings settings = FileSettings(false);
    const auto [folder, name] = params::SplitPath(Narrow(path));
    settings.folder = Widen(folder);
    settings.fileName = Widen(name);
    const auto chosen = m_prompts.ChooseFile(m_hWnd, settings);
    if (!chosen) return false;
    if (chosen->empty()) {  // the dialog failed: whoever answered 是 hears that nothing was saved
        ShowMessage(params::kSaveError);
        return false;
    }
    m_quickFolder.FileChosen(*chosen);
    return SaveParameterFile(Narrow(*chosen));
}

void CAttrEditorDlg::OnClose() {
    if (MayReplaceEdits()) EndDialog(IDCANCEL);
}

// Yes saves as "保存" does and goes on only once saved; No goes on; Cancel (and Esc) stays.
bool CAttrEditorDlg::MayReplaceEdits() {
    CommitOpenEdit();
    if (!HasUnsavedChanges()) return true;
    switch (Ask(params::kSaveChangesQuestion, MB_YESNOCANCEL)) {
    case IDYES: return SaveThroughDialog(m_document.Path().empty() ? Widen(params::kQuickFile) : Widen(m_document.Path()));
    case IDNO: return true;
    default: return false;
    }
}

int CAttrEditorDlg::Ask(std::string_view question, UINT buttons) {
    TakeStep();
    RefreshCaption();  // the caption is right while the question is up
    return m_prompts.Ask(m_hWnd, Widen(question), buttons);
}

// The first file dropped is opened; a load by drop reports as one by button.
// While a modal box is up the drop never gets here (IsRequest).
LRESULT CAttrEditorDlg::OnDropFiles(WPARAM drop, LPARAM) {
    const auto files = reinterpret_cast<HDROP>(drop);
    std::wstring path(DragQueryFileW(files, 0, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(files, 0, path.data(), static_cast<UINT>(path.size())));
    DragFinish(files);
    if (path.empty() || !MayReplaceEdits()) return 0;
    if (OpenFile(path)) ShowMessage(params::kLoadDone);
    return 0;
}

void CAttrEditorDlg::CommitOpenEdit() {
    const HWND focus = GetFocus();
    if (focus && IsChild(m_table.GetSafeHwnd(), focus)) SetFocus(m_table.GetSafeHwnd());
}

bool CAttrEditorDlg::HasUnsavedChanges() const { return m_document.IsModified(*this); }

void CAttrEditorDlg::ScheduleChangeCheck() {
    if (!m_checkPosted) m_checkPosted = PostMessageW(m_hWnd, WM_APP_CHECK_CHANGES, 0, 0) != 0;
}

void CAttrEditorDlg::OnCheckChanges() {
    m_checkPosted = false;
    // Nothing else changes the caption without a load or a save, which set it themselves.
    if (TakeStep()) RefreshCaption();
}

bool CAttrEditorDlg::TakeStep() {
    if (!m_history.Record(*this, TypingBox(), GetTickCount64())) return false;
    FollowTypedChoices();
    return true;
}

int CAttrEditorDlg::TypingBox() const {
    const HWND focus = GetFocus();
    if (!focus) return 0;
    const HWND parent = GetParent(focus);
    if (parent == m_portraitList.GetSafeHwnd()) return ::GetDlgCtrlID(parent);
    const params::ParamDesc* p = parent == m_hWnd ? params::FindParam(::GetDlgCtrlID(focus)) : nullptr;
    return p && (p->kind == params::Kind::Number || p->kind == params::Kind::Name) ? p->id : 0;
}

LRESULT CAttrEditorDlg::OnBoxKillFocus(WPARAM, LPARAM) {
    m_history.EndTyping();
    return 0;
}

void CAttrEditorDlg::RefreshCaption() {
    std::wstring caption = Widen(params::kCaption);
    if (const std::string& path = m_document.Path(); !path.empty())
        caption = Widen(params::SplitPath(path).second) + Widen(params::kCaptionFileSeparator) + caption;
    if (HasUnsavedChanges()) caption = Widen(params::kUnsavedMark) + caption;
    if (caption == m_caption) return;
    m_caption = std::move(caption);
    SetWindowText(m_caption);
}

// The drop effect says what a drop would do: nothing while a modal box is up.
LRESULT CAttrEditorDlg::OnEnable(WPARAM enabled, LPARAM) {
    DragAcceptFiles(m_hWnd, enabled != 0);
    return 0;
}

LRESULT CAttrEditorDlg::OnEditChange(WPARAM, LPARAM edit) {
    const auto box = reinterpret_cast<HWND>(edit);
    // Typing repaints only what changed: a new colour needs the whole box.
    if (UpdateRangeTip(box)) InvalidateRect(box, nullptr, FALSE);
    return 0;
}

// Typed text equal to an item selects it, so the list shows what a save
// writes; the caret stays where the typing left it.
void CAttrEditorDlg::FollowTypedChoices() {
    for (framework::CComboBox* list : {&m_portraitList, &m_modeList}) {
        list->SelectShownItem();
        const HWND edit = list->GetEditPart();
        if (UpdateRangeTip(edit)) InvalidateRect(edit, nullptr, FALSE);
    }
}

const std::wstring* CAttrEditorDlg::TipFor(HWND edit) const {
    const HWND parent = GetParent(edit);
    // The drop-down's edit is its child, whatever its ID. (The mode list has
    // no edit: it always shows one of its items, or nothing.)
    if (parent == m_portraitList.GetSafeHwnd())
        return m_portraitList.FindShownItem() == CB_ERR ? &m_tips.ChoiceText() : nullptr;
    const params::ParamDesc* p = params::FindParam(::GetDlgCtrlID(edit));
    if (!p || p->kind != params::Kind::Number || parent != m_hWnd) return nullptr;
    return params::IsByteText(GetText(p->id)) ? nullptr : &m_tips.RangeText();
}

bool CAttrEditorDlg::UpdateRangeTip(HWND edit) { return m_tips.Update(edit, TipFor(edit)); }

LRESULT CAttrEditorDlg::OnCtlColorEdit(WPARAM dc, LPARAM edit) {
    return TipFor(reinterpret_cast<HWND>(edit)) ? PaintOutOfRange(reinterpret_cast<HDC>(dc)) : 0;
}

LRESULT CAttrEditorDlg::OnTableCustomDraw(WPARAM, LPARAM info) {
    return DrawTableCell(*reinterpret_cast<NMLVCUSTOMDRAW*>(info), m_rows, m_table, m_cellTextColor);
}

// An open in-place editor has already committed: the button took the focus from it.
void CAttrEditorDlg::OnAddRow() { params::AddTableRow(*this); }

void CAttrEditorDlg::OnDeleteRow() { params::DeleteSelectedTableRow(*this); }

void CAttrEditorDlg::OnSortRows() { params::SortTableRows(*this); }

// The colour dialog opens on a fixed colour, never the swatch's own: the
// first advanced colour's usual value for that button, black for the rest.
// Compact form (no CC_FULLOPEN), that colour preselected; on OK the swatch takes the choice.
LRESULT CAttrEditorDlg::OnColorButton(WPARAM codeAndId, LPARAM) {
    const int id = LOWORD(codeAndId);
    const COLORREF initial = id == IDC_ADVANCED_COLOR0 ? RGB(255, 223, 0) : RGB(0, 0, 0);
    const framework::ColorDialogSettings settings{initial, CC_RGBINIT, &m_customColors};
    if (const auto chosen = m_prompts.AskColor(m_hWnd, settings)) Get<CColorSwatchButton>(id).SetColor(*chosen);
    return 0;
}

bool CAttrEditorDlg::SaveParameterFile(const std::string& path) {
    // Another program's change to the file open here is not lost without a word.
    // 否 is the default: a reflex Enter writes nothing.
    if (m_document.IsLastFile(path) && m_document.ChangedOnDisk() &&
        Ask(params::kOverwriteQuestion, MB_YESNO | MB_DEFBUTTON2) != IDYES)
        return false;
    // The Document's message shows under the caption of what was just saved (ShowMessage).
    return static_cast<bool>(m_document.Save(path, *this));
}

bool CAttrEditorDlg::LoadParameterFile(const std::string& path) {
    return static_cast<bool>(m_document.Load(path, *this));
}

bool CAttrEditorDlg::OpenFile(const std::wstring& path) {
    if (!m_document.OpenWhole(Narrow(path), *this)) return false;
    TakeStep();
    RefreshCaption();  // opening says nothing
    return true;
}
