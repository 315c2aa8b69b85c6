// A short exclusive lock on a file the game shares with other programs, and lines appended
// under it.
#pragma once

#include "base/SystemCalls.h"

#include <string>
#include <string_view>
#include <system_error>

namespace quorvel {

// Holds a lock (flock on POSIX, LockFileEx on Windows) on the file at a path until destroyed.
// The lock follows a file replaced by rename: it is taken on whatever file is at the path when
// the constructor returns, so writers that replace the file safely still take turns. A missing
// file is created empty. When the file cannot be opened (a read-only folder) no lock is held;
// the write that follows then fails with its own, better reason.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool isLocked() const { return m_file != kNoLockedFile; }
    // True when the locked file may also be written (a read-only one is only locked).
    bool isWritable() const { return m_writable; }
    // The locked file; kNoLockedFile when no lock is held.
    LockedFileHandle file() const { return m_file; }
    // Why no lock is held (nothing while locked).
    std::error_code error() const { return m_error; }

private:
    LockedFileHandle m_file = kNoLockedFile;
    bool m_writable = false;
    std::error_code m_error;
};

// Appends line (with its own line end) to the file, created when missing, under the file's
// lock and in one write at its end, without reading the file: parallel writers lose no line,
// and memory stays flat in the file's size. A last line left unfinished (a crash) is ended with
// lineEnd first. A failed write is cut back, leaving the file as it was. Throws FileError,
// naming the file and the system's reason.
void appendLineUnderLock(const std::string& path, std::string_view line, std::string_view lineEnd);

// The same under a lock the caller already holds on the file at path (to read and check the
// file first): a second lock of the same file would wait for the first.
void appendLine(const FileLock& lock, const std::string& path, std::string_view line,
                std::string_view lineEnd);

} // namespace quorvel
