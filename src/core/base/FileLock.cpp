// Advisory locks on shared record files, following a file replaced by rename.
#include "base/FileLock.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

namespace {

int openForLock(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC); // flock needs no write access
    return fd;
}

bool lockWholly(int fd) {
    while (::flock(fd, LOCK_EX) != 0)
        if (errno != EINTR)
            return false;
    return true;
}

// True when the open file is still the one at the path (not replaced while we waited).
bool isStillAt(int fd, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

} // namespace

FileLock::FileLock(const std::string& path) {
    // Another writer may replace the file while we wait for its lock; then the lock we won is
    // on a file nobody reads any more, and we try again on the new one.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const int fd = openForLock(path);
        if (fd < 0) {
            m_error = errno;
            return;
        }
        if (!lockWholly(fd)) {
            m_error = errno;
            ::close(fd);
            return;
        }
        if (isStillAt(fd, path)) {
            m_fd = fd;
            return;
        }
        ::close(fd);
    }
    m_error = EAGAIN;
}

FileLock::~FileLock() {
    if (m_fd >= 0)
        ::close(m_fd); // closing the last descriptor releases the lock
}

} // namespace quorvel
