// The daily records: "YYYY-MM-DD,R,MOVES,CLUES" lines, the streaks, and the shared summary.
#include "records/DailyRecords.h"

#include "base/FileLock.h"
#include "base/FilePaths.h"
#include "base/Files.h"
#include "base/Text.h"

#include <algorithm>
#include <fstream>
#include <map>

namespace quorvel {

namespace {

constexpr int MinMovesLeft = -1000;
constexpr int MaxMovesLeft = 1000;
constexpr int MaxClues = 1000;

std::optional<DailyRecord> parseLine(std::string_view line) {
    std::vector<std::string_view> fields;
    while (fields.size() < 5) {
        const std::size_t comma = line.find(',');
        fields.push_back(line.substr(0, comma));
        if (comma == std::string_view::npos)
            break;
        line.remove_prefix(comma + 1);
    }
    if (fields.size() != 4 || fields[1].size() != 1)
        return std::nullopt;
    const auto date = parseIsoDate(fields[0]);
    const char result = fields[1][0];
    const auto moves = wholeNumber(fields[2]);
    const auto clues = wholeNumber(fields[3]);
    if (!date || (result != 'W' && result != 'F' && result != 'Q') || !moves ||
        *moves < MinMovesLeft || *moves > MaxMovesLeft || !clues || *clues < 0 || *clues > MaxClues)
        return std::nullopt;
    return DailyRecord{*date, result, *moves, *clues};
}

// At most the first MaxDailyFileBytes of the file; empty when it cannot be read.
std::string readBounded(const std::string& path) {
    std::ifstream in(filePath(path), std::ios::binary);
    std::string text(MaxDailyFileBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(in ? text.size()
                   : static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
    return text;
}

std::string squares(int count, std::string_view square) {
    std::string row;
    for (int i = 0; i < std::clamp(count, 0, 40); ++i)
        row += square;
    return row;
}

std::string counted(int count, const std::string& one, const std::string& many) {
    return std::to_string(count) + ' ' + (count == 1 || count == -1 ? one : many);
}

} // namespace

std::vector<DailyRecord> parseDailyRecords(std::string_view text) {
    std::vector<DailyRecord> records;
    std::map<int, bool> seen;
    while (!text.empty() && records.size() < static_cast<std::size_t>(MaxDailyRecords)) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::optional<DailyRecord> record = parseLine(text.substr(0, end));
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end != std::string_view::npos && text[end] == '\r' && next < text.size() &&
            text[next] == '\n')
            ++next; // CR LF is one line end
        text.remove_prefix(next);
        if (record && seen.emplace(dayNumberOf(record->date), true).second)
            records.push_back(*record);
    }
    return records;
}

std::string formatDailyRecord(const DailyRecord& record) {
    return isoDate(record.date) + ',' + record.result + ',' + std::to_string(record.movesLeft) +
           ',' + std::to_string(record.cluesUsed);
}

std::vector<DailyRecord> readDailyRecords(const std::string& path) {
    std::string text = readBounded(path);
    if (text.size() > MaxDailyFileBytes)
        text.resize(MaxDailyFileBytes);
    return parseDailyRecords(text);
}

DailyAdded addDailyResult(const std::string& path, const DailyResult& result) {
    // Read, checked and added to under one lock: a second writer waits and then sees our line.
    const FileLock lock(path);
    const std::string text = readBounded(path);
    if (text.size() > MaxDailyFileBytes)
        return DailyAdded::FileTooLarge;
    for (const DailyRecord& record : parseDailyRecords(text))
        if (record.date == result.date)
            return DailyAdded::DayPlayed;
    // Appended under the lock already held, not replaced: a file open under a lock cannot be
    // replaced on Windows. A failed write is cut back, so the file is as it was or has the line.
    appendLine(lock, path,
               formatDailyRecord({result.date, result.result, result.movesLeft, result.cluesUsed}) +
                   '\n',
               "\n");
    return DailyAdded::Added;
}

DailyStreaks dailyStreaks(const std::vector<DailyRecord>& records, const CivilDate& today) {
    std::map<int, bool> solved; // by day number: the first result of each day
    for (const DailyRecord& record : records)
        solved.emplace(dayNumberOf(record.date), record.result == 'W');
    DailyStreaks streaks;
    int run = 0;
    int previous = 0;
    for (const auto& [day, won] : solved) {
        run = won ? (run > 0 && day == previous + 1 ? run + 1 : 1) : 0;
        previous = day;
        streaks.best = std::max(streaks.best, run);
    }
    const int todayNumber = dayNumberOf(today);
    int day = solved.count(todayNumber) != 0 ? todayNumber : todayNumber - 1;
    for (auto it = solved.find(day); it != solved.end() && it->second; it = solved.find(--day))
        ++streaks.current;
    return streaks;
}

std::string dailySummary(const DailyResult& result) {
    std::string text = "Quorvel daily puzzle " + isoDate(result.date) + '\n';
    text += result.result == 'W' ? "Solved" : result.result == 'Q' ? "Given up" : "Not solved";
    text += ", " + counted(result.movesLeft, "move", "moves") + " left, " +
            counted(result.cluesUsed, "clue", "clues") + " used\n";
    for (const int length : result.foundWordLengths)
        text += squares(length, "\xF0\x9F\x9F\xA9") + '\n'; // green square
    for (const int length : result.missedWordLengths)
        text += squares(length, "\xE2\xAC\x9C") + '\n'; // white (grey) square
    return text;
}

} // namespace quorvel
