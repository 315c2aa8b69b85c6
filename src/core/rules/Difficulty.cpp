// The difficulty of a puzzle: what each handicap makes of the layout's letters.
#include "rules/Difficulty.h"

#include <algorithm>
#include <array>

namespace quorvel {

namespace {

// One handicap's row; the columns that divide take the letter total (or the start) down.
struct HandicapRow {
    int startPerLetter;
    int penalty;        // moves an idle interval costs
    int delaySeconds;   // the grace before the first penalty
    int advanceDivisor; // the start divided by it: the moves a win must leave to advance
    int clueCost;
    int lockAllCost;
    int good;              // moves a word found earns
    int clueDivisor;       // letters per clue allowed (at least two clues)
    int randomLockDivisor; // letters per letter locked at random (at least two)
};

constexpr std::array<HandicapRow, 3> Handicaps = {{
    {3, -1, 30, 6, -5, -3, 5, 5, 10},  // lower penalties
    {2, -2, 20, 5, -6, -4, 4, 10, 15}, // neutral
    {1, -3, 10, 4, -7, -5, 3, 20, 20}, // higher penalties
}};

const HandicapRow& rowFor(int handicap) {
    return Handicaps[static_cast<std::size_t>(std::clamp(handicap, -1, 1) + 1)];
}

} // namespace

void setDifficulty(Play& p, int letterTotal) {
    setDifficulty(p.state.values, p.options.handicap, letterTotal);
}

void setDifficulty(GameValues& v, int handicap, int letterTotal) {
    const HandicapRow& row = rowFor(handicap);
    v.start = letterTotal * row.startPerLetter;
    v.penalty = row.penalty;
    v.delay = row.delaySeconds;
    v.advanceMinimum = v.start / row.advanceDivisor;
    v.clueCost = row.clueCost;
    v.lockAllCost = row.lockAllCost;
    v.good = row.good;
    v.clueAllowance = std::max(letterTotal / row.clueDivisor, 2);
    v.pop = 10;
    v.shiftCost = -1;
    v.tileClickCost = -1;
    v.word = -2;
    v.bad = 0;
}

int randomLockCount(Play& p, int tileCount) {
    return std::max(tileCount / rowFor(p.options.handicap).randomLockDivisor, 2);
}

} // namespace quorvel
