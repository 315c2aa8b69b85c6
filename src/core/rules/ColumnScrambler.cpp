// Scrambling a new board: letters marked for initial locking stay put, the others are swapped
// within their column until no letter of the column stands in its place.
#include "rules/ColumnScrambler.h"

#include "rules/Banner.h"
#include "rules/Difficulty.h"
#include "rules/GameEnd.h"
#include "rules/WordCheck.h"

#include <algorithm>
#include <vector>

namespace quorvel {

namespace {

constexpr int MaxRedraws = 50; // draws for a second letter different from the first

bool isVowel(char c) {
    return c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U';
}

bool anyInPlace(const std::string& letters, const std::string& solution) {
    for (std::size_t i = 0; i < letters.size(); ++i)
        if (letters[i] == solution[i])
            return true;
    return false;
}

// One column's letters after at most one swap per letter; marked tiles never take part.
std::string scrambleColumn(const ColumnGather& column, const std::vector<bool>& marked,
                           Random& random) {
    std::string letters = column.letters;
    const int n = static_cast<int>(letters.size());
    for (int pass = 0; pass < n; ++pass) {
        const int p = random.uniform(1, n);
        if (n < 2)
            break;
        int q = p;
        for (int draw = 0; draw < MaxRedraws && q == p; ++draw)
            q = random.uniform(1, n);
        const auto pi = static_cast<std::size_t>(p - 1);
        const auto qi = static_cast<std::size_t>(q - 1);
        const auto tp = static_cast<std::size_t>(column.tiles[pi]);
        const auto tq = static_cast<std::size_t>(column.tiles[qi]);
        if (!marked[tp] && !marked[tq])
            std::swap(letters[pi], letters[qi]);
        if (!anyInPlace(letters, column.letters))
            break;
    }
    return letters;
}

} // namespace

std::vector<bool> markInitialLocks(Play& p) {
    const Board& b = p.state.board;
    std::vector<bool> marked(static_cast<std::size_t>(b.tileCount) + 1, false);
    auto mark = [&](int t) { marked[static_cast<std::size_t>(t)] = true; };
    switch (p.options.lock) {
    case LockRule::First:
        for (int t = 1; t <= b.tileCount; ++t)
            if (b.tile(t).wordStart)
                mark(t);
        break;
    case LockRule::Vowels:
        for (int t = 1; t <= b.tileCount; ++t)
            if (isVowel(b.tile(t).caption))
                mark(t);
        break;
    case LockRule::Randomly:
        markRandomLocks(p, marked);
        break;
    case LockRule::None:
        break;
    }
    return marked;
}

void markRandomLocks(Play& p, std::vector<bool>& marked) {
    const Board& b = p.state.board;
    auto markable = [&](int t) {
        const char c = b.tile(t).caption;
        return c != GapChar && c != ' ' && !marked[static_cast<std::size_t>(t)];
    };
    int available = 0;
    for (int t = 1; t <= b.tileCount; ++t)
        available += markable(t) ? 1 : 0;
    // The picking ends when no letter is left to mark.
    int wanted = std::min(randomLockCount(p, b.tileCount), available);
    while (wanted > 0) {
        const int t = p.puzzles.random.uniform(1, b.tileCount);
        if (!markable(t))
            continue;
        marked[static_cast<std::size_t>(t)] = true;
        --wanted;
    }
}

void scrambleBoard(Play& p) {
    Board& b = p.state.board;
    // Letters marked for initial locking never move and are locked once scrambled.
    const std::vector<bool> marked = markInitialLocks(p);
    for (int c = 1; c <= b.columns; ++c) {
        const ColumnGather column = b.gatherColumn(c);
        adjustMoves(p, 1); // progress while building; the counter is set afresh afterwards
        adjustMoves(p, c);
        if (column.letters.empty())
            continue;
        const std::string letters = scrambleColumn(column, marked, p.puzzles.random);
        for (std::size_t i = 0; i < letters.size(); ++i)
            b.tile(column.tiles[i]).caption = letters[i];
    }
    for (int t = 1; t <= b.tileCount; ++t) {
        Tile& tile = b.tile(t);
        const bool lockedNow = marked[static_cast<std::size_t>(t)] && tile.caption == tile.solution;
        tile.colour = lockedNow ? LetterColour::Locked : LetterColour::Unlocked;
        tile.locked = lockedNow;
        tile.visible = tile.caption != GapChar;
    }
    hideBanner(p);
    notifyChanged(p);
    checkWords(p, 0); // words locked from the start are found at once
}

} // namespace quorvel
