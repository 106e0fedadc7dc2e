#include "Commands.h"

#include <iostream>
#include <optional>
#include <unordered_map>

#include "DialogFile.h"
#include "Document.h"
#include "FileIo.h"
#include "JsonForm.h"
#include "JsonInput.h"
#include "Messages.h"
#include "Platform.h"
#include "Sha256.h"
#include "TextForm.h"
#include "Values.h"

namespace prmtool {

using namespace params;

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

int Fail(const std::string& path, const std::string& problem, int status = kFailed) {
    Complain(path + ": " + problem);
    return status;
}

int Fail(const std::string& path, const Result& result, std::string_view consequence = {}, int status = kFailed) {
    return Fail(path, result.GetProblem().Describe() + std::string(consequence), status);
}

struct Operands {
    bool flag = false;
    Args files;
};

// Splits args into the one flag a command knows and its operands, min to
// max of them. Options may stand anywhere before "--"; "-" alone is an operand.
std::optional<Operands> Split(const Args& args, std::string_view flag, std::size_t min, std::size_t max) {
    Operands out;
    bool options = true;
    for (const std::string& a : args) {
        if (options && a == "--") options = false;
        else if (options && !flag.empty() && a == flag) out.flag = true;
        else if (options && a.size() > 1 && a[0] == '-') return UsageError("unknown option " + Excerpt(a)), std::nullopt;
        else out.files.push_back(a);
    }
    if (out.files.size() < min || out.files.size() > max) return UsageError("wrong number of arguments"), std::nullopt;
    return out;
}

std::optional<Operands> Split(const Args& args, std::string_view flag, std::size_t count) {
    return Split(args, flag, count, count);
}

// The JSON value that a NAME=VALUE text stands for; whatever is not a
// well-formed number or switch stays a text for ApplyJson to judge. A table
// must be JSON.
Result FromText(const std::string& name, const std::string& text, Json& value) {
    value = text;
    const ParamDesc* p = FindParam(name);
    if (!p) return {};
    switch (p->kind) {
    case Kind::Number:
        if (const auto n = ParseDigits(text)) value = *n;
        return {};
    case Kind::Switch:
        if (text == "true" || text == "false") value = text == "true";
        return {};
    case Kind::Table:
        if (Result r = ParseJson(text, value); !r) return Result::Fail(name + ": " + r.GetProblem().message);
        return {};
    case Kind::Name:
    case Kind::ModeChoice:
    case Kind::YesNoChoice:
    case Kind::Colour:
        return {};
    }
    return {};
}

// Names, on standard error, the copies of a file's old bytes that an
// interrupted save left beside it.
void NameLeftoverCopies(const std::string& path, const HeldFile& file) {
    for (const std::string& copy : file.LeftoverCopies(kMaxFileSize))
        Complain(path + ": an interrupted save left the file's earlier bytes in " + copy);
}

void NameLeftoverCopies(const std::string& path) {
    HeldFile file;
    if (file.Open(path, HeldFile::Use::Inspect)) NameLeftoverCopies(path, file);
}

}  // namespace

int UsageError(std::string_view problem) {
    Complain(problem);
    std::cerr << "Try 'prmtool --help'.\n";
    return kUsage;
}

int RunNew(const Args& args) {
    const auto op = Split(args, "--advanced", 1);
    if (!op) return kUsage;
    const std::string& path = op->files[0];
    MemoryDialog dialog = StartupDialog();
    dialog.SetChecked(IDC_ADVANCED_ENABLED, op->flag);
    if (const Result r = Document().Create(path, dialog); !r) return Fail(path, r);
    return 0;
}

int RunShow(const Args& args) {
    const auto op = Split(args, "--json", 1);
    if (!op) return kUsage;
    const std::string& path = op->files[0];
    MemoryDialog dialog = StartupDialog();
    if (const Result r = Document().OpenWhole(path, dialog); !r) return Fail(path, r);
    const Json object = ToJson(dialog);
    if (op->flag) {
        std::cout << Dump(object, 2) << "\n";
    } else {
        for (const TextLine& line : TextLines(object)) std::cout << line.name << " = " << line.value << "\n";
    }
    return 0;
}

