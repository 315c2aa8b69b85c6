// Advisory locks on shared record files, following a file replaced by rename, and lines
// appended under them.
#include "base/FileLock.h"

#include "base/Files.h"

#include <cerrno>
#include <system_error>

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

namespace {

std::string systemReason(int code) {
    return std::generic_category().message(code);
}

// Whether the file's last byte ends a line (an empty file does).
bool endsWithLineBreak(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_size == 0)
        return true;
    char last = 0;
    return ::pread(fd, &last, 1, info.st_size - 1) == 1 && (last == '\n' || last == '\r');
}

// The whole text in one write where the system allows; 0 or the system's error number.
int writeAll(int fd, std::string_view text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
        if (wrote > 0)
            done += static_cast<std::size_t>(wrote);
        else if (wrote == 0)
            return EIO;
        else if (errno != EINTR)
            return errno;
    }
    return 0;
}

} // namespace

void appendLineUnderLock(const std::string& path, std::string_view line,
                         std::string_view lineEnd) {
    const std::string failure = "Cannot write file " + path;
    // Held from the end of the file to the flush, so parallel writers take turns and every
    // line lands whole, after the one before it.
    const FileLock lock(path);
    if (!lock.isLocked())
        throw FileError(failure + ": " + systemReason(lock.error()),
                        {lock.error(), std::generic_category()});
    struct stat before {};
    if (::fstat(lock.fd(), &before) != 0 || !S_ISREG(before.st_mode))
        throw FileError(failure + ": " + systemReason(S_ISDIR(before.st_mode) ? EISDIR : EINVAL));
    if ((::fcntl(lock.fd(), F_GETFL) & O_ACCMODE) == O_RDONLY) // locked, but not ours to write
        throw FileError(failure + ": " + systemReason(EACCES), {EACCES, std::generic_category()});
    // A line cut short by a crash is closed first, so the new line is not glued to it.
    std::string text = endsWithLineBreak(lock.fd()) ? std::string() : std::string(lineEnd);
    text += line;
    int code = writeAll(lock.fd(), text);
    if (!code && ::fsync(lock.fd()) != 0)
        code = errno;
    if (code) {
        // A full disk may take part of the line: the file goes back to its old end, so a
        // later try does not leave half a line before the whole one.
        const int restored = ::ftruncate(lock.fd(), before.st_size);
        static_cast<void>(restored); // a file that cannot even be cut back is left as it is
        throw FileError(failure + ": " + systemReason(code), {code, std::generic_category()});
    }
}

} // namespace quorvel
