// The text form of a parameter set: one "name = value" line per parameter,
// one per table row, in file order. Made for reading and for line-wise diffs.
#pragma once

#include <string>
#include <vector>

#include "JsonForm.h"

namespace prmtool {

struct TextLine {
    std::string name;
    std::string value;
};

// The lines of an object in the JSON form. Texts are quoted, so an empty
// name shows and every line stays one line; a choice without a selection is "(none)".
std::vector<TextLine> TextLines(const Json& object);

}  // namespace prmtool
