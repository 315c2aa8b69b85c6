// Level navigation, the level display, and the statistics line of a finished game.
#include "game/Game.h"

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

void Game::setPickerLevel(int level) {
    m_pickerLevel = std::clamp(level, 1, std::max(1, m_levels.levelCount));
}

void Game::showLevel(int level) {
    // Below 0 becomes 1; 0 itself (after the last level) is shown as it is.
    if (level < 0)
        level = 1;
    m_values.level = level;
    m_listener.status("Level " + std::to_string(level));
    m_listener.levelShown(level);
    setPickerLevel(level);
}

void Game::restoreLevel(int stored) {
    showLevel(std::min(stored, std::max(1, m_levels.levelCount)));
}

void Game::randomLevel() {
    m_values.level = m_random.uniform(1, std::max(1, m_levels.levelCount));
    showLevel(m_values.level);
    newPuzzle();
}

// Stepping past either end shows the number stepped to, while the picker, and so the build,
// stays within 1..LevelCount.
void Game::previousLevel() {
    const int level = stepped(m_values.level, -1);
    setPickerLevel(level);
    showLevel(level);
    newPuzzle();
}

void Game::nextLevel() {
    const int level = stepped(m_values.level, 1);
    setPickerLevel(level);
    showLevel(level);
    newPuzzle();
}

void Game::levelPicked(bool startGame) {
    showLevel(m_pickerLevel);
    if (startGame)
        newPuzzle();
}

std::string Game::recordLine(char result) const {
    return recordLineAt(result, m_values.level);
}

std::string Game::recordLineAt(char result, int level) const {
    const CivilDate today = m_today ? m_today() : CivilDate{};
    GameResult g;
    g.year = today.year;
    g.month = today.month;
    g.day = today.day;
    g.result = result;
    g.level = level;
    g.handicap = m_options.handicap;
    g.movesLeft = m_values.movesLeft;
    g.letterTotal = m_levels.at(level).letterTotal;
    g.definitions = m_options.definitions;
    switch (m_options.lock) {
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
    g.timed = m_options.timed;
    return statisticsLine(g);
}

void Game::appendRecord(char result) {
    appendRecord(result, m_values.level);
}

void Game::appendRecord(char result, int level) {
    m_listener.record(recordLineAt(result, level));
}

} // namespace quorvel
