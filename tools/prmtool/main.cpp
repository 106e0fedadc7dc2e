// prmtool: creates, shows, checks, changes and compares parameter files on
// the command line, through the same parameter core as the editor.
#include <exception>
#include <iostream>
#include <string_view>

#include "Commands.h"

namespace {

struct Command {
    std::string_view name;
    int (*run)(const prmtool::Args&);
};

constexpr Command kCommands[] = {
    {"new", prmtool::RunNew},       {"show", prmtool::RunShow},     {"check", prmtool::RunCheck},
    {"set", prmtool::RunSet},       {"import", prmtool::RunImport}, {"diff", prmtool::RunDiff},
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
  prmtool --help                   show this help

Values for set: numbers 0-255; names within their limit (a character below
U+0080 counts 1 byte, any other 2); heroAnimationMode one of 1*1*1 4*1*1
4*2*2 4*2*3 4*2*4; usePortrait 是 or 否; colours #RRGGBB or #TTRRGGBB;
advancedEnabled true or false; spriteAttributeTable a JSON array of rows.

Exit status: 0 done; 1 a file missing, unreadable or damaged, or a bad name
or value; 2 a usage error. diff: 0 equal, 1 different, 2 any error.
)";

}  // namespace

int main(int argc, char** argv) {
    const prmtool::Args args(argv + 1, argv + argc);
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") return std::cout << kHelp, 0;
    if (args.empty()) return prmtool::UsageError("no command given");
    for (const Command& c : kCommands) {
        if (args[0] != c.name) continue;
        try {
            return c.run(prmtool::Args(args.begin() + 1, args.end()));
        } catch (const std::exception& e) {  // out of memory, a stream failing: report, never abort
            std::cerr << "prmtool: " << e.what() << "\n";
            return 1;
        }
    }
    return prmtool::UsageError("unknown command \"" + args[0] + "\"");
}
