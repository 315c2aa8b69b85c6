// Locks on shared record files, following a file replaced by rename, and lines appended under
// them; the system calls beneath are in SystemCalls.h.
#include "base/FileLock.h"

#include "base/FilePaths.h"
#include "base/Files.h"

#include <cerrno>

namespace quorvel {

FileLock::FileLock(const std::string& path) {
    const std::filesystem::path name = filePath(path);
    // Another writer may replace the file while we wait for its lock; then the lock we won is
    // on a file nobody reads any more, and we try again on the new one.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::error_code error;
        const LockedFileHandle file = openLocked(name, m_writable, error);
        if (file == kNoLockedFile) {
            m_error = error;
            return;
        }
        if (isStillAt(file, name)) {
            m_file = file;
            return;
        }
        closeLocked(file);
    }
    m_error = std::make_error_code(std::errc::resource_unavailable_try_again);
}

FileLock::~FileLock() {
    if (m_file != kNoLockedFile)
        closeLocked(m_file);
}

namespace {

// Whether the file's last byte ends a line (an empty file does).
bool endsWithLineBreak(LockedFileHandle file, std::uint64_t size) {
    char last = 0;
    return size == 0 || (readByteAt(file, size - 1, last) && (last == '\n' || last == '\r'));
}

} // namespace

void appendLineUnderLock(const std::string& path, std::string_view line,
                         std::string_view lineEnd) {
    // Held from the end of the file to the flush, so parallel writers take turns and every
    // line lands whole, after the one before it.
    const FileLock lock(path);
    appendLine(lock, path, line, lineEnd);
}

void appendLine(const FileLock& lock, const std::string& path, std::string_view line,
                std::string_view lineEnd) {
    const std::string failure = "Cannot write file " + path + ": ";
    if (!lock.isLocked())
        throw FileError(failure + lock.error().message(), lock.error());
    std::uint64_t size = 0;
    if (const std::error_code error = lockedFileSize(lock.file(), size))
        throw FileError(failure + error.message(), error);
    if (!lock.isWritable()) { // locked, but not ours to write
        const auto denied = std::make_error_code(std::errc::permission_denied);
        throw FileError(failure + denied.message(), denied);
    }
    // A line cut short by a crash is closed first, so the new line is not glued to it.
    std::string text = endsWithLineBreak(lock.file(), size) ? std::string() : std::string(lineEnd);
    text += line;
    // A full disk may take part of the line: the file goes back to its old end, so a later try
    // does not leave half a line before the whole one.
    if (const std::error_code error = appendFlushed(lock.file(), text, size))
        throw FileError(failure + error.message(), error);
}

} // namespace quorvel
