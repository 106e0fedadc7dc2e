// SHA-256 (FIPS 180-4), to name a file's exact content in one line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace prmtool {

// The digest of bytes as 64 lower-case hex digits, as sha256sum prints it.
std::string Sha256Hex(const std::vector<std::uint8_t>& bytes);

}  // namespace prmtool
