// The clue: a free letter is drawn and its column shifted down until the right letter arrives.
#include "game/Game.h"

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

bool Game::beginClue() {
    if (m_clueRunning || !m_commands.clue)
        return false;
    if (m_values.movesLeft <= -m_values.clueCost)
        return false; // the clue must leave at least one move

    std::vector<bool> candidate(static_cast<std::size_t>(m_board.tileCount) + 1, false);
    bool any = false;
    for (int i = 1; i <= m_board.tileCount; ++i) {
        candidate[static_cast<std::size_t>(i)] = canArrive(m_board, i);
        any = any || candidate[static_cast<std::size_t>(i)];
    }
    if (!any)
        return false; // nothing a clue could place: it does nothing and costs nothing
    int tile = 0;
    for (int draw = 0; draw < MaxClueDraws && tile == 0; ++draw) {
        const int t = m_random.uniform(1, m_board.tileCount);
        if (candidate[static_cast<std::size_t>(t)])
            tile = t;
    }
    if (tile == 0)
        return false;

    m_clueRunning = true;
    m_values.moveMade = true;
    adjustMoves(m_values.clueCost);
    --m_values.clueAllowance;
    m_commands.clueCount = ClueCount::Shown; // also where a hundred or more were allowed
    m_commands.cluesLeft = m_values.clueAllowance;
    m_commands.clue = m_values.clueAllowance > 0;
    m_clueTile = tile;
    m_clueColumn = m_board.tile(tile).column; // its arrow above shows white while the clue runs
    notifyChanged();
    return true;
}

bool Game::clueStep() {
    if (!m_clueRunning)
        return false;
    // The player may have locked the tile or the letter it waits for since the last step.
    // (A new puzzle ends a waiting clue itself.)
    if (!isInPlay() || !canArrive(m_board, m_clueTile)) {
        finishClue();
        return false;
    }
    // One step down, exactly as the arrow above the column would shift it (and charge for it).
    shiftNow(m_clueColumn, true);
    const Tile& t = m_board.tile(m_clueTile);
    // The steps end when the letter is in place or the game is over; also when the player has
    // meanwhile locked the tile or the letter it waits for, since it could then never arrive.
    const bool more = isInPlay() && t.caption != t.solution && canArrive(m_board, m_clueTile);
    if (!more)
        finishClue();
    return more;
}

void Game::runClue() {
    if (!beginClue())
        return;
    while (clueStep()) {
    }
}

void Game::finishClue() {
    m_clueColumn = 0;
    Tile& t = m_board.tile(m_clueTile);
    if (isInPlay() && t.caption == t.solution) {
        // Fixed like a letter locked by a click.
        t.colour = LetterColour::Locked;
        t.locked = true;
        checkWords(0);
    }
    m_clueRunning = false;
    m_clueTile = 0;
    notifyChanged();
}

} // namespace quorvel
