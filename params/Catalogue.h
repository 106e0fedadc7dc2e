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

// The choices' items, in list (sorted) order.
inline constexpr std::string_view kModeNames[] = {"1*1*1", "4*1*1", "4*2*2", "4*2*3", "4*2*4"};
constexpr int kDefaultModeIndex = 4;  // written when the mode list has no selection
// Start-up adds "是" first; sorting puts "否" first.
inline constexpr std::string_view kYesNoItems[] = {"否", "是"};
inline constexpr std::string_view kYesNoAddOrder[] = {"是", "否"};

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

// One builder per kind, for the entries below.
namespace entry {
constexpr ParamDesc Number(std::string_view name, int id, std::string_view label, std::string_view def, int limit,
                           bool digitsOnly, bool advanced = false, bool padBefore = false) {
    return {name, id, Kind::Number, label, def, -1, 0, limit, digitsOnly, advanced, padBefore, {}, {}};
}
constexpr ParamDesc Name(std::string_view name, int id, std::string_view label, std::string_view def) {
    return {name, id, Kind::Name, label, def, -1, 0, 4, false, false, false, {}, {}};
}
constexpr ParamDesc Colour(std::string_view name, int id, std::string_view label, Color def) {
    return {name, id, Kind::Colour, label, {}, -1, def, 0, false, true, false, {}, {}};
}
constexpr ParamDesc Stat(std::string_view name, int id, std::string_view label) {
    return Number(name, id, label, "1", 2, false, true);
}
}  // namespace entry

