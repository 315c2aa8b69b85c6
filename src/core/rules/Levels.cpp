// Level navigation, the level display, and the statistics line of a finished game.
#include "rules/Levels.h"

#include "rules/NewPuzzle.h"

#include "records/DailyRecords.h"
#include "records/Statistics.h"

#include <algorithm>
#include <climits>

namespace quorvel {

namespace {

// Levels are untrusted numbers from the settings file: a step never overflows.
int stepped(int level, int step) {
    const long long next = static_cast<long long>(level) + step;
    return static_cast<int>(std::clamp<long long>(next, INT_MIN, INT_MAX));
}

} // namespace

void setPickerLevel(Play& p, int level) {
    p.state.pickerLevel = std::clamp(level, 1, std::max(1, p.levels.levelCount));
}

void showLevel(Play& p, int level) {
    // Below 0 becomes 1; 0 itself (after the last level) is shown as it is.
    if (level < 0)
        level = 1;
    p.state.values.level = level;
    p.events.status("Level " + std::to_string(level));
    p.events.levelShown(level);
    setPickerLevel(p, level);
}

void restoreLevel(Play& p, int stored) {
    showLevel(p, std::min(stored, std::max(1, p.levels.levelCount)));
}

void randomLevel(Play& p) {
    p.state.values.level = p.random.uniform(1, std::max(1, p.levels.levelCount));
    showLevel(p, p.state.values.level);
    newPuzzle(p);
}

// Stepping past either end shows the number stepped to, while the picker, and so the build,
// stays within 1..LevelCount.
void previousLevel(Play& p) {
    const int level = stepped(p.state.values.level, -1);
    setPickerLevel(p, level);
    showLevel(p, level);
    newPuzzle(p);
}

void nextLevel(Play& p) {
    const int level = stepped(p.state.values.level, 1);
    setPickerLevel(p, level);
    showLevel(p, level);
    newPuzzle(p);
}

void levelPicked(Play& p, bool startGame) {
    showLevel(p, p.state.pickerLevel);
    if (startGame)
        newPuzzle(p);
}

std::string recordLineAt(Play& p, char result, int level) {
    const CivilDate today = p.today ? p.today() : CivilDate{};
    GameResult g;
    g.year = today.year;
    g.month = today.month;
    g.day = today.day;
    g.result = result;
    g.level = level;
    g.handicap = p.options.handicap;
    g.movesLeft = p.state.values.movesLeft;
    g.letterTotal = p.levels.at(level).letterTotal;
    g.definitions = p.options.definitions;
    switch (p.options.lock) {
    case LockRule::Vowels:
        g.lockRule = 'V';
        break;
    case LockRule::First:
        g.lockRule = 'F';
        break;
    case LockRule::Randomly:
        g.lockRule = 'R';
        break;
    case LockRule::None:
        g.lockRule = 'n';
        break;
    }
    g.timed = p.options.timed;
    return statisticsLine(g);
}

void appendRecord(Play& p, char result) {
    appendRecord(p, result, p.state.values.level);
}

// A daily game's result goes to the daily records, never to the level statistics.
void appendRecord(Play& p, char result, int level) {
    if (p.state.daily)
        p.events.dailyFinished(dailyResult(p.state, result));
    else
        p.events.record(recordLineAt(p, result, level));
}

DailyResult dailyResult(const GameState& state, char result) {
    DailyResult r;
    r.date = state.daily.value_or(CivilDate{});
    r.result = result;
    r.movesLeft = state.values.movesLeft;
    r.cluesUsed = state.cluesUsed;
    const Board& b = state.board;
    for (const int first : state.foundOrder)
        r.foundWordLengths.push_back(static_cast<int>(b.readWord(first, true).size()));
    for (int t = 1; t <= b.tileCount; ++t) {
        const Tile& tile = b.tile(t);
        if (!tile.wordStart || tile.solution == GapChar)
            continue;
        ++r.wordCount;
        if (!tile.found)
            r.missedWordLengths.push_back(static_cast<int>(b.readWord(t, true).size()));
    }
    return r;
}

void setLevelTable(Play& p, LevelTable table) {
    p.levels = std::move(table);
    p.state.values.levelCount = p.levels.levelCount;
    setPickerLevel(p, p.state.pickerLevel);
}

void loadLayouts(Play& p) {
    LevelTable table = p.levels;
    std::optional<LayoutsProblem> problem = loadLayoutsFile(p.folder + "zq/formats", table);
    if (problem && problem->fault == LayoutsProblem::Fault::ChecksumMismatch &&
        p.options.traceAvailable)
        p.events.message(std::to_string(problem->computed));
    // A file that was not read leaves the levels in use. With none yet, or with a file that
    // offers no layout, the four built-in levels stand in, so there is always a level to build.
    if (problem && !problem->replacedTable() && p.levels.levelCount > 0) {
        problem->fallback = LayoutsProblem::Fallback::LevelsInUse;
    } else {
        if (table.levelCount < 1)
            table = builtInLayouts();
        setLevelTable(p, std::move(table));
    }
    if (problem)
        p.events.layoutsProblem(*problem);
}

} // namespace quorvel
