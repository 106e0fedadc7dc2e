#include "FileIo.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace params {
namespace {

#ifdef _WIN32
constexpr const char* kSeparators = "/\\";

std::wstring Wide(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

std::wstring FullPath(const std::string& utf8) {
    const std::wstring path = Wide(utf8);
    std::wstring full(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
    const DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0 || n >= full.size()) return path;
    full.resize(n);
    return full;
}

// errno for the system errors a save meets, so callers name the reason one way.
bool FailWith(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: errno = ENOENT; break;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: errno = EEXIST; break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: errno = ENOSPC; break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: errno = EACCES; break;
    default: errno = EIO; break;
    }
    return false;
}
#else
constexpr const char* kSeparators = "/";
#endif

std::FILE* OpenForReading(const std::string& path) {
#ifdef _WIN32
    return _wfopen(Wide(path).c_str(), L"rb");
#else
    // Opening a FIFO waits for a writer, for ever if none comes. Opened
    // without waiting and then read as usual, one without a writer reads as
    // empty at once, while one being written (such as <(command)) is read whole.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    const int flags = ::fcntl(fd, F_GETFL);
    std::FILE* file = flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ? nullptr : ::fdopen(fd, "rb");
    if (!file) {
        const int error = errno;
        ::close(fd);
        errno = error;
    }
    return file;
#endif
}

// The folder part of path, with its separator; "" for a bare name.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of(kSeparators);
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

class SystemOps final : public IFileOps {
public:
#ifdef _WIN32
    bool Inspect(const std::string& path, SaveTarget& target) override {
        const std::wstring name = Wide(path);
        const DWORD attributes = GetFileAttributesW(name.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_NOT_FOUND) return FailWith(error);
            target = {path, false, false};
            return true;
        }
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return errno = EISDIR, false;
        if (attributes & FILE_ATTRIBUTE_READONLY) return errno = EACCES, false;
        // Opening it for writing asks its security descriptor; nothing is written.
        const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return FailWith(GetLastError());
        BY_HANDLE_FILE_INFORMATION info{};
        const bool known = GetFileInformationByHandle(file, &info) != 0;
        CloseHandle(file);
        target = {path, true, known && info.nNumberOfLinks > 1};
        return true;
    }
    std::FILE* CreateNew(const std::string& path) override {
        const int fd = _wopen(Wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
        return fd < 0 ? nullptr : _fdopen(fd, "wb");
    }
    std::FILE* OpenToOverwrite(const std::string& path) override {
        const int fd = _wopen(Wide(path).c_str(), _O_WRONLY | _O_TRUNC | _O_BINARY);
        return fd < 0 ? nullptr : _fdopen(fd, "wb");
    }
    // ReplaceFileW carries the replaced file's attributes, security and creation time over.
    bool KeepAttributes(std::FILE*, const std::string&) override { return true; }
    bool Replace(const std::string& from, const std::string& to) override {
        // Full paths, since Wine's ReplaceFileW refuses relative ones.
        const std::wstring source = FullPath(from), target = FullPath(to);
        const DWORD attributes = GetFileAttributesW(target.c_str());
        if (ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            // Wine's ReplaceFileW gives the file the new one's attributes; Windows keeps them.
            // Either way the file has changed, which its archive bit tells backups.
            if (attributes != INVALID_FILE_ATTRIBUTES)
                SetFileAttributesW(target.c_str(), (attributes & ~FILE_ATTRIBUTE_NORMAL) | FILE_ATTRIBUTE_ARCHIVE);
            return true;
        }
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND &&  // nothing to replace: a plain rename
            MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        return FailWith(error == ERROR_FILE_NOT_FOUND ? GetLastError() : error);
    }
    bool Place(const std::string& from, const std::string& to) override {
        return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH) != 0 || FailWith(GetLastError());
    }
    // A folder's entries are written through with the rename itself.
    bool SyncFolder(const std::string&) override { return true; }
    void Remove(const std::string& path) override { DeleteFileW(Wide(path).c_str()); }
    bool Close(std::FILE* file) override {
        const bool flushed = std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
        return (std::fclose(file) == 0) && flushed;
    }
#else
    bool Inspect(const std::string& path, SaveTarget& target) override {
        std::string file = path;
        struct stat st;
        for (int hops = 0;; ++hops) {
            if (::lstat(file.c_str(), &st) != 0) {
                if (errno != ENOENT) return false;
                target = {file, false, false};  // a dangling link's target is made where it points
                return true;
            }
            if (!S_ISLNK(st.st_mode)) break;
            if (hops == 40) return errno = ELOOP, false;
            std::string link(4096, '\0');
            const ssize_t n = ::readlink(file.c_str(), link.data(), link.size());
            if (n < 0) return false;
            if (static_cast<std::size_t>(n) == link.size()) return errno = ENAMETOOLONG, false;
            link.resize(static_cast<std::size_t>(n));
            file = link.front() == '/' ? link : FolderOf(file) + link;
        }
        if (S_ISDIR(st.st_mode)) return errno = EISDIR, false;
        if (!S_ISREG(st.st_mode)) return errno = EINVAL, false;
        if (!MayWrite(file, st)) return false;
        target = {file, true, st.st_nlink > 1};
        return true;
    }
    std::FILE* CreateNew(const std::string& path) override {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        return fd < 0 ? nullptr : ::fdopen(fd, "wb");
    }
    std::FILE* OpenToOverwrite(const std::string& path) override {
        const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        return fd < 0 ? nullptr : ::fdopen(fd, "wb");
    }
    bool KeepAttributes(std::FILE* file, const std::string& original) override {
        struct stat st;
        if (::stat(original.c_str(), &st) != 0) return false;
        const int fd = ::fileno(file);
        // The owner first: giving it clears set-ID bits, which the mode then restores.
        // Where the owner may not be given, the group may still be.
        if (::fchown(fd, st.st_uid, st.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
        return ::fchmod(fd, st.st_mode & 07777) == 0;
    }
    bool Replace(const std::string& from, const std::string& to) override {
        return std::rename(from.c_str(), to.c_str()) == 0;
    }
    bool Place(const std::string& from, const std::string& to) override {
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
        if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
        // A file system without the exclusive rename: a new hard link is exclusive too.
        if (::link(from.c_str(), to.c_str()) != 0) return false;
        ::unlink(from.c_str());
        return true;
    }
    bool SyncFolder(const std::string& path) override {
        const std::string folder = FolderOf(path);
        const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return false;
        const bool synced = ::fsync(fd) == 0 || errno == EINVAL;  // a file system that cannot sync folders
        const int error = errno;
        ::close(fd);
        errno = error;
        return synced;
    }
    void Remove(const std::string& path) override { ::unlink(path.c_str()); }
    bool Close(std::FILE* file) override {
        const bool flushed = std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
        return (std::fclose(file) == 0) && flushed;
    }

private:
    // Whether this user may write the file itself (a rename would get round a
    // read-only file). Root may write anything, so for it the write bits decide.
    static bool MayWrite(const std::string& file, const struct stat& st) {
        if (::geteuid() != 0) return ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) == 0;
        return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 || (errno = EACCES, false);
    }
#endif

    bool Write(std::FILE* file, const std::uint8_t* bytes, std::size_t count) override {
        return std::fwrite(bytes, 1, count, file) == count;
    }
};

// Differs from run to run and from call to call; O_EXCL makes names unique, this only keeps retries rare.
std::uint64_t NextSalt() {
    static std::uint64_t state =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        reinterpret_cast<std::uintptr_t>(&state);
    std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

// Removes path and returns false, leaving errno as the failure that came first.
bool Abandon(IFileOps& ops, const std::string& path) {
    const int error = errno;
    ops.Remove(path);
    errno = error;
    return false;
}

// Writes bytes and closes the file; false, with errno from the first failure, when either fails.
bool WriteAndClose(IFileOps& ops, std::FILE* file, const std::vector<std::uint8_t>& bytes) {
    const bool written = bytes.empty() || ops.Write(file, bytes.data(), bytes.size());
    const int error = errno;
    const bool closed = ops.Close(file);
    if (!written) errno = error;
    return written && closed;
}

// A new temporary file beside path, with the attributes of original when
// given; nullptr when none can be made (one whose attributes cannot be set
// is removed again).
std::FILE* CreateTemporary(const std::string& path, IFileOps& ops, std::string& temp, const std::string* original) {
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < 64 && !file; ++attempt) {
        temp = TemporaryName(path, NextSalt());
        errno = 0;
        file = ops.CreateNew(temp);
        if (!file && errno != EEXIST) return nullptr;
    }
    if (file && original && !ops.KeepAttributes(file, *original)) {
        const int error = errno;
        ops.Close(file);
        errno = error;
        Abandon(ops, temp);
        return nullptr;
    }
    return file;
}

// Writes bytes to a new temporary file beside path and closes it; false (and
// no file) on any failure.
bool WriteTemporary(const std::string& path, const std::vector<std::uint8_t>& bytes, IFileOps& ops, std::string& temp,
                    const std::string* original = nullptr) {
    std::FILE* file = CreateTemporary(path, ops, temp, original);
    return file && (WriteAndClose(ops, file, bytes) || Abandon(ops, temp));
}

bool Overwrite(const std::string& path, const std::vector<std::uint8_t>& bytes, IFileOps& ops) {
    std::FILE* file = ops.OpenToOverwrite(path);
    return file && WriteAndClose(ops, file, bytes);
}

// A file with other names (hard links) gets the new bytes in place, so every
// name sees them. A complete copy of the old bytes is on the disk beside it
// first and goes only once the file is whole again.
bool OverwriteKeepingCopy(const std::string& path, const std::vector<std::uint8_t>& bytes, IFileOps& ops) {
    std::vector<std::uint8_t> old;
    if (!ReadFilePrefix(path, SIZE_MAX, old)) return false;  // errno says why
    std::string copy;
    if (!WriteTemporary(path, old, ops, copy, &path)) return false;
    std::FILE* file = ops.OpenToOverwrite(path);
    if (!file) return Abandon(ops, copy);  // not opened, so not emptied: the file is whole
    if (WriteAndClose(ops, file, bytes)) {
        ops.Remove(copy);
        return true;
    }
    const int error = errno;
    if (Overwrite(path, old, ops)) ops.Remove(copy);  // else the copy is the old file's one whole version: it stays
    errno = error;
    return false;
}

bool Save(const std::string& path, const std::vector<std::uint8_t>& bytes, IFileOps& ops) {
    if (path.empty()) return errno = ENOENT, false;
    SaveTarget target;
    if (!ops.Inspect(path, target)) return false;
    if (target.inPlace) return OverwriteKeepingCopy(target.path, bytes, ops);
    // Beside the file it replaces, so the rename never crosses a volume.
    std::string temp;
    if (!WriteTemporary(target.path, bytes, ops, temp, target.exists ? &target.path : nullptr)) return false;
    if (!ops.Replace(temp, target.path)) return Abandon(ops, temp);
    return ops.SyncFolder(target.path);
}

bool CreateWhole(const std::string& path, const std::vector<std::uint8_t>& bytes, IFileOps& ops) {
    if (path.empty()) return errno = ENOENT, false;
    std::string temp;
    if (!WriteTemporary(path, bytes, ops, temp)) return false;
    if (!ops.Place(temp, path)) return Abandon(ops, temp);
    return ops.SyncFolder(path);
}

// What failed, and why as the system says it when it says anything.
Result SystemFailure(const char* what, int error) {
    return Result::Fail(error != 0 ? std::string(what) + ": " + std::strerror(error) : std::string(what));
}

}  // namespace

