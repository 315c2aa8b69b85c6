// The few operating-system calls beneath safe file replacement, the writable-folder test and
// the local clock: one small function each, for POSIX and for Windows.
#pragma once

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

long currentProcessId();

// True when no process with this id runs any more.
bool processHasEnded(long id);

// True when this user may create files in the folder (which exists).
bool mayCreateFilesIn(const std::filesystem::path& folder);

// The calendar time of a moment in the local time zone.
std::tm localTime(std::time_t moment);

} // namespace quorvel
