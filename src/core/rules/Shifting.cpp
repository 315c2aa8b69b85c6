// The player's hands on the board: shifting a column, locking a letter, a word or every word.
#include "rules/Shifting.h"

#include "rules/GameEnd.h"
#include "rules/WordCheck.h"

#include <algorithm>

namespace quorvel {

namespace {

bool isLetterTile(const Board& board, int tile) {
    return tile >= 1 && tile <= board.tileCount && board.tile(tile).caption != GapChar;
}

} // namespace

bool boardUsable(Play& p) {
    // The board reacts only while a puzzle is in play, neither paused nor held by a banner
    // waiting for its OK; a build that placed nothing leaves no puzzle to act on.
    return p.state.isInPlay() && p.state.commands.boardPanel;
}

void shiftColumn(Play& p, int column, bool down) {
    if (!boardUsable(p) || !p.state.commands.arrows)
        return;
    shiftNow(p, column, down);
}

void shiftNow(Play& p, int column, bool down) {
    if (p.state.shifting || column < 1 || column > p.state.board.columns)
        return;
    p.state.shifting = true;
    p.state.values.moveMade =
        true; // even a column with nothing to move counts as touching the puzzle

    ColumnGather gather = p.state.board.gatherColumn(column);
    if (gather.letters.empty()) {
        p.state.shifting = false;
        notifyChanged(p);
        return;
    }
    // Only the free letters rotate, among the free positions; locked letters and gaps stay.
    std::string& letters = gather.letters;
    if (down)
        std::rotate(letters.rbegin(), letters.rbegin() + 1, letters.rend());
    else
        std::rotate(letters.begin(), letters.begin() + 1, letters.end());
    for (std::size_t i = 0; i < letters.size(); ++i)
        p.state.board.tile(gather.tiles[i]).caption = letters[i];

    adjustMoves(p, p.state.values.shiftCost);
    p.events.playEffect("Shift");
    checkWords(p, 0);
    p.state.shifting = false;
    notifyChanged(p);
}

void clickTile(Play& p, int tile) {
    if (!boardUsable(p) || !isLetterTile(p.state.board, tile))
        return;
    Tile& t = p.state.board.tile(tile);
    if (!t.visible || !t.enabled || t.colour == LetterColour::Revealed)
        return;
    // Any state but a free letter opens the letter again, so a second click undoes the first.
    t.colour = t.colour == LetterColour::Unlocked ? LetterColour::Locked : LetterColour::Unlocked;
    t.locked = t.colour == LetterColour::Locked;
    notifyChanged(p);

    // The charge comes after the check, so the click that locks the last letter still pays.
    checkWords(p, 0);
    adjustMoves(p, p.state.values.tileClickCost);
    notifyChanged(p);
}

void dropPadlock(Play& p, int tile) {
    if (!boardUsable(p) || !isLetterTile(p.state.board, tile))
        return;
    const Tile& target = p.state.board.tile(tile);
    if (!target.visible || !target.enabled)
        return;
    int start = tile;
    while (start > 1 && !p.state.board.tile(start).wordStart)
        --start;

    p.events.playEffect("Drop");
    p.state.values.moveMade = true;

    // A found word opens again, a free word is locked for checking, a checked word opens.
    const LetterColour colour =
        target.colour == LetterColour::Unlocked ? LetterColour::Locked : LetterColour::Unlocked;
    // Every place of the same word changes (a word laid out twice shares one index). The lock
    // flags stay: a word locked this way counts for nothing until it is found.
    const int wordIndex = target.wordIndex;
    for (int i = 1; i <= p.state.board.tileCount; ++i) {
        Tile& t = p.state.board.tile(i);
        if (t.caption != GapChar && t.wordIndex == wordIndex)
            t.colour = colour;
    }
    notifyChanged(p);

    checkWords(p, start);
    adjustMoves(p, p.state.values.word);
    notifyChanged(p);
}

void lockAll(Play& p) {
    if (!boardUsable(p) || !p.state.commands.lockAll)
        return;
    LetterColour colour;
    if (!p.state.commands.lockAllShowsLocked) {
        p.events.playEffect("Drop");
        colour = LetterColour::Locked;
        p.state.commands.lockAllShowsLocked = true;
        // A charge that ends the game reveals the board, so the recolouring below finds nothing.
        adjustMoves(p, p.state.values.lockAllCost);
    } else {
        colour = LetterColour::Unlocked; // opening everything again is free
        p.state.commands.lockAllShowsLocked = false;
    }
    // Letters fixed by a click, initial locking or a clue, and found words, keep their state.
    for (int i = 1; i <= p.state.board.tileCount; ++i) {
        Tile& t = p.state.board.tile(i);
        if (t.caption != GapChar && t.colour != LetterColour::Revealed && !t.locked)
            t.colour = colour;
    }
    if (p.state.values.movesLeft > 0)
        checkWords(p, 0);
    notifyChanged(p);
}

} // namespace quorvel