// Every parameter in file order, `advancedEnabled` included at its place
// between the base block and the advanced block. Here in the header, so
// that what follows from it (the largest file) is known at compile time;
// code that runs reads it through Catalogue(), so that the program holds
// one copy of it and its texts, not one in every file that reads it.
constexpr std::size_t kParamCount = 79;
inline constexpr std::array<ParamDesc, kParamCount> kCatalogueEntries = [] {
    using namespace entry;
    return std::array<ParamDesc, kParamCount>{
        Number("levelUpHp[0]", IDC_LEVELUP_HP0, "职业1  HP:", "6", 2, true),
        Number("levelUpHp[1]", IDC_LEVELUP_HP1, "职业2  HP:", "5", 2, true),
        Number("levelUpHp[2]", IDC_LEVELUP_HP2, "职业3  HP:", "4", 2, true),
        Number("levelUpMp[0]", IDC_LEVELUP_MP0, "MP:", "2", 2, true),
        Number("levelUpMp[1]", IDC_LEVELUP_MP1, "MP:", "3", 2, true),
        Number("levelUpMp[2]", IDC_LEVELUP_MP2, "MP:", "4", 2, true),
        Number("statusHitChance", IDC_STATUS_HIT_CHANCE, "附加状态有效几率:", "30", 2, true),
        Number("monsterEscapeChance", IDC_MONSTER_ESCAPE_CHANCE, "怪物逃跑几率:", "7", 2, false),
        Number("menuArrowColor.r", IDC_MENU_ARROW_R, "主菜单箭头 R:", "0", 3, true),
        Number("menuArrowColor.g", IDC_MENU_ARROW_G, "主菜单箭头 G:", "0", 3, true),
        Number("menuArrowColor.b", IDC_MENU_ARROW_B, "主菜单箭头 B:", "0", 3, true),
        Number("partyEscapeChance", IDC_PARTY_ESCAPE_CHANCE, "我方逃跑几率:", "99", 2, false),
        Name("equipSlotName[0]", IDC_EQUIP_SLOT0, "武器", "武器"),
        Name("equipSlotName[1]", IDC_EQUIP_SLOT1, "头盔", "头盔"),
        Name("equipSlotName[2]", IDC_EQUIP_SLOT2, "铠甲", "铠甲"),
        Name("equipSlotName[3]", IDC_EQUIP_SLOT3, "手部", "手部"),
        Name("equipSlotName[4]", IDC_EQUIP_SLOT4, "饰品", "饰品"),
        ParamDesc{"heroAnimationMode", IDC_HERO_ANIMATION_MODE, Kind::ModeChoice, "主角动画模式:", {}, kDefaultModeIndex,
                  0, 0, false, false, false, kModeNames, kModeNames},
        Number("frameOuterColor.r", IDC_FRAME_OUTER_R, "对话框/菜单 外边 R:", "0", 3, true),
        Number("frameOuterColor.g", IDC_FRAME_OUTER_G, "对话框/菜单 外边 G:", "0", 3, true),
        Number("frameOuterColor.b", IDC_FRAME_OUTER_B, "对话框/菜单 外边 B:", "0", 3, true),
        Number("frameFillColor.r", IDC_FRAME_FILL_R, "对话框/菜单 填充 R:", "144", 3, true),
        Number("frameFillColor.g", IDC_FRAME_FILL_G, "对话框/菜单 填充 G:", "47", 3, true),
        Number("frameFillColor.b", IDC_FRAME_FILL_B, "对话框/菜单 填充 B:", "74", 3, true),
        Number("frameInnerColor.r", IDC_FRAME_INNER_R, "对话框/菜单 内边 R:", "255", 3, true),
        Number("frameInnerColor.g", IDC_FRAME_INNER_G, "对话框/菜单 内边 G:", "255", 3, true),
        Number("frameInnerColor.b", IDC_FRAME_INNER_B, "对话框/菜单 内边 B:", "255", 3, true),
        Number("textColor.r", IDC_TEXT_R, "文字 R:", "255", 3, true, false, true),
        Number("textColor.g", IDC_TEXT_G, "文字 G:", "255", 3, true),
        Number("textColor.b", IDC_TEXT_B, "文字 B:", "255", 3, true),
        Number("highlightTextColor.r", IDC_HIGHLIGHT_TEXT_R, "高亮文字 R:", "255", 3, true, false, true),
        Number("highlightTextColor.g", IDC_HIGHLIGHT_TEXT_G, "高亮文字 G:", "255", 3, true),
        Number("highlightTextColor.b", IDC_HIGHLIGHT_TEXT_B, "高亮文字 B:", "0", 3, true),
        Number("cursorColor.r", IDC_CURSOR_R, "光标 R:", "121", 3, true, false, true),
        Number("cursorColor.g", IDC_CURSOR_G, "光标 G:", "95", 3, true),
        Number("cursorColor.b", IDC_CURSOR_B, "光标 B:", "60", 3, true),
        Number("partyMaxSize", IDC_PARTY_MAX_SIZE, "队伍最大人数:", "3", 1, true),
        Name("attributeName[0]", IDC_ATTRIBUTE_NAME0, "魔法", "魔法"),
        Name("attributeName[1]", IDC_ATTRIBUTE_NAME1, "魔攻", "魔攻"),
        Name("attributeName[2]", IDC_ATTRIBUTE_NAME2, "魔防", "魔防"),
        Number("encounterMaxSteps", IDC_ENCOUNTER_MAX_STEPS, "遇敌最大步数:", "15", 2, false),
        Number("encounterMinSteps", IDC_ENCOUNTER_MIN_STEPS, "遇敌最小步数:", "5", 2, false),
        Number("middleSpriteOffset", IDC_MIDDLE_SPRITE_OFFSET, "中间精灵的偏移:", "0", 2, false),
        Number("menuPosX", IDC_MENU_POS_X, "菜单坐标:", "48", 3, false),
        Number("menuPosY", IDC_MENU_POS_Y, "X", "85", 3, false),
        Number("cursorPosX", IDC_CURSOR_POS_X, "光标坐标:", "50", 3, false),
        Number("cursorPosY", IDC_CURSOR_POS_Y, "X", "92", 3, false),
        Number("menuSpacing", IDC_MENU_SPACING, "菜单间距:", "17", 3, false),
        Number("infoDelay", IDC_INFO_DELAY, "Info延迟", "30", 2, false),
        Number("heroHeight", IDC_HERO_HEIGHT, "主角高度:", "24", 2, false),
        ParamDesc{"usePortrait", IDC_USE_PORTRAIT, Kind::YesNoChoice, "使用头像:", {}, 1, 0, 0, false, false, false,
                  kYesNoItems, kYesNoAddOrder},
        Number("loadingFrameCount", IDC_LOADING_FRAME_COUNT, "Loading 动画帧数: 0=不显示", "3", 1, false),
        Number("emoteCount", IDC_EMOTE_COUNT, "表情数量: 0=不显示", "6", 2, false),
        ParamDesc{"advancedEnabled", IDC_ADVANCED_ENABLED, Kind::Switch, "使用", {}, 0, 0, 0, false, false, false, {},
                  {}},
        Number("doubleAttack", IDC_DOUBLE_ATTACK, "双倍攻击:", "10", 2, false, true),
        Colour("advancedColor[0]", IDC_ADVANCED_COLOR0, "颜色1:", Rgb(255, 223, 0)),
        Colour("advancedColor[1]", IDC_ADVANCED_COLOR1, "颜色2:", Rgb(192, 232, 64)),
        Colour("advancedColor[2]", IDC_ADVANCED_COLOR2, "颜色3:", Rgb(255, 245, 0)),
        Colour("advancedColor[3]", IDC_ADVANCED_COLOR3, "颜色4:", Rgb(255, 223, 0)),
        Colour("advancedColor[4]", IDC_ADVANCED_COLOR4, "颜色5:", Rgb(255, 223, 0)),
        Colour("menuTextColor", IDC_MENU_TEXT_COLOR, "菜单文字颜色", Rgb(0, 0, 0)),
        Stat("levelUpStat[0].physAttack", IDC_LEVELUP_STAT0_PHYS_ATTACK, "职业1 物攻:"),
        Stat("levelUpStat[0].physDefence", IDC_LEVELUP_STAT0_PHYS_DEFENCE, "职业1 物防:"),
        Stat("levelUpStat[0].magicAttack", IDC_LEVELUP_STAT0_MAGIC_ATTACK, "职业1 魔攻:"),
        Stat("levelUpStat[0].magicDefence", IDC_LEVELUP_STAT0_MAGIC_DEFENCE, "职业1 魔防:"),
        Stat("levelUpStat[1].physAttack", IDC_LEVELUP_STAT1_PHYS_ATTACK, "职业2 物攻:"),
        Stat("levelUpStat[1].physDefence", IDC_LEVELUP_STAT1_PHYS_DEFENCE, "职业2 物防:"),
        Stat("levelUpStat[1].magicAttack", IDC_LEVELUP_STAT1_MAGIC_ATTACK, "职业2 魔攻:"),
        Stat("levelUpStat[1].magicDefence", IDC_LEVELUP_STAT1_MAGIC_DEFENCE, "职业2 魔防:"),
        Stat("levelUpStat[2].physAttack", IDC_LEVELUP_STAT2_PHYS_ATTACK, "职业3 物攻:"),
        Stat("levelUpStat[2].physDefence", IDC_LEVELUP_STAT2_PHYS_DEFENCE, "职业3 物防:"),
        Stat("levelUpStat[2].magicAttack", IDC_LEVELUP_STAT2_MAGIC_ATTACK, "职业3 魔攻:"),
        Stat("levelUpStat[2].magicDefence", IDC_LEVELUP_STAT2_MAGIC_DEFENCE, "职业3 魔防:"),
        Colour("arrowColor", IDC_ARROW_COLOR, "箭头:", Rgb(255, 0, 0)),
        Colour("backgroundColor", IDC_BACKGROUND_COLOR, "背景:", Rgb(255, 255, 255)),
        Colour("sliderColor", IDC_SLIDER_COLOR, "滑块:", Rgb(0, 0, 0)),
        Number("mapCellSize", IDC_MAP_CELL_SIZE, "地图单元:", "16", 2, false, true),
        Number("levelDifference", IDC_LEVEL_DIFFERENCE, "等级差:", "0", 2, false, true),
        ParamDesc{"spriteAttributeTable", IDC_SPRITE_TABLE, Kind::Table, "", {}, -1, 0, 0, false, true, false, {}, {}},
    };
}();
std::span<const ParamDesc> Catalogue();

// The place in the catalogue of a control ID, or nothing.
std::optional<std::size_t> CatalogueIndex(int id);
// The descriptor of a control ID, or nullptr.
const ParamDesc* FindParam(int id);
// The descriptor of a catalogue name, or nullptr.
const ParamDesc* FindParam(std::string_view name);
// How many parameters are of this kind.
std::size_t CountOf(Kind kind);

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
