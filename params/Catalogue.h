// The parameter catalogue: every parameter of the editor, in file order,
// with its control, start-up value and input restrictions. Plain constant data.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "ControlIds.h"

namespace params {

// How a parameter is shown and stored. The two choices differ in the file:
// the mode is stored as its item's text, the yes/no choice as its index.
enum class Kind { Number, Name, ModeChoice, YesNoChoice, Switch, Colour, Table };

// A colour as the Windows COLORREF layout: 0x00BBGGRR.
using Color = std::uint32_t;

constexpr Color Rgb(int r, int g, int b) {
    return static_cast<Color>(r) | static_cast<Color>(g) << 8 | static_cast<Color>(b) << 16;
}

struct ParamDesc {
    std::string_view name;         // catalogue name, e.g. "levelUpHp[0]"
    int id;                        // control ID
    Kind kind;
    std::string_view label;
    std::string_view defaultText;  // Number and Name
    int defaultIndex;              // the choices: start-up selection
    Color defaultColor;            // Colour
    int limit;                     // text limit in code-page-936 bytes, 0 for none
    bool digitsOnly;               // ES_NUMBER
    bool advanced;                 // part of the advanced block
    bool padBefore;                // the file has a pad byte just before this field
    // The choices: the items in list (sorted) order, where the index is what
    // the file refers to, and the order start-up adds them in.
    std::span<const std::string_view> items;
    std::span<const std::string_view> addOrder;
};

// Every parameter in file order, `advancedEnabled` included at its place
// between the base block and the advanced block.
constexpr std::size_t kParamCount = 79;
extern const std::array<ParamDesc, kParamCount> kCatalogueEntries;
inline std::span<const ParamDesc> Catalogue() { return kCatalogueEntries; }

// The place in the catalogue of a control ID, or nothing.
std::optional<std::size_t> CatalogueIndex(int id);
// The descriptor of a control ID, or nullptr.
const ParamDesc* FindParam(int id);
// The descriptor of a catalogue name, or nullptr.
const ParamDesc* FindParam(std::string_view name);
// How many parameters are of this kind.
std::size_t CountOf(Kind kind);

// The choices' items, in list (sorted) order.
constexpr std::string_view kModeNames[] = {"1*1*1", "4*1*1", "4*2*2", "4*2*3", "4*2*4"};
constexpr int kDefaultModeIndex = 4;  // written when the mode list has no selection
// Start-up adds "是" first; sorting puts "否" first.
constexpr std::string_view kYesNoItems[] = {"否", "是"};
constexpr std::string_view kYesNoAddOrder[] = {"是", "否"};

// Category names of a table row; the index is the code the file stores.
constexpr std::string_view kCategoryNames[] = {"魔法", "道具"};

// The sprite attribute table's columns.
struct ColumnDesc {
    std::string_view heading;
    int width;                                  // pixels at 96 DPI
    std::span<const std::string_view> choices;  // edited with a drop-down of these; none: a text box
};
constexpr ColumnDesc kTableColumns[] = {
    {"等级", 40, {}}, {"类别", 40, kCategoryNames}, {"物品ID", 50, {}}, {"精灵属性ID", 80, {}}};
constexpr int kTableColumnCount = 4;
constexpr int kCategoryColumn = 1;
constexpr int kMaxTableRows = 255;
// The row that "增加" appends.
constexpr std::string_view kNewRow[] = {"2", "魔法", "1", "1"};

struct CommandButton {
    int id;
    std::string_view caption;
};
constexpr CommandButton kCommandButtons[] = {
    {IDC_SAVE, "保存"},         {IDC_LOAD, "读取"},         {IDC_QUICK_SAVE, "快存"},
    {IDC_QUICK_LOAD, "快取"},   {IDC_ADD_ROW, "增加"},      {IDC_DELETE_ROW, "删除"},
    {IDC_SORT_ROWS, "排序"}};

constexpr std::string_view kCaption = "RPG特殊属性编辑器 V1.6 by Tessiv";
constexpr std::string_view kQuickFile = "set.prm";

// Outcome messages of saving and loading.
constexpr std::string_view kSaveDone = "保存完成";
constexpr std::string_view kSaveError = "保存错误";
// After kSaveError, when a save in place failed and could not put the old bytes back: where they are.
constexpr std::string_view kOldBytesKeptIn = "原内容保存在：";
constexpr std::string_view kLoadDone = "读取完成";
constexpr std::string_view kLoadError = "读取错误";
constexpr std::string_view kTableFull = "表格最多255行";
// Pasted text of which a line is not one row of the table.
constexpr std::string_view kPasteShapeError = "粘贴内容须为每行4列";

// The editor's caption: the mark of unsaved changes and the name of the file
// last loaded or saved come first, so a caption cut short still shows them.
constexpr std::string_view kCaptionFileSeparator = " - ";
constexpr std::string_view kUnsavedMark = "*";
// Closing, loading or opening over unsaved changes asks this (Yes, No, Cancel).
constexpr std::string_view kSaveChangesQuestion = "参数已修改，是否保存？";
// Saving over the file last loaded or saved when another program has changed it since (Yes, No).
constexpr std::string_view kOverwriteQuestion = "文件已被其他程序修改，是否覆盖？";
// The tip of a number box or table cell whose text is not stored as it reads.
constexpr std::string_view kValueRangeTip = "取值范围0～255";
// The tip of a drop-down whose typed text is no item of its list.
constexpr std::string_view kChooseFromListTip = "请从列表中选择";

}  // namespace params
