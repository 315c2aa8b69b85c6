// The operating-system calls of SystemCalls.h on POSIX systems.
#include "base/SystemCalls.h"

#include <cerrno>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

} // namespace

std::error_code writeNewFileDurably(const std::filesystem::path& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return lastError();
    std::error_code failure;
    for (std::size_t done = 0; done < bytes.size() && !failure;) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote > 0)
            done += static_cast<std::size_t>(wrote);
        else if (wrote < 0 && errno != EINTR)
            failure = lastError();
        else if (wrote == 0)
            failure = std::make_error_code(std::errc::io_error);
    }
    if (!failure && ::fsync(fd) != 0)
        failure = lastError();
    if (::close(fd) != 0 && !failure)
        failure = lastError();
    return failure;
}

std::error_code replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return error;
}

void flushFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

LockedFileHandle openLocked(const std::filesystem::path& path, bool& writable,
                            std::error_code& error) {
    int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    writable = fd >= 0;
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC); // flock needs no write access
    if (fd < 0) {
        error = lastError();
        return kNoLockedFile;
    }
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            error = lastError();
            ::close(fd);
            return kNoLockedFile;
        }
    }
    return fd;
}

void closeLocked(LockedFileHandle file) {
    ::close(static_cast<int>(file)); // closing the last descriptor releases the lock
}

bool isStillAt(LockedFileHandle file, const std::filesystem::path& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(static_cast<int>(file), &opened) == 0 && ::stat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

std::error_code lockedFileSize(LockedFileHandle file, std::uint64_t& size) {
    struct stat info {};
    if (::fstat(static_cast<int>(file), &info) != 0)
        return lastError();
    if (!S_ISREG(info.st_mode))
        return std::make_error_code(S_ISDIR(info.st_mode) ? std::errc::is_a_directory
                                                          : std::errc::invalid_argument);
    size = static_cast<std::uint64_t>(info.st_size);
    return {};
}

bool readByteAt(LockedFileHandle file, std::uint64_t offset, char& byte) {
    return ::pread(static_cast<int>(file), &byte, 1, static_cast<off_t>(offset)) == 1;
}

std::error_code appendFlushed(LockedFileHandle file, std::string_view bytes,
                              std::uint64_t oldSize) {
    const int fd = static_cast<int>(file);
    std::error_code failure;
    // Opened with O_APPEND: every write lands at the end, in one piece where the system allows.
    for (std::size_t done = 0; done < bytes.size() && !failure;) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote > 0)
            done += static_cast<std::size_t>(wrote);
        else if (wrote == 0)
            failure = std::make_error_code(std::errc::io_error);
        else if (errno != EINTR)
            failure = lastError();
    }
    if (!failure && ::fsync(fd) != 0)
        failure = lastError();
    if (failure) {
        const int restored = ::ftruncate(fd, static_cast<off_t>(oldSize));
        static_cast<void>(restored); // a file that cannot even be cut back is left as it is
    }
    return failure;
}

long currentProcessId() {
    return static_cast<long>(::getpid());
}

bool processHasEnded(long id) {
    return ::kill(static_cast<pid_t>(id), 0) != 0 && errno == ESRCH;
}

bool mayCreateFilesIn(const std::filesystem::path& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::tm localTime(std::time_t moment) {
    std::tm local{};
    ::localtime_r(&moment, &local);
    return local;
}

} // namespace quorvel
