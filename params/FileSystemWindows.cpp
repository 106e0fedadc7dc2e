// The file layer on Windows: handles, the file's final path as the system
// resolved it, and ReplaceFileW, which keeps attributes, security and
// creation time on the replaced name.
#include "FileSystem.h"
#include "TextCodec.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstring>
#include <cwctype>

namespace params {
namespace {

// errno for the system errors a save meets, so callers name the reason one way.
int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ENOENT;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return EACCES;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_CANT_RESOLVE_FILENAME: return ELOOP;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: return EINVAL;
    case ERROR_DIRECTORY: return ENOTDIR;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_NOT_SAME_DEVICE: return EXDEV;
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION: return ENOTSUP;
    default: return EIO;
    }
}

int Fail(DWORD error = GetLastError()) {
    errno = ErrnoOf(error);
    return -1;
}

// The C library's texts, and its own for the errors it has no text for.
const char* Reason(int error) {
    switch (error) {
    case ELOOP: return "Too many levels of symbolic links";
    case ENOTSUP: return "Operation not supported";
    case EROFS: return "Read-only file system";
    default: return std::strerror(error);
    }
}

Result Failure(const char* what, int error) { return Result::Fail(std::string(what) + ": " + Reason(error)); }

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

int DescriptorOf(HANDLE handle) {
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
    if (fd < 0) CloseHandle(handle);
    return fd;
}

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return {info.dwVolumeSerialNumber,
            static_cast<std::uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow};
}

// The names Windows gives to devices in every folder: "aux.prm" is the device AUX.
bool IsDeviceName(const std::string& name) {
    std::wstring base = Widen(name.substr(0, name.find('.')));
    while (!base.empty() && (base.back() == L' ' || base.back() == L':')) base.pop_back();
    for (wchar_t& c : base) c = static_cast<wchar_t>(std::towupper(c));
    if (base == L"CON" || base == L"PRN" || base == L"AUX" || base == L"NUL" || base == L"CONIN$" ||
        base == L"CONOUT$")
        return true;
    return base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0) &&
           ((base[3] >= L'1' && base[3] <= L'9') || base[3] == L'\u00B9' || base[3] == L'\u00B2' || base[3] == L'\u00B3');
}

Result RefuseDevice(const std::string& name) {
    return Result::Fail("\"" + name + "\" is the name of a device on Windows, not of a file; choose another name");
}

// The path the system resolved an open file to, every link followed; plain
// drive paths lose the "\\?\" that long ones need.
bool FinalPath(HANDLE file, std::wstring& out) {
    out.assign(MAX_PATH, L'\0');
    DWORD n = GetFinalPathNameByHandleW(file, out.data(), static_cast<DWORD>(out.size()), FILE_NAME_NORMALIZED);
    if (n >= out.size()) {
        out.assign(n + 1, L'\0');
        n = GetFinalPathNameByHandleW(file, out.data(), static_cast<DWORD>(out.size()), FILE_NAME_NORMALIZED);
    }
    if (n == 0 || n >= out.size()) return false;
    out.resize(n);
    if (n < MAX_PATH && out.compare(0, 4, L"\\\\?\\") == 0 && out.size() > 6 && out[5] == L':') out.erase(0, 4);
    return true;
}

// Whether anything at all has the name path, a link to nothing or a loop
// included, which Wine neither opens nor lists but never makes a file over.
bool Taken(const std::wstring& path) {
    const HANDLE probe = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_EXISTS;
    CloseHandle(probe);
    return false;
}

// Opens the entry path itself (a link as the link) for access, and its facts.
HANDLE OpenEntry(const std::wstring& path, DWORD access, BY_HANDLE_FILE_INFORMATION& info) {
    const HANDLE file = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                    nullptr);
    if (file != INVALID_HANDLE_VALUE && !GetFileInformationByHandle(file, &info)) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        SetLastError(error);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

// Removes the entry path if it is the file identity, checked and removed through one handle.
bool RemoveIf(const std::wstring& path, const FileIdentity& identity) {
    BY_HANDLE_FILE_INFORMATION info{};
    const HANDLE file = OpenEntry(path, DELETE, info);
    if (file == INVALID_HANDLE_VALUE) return false;
    FILE_DISPOSITION_INFO remove{TRUE};
    const bool removed =
        IdentityOf(info) == identity && SetFileInformationByHandle(file, FileDispositionInfo, &remove, sizeof remove);
    CloseHandle(file);
    return removed;
}

bool FullPathOf(const std::wstring& path, std::wstring& out) {
    out.assign(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
    const DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(out.size()), out.data(), nullptr);
    if (n == 0 || n >= out.size()) return false;
    out.resize(n);
    return true;
}

