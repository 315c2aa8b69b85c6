// Writing and reading game-result lines of the statistics file.
#include "records/Statistics.h"

#include "words/WordUtils.h"

#include <charconv>
#include <cstdio>

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
    std::string text = fileExists(path) ? readWholeFile(path) : std::string();
    text += line;
    text += "\r\n";
    writeWholeFile(path, text);
}

namespace {

bool toInt(const std::string& field, int& value) {
    const char* b = field.data();
    const char* e = b + field.size();
    if (b != e && *b == '+')
        ++b;
    auto [end, error] = std::from_chars(b, e, value);
    return b != e && error == std::errc{} && end == e;
}

bool parseLine(std::string text, StatisticsEntry& entry) {
    nextField(text); // the date is not counted
    const std::string code = nextField(text);
    int numbers[4];
    for (int& n : numbers)
        if (!toInt(nextField(text), n))
            return false;
    entry.won = code == "W";
    entry.level = numbers[0];
    entry.handicap = numbers[1];
    entry.movesLeft = numbers[2];
    entry.letterTotal = numbers[3];
    entry.definitions = nextField(text) != "n";
    entry.lockRule = nextField(text) != "n";
    entry.timed = nextField(text) != "n";
    return true;
}

} // namespace

std::vector<StatisticsEntry> readStatistics(std::string_view text) {
    std::vector<StatisticsEntry> entries;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string_view::npos)
            end = text.size();
        StatisticsEntry entry;
        if (parseLine(std::string(text.substr(begin, end - begin)), entry))
            entries.push_back(entry);
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            ++end;
        begin = end + 1;
    }
    return entries;
}

} // namespace quorvel
