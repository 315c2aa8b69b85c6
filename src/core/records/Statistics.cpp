// Writing and reading game-result lines of the statistics file.
#include "records/Statistics.h"

#include "base/FileLock.h"
#include "base/Files.h"
#include "base/Text.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <system_error>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

std::string statisticsLine(const GameResult& g) {
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", g.year, g.month, g.day);
    std::string line = date;
    line += ',';
    line += g.result;
    line += ',' + std::to_string(g.level) + ',' + std::to_string(g.handicap) + ',' +
            std::to_string(g.movesLeft) + ',' + std::to_string(g.letterTotal) + ',';
    line += g.definitions ? "D," : "n,";
    line += g.lockRule;
    line += ',';
    line += g.timed ? "T," : "n";
    return line;
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

void appendStatisticsLine(const std::string& path, std::string_view line) {
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
    std::string text = endsWithLineBreak(lock.fd()) ? std::string() : std::string("\r\n");
    text += line;
    text += "\r\n";
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

namespace {

// The comma-field rule of nextField over a view, so that reading a long history allocates
// nothing per line.
std::string_view takeField(std::string_view& rest) {
    if (!rest.empty() && rest.front() == ',')
        rest.remove_prefix(1);
    const std::size_t end = std::min(rest.find(','), rest.size());
    const std::string_view field = rest.substr(0, end);
    rest.remove_prefix(end);
    return field;
}

} // namespace

bool parseStatisticsLine(std::string_view line, StatisticsEntry& entry) {
    takeField(line); // the date is not counted
    const std::string_view code = takeField(line);
    int numbers[4];
    for (int& n : numbers) {
        const std::optional<int> number = wholeNumber(takeField(line));
        if (!number)
            return false;
        n = *number;
    }
    entry.won = code == "W";
    entry.level = numbers[0];
    entry.handicap = numbers[1];
    entry.movesLeft = numbers[2];
    entry.letterTotal = numbers[3];
    entry.definitions = takeField(line) != "n";
    entry.lockRule = takeField(line) != "n";
    entry.timed = takeField(line) != "n";
    return true;
}

std::vector<StatisticsEntry> readStatistics(std::string_view text) {
    std::vector<StatisticsEntry> entries;
    StatisticsLineReader lines(text);
    StatisticsEntry entry;
    while (lines.next(entry))
        entries.push_back(entry);
    return entries;
}

} // namespace quorvel