class WindowsOps final : public IFileOps {
public:
    // A new file takes its folder's security either way; the replaced
    // file's goes over with the replacement.
    int CreateExclusive(const Folder& folder, const std::string& name, bool) override {
        const HANDLE file = CreateFileW(Widen(folder.path + name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        return file == INVALID_HANDLE_VALUE ? Fail() : DescriptorOf(file);
    }
    // ReplaceFileW carries the replaced file's attributes, security and creation
    // time over; a new file takes its folder's.
    int CopyAttributes(int, int) override { return 0; }
    long long WriteAt(int fd, const std::uint8_t* bytes, std::size_t count, std::uint64_t offset) override {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD written = 0;
        const DWORD chunk = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
        return WriteFile(HandleOf(fd), bytes, chunk, &written, &at) ? written : Fail();
    }
    int Truncate(int fd, std::uint64_t size) override {
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(size);
        const HANDLE file = HandleOf(fd);
        return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file) ? 0 : Fail();
    }
    int Sync(int fd) override { return FlushFileBuffers(HandleOf(fd)) ? 0 : Fail(); }
    int Close(int fd) override { return _close(fd) == 0 ? 0 : (errno = EIO, -1); }
    int Identify(const Folder& folder, const std::string& name, FileIdentity& out) override {
        BY_HANDLE_FILE_INFORMATION info{};
        const HANDLE file = OpenEntry(Widen(folder.path + name), 0, info);
        if (file == INVALID_HANDLE_VALUE) return Fail();
        CloseHandle(file);
        out = IdentityOf(info);
        return 0;
    }
    int Replace(const Folder& folder, const std::string& from, const std::string& to, int held) override {
        // The file that leaves the name goes to a name of this save's own
        // (the temporary one, ending "old"), where it is checked, and removed
        // through the handle it was checked through, only if it is the file
        // held; anything else goes back. The held file's identity is asked
        // for after the rename: FAT numbers a file by the place of its
        // directory entry, which a longer name moves.
        const std::string asideName = from.substr(0, from.size() - 3) + "old";
        const std::wstring source = Widen(folder.path + from), target = Widen(folder.path + to),
                           aside = Widen(folder.path + asideName);
        FileIdentity made;
        if (Identify(folder, from, made) != 0) return -1;
        const DWORD attributes = GetFileAttributesW(target.c_str());
        if (!ReplaceFileW(target.c_str(), source.c_str(), aside.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                          nullptr)) {
            const DWORD error = GetLastError();
            // The old file went aside and the new one could not follow: the
            // old one goes back to its name, unless another file took it meanwhile.
            if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) MoveFileExW(aside.c_str(), target.c_str(), 0);
            return Fail(error);
        }
        BY_HANDLE_FILE_INFORMATION now{};
        if (GetFileInformationByHandle(HandleOf(held), &now) && RemoveIf(aside, IdentityOf(now))) {
            // Wine's ReplaceFileW gives the file the new one's attributes; Windows keeps them.
            // Either way the file has changed, which its archive bit tells backups.
            if (attributes != INVALID_FILE_ATTRIBUTES)
                SetFileAttributesW(target.c_str(), (attributes & ~FILE_ATTRIBUTE_NORMAL) | FILE_ATTRIBUTE_ARCHIVE);
            return 0;
        }
        if (MoveFileExW(target.c_str(), source.c_str(), 0) && MoveFileExW(aside.c_str(), target.c_str(), 0))
            RemoveIf(source, made);
        errno = ESTALE;
        return -1;
    }
    int Place(const Folder& folder, const std::string& from, const std::string& to) override {
        // Wine moves a file over a link to nothing.
        const std::wstring target = Widen(folder.path + to);
        if (Taken(target)) return errno = EEXIST, -1;
        return MoveFileExW(Widen(folder.path + from).c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : Fail();
    }
    // A folder's entries are written through with the rename itself.
    int SyncFolder(const Folder&) override { return 0; }
    int Remove(const Folder& folder, const std::string& name) override {
        return DeleteFileW(Widen(folder.path + name).c_str()) ? 0 : Fail();
    }
};

}  // namespace

IFileOps& SystemFileOps() {
    static WindowsOps ops;
    return ops;
}

namespace fs {

Result ResolveOnce(const std::string& path, HeldFile::Use use, Resolved& out) {
    const bool change = use == HeldFile::Use::Change;
    const char* what = change ? "cannot write the file" : "cannot read the file";
    if (IsDeviceName(SplitPath(path).second)) return RefuseDevice(SplitPath(path).second);
    constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const std::wstring name = Widen(path);
    HANDLE file = INVALID_HANDLE_VALUE;
    if (change) {
        file = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, kShare, nullptr, OPEN_EXISTING, 0, nullptr);
        const DWORD error = GetLastError();
        out.unwritable = file != INVALID_HANDLE_VALUE ? 0 : ErrnoOf(error);
        if (file == INVALID_HANDLE_VALUE && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)) {
            if (error == ERROR_PATH_NOT_FOUND) return Failure(what, ENOENT);
            if (Taken(name)) return DanglingLink();
            // Nothing there: a save makes it in the folder.
            std::wstring full;
            if (!FullPathOf(name, full)) return Failure(what, ErrnoOf(GetLastError()));
            auto [folder, leaf] = SplitPath(Narrow(full));
            if (leaf.empty()) return Failure(what, EISDIR);
            out.name = std::move(leaf);
            return OpenFolder(folder, out.folder);
        }
    }
    if (file == INVALID_HANDLE_VALUE)
        file = CreateFileW(name.c_str(), GENERIC_READ, kShare, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Failure(what, ErrnoOf(GetLastError()));
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    out.regular = known && GetFileType(file) == FILE_TYPE_DISK && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if (out.regular && change && (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY)) out.unwritable = EACCES;
    out.fd = DescriptorOf(file);
    if (out.fd < 0) return Failure(what, EMFILE);
    out.identity = IdentityOf(info);
    out.inPlace = info.nNumberOfLinks > 1;
    if (!out.regular) return change ? Failure(what, EINVAL) : Result{};
    if (use == HeldFile::Use::Read) return {};
    // Wine finds no final path longer than MAX_PATH: the name given then,
    // which the caller's identity check holds to the file opened.
    std::wstring final;
    if (!FinalPath(file, final) && !FullPathOf(name, final)) return Failure(what, ErrnoOf(GetLastError()));
    auto [folder, leaf] = SplitPath(Narrow(final));
    out.name = std::move(leaf);
    return OpenFolder(folder, out.folder);
}

