// The statistics file zq/stats.zq: one nine-field line per finished game, and its reader.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// What one game-result line holds, as the game writes it.
struct GameResult {
    int year = 2000;
    int month = 1;
    int day = 1;
    char result = 'W'; // W completed, F failed, Q quit
    int level = 0;
    int handicap = 0;
    int movesLeft = 0;
    int letterTotal = 0;
    bool definitions = false;
    char lockRule = 'n'; // V vowels, F first letters, R random, n none
    bool timed = false;
};

// The exact line without CR LF, e.g. "2003-05-17,W,13,0,37,25,D,V,T," (a timed game's line
// ends in a comma, an untimed one's in "n").
std::string statisticsLine(const GameResult& game);

// Appends line + CR LF to the file (created when missing) under a lock on the file, in one
// write at its end, without reading it: parallel writers lose no line, and memory stays flat in
// the file's size. A failed write leaves the file as it was; throws FileError, naming the file
// and the system's reason, when it cannot be written.
void appendStatisticsLine(const std::string& path, std::string_view line);

// One line as the statistics window counts it.
struct StatisticsEntry {
    bool won = false; // the code is exactly "W"
    int level = 0;
    int handicap = 0;
    int movesLeft = 0;
    int letterTotal = 0;
    bool definitions = false; // fields 7..9 count as set unless exactly "n"
    bool lockRule = false;
    bool timed = false;
};

// One line without its line break. Fields are taken with the comma-field rule (one leading
// comma dropped, then up to the next comma); false when fields 3..6 are not all integers, and
// such a line is skipped by every reader.
bool parseStatisticsLine(std::string_view line, StatisticsEntry& entry);

// Walks a text's lines (split at CR LF, CR or LF) without allocating, giving every line that
// parseStatisticsLine accepts, with the same result; the others are skipped.
class StatisticsLineReader {
public:
    explicit StatisticsLineReader(std::string_view text)
        : m_next(text.data()), m_end(text.data() + text.size()) {}

    // False when no line is left.
    bool next(StatisticsEntry& entry);

private:
    const char* m_next;
    const char* m_end;
};

// Every line of the file's text (split at CR LF, CR or LF) whose fields 3..6 are integers;
// other lines are skipped.
std::vector<StatisticsEntry> readStatistics(std::string_view text);

} // namespace quorvel
