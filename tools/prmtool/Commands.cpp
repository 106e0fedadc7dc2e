#include "Commands.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <unordered_map>

#include "DialogFile.h"
#include "FileIo.h"
#include "JsonForm.h"
#include "TextForm.h"
#include "Values.h"

namespace prmtool {

using namespace params;

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

int Fail(const std::string& path, const std::string& problem, int status = kFailed) {
    std::cerr << "prmtool: " << path << ": " << problem << "\n";
    return status;
}

int Fail(const std::string& path, const Result& result, std::string_view consequence = {}, int status = kFailed) {
    return Fail(path, result.GetProblem().Describe() + std::string(consequence), status);
}

struct Operands {
    bool flag = false;
    Args files;
};

// Splits args into the one flag a command knows and its operands.
std::optional<Operands> Split(const Args& args, std::string_view flag, std::size_t count) {
    Operands out;
    for (const std::string& a : args) {
        if (!flag.empty() && a == flag) out.flag = true;
        else if (a.starts_with("--")) return UsageError("unknown option " + a), std::nullopt;
        else out.files.push_back(a);
    }
    if (out.files.size() != count) return UsageError("wrong number of arguments"), std::nullopt;
    return out;
}

// The JSON value that a NAME=VALUE text stands for; whatever is not a
// well-formed number, switch or table stays a text for ApplyJson to judge.
Json FromText(std::string_view name, const std::string& text) {
    const ParamDesc* p = FindParam(name);
    if (!p) return text;
    switch (p->kind) {
    case Kind::Number:
        if (const auto n = ParseDigits(text)) return *n;
        return text;
    case Kind::Switch:
        if (text == "true" || text == "false") return text == "true";
        return text;
    case Kind::Table: {
        Json rows = Json::parse(text, nullptr, false);
        return rows.is_discarded() ? Json(text) : rows;
    }
    default:
        return text;
    }
}

}  // namespace

int UsageError(std::string_view problem) {
    std::cerr << "prmtool: " << problem << "\nTry 'prmtool --help'.\n";
    return kUsage;
}

int RunNew(const Args& args) {
    const auto op = Split(args, "--advanced", 1);
    if (!op) return kUsage;
    const std::string& path = op->files[0];
    MemoryDialog dialog = StartupDialog();
    dialog.SetChecked(IDC_ADVANCED_ENABLED, op->flag);
    if (const Result r = SaveFile(dialog, path, Saving::NewFile); !r) return Fail(path, r);
    return 0;
}

int RunShow(const Args& args) {
    const auto op = Split(args, "--json", 1);
    if (!op) return kUsage;
    const std::string& path = op->files[0];
    MemoryDialog dialog = StartupDialog();
    if (const Result r = LoadFile(path, dialog); !r) return Fail(path, r);
    const Json object = ToJson(dialog);
    if (op->flag) {
        std::cout << Dump(object, 2) << "\n";
    } else {
        for (const TextLine& line : TextLines(object)) std::cout << line.name << " = " << line.value << "\n";
    }
    return std::cout.flush() ? 0 : kFailed;
}

int RunCheck(const Args& args) {
    const auto op = Split(args, {}, 1);
    if (!op) return kUsage;
    const std::string& path = op->files[0];
    // One byte more than the walk reads tells whether anything follows its last field.
    std::vector<std::uint8_t> bytes;
    if (const Result read = ReadFilePrefix(path, kMaxFileSize + 1, bytes); !read) return Fail(path, read);
    ParameterImage image;
    Result checked = DecodeParameterFile(bytes, true, Strictness::Check, image);
    if (checked) return 0;
    Problem& problem = checked.GetProblem();
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (problem.field == "end" && !ec)  // the read stopped short of a long file's real end
        problem.message = std::to_string(size - problem.offset) + " bytes follow the last field";
    std::cout << path << ": " << problem.Describe() << "\n";
    return kFailed;
}

int RunSet(const Args& args) {
    if (args.size() < 2) return UsageError("set needs a FILE and at least one NAME=VALUE");
    const std::string& path = args[0];
    Json changes = Json::object();
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::size_t eq = args[i].find('=');
        if (eq == std::string::npos || eq == 0) return UsageError("\"" + args[i] + "\" is not NAME=VALUE");
        const std::string name = args[i].substr(0, eq);
        changes[name] = FromText(name, args[i].substr(eq + 1));
    }
    MemoryDialog dialog = StartupDialog();
    // What set was not asked to change it writes back byte for byte.
    if (const Result r = LoadFile(path, dialog, Strictness::Keep); !r) return Fail(path, r);
    if (const Result r = ApplyJson(changes, dialog); !r) return Fail(path, r, "; nothing changed");
    if (const Result r = SaveFile(dialog, path); !r) return Fail(path, r);
    return 0;
}

int RunImport(const Args& args) {
    const auto op = Split(args, {}, 2);
    if (!op) return kUsage;
    const std::string& jsonPath = op->files[0];
    const std::string& path = op->files[1];
    std::ifstream file;
    if (jsonPath != "-") {
        file.open(jsonPath, std::ios::binary);
        if (!file) return Fail(jsonPath, SystemError("cannot read the file"));
    }
    const Json object = Json::parse(jsonPath == "-" ? std::cin : file, nullptr, false);
    if (object.is_discarded()) return Fail(jsonPath, "not valid JSON");
    MemoryDialog dialog = StartupDialog();
    if (const Result r = ApplyJson(object, dialog); !r) return Fail(jsonPath, r, "; nothing written");
    if (const Result r = SaveFile(dialog, path); !r) return Fail(path, r);
    return 0;
}

int RunDiff(const Args& args) {
    constexpr int kError = 2;  // as diff(1): 0 equal, 1 different, 2 trouble
    const auto op = Split(args, {}, 2);
    if (!op) return kUsage;
    std::vector<TextLine> sides[2];
    for (int s = 0; s < 2; ++s) {
        MemoryDialog dialog = StartupDialog();
        if (const Result r = LoadFile(op->files[s], dialog); !r) return Fail(op->files[s], r, {}, kError);
        sides[s] = TextLines(ToJson(dialog));
    }
    // A's lines then those only B has: the file order, since what one side
    // lacks is always the advanced block or trailing table rows.
    std::unordered_map<std::string, std::string> b;
    for (const TextLine& line : sides[1]) b.emplace(line.name, line.value);
    constexpr std::string_view kAbsent = "(absent)";
    bool differ = false;
    auto report = [&](const std::string& name, std::string_view old, std::string_view now) {
        std::cout << name << ": " << old << " -> " << now << "\n";
        differ = true;
    };
    for (const TextLine& line : sides[0]) {
        const auto it = b.find(line.name);
        if (it == b.end()) report(line.name, line.value, kAbsent);
        else if (it->second != line.value) report(line.name, line.value, it->second);
        if (it != b.end()) b.erase(it);
    }
    for (const TextLine& line : sides[1])
        if (b.contains(line.name)) report(line.name, kAbsent, line.value);
    return differ ? 1 : 0;
}

}  // namespace prmtool