int TryLock(const Folder& folder, const std::string& name, int fd) {
    // The lock file, shared with no one and gone when its handle closes,
    // however the holder ends. Only a changer opens it: a reader that held
    // it open would have to have made it, which takes the folder's write right.
    const std::wstring lockName = Widen(folder.path + LockName(name));
    const HANDLE lock = CreateFileW(lockName.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (lock != INVALID_HANDLE_VALUE) return DescriptorOf(lock);
    if (GetLastError() != ERROR_ACCESS_DENIED || GetFileAttributesW(lockName.c_str()) != INVALID_FILE_ATTRIBUTES)
        return Fail();
    // A folder that takes no new file: a byte of the file's own far beyond
    // any parameter file's end, which a handle for writing locks.
    const int own = _dup(fd);
    OVERLAPPED at{};
    at.Offset = 0xFFFFFFFEu;
    at.OffsetHigh = 0x7FFFFFFFu;
    if (own >= 0 && LockFileEx(HandleOf(own), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
        return own;
    if (own >= 0) _close(own);
    return -1;
}

void Unlock(const Folder&, const std::string&, int lock) { _close(lock); }

// Sleep, not the C++ library's, which would bring a threads library into the editor.
void Pause() { Sleep(2); }

long long ReadAt(int fd, std::uint8_t* bytes, std::size_t count, std::uint64_t offset) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD read = 0;
    const DWORD chunk = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
    if (ReadFile(HandleOf(fd), bytes, chunk, &read, &at)) return read;
    const DWORD error = GetLastError();
    if (error == ERROR_HANDLE_EOF || error == ERROR_BROKEN_PIPE) return 0;
    if (error == ERROR_INVALID_PARAMETER && offset == 0)  // a device or pipe: no offsets
        return ReadFile(HandleOf(fd), bytes, chunk, &read, nullptr) ? read : Fail();
    return Fail(error);
}

std::uint64_t SizeOf(int fd) {
    LARGE_INTEGER size;
    return GetFileSizeEx(HandleOf(fd), &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
}

void CloseFile(int fd) { _close(fd); }

void CloseFolder(Folder& folder) {
    if (folder.fd >= 0) _close(folder.fd);
    folder = Folder{};
}

// Win32 makes, renames and removes files by path only (a handle-relative
// path is the native API's), so the folder is held by a handle that shares
// everything but deleting: while held, it cannot be renamed, removed or
// replaced by another, nor can a folder above it on NTFS, so its path goes
// on naming the folder opened.
Result OpenFolder(const std::string& path, Folder& out) {
    const HANDLE folder =
        CreateFileW(Widen(path.empty() ? "." : path).c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return Failure("cannot open the folder", ErrnoOf(GetLastError()));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(folder, &info) || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(folder);
        return Failure("cannot open the folder", ENOTDIR);
    }
    const int fd = DescriptorOf(folder);
    if (fd < 0) return Failure("cannot open the folder", EMFILE);
    out = {fd, path};
    return {};
}

// Windows keeps no owner this could compare without reading security
// descriptors: a copy is this user's when this user may open it.
bool Inspect(const Folder& folder, const std::string& name, int, EntryFacts& out) {
    BY_HANDLE_FILE_INFORMATION info{};
    const HANDLE file = OpenEntry(Widen(folder.path + name), FILE_READ_ATTRIBUTES, info);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    out = {!(info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)), true,
           static_cast<std::uint64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow, info.nNumberOfLinks};
    return true;
}

bool IdentifyPath(const std::string& path, FileIdentity& out) {
    // No access asked: a file another program holds open is still identified; folders need backup semantics.
    const HANDLE file = CreateFileW(Widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    if (known) out = IdentityOf(info);
    return known;
}

Result UsableName(const std::string& name) { return IsDeviceName(name) ? RefuseDevice(name) : Result{}; }

std::string FullPath(const std::string& path) {
    std::wstring full;
    return FullPathOf(Widen(path), full) ? Narrow(full) : path;
}

}  // namespace fs
}  // namespace params
