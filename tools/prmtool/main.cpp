// prmtool: creates, shows, checks, changes and compares parameter files on
// the command line, through the same parameter core as the editor.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <new>
#include <string_view>

#include "Commands.h"
#include "Messages.h"
#include "Platform.h"
#include "QuilletVersion.h"

namespace {

struct Command {
    std::string_view name;
    int (*run)(const prmtool::Args&);
};

constexpr Command kCommands[] = {
    {"new", prmtool::RunNew},       {"show", prmtool::RunShow},     {"check", prmtool::RunCheck},
    {"set", prmtool::RunSet},       {"import", prmtool::RunImport}, {"diff", prmtool::RunDiff},
    {"textconv", prmtool::RunTextconv},
};

constexpr std::string_view kHelp =
    R"(Usage:
  prmtool new [--advanced] FILE    write a file holding the start-up values
                                   (--advanced: with the advanced block and an empty table)
  prmtool show [--json] FILE       print every parameter in file order, as
                                   "name = value" lines or as one JSON object
  prmtool check FILE               exit 0 if FILE is well-formed, else print its first problem
  prmtool set FILE NAME=VALUE...   change parameters by name and save FILE
  prmtool import JSON FILE         write FILE from a JSON object in the form 'show --json'
                                   prints ('-' reads it from standard input)
  prmtool diff A B                 list the parameters whose values differ
  prmtool textconv FILE            as show, for git's diff driver: a file that does
                                   not load is one line, and not an error
  prmtool --help                   show this help
  prmtool --version                show the version

Values for set: numbers 0-255; names within their limit (a character below
U+0080 counts 1 byte, one above U+FFFF 4, any other 2); heroAnimationMode
one of 1*1*1 4*1*1 4*2*2 4*2*3 4*2*4; usePortrait 是 or 否; colours #RRGGBB
or #TTRRGGBB; advancedEnabled true or false; spriteAttributeTable a JSON
array of rows. import takes names as a file holds them: up to 255 bytes of
UTF-8. Options come before "--"; what follows it is a file or a value.

Exit status: 0 done; 1 a file missing, unreadable or damaged, or a bad name
or value; 2 a usage error. diff: 0 equal, 1 different, 2 any error.
)";

bool IsHelp(std::string_view arg) { return arg == "-h" || arg == "--help"; }

// -h or --help among a command's options, before any "--".
bool AsksForHelp(const prmtool::Args& args) {
    for (const std::string& a : args) {
        if (a == "--") return false;
        if (IsHelp(a)) return true;
    }
    return false;
}

int Run(const prmtool::Args& args) {
    if (args.empty()) return prmtool::UsageError("no command given");
    if (IsHelp(args[0])) return std::cout << kHelp, 0;
    if (args[0] == "--version") return std::cout << "prmtool " QUILLET_VERSION "\n", 0;
    for (const Command& c : kCommands) {
        if (args[0] != c.name) continue;
        const prmtool::Args rest(args.begin() + 1, args.end());
        if (AsksForHelp(rest)) return std::cout << kHelp, 0;
        return c.run(rest);
    }
    return prmtool::UsageError("unknown command " + prmtool::Excerpt(args[0]));
}

}  // namespace

int main(int argc, char** argv) {
    prmtool::UseUtf8Streams();
    const prmtool::Args args = prmtool::Utf8Arguments(argc, argv);
    const bool diff = !args.empty() && args[0] == "diff";
    int status = 0;
    try {
        status = Run(args);
    } catch (const std::bad_alloc&) {
        prmtool::Complain("out of memory");
        return diff ? 2 : 1;
    }
    // Output that did not arrive is a failure, whatever the command found.
    errno = 0;
    if (!std::cout.flush()) {
        prmtool::Complain(std::string("cannot write to standard output") + (errno ? ": " : "") +
                          (errno ? std::strerror(errno) : ""));
        return std::max(status, diff ? 2 : 1);
    }
    return status;
}
