// The file layer on POSIX systems: descriptors and calls relative to an open folder.
#include "FileSystem.h"

#include <acl/libacl.h>
#include <attr/libattr.h>
#include <fcntl.h>
#include <limits.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace params {
namespace {

Result Failure(const char* what, int error) { return Result::Fail(std::string(what) + ": " + std::strerror(error)); }

FileIdentity IdentityOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

// Where the system says the open file is: the name it was reached by, every link followed.
bool WhereIs(int fd, const std::string& path, std::string& out) {
    char where[PATH_MAX];
    const std::string proc = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = ::readlink(proc.c_str(), where, sizeof where);
    if (n > 0 && static_cast<std::size_t>(n) < sizeof where && where[0] == '/') {
        out.assign(where, static_cast<std::size_t>(n));
        return true;
    }
    // Without /proc (a bare chroot): the name as resolved now, which the identity check then confirms.
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return false;
    out = real;
    std::free(real);
    return true;
}

class PosixOps final : public IFileOps {
public:
    int CreateExclusive(const Folder& folder, const std::string& name, bool asNew) override {
        return ::openat(folder.fd, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        asNew ? 0666 : 0600);
    }
    int CopyAttributes(int from, int to) override {
        struct stat st;
        if (::fstat(from, &st) != 0) return -1;
        // The owner first: giving it clears set-ID bits, which the mode then restores.
        if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) && ::fchown(to, st.st_uid, st.st_gid) != 0)
            return -1;
        if (::perm_copy_fd(nullptr, from, nullptr, to, nullptr) != 0) return -1;
        // The ACL carries no set-ID or sticky bit.
        if ((st.st_mode & 07000) != 0 && ::fchmod(to, st.st_mode & 07777) != 0) return -1;
        return ::attr_copy_fd(nullptr, from, nullptr, to, nullptr, nullptr);
    }
    long long WriteAt(int fd, const std::uint8_t* bytes, std::size_t count, std::uint64_t offset) override {
        return ::pwrite(fd, bytes, count, static_cast<off_t>(offset));
    }
    int Truncate(int fd, std::uint64_t size) override { return ::ftruncate(fd, static_cast<off_t>(size)); }
    int Sync(int fd) override { return ::fsync(fd); }
    int Close(int fd) override { return ::close(fd); }
    int Identify(const Folder& folder, const std::string& name, FileIdentity& out) override {
        struct stat st;
        if (::fstatat(folder.fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return -1;
        out = IdentityOf(st);
        return 0;
    }
    int Replace(const Folder& folder, const std::string& from, const std::string& to, int held) override {
        FileIdentity made, out;
        struct stat st;
        if (Identify(folder, from, made) != 0 || ::fstat(held, &st) != 0) return -1;
        const FileIdentity expected = IdentityOf(st);  // an inode keeps its number through renames
        // The names trade files in one step, so what leaves `to` is what was
        // there at that moment, whatever came and went before.
        if (::renameat2(folder.fd, from.c_str(), folder.fd, to.c_str(), RENAME_EXCHANGE) != 0) {
            if (errno == EINVAL || errno == ENOSYS) errno = ENOTSUP;
            return -1;
        }
        if (Identify(folder, from, out) == 0 && out == expected) {
            ::unlinkat(folder.fd, from.c_str(), 0);
            return 0;
        }
        // Another file came out: it goes back, and the new file is removed
        // only if it is what comes out then. Anything else stays where it is.
        if (::renameat2(folder.fd, from.c_str(), folder.fd, to.c_str(), RENAME_EXCHANGE) == 0 &&
            Identify(folder, from, out) == 0 && out == made)
            ::unlinkat(folder.fd, from.c_str(), 0);
        errno = ESTALE;
        return -1;
    }
    int Place(const Folder& folder, const std::string& from, const std::string& to) override {
        if (::renameat2(folder.fd, from.c_str(), folder.fd, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
        if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return -1;
        // A file system without the exclusive rename: a new hard link is exclusive too.
        if (::linkat(folder.fd, from.c_str(), folder.fd, to.c_str(), 0) != 0) return -1;
        ::unlinkat(folder.fd, from.c_str(), 0);
        return 0;
    }
    int SyncFolder(const Folder& folder) override {
        // EINVAL: a file system that cannot sync folders; EBADF: a folder held only as a path.
        return ::fsync(folder.fd) == 0 || errno == EINVAL || errno == EBADF ? 0 : -1;
    }
    int Remove(const Folder& folder, const std::string& name) override {
        return ::unlinkat(folder.fd, name.c_str(), 0);
    }
};

}  // namespace

IFileOps& SystemFileOps() {
    static PosixOps ops;
    return ops;
}

namespace fs {

Result ResolveOnce(const std::string& path, HeldFile::Use use, Resolved& out) {
    const bool change = use == HeldFile::Use::Change;
    // Opening a FIFO waits for a writer, for ever if none comes. Opened
    // without waiting and then read as usual, one without a writer reads as
    // empty at once, while one being written (such as <(command)) is read whole.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0 && errno == ENOENT && change) {
        struct stat link;
        if (::lstat(path.c_str(), &link) == 0) return DanglingLink();
        auto [folder, name] = SplitPath(path);  // nothing there: a save makes it in the folder
        if (name.empty()) return Failure("cannot write the file", EISDIR);
        out.name = std::move(name);
        return OpenFolder(folder, out.folder);
    }
    if (fd < 0) return Failure(change ? "cannot write the file" : "cannot read the file", errno);
    out.fd = fd;
    struct stat st;
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &st) != 0 || flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return Failure("cannot read the file", errno);
    out.identity = IdentityOf(st);
    out.regular = S_ISREG(st.st_mode);
    if (!out.regular) {
        if (change) return Failure("cannot write the file", S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        return {};
    }
    if (use == HeldFile::Use::Read) return {};
    if (change) {
        // Root may write anything, so for it the write bits decide, as they
        // decide whether a rename may get round a read-only file.
        const bool allowed = ::geteuid() != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
        // The file just opened, again for writing, as the identity check confirms.
        const int rw = allowed ? ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY) : -1;
        out.unwritable = allowed ? errno : EACCES;
        struct stat again;
        if (rw >= 0 && ::fstat(rw, &again) == 0 && IdentityOf(again) == out.identity) {
            ::close(fd);
            out.fd = rw;
            out.unwritable = ::fcntl(rw, F_SETFL, flags & ~O_NONBLOCK) == 0 ? 0 : errno;
        } else if (rw >= 0) {
            ::close(rw);
            out.swapped = true;
            return {};
        }
        out.inPlace = st.st_nlink > 1 || (::geteuid() != 0 && st.st_uid != ::geteuid());
    }
    std::string where;
    if (!WhereIs(out.fd, path, where)) return Failure("cannot find the file's folder", errno);
    auto [folder, name] = SplitPath(where);
    out.name = std::move(name);
    return OpenFolder(folder, out.folder);
}

int TryLock(const Folder& folder, const std::string& name, int fd) {
    struct stat file;
    if (::fstat(fd, &file) != 0) return -1;
    // Only the classes of users who may write the file may open the lock file.
    const mode_t mode = S_IRUSR | S_IWUSR | (file.st_mode & S_IWGRP ? S_IRGRP | S_IWGRP : 0) |
                        (file.st_mode & S_IWOTH ? S_IROTH | S_IWOTH : 0);
    const std::string lockName = LockName(name);
    while (folder.fd >= 0 && !folder.keeps) {
        const int lock = ::openat(folder.fd, lockName.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                                  mode);
        if (lock < 0) break;  // a folder that takes no lock file: the file's own lock instead
        struct stat held, named;
        if (::fstat(lock, &held) == 0 && held.st_uid == ::geteuid()) {
            (void)::fchown(lock, static_cast<uid_t>(-1), file.st_gid);  // the file's changers, not this user's group
            (void)::fchmod(lock, mode);                                 // whatever the umask took away
        }
        if (::flock(lock, LOCK_EX | LOCK_NB) != 0) {
            ::close(lock);
            return -1;
        }
        // A changer that finished removed the lock file this one waited on: it takes the name's again.
        if (::fstatat(folder.fd, lockName.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            IdentityOf(named) == IdentityOf(held))
            return lock;
        ::close(lock);
    }
    const int own = ::dup(fd);
    if (own >= 0 && ::flock(own, LOCK_EX | LOCK_NB) == 0) return own;
    if (own >= 0) ::close(own);
    return -1;
}

void Unlock(const Folder& folder, const std::string& name, int lock) {
    struct stat held, named;
    const std::string lockName = LockName(name);
    if (::fstat(lock, &held) == 0 && ::fstatat(folder.fd, lockName.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        IdentityOf(named) == IdentityOf(held))
        ::unlinkat(folder.fd, lockName.c_str(), 0);
    ::close(lock);
}

void Pause() { ::usleep(2000); }

long long ReadAt(int fd, std::uint8_t* bytes, std::size_t count, std::uint64_t offset) {
    // A FIFO has no offsets: it is read as it comes.
    const ssize_t n = ::pread(fd, bytes, count, static_cast<off_t>(offset));
    return n < 0 && errno == ESPIPE ? ::read(fd, bytes, count) : n;
}

std::uint64_t SizeOf(int fd) {
    struct stat st;
    return ::fstat(fd, &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

void CloseFile(int fd) { ::close(fd); }

void CloseFolder(Folder& folder) {
    if (folder.fd >= 0) ::close(folder.fd);
    folder = Folder{};
}

Result OpenFolder(const std::string& path, Folder& out) {
    const char* name = path.empty() ? "." : path.c_str();
    // A folder this user may pass through but not list is held as a path only.
    int fd = ::open(name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) fd = ::open(name, O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Failure("cannot open the folder", errno);
    // A folder deeper than the system can name: a file made there could not be found again by name.
    char where[PATH_MAX];
    const ssize_t n = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), where, sizeof where);
    if (n == sizeof where || (n < 0 && errno == ENAMETOOLONG)) {
        ::close(fd);
        return Failure("cannot open the folder", ENAMETOOLONG);
    }
    int flags = 0;
    out = {fd, path, ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_APPEND_FL) != 0};
    return {};
}

bool Inspect(const Folder& folder, const std::string& name, int ownerOf, EntryFacts& out) {
    struct stat st, owner;
    if (::fstatat(folder.fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || ::fstat(ownerOf, &owner) != 0)
        return false;
    out = {S_ISREG(st.st_mode), st.st_uid == ::geteuid() || st.st_uid == owner.st_uid,
           static_cast<std::uint64_t>(st.st_size), static_cast<std::uint64_t>(st.st_nlink)};
    return true;
}

Result UsableName(const std::string&) { return {}; }

bool IdentifyPath(const std::string& path, FileIdentity& out) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    out = IdentityOf(st);
    return true;
}

std::string FullPath(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    char* here = ::getcwd(nullptr, 0);
    if (!here) return path;
    std::string full = here;
    std::free(here);
    return full + (full.back() == '/' ? "" : "/") + path;
}

}  // namespace fs
}  // namespace params
