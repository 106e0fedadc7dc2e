#include "FileIo.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "FileSystem.h"

namespace params {
namespace {

// What failed, and why as the system says it when it says anything.
Result SystemFailure(std::string what, int error) {
    errno = error;
    return Result::Fail(error != 0 ? what + ": " + std::strerror(error) : what);
}

// SplitMix64's finalizer: every bit of z stirs every bit of the result.
std::uint64_t Mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

// Differs from run to run and from call to call; exclusive creation makes
// names unique, this only keeps retries rare.
std::uint64_t NextSalt() {
    static std::uint64_t state =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        reinterpret_cast<std::uintptr_t>(&state);
    return Mix(state += 0x9E3779B97F4A7C15u);
}

// The copies of a file's old bytes are named after the file itself, so that
// finding them takes a look at a few names, not a read of the whole folder,
// and no other file's copy (nor a name made to look like one) passes for its.
constexpr int kCopyNames = 4;

std::uint64_t CopySalt(const FileIdentity& of, int attempt) {
    return Mix(of.device * 0x9E3779B97F4A7C15u ^ of.index ^ (static_cast<std::uint64_t>(attempt) << 56));
}

bool WriteAll(IFileOps& ops, int fd, const std::vector<std::uint8_t>& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const long long n = ops.WriteAt(fd, bytes.data() + done, bytes.size() - done, done);
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;  // nothing written and no error: no room
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool Rewrite(IFileOps& ops, int fd, const std::vector<std::uint8_t>& bytes) {
    return WriteAll(ops, fd, bytes) && ops.Truncate(fd, bytes.size()) == 0 && ops.Sync(fd) == 0;
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

    // A temporary file under a new name; or, for a copy of the file of
    // identity `of`, under one of the names derived from it.
    bool Create(const std::string& beside, const FileIdentity* of = nullptr, bool asNew = false) {
        for (int attempt = 0; attempt < (of ? kCopyNames : 64) && fd_ < 0; ++attempt) {
            name_ = TemporaryName(beside, of ? CopySalt(*of, attempt) : NextSalt(), of != nullptr);
            fd_ = ops_.CreateExclusive(folder_, name_, asNew);
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
bool IsUnsupported(int error) { return error == ENOTSUP || error == EOPNOTSUPP || error == EXDEV; }

// A whole, new file at name where nothing is, made as any program makes a
// new file: beside it and placed there only if nothing has come meanwhile;
// in a folder that keeps whatever is made in it, at the name itself.
bool CreateWhole(IFileOps& ops, const Folder& folder, const std::string& name, const std::vector<std::uint8_t>& bytes) {
    if (folder.keeps) {
        const int fd = ops.CreateExclusive(folder, name, true);
        if (fd < 0) return false;
        const bool written = Rewrite(ops, fd, bytes);
        return ops.Close(fd) == 0 && written && ops.SyncFolder(folder) == 0;
    }
    SideFile file(ops, folder);
    if (!file.Create(name, nullptr, true) || !file.Fill(bytes)) return false;
    if (ops.Place(folder, file.Name(), name) != 0) return false;
    file.Keep();
    return ops.SyncFolder(folder) == 0;
}

bool StillThere(IFileOps& ops, const Folder& folder, const std::string& name, const FileIdentity& identity) {
    FileIdentity now;
    if (ops.Identify(folder, name, now) != 0) return false;
    return now == identity || (errno = ESTALE, false);
}

Result Replaced() { return Result::Fail("the file was replaced meanwhile; nothing written"); }

bool ReadWhole(int fd, std::vector<std::uint8_t>& out) {
    out.clear();
    std::uint8_t chunk[16384];
    for (long long n; (n = fs::ReadAt(fd, chunk, sizeof chunk, out.size())) != 0;) {
        if (n < 0) return false;
        out.insert(out.end(), chunk, chunk + n);
    }
    return true;
}

constexpr const char* kCannotWrite = "cannot write the file";

}  // namespace

Result fs::DanglingLink() {
    return Result::Fail("cannot write the file: it is a link to a file that does not exist; nothing created");
}

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
    lock_ = std::exchange(other.lock_, -1);
    identity_ = other.identity_;
    unwritable_ = other.unwritable_;
    regular_ = other.regular_;
    inPlace_ = other.inPlace_;
    other.Close();
    return *this;
}

void HeldFile::Close() {
    if (lock_ >= 0) fs::Unlock(folder_, name_, std::exchange(lock_, -1));
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
        unwritable_ = r.unwritable;
        regular_ = r.regular;
        inPlace_ = r.inPlace;
        asked_ = path;
        change_ = use == Use::Change;
        if (!resolved) {
            Close();
            return resolved;
        }
        // Bytes only: no name is held, so none can have come to lead elsewhere.
        if (use == Use::Read) return {};
        // The folder's entry must still be the file opened: a file is held only with its own name.
        if (r.swapped || (regular_ && !StillThere(SystemFileOps(), folder_, name_, identity_))) continue;
        if (use == Use::Inspect || fd_ < 0) return {};
        // Another changer holds it for a moment; one that hangs must not hold this one for ever.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while ((lock_ = fs::TryLock(folder_, name_, fd_)) < 0) {
            if (std::chrono::steady_clock::now() > giveUp) {
                const std::string lock = folder_.path + LockName(name_);
                Close();
                return Result::Fail("another program is changing the file (it holds " + lock + "); nothing changed");
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
    if (unwritable_ != 0) return SystemFailure(kCannotWrite, unwritable_);

    if (!inPlace_ && !folder_.keeps) {
        // A new file put in its place: the old file stays whole until then,
        // and the replacement itself checks that it replaces the file held.
        // Where the new file cannot carry the old one's owner, ACL or
        // attributes, the folder takes no new file, or the system cannot
        // check in the same step, in place instead.
        SideFile file(ops, folder_);
        const bool carried = file.Create(name_) && file.TakeAttributes(fd_);
        if (carried) {
            if (!file.Fill(bytes)) return SystemFailure(kCannotWrite, errno);
            if (ops.Replace(folder_, file.Name(), name_, fd_) == 0) {
                file.Keep();
                return ops.SyncFolder(folder_) == 0 ? Result{} : SystemFailure(kCannotWrite, errno);
            }
            if (errno == ESTALE) {
                // Whatever is under the temporary name now is another program's.
                file.Keep();
                FileIdentity stray;
                if (ops.Identify(folder_, file.Name(), stray) != 0) return Replaced();
                return Result::Fail(Replaced().GetProblem().message + "; files were moved meanwhile: one is now " +
                                    folder_.path + file.Name());
            }
            if (!IsUnsupported(errno)) return SystemFailure(kCannotWrite, errno);
        } else if (!IsPermissionDenial(errno) && !IsUnsupported(errno)) {
            return SystemFailure(kCannotWrite, errno);
        }
    }
    return SaveInPlace(bytes, ops);
}

Result HeldFile::SaveInPlace(const std::vector<std::uint8_t>& bytes, IFileOps& ops) {
    // Every name of the file sees the new bytes. The old ones are kept first:
    // in a synced copy beside it where the folder allows one, in memory always.
    std::vector<std::uint8_t> old;
    if (!ReadWhole(fd_, old)) return SystemFailure(kCannotWrite, errno);
    SideFile copy(ops, folder_);
    if (folder_.keeps) {
        errno = EPERM;  // a copy there could never be removed: the old bytes stay in memory only
    } else if (copy.Create(name_, &identity_)) {
        (void)copy.TakeAttributes(fd_);  // else it stays 0600 and the saver's: narrower, never wider
        if (!copy.Fill(old) || ops.SyncFolder(folder_) != 0) return SystemFailure(kCannotWrite, errno);
    } else if (!IsPermissionDenial(errno) && errno != EEXIST) {  // EEXIST: every copy's name taken by earlier ones
        return SystemFailure(kCannotWrite, errno);
    }
    if (!StillThere(ops, folder_, name_, identity_))
        return errno == ESTALE ? Replaced() : SystemFailure(kCannotWrite, errno);
    if (Rewrite(ops, fd_, bytes)) return {};  // the copy goes with the SideFile
    const int error = errno;
    const std::string failed = SystemFailure(kCannotWrite, error).GetProblem().message;
    if (Rewrite(ops, fd_, old)) return Result::Fail(failed + "; the file keeps its old bytes");
    if (copy.Name().empty()) return Result::Fail(failed + "; its old bytes could not be put back");
    copy.Keep();
    return Result::Fail(failed + "; " + std::string(kOldBytesIn) + folder_.path + copy.Name());
}

std::vector<std::string> HeldFile::LeftoverCopies(std::uint64_t maxSize) const {
    std::vector<std::string> found;
    if (name_.empty() || fd_ < 0 || !regular_) return found;
    for (int attempt = 0; attempt < kCopyNames; ++attempt) {
        const std::string copy = TemporaryName(name_, CopySalt(identity_, attempt), true);
        fs::EntryFacts facts;
        if (fs::Inspect(folder_, copy, fd_, facts) && facts.regular && facts.mine && facts.links == 1 &&
            facts.size >= 1 && facts.size <= maxSize)
            found.push_back(folder_.path + copy);
    }
    return found;
}

namespace {

// path with its name cut to leave room for suffix, so that it fits wherever
// path's own name fits: the longest name a file system allows is 255 bytes,
// or 255 UTF-16 units (never more units than UTF-8 bytes).
std::string WithSuffix(const std::string& path, const char* suffix) {
    constexpr std::size_t kMaxName = 255;
    const std::size_t nameStart = SplitPath(path).first.size();
    const std::size_t nameLength = path.size() - nameStart;
    std::size_t keep = std::min(nameLength, kMaxName - std::char_traits<char>::length(suffix));
    while (keep < nameLength && keep > 0 && (static_cast<unsigned char>(path[nameStart + keep]) & 0xC0) == 0x80)
        --keep;  // never half a character
    return path.substr(0, nameStart + keep) + suffix;
}

}  // namespace

std::string TemporaryName(const std::string& path, std::uint64_t salt, bool copy) {
    // ".~" and twelve hex digits of salt: by hand, as a printf would bring
    // the C library's whole formatter into the editor.
    char suffix[] = ".~000000000000.tmp";
    for (int i = 13; i >= 2; --i, salt >>= 4) suffix[i] = "0123456789abcdef"[salt & 0xF];
    if (copy) std::memcpy(suffix + 15, "bak", 3);
    return WithSuffix(path, suffix);
}

std::string LockName(const std::string& path) { return WithSuffix(path, ".~lock"); }

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
