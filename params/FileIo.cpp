#include "FileIo.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "FileSystem.h"

// The entry no longer leads to the file held. Windows' C library has no such error.
#ifndef ESTALE
#define ESTALE 116
#endif

namespace params {
namespace {

// What failed, and why as the system says it when it says anything.
Result SystemFailure(std::string what, int error) {
    errno = error;
    return Result::Fail(error != 0 ? what + ": " + std::strerror(error) : what);
}

// Differs from run to run and from call to call; exclusive creation makes
// names unique, this only keeps retries rare.
std::uint64_t NextSalt() {
    static std::uint64_t state =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        reinterpret_cast<std::uintptr_t>(&state);
    std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

bool WriteAll(IFileOps& ops, int fd, const std::vector<std::uint8_t>& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const long long n = ops.WriteAt(fd, bytes.data() + done, bytes.size() - done, done);
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Keeps errno across clean-up calls, so the first failure is the one reported.
class KeepErrno {
public:
    ~KeepErrno() { errno = error_; }

private:
    int error_ = errno;
};

// A file beside the held one, made exclusively with mode 0600, given the
// attributes it must carry before any byte of content, written, synced and
// closed. Removed again on any failure.
class SideFile {
public:
    SideFile(IFileOps& ops, const Folder& folder) : ops_(ops), folder_(folder) {}
    ~SideFile() {
        if (fd_ >= 0) {
            const KeepErrno keep;
            ops_.Close(fd_);
        }
        if (!name_.empty() && !kept_) {
            const KeepErrno keep;
            ops_.Remove(folder_, name_);
        }
    }

    bool Create(const std::string& beside, bool copy) {
        for (int attempt = 0; attempt < 64 && fd_ < 0; ++attempt) {
            name_ = TemporaryName(beside, NextSalt(), copy);
            fd_ = ops_.CreateExclusive(folder_, name_);
            if (fd_ < 0 && errno != EEXIST) break;
        }
        if (fd_ < 0) name_.clear();
        return fd_ >= 0;
    }
    bool TakeAttributes(int from) { return ops_.CopyAttributes(from, fd_) == 0; }
    bool Fill(const std::vector<std::uint8_t>& bytes) {
        const bool written = WriteAll(ops_, fd_, bytes) && ops_.Sync(fd_) == 0;
        const int fd = std::exchange(fd_, -1);
        const KeepErrno keep;
        return ops_.Close(fd) == 0 && written;
    }
    void Keep() { kept_ = true; }
    const std::string& Name() const { return name_; }

private:
    IFileOps& ops_;
    const Folder& folder_;
    std::string name_;
    int fd_ = -1;
    bool kept_ = false;
};

bool IsPermissionDenial(int error) { return error == EACCES || error == EPERM || error == EROFS; }

// A whole, new file at name where nothing is: made beside it and placed
// there only if nothing has come meanwhile.
bool CreateWhole(IFileOps& ops, const Folder& folder, const std::string& name, const std::vector<std::uint8_t>& bytes) {
    SideFile file(ops, folder);
    if (!file.Create(name, false) || !file.TakeAttributes(-1) || !file.Fill(bytes)) return false;
    if (ops.Place(folder, file.Name(), name) != 0) return false;
    file.Keep();
    return ops.SyncFolder(folder) == 0;
}

bool StillThere(IFileOps& ops, const Folder& folder, const std::string& name, const FileIdentity& identity) {
    FileIdentity now;
    if (ops.Identify(folder, name, now) != 0) return false;
    return now == identity || (errno = ESTALE, false);
}

bool ReadWhole(int fd, std::vector<std::uint8_t>& out) {
    out.clear();
    std::uint8_t chunk[16384];
    for (long long n; (n = fs::ReadAt(fd, chunk, sizeof chunk, out.size())) != 0;) {
        if (n < 0) return false;
        out.insert(out.end(), chunk, chunk + n);
    }
    return true;
}

bool Rewrite(IFileOps& ops, int fd, const std::vector<std::uint8_t>& bytes) {
    return WriteAll(ops, fd, bytes) && ops.Truncate(fd, bytes.size()) == 0 && ops.Sync(fd) == 0;
}

constexpr const char* kCannotWrite = "cannot write the file";

}  // namespace

std::pair<std::string, std::string> SplitPath(const std::string& path) {
#ifdef _WIN32
    const std::size_t slash = path.find_last_of("/\\");
#else
    const std::size_t slash = path.find_last_of('/');
#endif
    if (slash == std::string::npos) return {std::string(), path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

HeldFile::~HeldFile() { Close(); }

HeldFile& HeldFile::operator=(HeldFile&& other) noexcept {
    if (this == &other) return *this;
    Close();
    asked_ = std::move(other.asked_);
    change_ = std::exchange(other.change_, false);
    folder_ = std::exchange(other.folder_, Folder{});
    name_ = std::move(other.name_);
    fd_ = std::exchange(other.fd_, -1);
    identity_ = other.identity_;
    writable_ = other.writable_;
    regular_ = other.regular_;
    inPlace_ = other.inPlace_;
    other.Close();
    return *this;
}

void HeldFile::Close() {
    if (fd_ >= 0) fs::CloseFile(fd_);
    fs::CloseFolder(folder_);
    fd_ = -1;
    name_.clear();
    asked_.clear();
    change_ = false;
}

Result HeldFile::Open(const std::string& path, Use use) {
    // A name that led to another file while it was being opened, or a changer
    // that waited for the lock and finds the name leading to the file the
    // other changer saved: it starts again from the name.
    for (int attempt = 0; attempt < 100; ++attempt) {
        Close();
        if (path.empty()) return SystemFailure("cannot open the file", ENOENT);
        fs::Resolved r;
        const Result resolved = fs::ResolveOnce(path, use, r);
        folder_ = std::move(r.folder);
        name_ = std::move(r.name);
        fd_ = r.fd;
        identity_ = r.identity;
        writable_ = r.writable;
        regular_ = r.regular;
        inPlace_ = r.inPlace;
        asked_ = path;
        change_ = use == Use::Change;
        if (!resolved) {
            Close();
            return resolved;
        }
        // The folder's entry must still be the file opened: a file is held only with its own name.
        if (r.swapped || (regular_ && !StillThere(SystemFileOps(), folder_, name_, identity_))) continue;
        if (use == Use::Read || fd_ < 0) return {};
        // Another changer holds it for a moment; one that hangs must not hold this one for ever.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (fs::TryLock(fd_) != 0) {
            if (std::chrono::steady_clock::now() > giveUp) {
                Close();
                return Result::Fail("another program is changing the file; nothing changed");
            }
            fs::Pause();
        }
        if (StillThere(SystemFileOps(), folder_, name_, identity_)) return {};
    }
    Close();
    return Result::Fail("the file keeps being replaced; nothing changed");
}

std::uint64_t HeldFile::Size() const { return fd_ < 0 ? 0 : fs::SizeOf(fd_); }

Result HeldFile::Read(std::size_t maxBytes, std::vector<std::uint8_t>& out) const {
    out.clear();
    errno = 0;
    if (fd_ < 0) return SystemFailure("cannot read the file", ENOENT);
    std::uint8_t chunk[16384];
    while (out.size() < maxBytes) {
        const long long n = fs::ReadAt(fd_, chunk, std::min(sizeof chunk, maxBytes - out.size()), out.size());
        if (n < 0) return SystemFailure("cannot read the file", errno);
        if (n == 0) break;
        out.insert(out.end(), chunk, chunk + n);
    }
    return {};
}

Result HeldFile::Save(const std::vector<std::uint8_t>& bytes, IFileOps& ops) {
    errno = 0;
    if (name_.empty()) return SystemFailure(kCannotWrite, EBADF);
    if (fd_ < 0) {
        if (CreateWhole(ops, folder_, name_, bytes)) return {};
        if (errno == EEXIST) return Result::Fail("a file appeared there meanwhile; nothing written");
        return SystemFailure(kCannotWrite, errno);
    }
    if (!regular_) return SystemFailure(kCannotWrite, EINVAL);
    if (!writable_) return SystemFailure(kCannotWrite, EACCES);

    if (!inPlace_) {
        // A new file renamed into its place: the old file stays whole until
        // the rename. Where the new file cannot carry the old one's owner,
        // ACL or attributes, or the folder takes no new file, in place instead.
        SideFile file(ops, folder_);
        const bool carried = file.Create(name_, false) && file.TakeAttributes(fd_);
        if (carried) {
            if (!file.Fill(bytes) || !StillThere(ops, folder_, name_, identity_) ||
                ops.Rename(folder_, file.Name(), name_) != 0)
                return errno == ESTALE ? Result::Fail("the file was replaced meanwhile; nothing written")
                                       : SystemFailure(kCannotWrite, errno);
            file.Keep();
            return ops.SyncFolder(folder_) == 0 ? Result{} : SystemFailure(kCannotWrite, errno);
        }
        if (!IsPermissionDenial(errno) && errno != ENOTSUP && errno != EOPNOTSUPP)
            return SystemFailure(kCannotWrite, errno);
    }
    return SaveInPlace(bytes, ops);
}

Result HeldFile::SaveInPlace(const std::vector<std::uint8_t>& bytes, IFileOps& ops) {
    // Every name of the file sees the new bytes. The old ones are kept first:
    // in a synced copy beside it where the folder allows one, in memory always.
    std::vector<std::uint8_t> old;
    if (!ReadWhole(fd_, old)) return SystemFailure(kCannotWrite, errno);
    SideFile copy(ops, folder_);
    if (copy.Create(name_, true)) {
        (void)copy.TakeAttributes(fd_);  // else it stays 0600 and the saver's: narrower, never wider
        if (!copy.Fill(old) || ops.SyncFolder(folder_) != 0) return SystemFailure(kCannotWrite, errno);
    } else if (!IsPermissionDenial(errno)) {
        return SystemFailure(kCannotWrite, errno);
    }
    if (!StillThere(ops, folder_, name_, identity_))
        return errno == ESTALE ? Result::Fail("the file was replaced meanwhile; nothing written")
                               : SystemFailure(kCannotWrite, errno);
    if (Rewrite(ops, fd_, bytes)) return {};  // the copy goes with the SideFile
    const int error = errno;
    const std::string failed = SystemFailure(kCannotWrite, error).GetProblem().message;
    if (Rewrite(ops, fd_, old)) return Result::Fail(failed + "; the file keeps its old bytes");
    if (copy.Name().empty()) return Result::Fail(failed + "; its old bytes could not be put back");
    copy.Keep();
    return Result::Fail(failed + "; its old bytes are in " + folder_.path + copy.Name());
}

std::vector<std::string> HeldFile::LeftoverCopies() const {
    std::vector<std::string> found;
    if (name_.empty() || (folder_.fd < 0 && folder_.path.empty())) return found;
    const std::string pattern = TemporaryName(name_, 0, true);
    const std::size_t salt = pattern.rfind(".~") + 2;
    for (const std::string& entry : fs::List(folder_)) {
        if (entry.size() != pattern.size() || entry.compare(0, salt, pattern, 0, salt) != 0 ||
            entry.compare(salt + 12, std::string::npos, pattern, salt + 12) != 0)
            continue;
        if (std::all_of(entry.begin() + salt, entry.begin() + salt + 12,
                        [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }))
            found.push_back(folder_.path + entry);
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::string TemporaryName(const std::string& path, std::uint64_t salt, bool copy) {
    // The longest name a file system allows is 255 bytes, or 255 UTF-16 units
    // (never more units than UTF-8 bytes), so a name cut to leave room for the
    // suffix fits wherever path's own name fits.
    constexpr std::size_t kMaxName = 255;
    // ".~" and twelve hex digits of salt: by hand, as a printf would bring
    // the C library's whole formatter into the editor.
    char suffix[] = ".~000000000000.tmp";
    for (int i = 13; i >= 2; --i, salt >>= 4) suffix[i] = "0123456789abcdef"[salt & 0xF];
    if (copy) std::memcpy(suffix + 15, "bak", 3);
    const std::size_t nameStart = SplitPath(path).first.size();
    const std::size_t nameLength = path.size() - nameStart;
    std::size_t keep = std::min(nameLength, kMaxName - std::char_traits<char>::length(suffix));
    while (keep < nameLength && keep > 0 && (static_cast<unsigned char>(path[nameStart + keep]) & 0xC0) == 0x80)
        --keep;  // never half a character
    return path.substr(0, nameStart + keep) + suffix;
}

std::string FullPath(const std::string& path) { return fs::FullPath(path); }

bool IdentifyPath(const std::string& path, FileIdentity& out) { return fs::IdentifyPath(path, out); }

Result ReadFilePrefix(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& out) {
    out.clear();
    HeldFile file;
    if (Result opened = file.Open(path, HeldFile::Use::Read); !opened) return opened;
    return file.Read(maxBytes, out);
}

Result WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes, IFileOps& ops) {
    HeldFile file;
    if (Result opened = file.Open(path, HeldFile::Use::Change); !opened) return opened;
    return file.Save(bytes, ops);
}

Result WriteNewFile(const std::string& path, const std::vector<std::uint8_t>& bytes, IFileOps& ops) {
    errno = 0;
    if (path.empty()) return SystemFailure("cannot create the file", ENOENT);
    const auto [folderPath, name] = SplitPath(path);
    if (Result usable = fs::UsableName(name); !usable) return usable;
    Folder folder;
    if (Result opened = fs::OpenFolder(folderPath, folder); !opened) return opened;
    const bool made = !name.empty() && CreateWhole(ops, folder, name, bytes);
    const int error = name.empty() ? EEXIST : errno;
    fs::CloseFolder(folder);
    if (made) return {};
    if (error == EEXIST) return Result::Fail("already exists; new never replaces anything");
    return SystemFailure("cannot create the file", error);
}

}  // namespace params
