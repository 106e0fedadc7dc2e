// The file layer: reading a file's first bytes, and replacing or creating a
// file so that it stays the file the user means. Paths are UTF-8. The only
// platform code of the core.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "Result.h"

namespace params {

// What a save needs to know of the file a path names.
struct SaveTarget {
    std::string path;     // the file itself: symbolic links followed
    bool exists = false;
    bool inPlace = false;  // other names (hard links) share it: a rename would split them
};

// The low-level operations of a save, so tests can make each one fail. Each
// failure leaves errno saying why.
class IFileOps {
public:
    virtual ~IFileOps() = default;
    // Follows links and asks whether this user may write the file (a folder or
    // a read-only file may not be); false when not.
    virtual bool Inspect(const std::string& path, SaveTarget& target) = 0;
    // Creates a new, empty file that must not exist yet; nullptr on failure.
    virtual std::FILE* CreateNew(const std::string& path) = 0;
    // Opens an existing file for writing and empties it; nullptr on failure.
    virtual std::FILE* OpenToOverwrite(const std::string& path) = 0;
    virtual bool Write(std::FILE* file, const std::uint8_t* bytes, std::size_t count) = 0;
    // Gives the new file the permissions and, where allowed, the owner of the file it replaces.
    virtual bool KeepAttributes(std::FILE* file, const std::string& original) = 0;
    virtual bool Close(std::FILE* file) = 0;  // flushes to the disk; the file is closed even on failure
    // Puts from in to's place, keeping to's attributes where the system holds them on the name.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    // Puts from at to only if nothing at all is there, not even a dangling link.
    virtual bool Place(const std::string& from, const std::string& to) = 0;
    // Makes a rename in the folder of path durable.
    virtual bool SyncFolder(const std::string& path) = 0;
    virtual void Remove(const std::string& path) = 0;
};

IFileOps& SystemFileOps();

// Reads at most maxBytes from the start of the file. Fails, with the
// system's reason, when it cannot be opened or read.
Result ReadFilePrefix(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& out);

// Saves bytes as the file path means (through links, to every hard link),
// keeping its attributes. On failure the old file keeps its bytes, and the
// problem gives the system's reason.
Result WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                           IFileOps& ops = SystemFileOps());

// Creates path holding bytes, all at once, only where nothing is at path yet.
Result WriteNewFile(const std::string& path, const std::vector<std::uint8_t>& bytes, IFileOps& ops = SystemFileOps());

// The name of a temporary file beside path that fits wherever path's name
// fits; salt makes it unique.
std::string TemporaryName(const std::string& path, std::uint64_t salt);

}  // namespace params
