// Whole files: read at once, tested for, and replaced safely; and the error they throw.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace quorvel {

// A file that cannot be opened, read or created; what() names the file, error says why when
// the system told us.
struct FileError : std::runtime_error {
    explicit FileError(const std::string& what, std::error_code why = {})
        : std::runtime_error(what), error(why) {}
    std::error_code error;
};

// The whole file as bytes, no conversion. Throws FileError("Cannot open file " + path).
std::string readWholeFile(const std::string& path);

bool fileExists(const std::string& path);

// Replaces the file safely: a temporary file "<name>.tmp-<process>-<number>" in the same
// folder, flushed to disk, renamed over the old file, then the folder flushed; so a crash or a
// power cut leaves the old or the new file, never an empty one. Temporary files of the same
// target left by a process that is gone are removed after a successful write. Throws
// FileError("Cannot create file " + path + ": " + the system's reason) and leaves the old file
// intact on any failure.
void writeWholeFile(const std::string& path, std::string_view text);

// The temporary copies of path that writeWholeFile left behind when its process was killed
// before the rename (their writer is gone), newest first. Such a copy may be complete or cut
// short; the caller checks before using one.
std::vector<std::string> leftoverCopies(const std::string& path);

} // namespace quorvel
