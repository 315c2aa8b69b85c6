// The daily puzzle's own records: one line per day played, the streaks, the shared summary.
#pragma once

#include "records/CivilDate.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// A finished daily game: what its record line and its shared summary are made of.
struct DailyResult {
    CivilDate date;
    char result = 'F'; // 'W' solved, 'F' failed (out of moves), 'Q' given up
    int movesLeft = 0;
    int cluesUsed = 0;
    std::vector<int> foundWordLengths;  // in the order the words were found
    std::vector<int> missedWordLengths; // the words not found, in board order
    int wordCount = 0;                  // words on the board, found or not
};

// One kept line of the daily file.
struct DailyRecord {
    CivilDate date;
    char result = 'F';
    int movesLeft = 0;
    int cluesUsed = 0;

    bool operator==(const DailyRecord&) const = default;
};

// The records of a daily file's text (lines end in CR LF, LF or CR), oldest first as written; a line that does not read, or
// a second line of a date already read, is skipped. Bounded: at most MaxDailyRecords kept.
constexpr int MaxDailyRecords = 100000;
std::vector<DailyRecord> parseDailyRecords(std::string_view text);
std::string formatDailyRecord(const DailyRecord& record); // one line, without the line end

// Reads the file (none, unreadable or damaged: what can be read, never an error). Only the first
// MaxDailyFileBytes of a larger file are read.
constexpr std::size_t MaxDailyFileBytes = 4 * 1024 * 1024;
std::vector<DailyRecord> readDailyRecords(const std::string& path);
// What became of a daily result given to addDailyResult.
enum class DailyAdded {
    Added,        // its line is in the file
    DayPlayed,    // its date has a line already: the first game of a day is its record
    FileTooLarge, // the file has grown past MaxDailyFileBytes and is not added to
};
// Adds the result's line unless its date already has one (a day counts once), keeping every
// line the file had; the line is appended under a lock on the file (a failed write cut back),
// so parallel writers take turns and lose nothing. Throws FileError when the file cannot be
// written.
DailyAdded addDailyResult(const std::string& path, const DailyResult& result);

struct DailyStreaks {
    int current = 0; // solved days in a row ending today, or yesterday while today is unplayed
    int best = 0;
    bool operator==(const DailyStreaks&) const = default;
};
DailyStreaks dailyStreaks(const std::vector<DailyRecord>& records, const CivilDate& today);

// The spoiler-free text to share, UTF-8: the game and date, solved or not, moves left, clues
// used, one row of squares per word found in the order found, grey rows for the words not found.
std::string dailySummary(const DailyResult& result);

} // namespace quorvel
