// The move counter and the end of a game: AdjustMoves, failure, completion, the board's opening.
#include "rules/GameEnd.h"

#include "rules/Banner.h"
#include "rules/GameTimer.h"
#include "rules/Levels.h"

#include <algorithm>
#include <climits>

namespace quorvel {

namespace {

constexpr int MaxMoves = 100;

} // namespace

Colour counterColourFor(int moves) {
    if (moves >= 86)
        return 0x7E015C;
    if (moves >= 71)
        return 0xA00000;
    if (moves >= 56)
        return 0x808000;
    if (moves >= 41)
        return 0x00800D;
    if (moves >= 26)
        return 0x545ACD;
    return 0x0A15F5;
}

void adjustMoves(Play& p, int delta) {
    // Every counter change restarts the game timer's interval, so only idle time is punished.
    const bool timerWasRunning = p.state.timer.enabled;
    const long long sum = static_cast<long long>(p.state.values.movesLeft) + delta;
    p.state.values.movesLeft =
        delta == 0 ? 0 : static_cast<int>(std::clamp<long long>(sum, INT_MIN, MaxMoves));
    p.state.counterColour = counterColourFor(p.state.values.movesLeft);
    setCounter(p, p.state.values.movesLeft);
    // A game that has ended stays ended: a charge that follows a completing check lowers the
    // counter but loses nothing more, and the builds' progress counting never fails a game.
    if (p.state.values.movesLeft > 0 || !p.state.isInPlay()) {
        if (timerWasRunning)
            setTimer(p, true, p.state.timer.intervalMs);
        return;
    }
    failGame(p);
}

void failGame(Play& p) {
    if (p.state.timer.enabled)
        setTimer(p, false, p.state.timer.intervalMs);
    p.events.status("");
    revealSolution(p);
    showBanner(p, 1, 0xFF0000, "Please try again");
    appendRecord(p, 'F');
    p.events.bannerTimerChanged(false);
    setCounter(p, 0);
    p.state.commands.solve = false;
    p.state.commands.clue = false;
    notifyChanged(p);
}

void revealSolution(Play& p) {
    for (int t = 1; t <= p.state.board.tileCount; ++t) {
        Tile& tile = p.state.board.tile(t);
        if (tile.caption == GapChar)
            continue;
        tile.caption = tile.solution;
        tile.colour = LetterColour::Revealed;
        tile.visible = true;
    }
    disableBoard(p);
}

void disableBoard(Play& p) {
    p.state.commands.arrows = false;
    for (int t = 1; t <= MaxTiles; ++t) {
        Tile& tile = p.state.board.tile(t);
        tile.enabled = false;
        tile.colour = LetterColour::Revealed;
    }
    p.events.bannerTimerChanged(false);
    if (p.state.timer.enabled)
        setTimer(p, false, p.state.timer.intervalMs);
    p.state.commands.pause = false;
    p.state.commands.solve = false;
    p.state.commands.clue = false;
    p.state.commands.undo = false;
    p.state.commands.padlock = false;
    p.state.commands.lockAll = false;
    p.state.commands.lockAllShowsLocked = false;
    notifyChanged(p);
}

void enableBoard(Play& p) {
    p.state.commands.arrows = true;
    for (int t = 1; t <= MaxTiles; ++t)
        p.state.board.tile(t).enabled = true;
    p.state.commands.newGame = true;
    p.state.commands.pause = p.options.timed;
    p.state.commands.userLevel = true;
    notifyChanged(p);
}

void puzzleCompleted(Play& p) {
    disableBoard(p);
    p.events.playMusic("zqWon.mp3");
    p.events.flash("Puzzle completed");
    p.events.statusCompleted();
    const int played = p.state.values.level;
    if (p.state.puzzleOwnOptions) {
        // A shared puzzle's level is not the player's: winning it moves the player nowhere.
        showLevel(p, p.state.pickerLevel);
        showBanner(p, 0, 0xFF0000, "Continue at level " + std::to_string(p.state.pickerLevel));
    } else if (p.state.values.movesLeft > p.state.values.advanceMinimum) {
        int next = p.state.values.level + 1;
        if (next > p.state.values.levelCount)
            next = 0; // shown as 0; the picker, whose minimum is 1, builds level 1 next
        showLevel(p, next);
        showBanner(p, 0, 0xFF0000, "Advance to level " + std::to_string(next));
    } else {
        showBanner(p, 0, 0xFF0000, "Continue at level " + std::to_string(p.state.values.level));
    }
    // The record counts the level that was won, with that level's letters.
    appendRecord(p, 'W', played);
}

void setCounter(Play& p, int shown) {
    // While a puzzle is built the counter counts its words and columns; only where it ends
    // is told.
    p.events.movesChanged(shown, p.state.counterColour);
}

} // namespace quorvel
