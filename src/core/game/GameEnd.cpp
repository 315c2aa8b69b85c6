// The move counter and the end of a game: AdjustMoves, failure, completion, the board's opening.
#include "game/Game.h"

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

void Game::adjustMoves(int delta) {
    // Every counter change restarts the game timer's interval, so only idle time is punished.
    const bool timerWasRunning = m_timer.enabled;
    const long long sum = static_cast<long long>(m_values.movesLeft) + delta;
    m_values.movesLeft =
        delta == 0 ? 0 : static_cast<int>(std::clamp<long long>(sum, INT_MIN, MaxMoves));
    m_counterColour = counterColourFor(m_values.movesLeft);
    setCounter(m_values.movesLeft);
    // A game that has ended stays ended: a charge that follows a completing check lowers the
    // counter but loses nothing more, and the builds' progress counting never fails a game.
    if (m_values.movesLeft > 0 || !isInPlay()) {
        if (timerWasRunning)
            setTimer(true, m_timer.intervalMs);
        return;
    }
    failGame();
}

void Game::failGame() {
    if (m_timer.enabled)
        setTimer(false, m_timer.intervalMs);
    m_listener.status("");
    revealSolution();
    showBanner(1, 0xFF0000, "Please try again");
    appendRecord('F');
    m_listener.bannerTimerChanged(false);
    setCounter(0);
    m_commands.solve = false;
    m_commands.clue = false;
    notifyChanged();
}

void Game::revealSolution() {
    for (int t = 1; t <= m_board.tileCount; ++t) {
        Tile& tile = m_board.tile(t);
        if (tile.caption == GapChar)
            continue;
        tile.caption = tile.solution;
        tile.colour = LetterColour::Revealed;
        tile.visible = true;
    }
    disableBoard();
}

void Game::disableBoard() {
    m_commands.arrows = false;
    for (int t = 1; t <= MaxTiles; ++t) {
        Tile& tile = m_board.tile(t);
        tile.enabled = false;
        tile.colour = LetterColour::Revealed;
    }
    m_listener.bannerTimerChanged(false);
    if (m_timer.enabled)
        setTimer(false, m_timer.intervalMs);
    m_commands.pause = false;
    m_commands.solve = false;
    m_commands.clue = false;
    m_commands.undo = false;
    m_commands.padlock = false;
    m_commands.lockAll = false;
    m_commands.lockAllShowsLocked = false;
    notifyChanged();
}

void Game::enableBoard() {
    m_commands.arrows = true;
    for (int t = 1; t <= MaxTiles; ++t)
        m_board.tile(t).enabled = true;
    m_commands.newGame = true;
    m_commands.pause = m_options.timed;
    m_commands.userLevel = true;
    notifyChanged();
}

void Game::puzzleCompleted() {
    disableBoard();
    m_listener.playMusic("zqWon.mp3");
    m_listener.flash("Puzzle completed");
    m_listener.statusCompleted();
    const int played = m_values.level;
    if (m_values.movesLeft > m_values.advanceMinimum) {
        int next = m_values.level + 1;
        if (next > m_values.levelCount)
            next = 0; // shown as 0; the picker, whose minimum is 1, builds level 1 next
        showLevel(next);
        showBanner(0, 0xFF0000, "Advance to level " + std::to_string(next));
    } else {
        showBanner(0, 0xFF0000, "Continue at level " + std::to_string(m_values.level));
    }
    // The record counts the level that was won, with that level's letters.
    appendRecord('W', played);
}

} // namespace quorvel
