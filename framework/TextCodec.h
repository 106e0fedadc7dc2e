// Conversions at the boundary between the controls (UTF-16) and the
// parameter core (UTF-8), and the code-page-936 byte count of a text.
#pragma once

#include <string>
#include <string_view>

namespace framework {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// Bytes the text takes in code page 936: a unit below U+0080 counts 1,
// any other UTF-16 unit 2.
int Cp936Length(std::wstring_view text);

// The longest start of text that fits in room bytes, never splitting a
// surrogate pair.
std::wstring_view FitCp936(std::wstring_view text, int room);

}  // namespace framework
