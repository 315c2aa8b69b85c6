// The player's hands on the board: shifting a column, locking a letter, a word or every word.
#include "game/Game.h"

#include <algorithm>

namespace quorvel {

namespace {

bool isLetterTile(const Board& board, int tile) {
    return tile >= 1 && tile <= board.tileCount && board.tile(tile).caption != GapChar;
}

} // namespace

bool Game::boardUsable() const {
    // The board reacts only while a puzzle is in play, neither paused nor held by a banner
    // waiting for its OK; a build that placed nothing leaves no puzzle to act on.
    return isInPlay() && m_commands.boardPanel;
}

void Game::shiftColumn(int column, bool down) {
    if (!boardUsable() || !m_commands.arrows)
        return;
    shiftNow(column, down);
}

void Game::shiftNow(int column, bool down) {
    if (m_shifting || column < 1 || column > m_board.columns)
        return;
    m_shifting = true;
    m_values.moveMade = true; // even a column with nothing to move counts as touching the puzzle

    ColumnGather gather = m_board.gatherColumn(column);
    if (gather.letters.empty()) {
        m_shifting = false;
        notifyChanged();
        return;
    }
    // Only the free letters rotate, among the free positions; locked letters and gaps stay.
    std::string& letters = gather.letters;
    if (down)
        std::rotate(letters.rbegin(), letters.rbegin() + 1, letters.rend());
    else
        std::rotate(letters.begin(), letters.begin() + 1, letters.end());
    for (std::size_t i = 0; i < letters.size(); ++i)
        m_board.tile(gather.tiles[i]).caption = letters[i];

    adjustMoves(m_values.shiftCost);
    m_listener.playEffect("Shift");
    checkWords(0);
    m_shifting = false;
    notifyChanged();
}

void Game::clickTile(int tile) {
    if (!boardUsable() || !isLetterTile(m_board, tile))
        return;
    Tile& t = m_board.tile(tile);
    if (!t.visible || !t.enabled || t.colour == LetterColour::Revealed)
        return;
    // Any state but a free letter opens the letter again, so a second click undoes the first.
    t.colour = t.colour == LetterColour::Unlocked ? LetterColour::Locked : LetterColour::Unlocked;
    t.locked = t.colour == LetterColour::Locked;
    notifyChanged();

    // The charge comes after the check, so the click that locks the last letter still pays.
    checkWords(0);
    adjustMoves(m_values.tileClickCost);
    notifyChanged();
}

void Game::dropPadlock(int tile) {
    if (!boardUsable() || !isLetterTile(m_board, tile))
        return;
    const Tile& target = m_board.tile(tile);
    if (!target.visible || !target.enabled)
        return;
    int start = tile;
    while (start > 1 && !m_board.tile(start).wordStart)
        --start;

    m_listener.playEffect("Drop");
    m_values.moveMade = true;

    // A found word opens again, a free word is locked for checking, a checked word opens.
    const LetterColour colour =
        target.colour == LetterColour::Unlocked ? LetterColour::Locked : LetterColour::Unlocked;
    // Every place of the same word changes (a word laid out twice shares one index). The lock
    // flags stay: a word locked this way counts for nothing until it is found.
    const int wordIndex = target.wordIndex;
    for (int i = 1; i <= m_board.tileCount; ++i) {
        Tile& t = m_board.tile(i);
        if (t.caption != GapChar && t.wordIndex == wordIndex)
            t.colour = colour;
    }
    notifyChanged();

    checkWords(start);
    adjustMoves(m_values.word);
    notifyChanged();
}

void Game::lockAll() {
    if (!boardUsable() || !m_commands.lockAll)
        return;
    LetterColour colour;
    if (!m_commands.lockAllShowsLocked) {
        m_listener.playEffect("Drop");
        colour = LetterColour::Locked;
        m_commands.lockAllShowsLocked = true;
        // A charge that ends the game reveals the board, so the recolouring below finds nothing.
        adjustMoves(m_values.lockAllCost);
    } else {
        colour = LetterColour::Unlocked; // opening everything again is free
        m_commands.lockAllShowsLocked = false;
    }
    // Letters fixed by a click, initial locking or a clue, and found words, keep their state.
    for (int i = 1; i <= m_board.tileCount; ++i) {
        Tile& t = m_board.tile(i);
        if (t.caption != GapChar && t.colour != LetterColour::Revealed && !t.locked)
            t.colour = colour;
    }
    if (m_values.movesLeft > 0)
        checkWords(0);
    notifyChanged();
}

} // namespace quorvel
