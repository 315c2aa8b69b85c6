// Writing and reading game-result lines of the statistics file.
#include "records/Statistics.h"

#include "base/FileLock.h"
#include "base/Files.h"
#include "base/Text.h"

#include <algorithm>
#include <cstdio>
#include <optional>

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

void appendStatisticsLine(const std::string& path, std::string_view line) {
    appendLineUnderLock(path, std::string(line) + "\r\n", "\r\n");
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
