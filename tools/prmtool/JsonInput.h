// JSON from the user, parsed within bounds: no input larger, deeper or wider
// than a parameter set's JSON form could need, so that hostile input is
// refused at once instead of exhausting the stack, the memory or the time.
#pragma once

#include <string>
#include <string_view>

#include "JsonForm.h"
#include "Result.h"

namespace prmtool {

constexpr std::size_t kMaxJsonBytes = 1 << 20;
constexpr int kMaxJsonDepth = 16;
constexpr int kMaxJsonKeys = 256;  // in any one object: keys beyond the catalogue are refused anyway

params::Result ParseJson(std::string_view text, Json& out);

// Reads and parses the JSON in the file at path, or standard input for "-".
params::Result ReadJson(const std::string& path, Json& out);

}  // namespace prmtool
