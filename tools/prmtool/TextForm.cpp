#include "TextForm.h"

#include "Catalogue.h"
#include "Messages.h"

namespace prmtool {
namespace {

// Double quotes; a quote and a backslash escaped, and control characters as
// in messages (C1 ones too: some terminals obey them). Other bytes pass
// unchanged, even ones that are not UTF-8.
std::string Quoted(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    std::string quoted = "\"";
    quoted += Printable(out);
    quoted += '"';
    return quoted;
}

std::string Scalar(const Json& value, bool quote) {
    if (value.is_null()) return "(none)";
    if (value.is_boolean()) return value.get<bool>() ? "true" : "false";
    if (value.is_string()) return quote ? Quoted(value.get<std::string>()) : value.get<std::string>();
    return value.dump();
}

}  // namespace

std::vector<TextLine> TextLines(const Json& object) {
    std::vector<TextLine> lines;
    for (const auto& [name, value] : object.items()) {
        const params::ParamDesc* p = params::FindParam(name);
        if (p && p->kind == params::Kind::Table) {
            for (std::size_t i = 0; i < value.size(); ++i) {
                const Json& row = value[i];
                std::string cells;
                for (const auto& [key, cell] : row.items()) cells += (cells.empty() ? "" : ", ") + Scalar(cell, false);
                lines.push_back({name + "[" + std::to_string(i) + "]", cells});
            }
        } else {
            lines.push_back({name, Scalar(value, p && p->kind == params::Kind::Name)});
        }
    }
    return lines;
}

}  // namespace prmtool
