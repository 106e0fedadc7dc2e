// The file layer: a file the user names is resolved once, by the system, and
// then held: its folder and the file itself stay open, and every later step
// (reading, locking, saving) works on what was resolved, never on the name
// looked up again. Paths are UTF-8. What it asks of each system is in
// FileSystem.h, one file for POSIX and one for Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Result.h"

namespace params {

// Which file an entry is, whatever its names.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};

// An open folder: its descriptor where the system has one, and its path for
// systems that work by name and for messages.
struct Folder {
    int fd = -1;
    std::string path;     // with a trailing separator, or "" for the current folder
    bool keeps = false;   // nothing made in it can be removed again (append-only)
};

// The system calls of a save, one each, their results unchecked: the save
// checks every one. Tests put failures here, underneath the checks. A failed
// call returns -1 and leaves errno saying why.
class IFileOps {
public:
    virtual ~IFileOps() = default;
    // A new, empty file that must not exist yet: its descriptor. Mode 0600;
    // or, for a file of its own (asNew), as any program makes one, so the
    // umask or the folder's default ACL decide.
    virtual int CreateExclusive(const Folder& folder, const std::string& name, bool asNew) = 0;
    // Gives `to` the owner, group, mode, ACL and extended attributes of `from`.
    virtual int CopyAttributes(int from, int to) = 0;
    // Writes at offset; the bytes written, which may be fewer than asked.
    virtual long long WriteAt(int fd, const std::uint8_t* bytes, std::size_t count, std::uint64_t offset) = 0;
    virtual int Truncate(int fd, std::uint64_t size) = 0;
    virtual int Sync(int fd) = 0;
    virtual int Close(int fd) = 0;  // the descriptor is gone even when this fails
    // The identity of the entry itself (a link is not followed).
    virtual int Identify(const Folder& folder, const std::string& name, FileIdentity& out) = 0;
    // Puts from in to's place, keeping to's attributes where the system holds
    // them on the name, and removes what was at to, only when that is the
    // file open as held, compared as it is then (on FAT a file renamed to a
    // longer name gets another identity): anything else is put back at to,
    // and the call fails with ESTALE, from then removed unless another file
    // has come there. ENOTSUP where the system cannot check in the same step.
    virtual int Replace(const Folder& folder, const std::string& from, const std::string& to, int held) = 0;
    // Puts from at to only if nothing at all is there, not even a dangling link.
    virtual int Place(const Folder& folder, const std::string& from, const std::string& to) = 0;
    virtual int SyncFolder(const Folder& folder) = 0;
    virtual int Remove(const Folder& folder, const std::string& name) = 0;
};

IFileOps& SystemFileOps();

// A file named by the user, resolved once and held open.
class HeldFile {
public:
    enum class Use {
        Read,     // its bytes only: anything that can be read, FIFOs included
        Inspect,  // as Read, with the folder a regular file is in, for what a save left beside it
        Change,   // read-modify-write: a regular file or nothing yet, locked against other changers
    };

    HeldFile() = default;
    HeldFile(HeldFile&& other) noexcept { *this = std::move(other); }
    HeldFile& operator=(HeldFile&& other) noexcept;
    ~HeldFile();

    // Resolves path (links by the system, so its protections apply) and
    // opens what it names. For Use::Change a path naming nothing holds the
    // folder the file will be made in, and an existing file is locked for
    // as long as it is held: a second changer waits for the first, then
    // sees its result.
    Result Open(const std::string& path, Use use);

    // Whether this holds path, as named, for a change.
    bool IsHeldFor(const std::string& path) const { return change_ && path == asked_; }
    // The file as resolved, for messages; "" when held for Use::Read.
    std::string Path() const { return folder_.path + name_; }

    // Which file is held: the one whose bytes Read reads.
    const FileIdentity& Identity() const { return identity_; }

    // The held file's size in bytes.
    std::uint64_t Size() const;

    // Reads at most maxBytes from the start of the held file.
    Result Read(std::size_t maxBytes, std::vector<std::uint8_t>& out) const;

    // Saves bytes into the held file: through a new file renamed into its
    // place where that keeps everything that makes it this file, else in
    // place. Refused when its name no longer leads to the file held. On
    // failure the problem says whether the file kept its old bytes and, if
    // not, which file holds them.
    Result Save(const std::vector<std::uint8_t>& bytes, IFileOps& ops = SystemFileOps());

    // Copies of the file's old bytes that an interrupted save of it left
    // beside it: looked up by the names a save gives them, and only those
    // that this user's save made (a regular file, one name, 1 to maxSize bytes).
    // None for a file held for Use::Read, which holds no folder.
    std::vector<std::string> LeftoverCopies(std::uint64_t maxSize) const;

private:
    void Close();
    Result SaveInPlace(const std::vector<std::uint8_t>& bytes, IFileOps& ops);

    std::string asked_;  // the path as given
    int lock_ = -1;      // what keeps other changers out while held
    bool change_ = false;
    Folder folder_;
    std::string name_;
    int fd_ = -1;
    FileIdentity identity_;
    int unwritable_ = 0;  // why it cannot be written: 0 when it can
    bool regular_ = false;
    bool inPlace_ = false;  // a new file could not carry what makes it this one (other names, owner)
};

// How a failed save names the file that holds the old bytes, which precedes its path.
constexpr std::string_view kOldBytesIn = "its old bytes are in ";

// Splits a path after its last separator: the folder with its separator
// (so a root stays a root), and the name.
std::pair<std::string, std::string> SplitPath(const std::string& path);

// The path from the root, as the system would resolve path now.
std::string FullPath(const std::string& path);

// Which file or folder path leads to now, whatever name it is reached by
// (links of either kind, letter case where the system ignores it); false when none.
bool IdentifyPath(const std::string& path, FileIdentity& out);

// Reads at most maxBytes from the start of the file path names. Fails, with
// the system's reason, when it cannot be opened or read.
Result ReadFilePrefix(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& out);

// Opens path for a change and saves bytes into it (HeldFile::Save).
Result WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                           IFileOps& ops = SystemFileOps());

// Creates path holding bytes, all at once, only where nothing is at path yet.
Result WriteNewFile(const std::string& path, const std::vector<std::uint8_t>& bytes, IFileOps& ops = SystemFileOps());

// The name of a temporary file (or, with copy, of a copy of the old bytes)
// beside the file named name that fits wherever that name fits; salt makes
// it unique.
std::string TemporaryName(const std::string& name, std::uint64_t salt, bool copy = false);

// The name of the lock file beside the file named name: changers hold it while they change the file.
std::string LockName(const std::string& name);

}  // namespace params
