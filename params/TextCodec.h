// The one conversion between UTF-8, the core's and the files' text, and
// UTF-16, Windows' (controls, paths, the command line, the console).
#pragma once

#include <string>
#include <string_view>

namespace params {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The same units as the core's UTF-16 texts: wchar_t is 16 bits on Windows.
inline std::u16string_view Utf16(std::wstring_view text) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

}  // namespace params
