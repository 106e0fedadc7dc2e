// The commands of prmtool. Each takes the arguments after its name and
// returns the exit status: 0 done, 1 a file or value problem, 2 a usage error
// (diff: 0 equal, 1 different, 2 any error).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace prmtool {

using Args = std::vector<std::string>;

int RunNew(const Args& args);
int RunShow(const Args& args);
int RunCheck(const Args& args);
int RunSet(const Args& args);
int RunImport(const Args& args);
int RunDiff(const Args& args);
// show's text form for git's diff driver: a file that does not load is one
// line naming its problem, size and SHA-256, and is not an error.
int RunTextconv(const Args& args);

// Prints a usage problem and a pointer to --help; returns 2.
int UsageError(std::string_view problem);

}  // namespace prmtool
