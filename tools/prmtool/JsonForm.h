// The JSON form of a parameter set: one object keyed by catalogue names, in
// file order. It is what `show --json` prints and what `import` and `set` take.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "MemoryDialog.h"
#include "Result.h"

namespace prmtool {

using Json = nlohmann::ordered_json;

// Every parameter the dialog would save; the advanced keys only when "使用" is set.
Json ToJson(const params::MemoryDialog& dialog);

// How long a name may be: Typed, within the editor's limit, as typing is
// held (new names in set); Stored, whatever the file holds (255 bytes of
// UTF-8, no zero byte), as loading takes it, so every loadable file imports.
enum class NameRule { Typed, Stored };

// Puts each key of object into the dialog, "advancedEnabled" first. Fails
// with a message naming the first unknown key or bad value.
params::Result ApplyJson(const Json& object, NameRule rule, params::MemoryDialog& dialog);

// Serialises without ever failing: bytes that are not UTF-8 become U+FFFD.
std::string Dump(const Json& value, int indent = -1);

}  // namespace prmtool