int RunTextconv(const Args& args) {
    const auto op = Split(args, {}, 1);
    if (!op) return kUsage;
    const std::string& path = op->files[0];
    // Read once, and no more than a parameter file can be: the source may be
    // a pipe, a device or a file of any size.
    std::vector<std::uint8_t> bytes;
    Result loaded = ReadFilePrefix(path, kReadLimit, bytes);
    const bool wasRead = static_cast<bool>(loaded);
    const std::vector<std::uint8_t> read = bytes;
    MemoryDialog dialog = StartupDialog();
    if (loaded) loaded = Document().OpenBytes(std::move(bytes), dialog);
    if (loaded) {
        for (const TextLine& line : TextLines(ToJson(dialog))) std::cout << line.name << " = " << line.value << "\n";
        return 0;
    }
    // git shows this file's line and every other file's diff, as it would for any file it can show.
    std::cout << Printable("(not a parameter file: " + loaded.GetProblem().Describe());
    if (wasRead) {
        std::cout << "; " << (read.size() < kReadLimit ? "" : "its first ") << read.size() << " bytes, SHA-256 "
                  << Sha256Hex(read);
    }
    std::cout << ")\n";
    return 0;
}

int RunCheck(const Args& args) {
    const auto op = Split(args, {}, 1);
    if (!op) return kUsage;
    const std::string& path = op->files[0];
    HeldFile file;
    if (const Result opened = file.Open(path, HeldFile::Use::Inspect); !opened) return Fail(path, opened);
    NameLeftoverCopies(path, file);
    std::vector<std::uint8_t> bytes;
    if (const Result read = file.Read(kReadLimit, bytes); !read) return Fail(path, read);
    ParameterImage image;
    Result checked = DecodeParameterFile(bytes, true, Strictness::Check, image);
    if (checked) return 0;
    Problem& problem = checked.GetProblem();
    if (problem.field == "end")  // the read stopped short of a long file's real end
        problem.message = std::to_string(file.Size() - problem.offset) + " bytes follow the last field";
    std::cout << Printable(path + ": " + problem.Describe()) << "\n";
    return kFailed;
}

int RunSet(const Args& args) {
    const auto op = Split(args, {}, 2, args.size());
    if (!op) return kUsage;
    const std::string& path = op->files[0];
    Json changes = Json::object();
    for (std::size_t i = 1; i < op->files.size(); ++i) {
        const std::string& assignment = op->files[i];
        const std::size_t eq = assignment.find('=');
        if (eq == std::string::npos || eq == 0) return UsageError(Excerpt(assignment) + " is not NAME=VALUE");
        const std::string name = assignment.substr(0, eq);
        if (Result r = FromText(name, assignment.substr(eq + 1), changes[name]); !r)
            return Fail(path, r, "; nothing changed");
    }
    // One file from the load to the save, locked against other changers;
    // what set was not asked to change it writes back byte for byte.
    MemoryDialog dialog = StartupDialog();
    Document document;
    if (const Result r = document.OpenWhole(path, dialog, HeldFile::Use::Change, Strictness::Keep); !r)
        return Fail(path, r);
    NameLeftoverCopies(path);
    if (const Result r = ApplyJson(changes, NameRule::Typed, dialog); !r) return Fail(path, r, "; nothing changed");
    if (const Result r = document.Save(path, dialog); !r) return Fail(path, r);
    if (document.DroppedBytes() > 0) Complain(path + ": the bytes after its last field were not kept");
    return 0;
}

int RunImport(const Args& args) {
    const auto op = Split(args, {}, 2);
    if (!op) return kUsage;
    const std::string& jsonPath = op->files[0];
    const std::string& path = op->files[1];
    const std::string source = jsonPath == "-" ? "standard input" : jsonPath;
    Json object;
    if (const Result r = ReadJson(jsonPath, object); !r) return Fail(source, r, "; nothing written");
    MemoryDialog dialog = StartupDialog();
    if (const Result r = ApplyJson(object, NameRule::Stored, dialog); !r) return Fail(source, r, "; nothing written");
    NameLeftoverCopies(path);
    if (const Result r = Document().Save(path, dialog); !r) return Fail(path, r);
    return 0;
}

int RunDiff(const Args& args) {
    constexpr int kError = 2;  // as diff(1): 0 equal, 1 different, 2 trouble
    const auto op = Split(args, {}, 2);
    if (!op) return kUsage;
    std::vector<TextLine> sides[2];
    for (int s = 0; s < 2; ++s) {
        MemoryDialog dialog = StartupDialog();
        if (const Result r = Document().OpenWhole(op->files[s], dialog); !r) return Fail(op->files[s], r, {}, kError);
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
