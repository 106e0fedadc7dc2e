#include "JsonForm.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <span>

#include "Cp936Count.h"
#include "Fields.h"
#include "Messages.h"
#include "Values.h"
#include "Walks.h"

namespace prmtool {

using namespace params;

namespace {

constexpr const char* kRowKeys[] = {"level", "category", "itemId", "spriteAttributeId"};

Json Row(const TableRow& row) {
    const auto name = CategoryName(row.category);
    Json category = name ? Json(*name) : Json(row.category);
    return Json{{kRowKeys[0], row.level}, {kRowKeys[1], category}, {kRowKeys[2], row.itemId}, {kRowKeys[3], row.spriteAttributeId}};
}

Json Item(std::span<const std::string_view> items, int selection) {
    if (selection < 0 || selection >= static_cast<int>(items.size())) return nullptr;
    return std::string(items[static_cast<std::size_t>(selection)]);
}

int IndexOf(std::span<const std::string_view> items, std::string_view text) {
    const auto it = std::find(items.begin(), items.end(), text);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

Result Bad(std::string_view name, const Json& value, std::string_view what) {
    // The parser keeps -0 as a signed 0, which would show as "0".
    const bool minusZero = value.is_number_integer() && !value.is_number_unsigned() && value.get<std::int64_t>() == 0;
    return Result::Fail(std::string(name) + ": " + Excerpt(minusZero ? "-0" : Dump(value)) + " " + std::string(what));
}

std::optional<std::uint8_t> ByteOf(const Json& value) {
    // The parser reads -0 as a signed zero: refused, as set refuses it.
    if (value.is_number_unsigned() && value.get<std::uint64_t>() <= 255) return value.get<std::uint8_t>();
    return std::nullopt;
}

constexpr std::string_view kNotByte = "is not an integer from 0 to 255";

Result CheckName(const ParamDesc& p, const Json& value, NameRule rule) {
    if (!value.is_string()) return Bad(p.name, value, "is not a text");
    const std::string& text = value.get_ref<const std::string&>();
    const auto bytes = Cp936LengthOfUtf8(text);
    if (!bytes) return Bad(p.name, value, "is not valid UTF-8");
    if (text.find('\0') != std::string::npos) return Bad(p.name, value, "holds a zero character");
    if (rule == NameRule::Typed && *bytes > p.limit)
        return Bad(p.name, value, "takes " + std::to_string(*bytes) + " bytes, more than the limit of " +
                                      std::to_string(p.limit));
    if (text.size() > static_cast<std::size_t>(kMaxStringBytes))
        return Bad(p.name, value, "is longer than " + std::to_string(kMaxStringBytes) + " bytes of UTF-8");
    return {};
}

// The rows of a table value, or the message naming what is wrong with it.
Result ParseRows(const Json& value, std::vector<TableRow>& rows) {
    const std::string_view name = "spriteAttributeTable";
    if (!value.is_array()) return Bad(name, value, "is not an array of rows");
    if (value.size() > static_cast<std::size_t>(kMaxTableRows))
        return Result::Fail(std::string(name) + ": " + std::to_string(value.size()) + " rows, more than " +
                            std::to_string(kMaxTableRows));
    for (std::size_t i = 0; i < value.size(); ++i) {
        const Json& row = value[i];
        const std::string rowName = std::string(name) + "[" + std::to_string(i) + "]";
        if (!row.is_object()) return Bad(rowName, row, "is not an object");
        for (const auto& [key, cell] : row.items())
            if (std::find(std::begin(kRowKeys), std::end(kRowKeys), key) == std::end(kRowKeys))
                return Result::Fail(rowName + ": unknown key " + Excerpt(Dump(key)));
        std::uint8_t cells[4];
        for (int c = 0; c < 4; ++c) {
            const std::string cellName = rowName + "." + kRowKeys[c];
            if (!row.contains(kRowKeys[c])) return Result::Fail(cellName + ": missing");
            const Json& cell = row[kRowKeys[c]];
            if (c == 1 && cell.is_string()) {
                const auto code = NamedCategory(cell.get_ref<const std::string&>());
                if (!code) return Bad(cellName, cell, "is not 魔法, 道具 or a code from 0 to 255");
                cells[c] = *code;
            } else if (const auto byte = ByteOf(cell)) {
                cells[c] = *byte;
            } else {
                return Bad(cellName, cell, c == 1 ? "is not 魔法, 道具 or a code from 0 to 255" : kNotByte);
            }
        }
        rows.push_back({cells[0], cells[1], cells[2], cells[3]});
    }
    return {};
}

Result ApplyValue(const ParamDesc& p, const Json& value, NameRule rule, MemoryDialog& dialog) {
    switch (p.kind) {
    case Kind::Number: {
        const auto byte = ByteOf(value);
        if (!byte) return Bad(p.name, value, kNotByte);
        dialog.SetText(p.id, std::to_string(*byte));
        return {};
    }
    case Kind::Name:
        if (Result r = CheckName(p, value, rule); !r) return r;
        dialog.SetText(p.id, value.get<std::string>());
        return {};
    case Kind::ModeChoice:
    case Kind::YesNoChoice: {
        // Chosen from a fixed list by its exact text; null leaves nothing selected.
        const int index = value.is_string() ? IndexOf(p.items, value.get_ref<const std::string&>()) : -1;
        if (!value.is_null() && index < 0) {
            std::string list;
            for (std::string_view item : p.items) list += (list.empty() ? "" : ", ") + std::string(item);
            return Bad(p.name, value, "is not one of " + list);
        }
        dialog.SelectChoiceItem(p.id, index);
        return {};
    }
    case Kind::Colour: {
        const auto color = value.is_string() ? ParseColor(value.get_ref<const std::string&>()) : std::nullopt;
        if (!color) return Bad(p.name, value, "is not a colour #RRGGBB or #TTRRGGBB");
        dialog.SetColor(p.id, *color);
        return {};
    }
    case Kind::Table: {
        std::vector<TableRow> rows;
        if (Result r = ParseRows(value, rows); !r) return r;
        SetTableRows(dialog, p.id, rows);
        return {};
    }
    case Kind::Switch:  // taken before all other keys
        return {};
    }
    return {};
}

}  // namespace

Json ToJson(const MemoryDialog& dialog) {
    const ParameterImage image = ReadControls(dialog);
    Json object = Json::object();
    for (const ParamDesc& p : Catalogue()) {
        if (p.advanced && !image.advanced) continue;
        const FieldValue& v = image[p];
        const std::string name(p.name);
        switch (p.kind) {
        case Kind::Number: object[name] = v.byte; break;
        case Kind::Name: object[name] = v.text; break;
        case Kind::ModeChoice:
        case Kind::YesNoChoice:  // the selection, not what saving would substitute for none
            object[name] = Item(p.items, dialog.GetChoiceSelection(p.id));
            break;
        case Kind::Colour: object[name] = FormatColor(v.color); break;
        case Kind::Switch: object[name] = image.advanced; break;
        case Kind::Table:
            object[name] = Json::array();
            for (const TableRow& row : image.rows) object[name].push_back(Row(row));
            break;
        }
    }
    return object;
}

Result ApplyJson(const Json& object, NameRule rule, MemoryDialog& dialog) {
    if (!object.is_object()) return Result::Fail("the JSON value is not an object");
    if (const auto it = object.find("advancedEnabled"); it != object.end()) {
        if (!it->is_boolean()) return Bad("advancedEnabled", *it, "is not true or false");
        dialog.SetChecked(IDC_ADVANCED_ENABLED, it->get<bool>());
    }
    const bool advanced = dialog.IsChecked(IDC_ADVANCED_ENABLED);
    for (const auto& [key, value] : object.items()) {
        const ParamDesc* p = FindParam(key);
        if (!p) return Result::Fail("unknown parameter " + Excerpt(Dump(key)));
        if (p->advanced && !advanced)
            return Result::Fail(key +
                                ": belongs to the advanced block, which the file would not hold (advancedEnabled is false)");
        if (Result r = ApplyValue(*p, value, rule, dialog); !r) return r;
    }
    return {};
}

std::string Dump(const Json& value, int indent) {
    return value.dump(indent, ' ', false, Json::error_handler_t::replace);
}

}  // namespace prmtool
