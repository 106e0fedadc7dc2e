// The file layer: reading a file's first bytes, and replacing a file
// atomically. Paths are UTF-8. The only platform code of the core.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "Result.h"

namespace params {

// The low-level operations of an atomic save, so tests can make each one fail.
class IFileOps {
public:
    virtual ~IFileOps() = default;
    // Creates a new, empty file that must not exist yet; nullptr on failure.
    virtual std::FILE* CreateNew(const std::string& path) = 0;
    virtual bool Write(std::FILE* file, const std::uint8_t* bytes, std::size_t count) = 0;
    virtual bool Close(std::FILE* file) = 0;  // flushes; the file is closed even on failure
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    virtual void Remove(const std::string& path) = 0;
    // False when an existing file at path may not be written (read-only).
    virtual bool MayReplace(const std::string& path) = 0;
};

IFileOps& SystemFileOps();

// Reads at most maxBytes from the start of the file. Fails, with the
// system's reason, when it cannot be opened or read.
Result ReadFilePrefix(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& out);

// Writes bytes to a temporary file beside path and only then puts it in
// path's place; on any failure the old file is untouched and the temporary
// file is gone, and the problem gives the system's reason.
Result WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                           IFileOps& ops = SystemFileOps());

}  // namespace params
