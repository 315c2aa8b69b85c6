// Whole files read at once and replaced safely.
#include "base/Files.h"

#include "base/FilePaths.h"
#include "base/SystemCalls.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <system_error>

namespace quorvel {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

} // namespace

std::string readWholeFile(const std::string& path) {
    const FilePtr file(openFile(path, "rb"));
    if (!file) {
        // Windows refuses to open a folder ("permission denied"); it is a folder, as POSIX says.
        const int why = errno;
        std::error_code ignored;
        throw FileError("Cannot open file " + path,
                        std::error_code(std::filesystem::is_directory(filePath(path), ignored)
                                            ? EISDIR
                                            : why,
                                        std::generic_category()));
    }
    std::string bytes;
    std::error_code error;
    const auto expected = std::filesystem::file_size(filePath(path), error);
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
    return std::filesystem::is_regular_file(filePath(path), error);
}

namespace {

namespace fs = std::filesystem;

// Temporary files are "<name>.tmp-<process>-<number>" beside their target, so a later write
// can tell its own leftovers from anything else in the folder.
std::string temporaryPrefix(const fs::path& target) {
    return pathText(target.filename()) + ".tmp-";
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
    return writer == currentProcessId() || processHasEnded(writer);
}

void removeStaleTemporaries(const fs::path& target, const fs::path& keep) {
    const std::string prefix = temporaryPrefix(target);
    std::error_code error;
    fs::directory_iterator it(target.parent_path().empty() ? fs::path(".") : target.parent_path(),
                              error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = pathText(it->path().filename());
        const auto writer = writerOf(name, prefix);
        std::error_code ignored;
        if (writer && it->path().filename() != keep.filename() && isStale(*writer))
            fs::remove(it->path(), ignored);
    }
}

std::string reason(int code) {
    return std::generic_category().message(code);
}

} // namespace

std::vector<std::string> leftoverCopies(const std::string& path) {
    const fs::path target = filePath(path);
    const std::string prefix = temporaryPrefix(target);
    std::vector<std::pair<fs::file_time_type, std::string>> found;
    std::error_code error;
    fs::directory_iterator it(target.parent_path().empty() ? fs::path(".") : target.parent_path(),
                              error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const auto writer = writerOf(pathText(it->path().filename()), prefix);
        std::error_code ignored;
        if (writer && *writer != currentProcessId() && isStale(*writer) &&
            it->is_regular_file(ignored))
            found.emplace_back(it->last_write_time(ignored), pathText(it->path()));
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
    if (fs::is_directory(filePath(path), error))
        throw FileError(failure + ": " + reason(EISDIR));
    // Through a symbolic link the file it points to is replaced, and the link stays.
    fs::path target = filePath(path);
    if (fs::is_symlink(target, error)) {
        target = fs::weakly_canonical(target, error);
        if (error)
            throw FileError(failure + ": " + error.message());
    }

    // A name no other writer picks at the same moment, in the same folder so rename is atomic.
    std::random_device random;
    const fs::path temporary =
        target.parent_path() / filePath(temporaryPrefix(target) + std::to_string(currentProcessId()) +
                                        "-" + std::to_string(random() % 1000000000u));
    std::error_code failed = writeNewFileDurably(temporary, text);
    if (!failed) {
        // Keep the permissions of the file we replace.
        const auto status = fs::status(target, error);
        if (!error && fs::exists(status))
            fs::permissions(temporary, status.permissions(), error);
        failed = replaceFile(temporary, target);
    }
    if (failed) {
        fs::remove(temporary, error);
        throw FileError(failure + ": " + failed.message());
    }
    flushFolder(target.parent_path());
    removeStaleTemporaries(target, temporary);
}

} // namespace quorvel
