// Whole files read at once and replaced safely.
#include "base/Files.h"

#include <algorithm>
#include <array>
#include <functional>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace quorvel {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

} // namespace

std::string readWholeFile(const std::string& path) {
    const FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw FileError("Cannot open file " + path,
                        std::error_code(errno, std::generic_category()));
    std::string bytes;
    std::error_code error;
    const auto expected = std::filesystem::file_size(path, error);
    if (!error && expected > 0) {
        bytes.resize(expected);
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
    }
    // The file may be longer than announced (or have no size at all, like a pipe).
    char chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        bytes.append(chunk, got);
    if (std::ferror(file.get()))
        throw FileError("Cannot open file " + path,
                        std::error_code(errno, std::generic_category()));
    return bytes;
}

bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

namespace {

namespace fs = std::filesystem;

// Temporary files are "<name>.tmp-<process>-<number>" beside their target, so a later write
// can tell its own leftovers from anything else in the folder.
std::string temporaryPrefix(const fs::path& target) {
    return target.filename().string() + ".tmp-";
}

// The process that wrote a temporary file, when the name follows our pattern.
std::optional<long> writerOf(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix))
        return std::nullopt;
    name.remove_prefix(prefix.size());
    const std::size_t dash = name.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 == name.size())
        return std::nullopt;
    const auto digits = [](std::string_view text) {
        return text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!digits(name.substr(0, dash)) || !digits(name.substr(dash + 1)) || dash > 9)
        return std::nullopt;
    return std::stol(std::string(name.substr(0, dash)));
}

// A temporary file is stale when the process that wrote it is gone (killed, or out of power)
// or is this one (its write failed without cleaning up).
bool isStale(long writer) {
    if (writer == static_cast<long>(::getpid()))
        return true;
    return ::kill(static_cast<pid_t>(writer), 0) != 0 && errno == ESRCH;
}

void removeStaleTemporaries(const fs::path& target, const fs::path& keep) {
    const std::string prefix = temporaryPrefix(target);
    std::error_code error;
    fs::directory_iterator it(target.parent_path().empty() ? fs::path(".") : target.parent_path(),
                              error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        const auto writer = writerOf(name, prefix);
        std::error_code ignored;
        if (writer && it->path().filename() != keep.filename() && isStale(*writer))
            fs::remove(it->path(), ignored);
    }
}

std::string reason(int code) {
    return std::generic_category().message(code);
}

// Writes and flushes the bytes to the disk itself, so a power cut after the rename finds them.
// Returns 0 or the system's error number.
int writeDurably(const std::string& path, std::string_view text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    int failure = 0;
    for (std::size_t done = 0; done < text.size() && !failure;) {
        const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
        if (wrote > 0)
            done += static_cast<std::size_t>(wrote);
        else if (wrote < 0 && errno != EINTR)
            failure = errno;
        else if (wrote == 0)
            failure = EIO;
    }
    if (!failure && ::fsync(fd) != 0)
        failure = errno;
    if (::close(fd) != 0 && !failure)
        failure = errno;
    return failure;
}

// The rename itself is made durable by flushing the folder; a file system that cannot flush a
// folder still has the new file in place, so that failure is not reported.
void flushFolder(const fs::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::vector<std::string> leftoverCopies(const std::string& path) {
    const fs::path target = path;
    const std::string prefix = temporaryPrefix(target);
    std::vector<std::pair<fs::file_time_type, std::string>> found;
    std::error_code error;
    fs::directory_iterator it(target.parent_path().empty() ? fs::path(".") : target.parent_path(),
                              error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const auto writer = writerOf(it->path().filename().string(), prefix);
        std::error_code ignored;
        if (writer && *writer != static_cast<long>(::getpid()) && isStale(*writer) &&
            it->is_regular_file(ignored))
            found.emplace_back(it->last_write_time(ignored), it->path().string());
    }
    std::sort(found.begin(), found.end(), std::greater<>());
    std::vector<std::string> copies;
    for (auto& [time, name] : found)
        copies.push_back(std::move(name));
    return copies;
}

void writeWholeFile(const std::string& path, std::string_view text) {
    const std::string failure = "Cannot create file " + path;
    std::error_code error;
    if (path.empty())
        throw FileError(failure);
    if (fs::is_directory(path, error))
        throw FileError(failure + ": " + reason(EISDIR));
    // Through a symbolic link the file it points to is replaced, and the link stays.
    fs::path target = path;
    if (fs::is_symlink(path, error)) {
        target = fs::weakly_canonical(path, error);
        if (error)
            throw FileError(failure + ": " + error.message());
    }

    // A name no other writer picks at the same moment, in the same folder so rename is atomic.
    std::random_device random;
    const fs::path temporary =
        target.parent_path() / (temporaryPrefix(target) + std::to_string(::getpid()) + "-" +
                                std::to_string(random() % 1000000000u));
    int code = writeDurably(temporary.string(), text);
    if (!code) {
        // Keep the permissions of the file we replace.
        const auto status = fs::status(target, error);
        if (!error && fs::exists(status))
            fs::permissions(temporary, status.permissions(), error);
        error.clear();
        fs::rename(temporary, target, error);
        code = error.value();
    }
    if (code) {
        fs::remove(temporary, error);
        throw FileError(failure + ": " + reason(code));
    }
    flushFolder(target.parent_path());
    removeStaleTemporaries(target, temporary);
}

} // namespace quorvel
