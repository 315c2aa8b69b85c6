// The operating-system calls of SystemCalls.h on POSIX systems.
#include "base/SystemCalls.h"

#include <cerrno>

#include <fcntl.h>
#include <signal.h>
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
