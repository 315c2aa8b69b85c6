// The word check: fully locked words that spell a puzzle word (or a listed word) are found.
#include "game/Game.h"
#include "words/WordLists.h"

namespace quorvel {

namespace {

// Turns the word's letters into a found word and pays one move per letter.
void markFound(Board& board, int start, std::size_t length, bool alternative) {
    for (std::size_t k = 0; k < length; ++k) {
        Tile& t = board.tile(start + static_cast<int>(k));
        t.colour = LetterColour::Revealed;
        t.locked = true;
        t.found = true;
        if (alternative)
            t.underlined = true;
    }
}

} // namespace

void Game::checkWords(int focusTile) {
    for (int i = 1; i <= m_board.tileCount; ++i) {
        const Tile& first = m_board.tile(i);
        if (!first.wordStart || first.caption == GapChar)
            continue;
        // Letters not locked read as '?', so a found word (blue) is never found twice.
        const std::string w = m_board.readWord(i, false);
        // Only the word the padlock was dropped on may be a listed word that the puzzle lacks.
        bool alternative = i == focusTile && m_wordLists->isListedWord(w);
        bool found = false;
        for (const WordEntry& entry : m_board.wordEntries) {
            if (entry.word == w) {
                found = true;
                break;
            }
        }
        if (found)
            alternative = false;
        if (!found && !alternative)
            continue;
        m_listener.playEffect("OK");
        markFound(m_board, i, w.size(), alternative);
        notifyChanged();
        for (std::size_t k = 0; k < w.size(); ++k)
            adjustMoves(+1);
    }
    completionTest();
}

// The puzzle is solved when every word on it has been found, so locking every letter where
// it stands wins nothing. A found word the padlock reopened stays found.
void Game::completionTest() {
    // A game that has ended stays ended: a check after a failure must not also win it.
    if (!isInPlay() && !m_values.building)
        return;
    for (int i = 1; i <= m_board.tileCount; ++i) {
        const Tile& t = m_board.tile(i);
        if (t.visible && !t.found)
            return;
    }
    puzzleCompleted();
}

} // namespace quorvel
