#include "FileIo.h"

#include <cerrno>
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
std::wstring Wide(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}
#endif

std::FILE* OpenForReading(const std::string& path) {
#ifdef _WIN32
    return _wfopen(Wide(path).c_str(), L"rb");
#else
    return std::fopen(path.c_str(), "rb");
#endif
}

class SystemOps final : public IFileOps {
public:
    std::FILE* CreateNew(const std::string& path) override {
#ifdef _WIN32
        const int fd = _wopen(Wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
        return fd < 0 ? nullptr : _fdopen(fd, "wb");
#else
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
        return fd < 0 ? nullptr : ::fdopen(fd, "wb");
#endif
    }
    bool Write(std::FILE* file, const std::uint8_t* bytes, std::size_t count) override {
        return std::fwrite(bytes, 1, count, file) == count;
    }
    bool Close(std::FILE* file) override {
        const bool flushed = std::fflush(file) == 0;
#ifndef _WIN32
        const bool synced = ::fsync(::fileno(file)) == 0;
#else
        const bool synced = _commit(_fileno(file)) == 0;
#endif
        return (std::fclose(file) == 0) && flushed && synced;
    }
    bool Replace(const std::string& from, const std::string& to) override {
#ifdef _WIN32
        return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
        return std::rename(from.c_str(), to.c_str()) == 0;
#endif
    }
    void Remove(const std::string& path) override {
#ifdef _WIN32
        DeleteFileW(Wide(path).c_str());
#else
        ::unlink(path.c_str());
#endif
    }
    bool MayReplace(const std::string& path) override {
#ifdef _WIN32
        const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
        return attributes == INVALID_FILE_ATTRIBUTES ||
               (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == 0;
#else
        // The write bits, not access(): a rename would get round a read-only
        // file, and for root access() says yes anyway.
        struct stat st;
        if (::stat(path.c_str(), &st) != 0) return true;
        return S_ISREG(st.st_mode) && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
#endif
    }
};

// What failed, and why as the system says it when it says anything.
Result SystemFailure(const char* what, int error) {
    return Result::Fail(error != 0 ? std::string(what) + ": " + std::strerror(error) : std::string(what));
}

}  // namespace

IFileOps& SystemFileOps() {
    static SystemOps ops;
    return ops;
}

Result ReadFilePrefix(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& out) {
    constexpr const char* kCannotRead = "cannot read the file";
    errno = 0;
    std::FILE* f = OpenForReading(path);
    if (!f) return SystemFailure(kCannotRead, errno);
    out.resize(maxBytes);
    const std::size_t n = std::fread(out.data(), 1, maxBytes, f);
    const bool failed = std::ferror(f) != 0;
    const int error = errno;
    std::fclose(f);
    out.resize(n);
    if (failed) return SystemFailure(kCannotRead, error);
    return {};
}

Result WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes, IFileOps& ops) {
    constexpr const char* kCannotWrite = "cannot write the file";
    errno = 0;
    if (path.empty() || !ops.MayReplace(path)) return SystemFailure(kCannotWrite, errno);
    // A name of our own beside the target, so the rename never crosses a volume.
    std::string temp;
    std::FILE* f = nullptr;
    for (int attempt = 0; attempt < 100 && !f; ++attempt) {
        temp = path + ".~tmp" + std::to_string(attempt);
        f = ops.CreateNew(temp);
    }
    if (!f) return SystemFailure(kCannotWrite, errno);
    const bool written = bytes.empty() || ops.Write(f, bytes.data(), bytes.size());
    const bool closed = ops.Close(f);
    if (written && closed && ops.Replace(temp, path)) return {};
    const int error = errno;  // before the clean-up can change it
    ops.Remove(temp);
    return SystemFailure(kCannotWrite, error);
}

}  // namespace params
