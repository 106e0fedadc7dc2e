// One-line messages: what they quote from the input is escaped, and a long
// value is quoted only in part.
#pragma once

#include <string>
#include <string_view>

namespace prmtool {

// The text with control characters (C0, DEL and C1) as \xNN, so a message
// stays one line and no terminal control sequence gets through.
std::string Printable(std::string_view text);

// The start of text, cut after at most a few dozen bytes at a character
// boundary, with "..." where it was cut.
std::string Excerpt(std::string_view text);

// "prmtool: MESSAGE" on standard error, printable, as one line.
void Complain(std::string_view message);

}  // namespace prmtool
