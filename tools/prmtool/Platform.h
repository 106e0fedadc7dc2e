// What differs between systems: how the arguments arrive, and how text
// reaches a Windows console. Everything else in prmtool is UTF-8 throughout.
#pragma once

#include <filesystem>
#include <string>

#include "Commands.h"

namespace prmtool {

// The arguments after the program's name, as UTF-8. On Windows they come
// from the wide command line, so no character is lost to a code page.
Args Utf8Arguments(int argc, char** argv);

// Makes the standard streams carry UTF-8 unchanged: to a file or pipe as
// bytes (no "\r\n" on Windows), to a Windows console as wide text, which
// shows Chinese whatever the console's code page.
void UseUtf8Streams();

// A UTF-8 path as the file system library takes it on every system.
inline std::filesystem::path Utf8Path(const std::string& utf8) {
    return std::u8string(utf8.begin(), utf8.end());
}

}  // namespace prmtool
