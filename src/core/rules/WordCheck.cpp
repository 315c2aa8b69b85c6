// The word check: fully locked words that spell a puzzle word (or a listed word) are found.
#include "rules/WordCheck.h"

#include "rules/GameEnd.h"
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

void checkWords(Play& p, int focusTile) {
    for (int i = 1; i <= p.state.board.tileCount; ++i) {
        const Tile& first = p.state.board.tile(i);
        if (!first.wordStart || first.caption == GapChar)
            continue;
        // Letters not locked read as '?', so a found word (blue) is never found twice.
        const std::string w = p.state.board.readWord(i, false);
        // Only the word the padlock was dropped on may be a listed word that the puzzle lacks.
        bool alternative = i == focusTile && p.wordLists.isListedWord(w);
        bool found = false;
        for (const WordEntry& entry : p.state.board.wordEntries) {
            if (entry.word == w) {
                found = true;
                break;
            }
        }
        if (found)
            alternative = false;
        if (!found && !alternative)
            continue;
        p.events.playEffect("OK");
        markFound(p.state.board, i, w.size(), alternative);
        p.state.foundOrder.push_back(i);
        notifyChanged(p);
        for (std::size_t k = 0; k < w.size(); ++k)
            adjustMoves(p, +1);
    }
    completionTest(p);
}

// The puzzle is solved when every word on it has been found, so locking every letter where
// it stands wins nothing. A found word the padlock reopened stays found.
void completionTest(Play& p) {
    // A game that has ended stays ended: a check after a failure must not also win it.
    if (!p.state.isInPlay() && !p.state.values.building)
        return;
    for (int i = 1; i <= p.state.board.tileCount; ++i) {
        const Tile& t = p.state.board.tile(i);
        if (t.visible && !t.found)
            return;
    }
    puzzleCompleted(p);
}

} // namespace quorvel
