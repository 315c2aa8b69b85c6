// The clue: a free letter is drawn and its column shifted down until the right letter arrives.
#include "rules/Clue.h"

#include "rules/GameEnd.h"
#include "rules/Shifting.h"
#include "rules/WordCheck.h"

#include <vector>

namespace quorvel {

namespace {

constexpr int MaxClueDraws = 65536;

// A free letter whose right letter is also free in its column: shifting is sure to bring it.
// A letter whose right letter is locked elsewhere in the column could never arrive.
bool canArrive(const Board& board, int tile) {
    const Tile& t = board.tile(tile);
    if (t.caption == GapChar || t.colour != LetterColour::Unlocked)
        return false;
    return board.gatherColumn(t.column).letters.find(t.solution) != std::string::npos;
}

} // namespace

bool beginClue(Play& p) {
    if (p.state.clueRunning || !p.state.commands.clue)
        return false;
    if (p.state.values.movesLeft <= -p.state.values.clueCost)
        return false; // the clue must leave at least one move

    std::vector<bool> candidate(static_cast<std::size_t>(p.state.board.tileCount) + 1, false);
    bool any = false;
    for (int i = 1; i <= p.state.board.tileCount; ++i) {
        candidate[static_cast<std::size_t>(i)] = canArrive(p.state.board, i);
        any = any || candidate[static_cast<std::size_t>(i)];
    }
    if (!any)
        return false; // nothing a clue could place: it does nothing and costs nothing
    int tile = 0;
    for (int draw = 0; draw < MaxClueDraws && tile == 0; ++draw) {
        const int t = p.puzzles.random.uniform(1, p.state.board.tileCount);
        if (candidate[static_cast<std::size_t>(t)])
            tile = t;
    }
    if (tile == 0)
        return false;

    p.state.clueRunning = true;
    p.state.values.moveMade = true;
    adjustMoves(p, p.state.values.clueCost);
    --p.state.values.clueAllowance;
    ++p.state.cluesUsed;
    p.state.commands.clueCount = ClueCount::Shown; // also where a hundred or more were allowed
    p.state.commands.cluesLeft = p.state.values.clueAllowance;
    p.state.commands.clue = p.state.values.clueAllowance > 0;
    p.state.clueTile = tile;
    p.state.clueColumn =
        p.state.board.tile(tile).column; // its arrow above shows white while the clue runs
    notifyChanged(p);
    return true;
}

bool clueStep(Play& p) {
    if (!p.state.clueRunning)
        return false;
    // The player may have locked the tile or the letter it waits for since the last step.
    // (A new puzzle ends a waiting clue itself.)
    if (!p.state.isInPlay() || !canArrive(p.state.board, p.state.clueTile)) {
        finishClue(p);
        return false;
    }
    // One step down, exactly as the arrow above the column would shift it (and charge for it).
    shiftNow(p, p.state.clueColumn, true);
    const Tile& t = p.state.board.tile(p.state.clueTile);
    // The steps end when the letter is in place or the game is over; also when the player has
    // meanwhile locked the tile or the letter it waits for, since it could then never arrive.
    const bool more =
        p.state.isInPlay() && t.caption != t.solution && canArrive(p.state.board, p.state.clueTile);
    if (!more)
        finishClue(p);
    return more;
}

void finishClue(Play& p) {
    p.state.clueColumn = 0;
    Tile& t = p.state.board.tile(p.state.clueTile);
    if (p.state.isInPlay() && t.caption == t.solution) {
        // Fixed like a letter locked by a click.
        t.colour = LetterColour::Locked;
        t.locked = true;
        checkWords(p, 0);
    }
    p.state.clueRunning = false;
    p.state.clueTile = 0;
    notifyChanged(p);
}

} // namespace quorvel