IFileOps& SystemFileOps() {
    static SystemOps ops;
    return ops;
}

std::string TemporaryName(const std::string& path, std::uint64_t salt) {
    // The longest name a file system allows is 255 bytes, or 255 UTF-16 units
    // (never more units than UTF-8 bytes), so a name cut to leave room for the
    // suffix fits wherever path's own name fits.
    constexpr std::size_t kMaxName = 255;
    // ".~" and twelve hex digits of salt: by hand, as a printf would bring
    // the C library's whole formatter into the editor.
    char suffix[] = ".~000000000000.tmp";
    for (int i = 13; i >= 2; --i, salt >>= 4) suffix[i] = "0123456789abcdef"[salt & 0xF];
    const std::size_t nameStart = FolderOf(path).size();
    const std::size_t nameLength = path.size() - nameStart;
    std::size_t keep = std::min(nameLength, kMaxName - std::char_traits<char>::length(suffix));
    while (keep < nameLength && keep > 0 && (static_cast<unsigned char>(path[nameStart + keep]) & 0xC0) == 0x80)
        --keep;  // never half a character
    return path.substr(0, nameStart + keep) + suffix;
}

Result ReadFilePrefix(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& out) {
    constexpr const char* kCannotRead = "cannot read the file";
    out.clear();
    errno = 0;
    std::FILE* f = OpenForReading(path);
    if (!f) return SystemFailure(kCannotRead, errno);
    std::uint8_t chunk[16384];
    while (out.size() < maxBytes) {
        const std::size_t n = std::fread(chunk, 1, std::min(sizeof chunk, maxBytes - out.size()), f);
        out.insert(out.end(), chunk, chunk + n);
        if (n == 0) break;
    }
    const bool failed = std::ferror(f) != 0;
    const int error = errno;
    std::fclose(f);
    errno = error;
    if (failed) return SystemFailure(kCannotRead, error);
    return {};
}

Result WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes, IFileOps& ops) {
    errno = 0;
    if (!Save(path, bytes, ops)) return SystemFailure("cannot write the file", errno);
    return {};
}

Result WriteNewFile(const std::string& path, const std::vector<std::uint8_t>& bytes, IFileOps& ops) {
    errno = 0;
    if (CreateWhole(path, bytes, ops)) return {};
    if (errno == EEXIST) return Result::Fail("already exists; new never replaces anything");
    return SystemFailure("cannot create the file", errno);
}

}  // namespace params
