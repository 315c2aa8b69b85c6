// The few operating-system calls beneath safe file replacement, locked appends, the
// writable-folder test and the local clock: one small function each, for POSIX and for Windows.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace quorvel {

// Creates the file, which must not exist yet, writes the bytes and flushes them to the disk
// (on Windows the file is written through, held by this process alone while it is written).
std::error_code writeNewFileDurably(const std::filesystem::path& path, std::string_view bytes);

// Puts the file `from` in place of `to` in one step, the old `to` replaced. On Windows the move
// is written through, a read-only `to` is replaced as POSIX replaces it, and a `to` that another
// program holds open for a moment (a virus scanner, a backup) is tried again for up to a second.
std::error_code replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Makes the renames in a folder durable where the system needs that (POSIX); a file system
// that cannot flush a folder is not an error.
void flushFolder(const std::filesystem::path& folder);

// An open file held under an exclusive lock that the game's writers take turns on: a file
// descriptor under flock on POSIX; on Windows a handle under LockFileEx on a byte far past the
// end, so the lock keeps writers in turn without barring anyone from reading the file.
using LockedFileHandle = std::intptr_t;
inline constexpr LockedFileHandle kNoLockedFile = -1;

// Opens the file (created when missing) for reading and writing, or for reading alone when it
// may not be written, and waits for its lock. Sets `writable`; returns kNoLockedFile and the
// reason when the file cannot be opened or locked.
LockedFileHandle openLocked(const std::filesystem::path& path, bool& writable,
                            std::error_code& error);

// Lets the lock go and closes the file.
void closeLocked(LockedFileHandle file);

// True when the open file is still the one at the path (not replaced while we waited).
bool isStillAt(LockedFileHandle file, const std::filesystem::path& path);

// The size of the locked file; a folder or other non-file gives an error.
std::error_code lockedFileSize(LockedFileHandle file, std::uint64_t& size);

// The byte at the offset, when it can be read.
bool readByteAt(LockedFileHandle file, std::uint64_t offset, char& byte);

// Writes the bytes at the end of the locked file and flushes them to the disk. On failure the
// file is cut back to `oldSize`, as it was.
std::error_code appendFlushed(LockedFileHandle file, std::string_view bytes, std::uint64_t oldSize);

long currentProcessId();

// True when no process with this id runs any more.
bool processHasEnded(long id);

// True when this user may create files in the folder (which exists).
bool mayCreateFilesIn(const std::filesystem::path& folder);

// The calendar time of a moment in the local time zone.
std::tm localTime(std::time_t moment);

} // namespace quorvel
