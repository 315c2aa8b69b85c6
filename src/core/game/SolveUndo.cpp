// Giving up (Solve) and taking back the alternative words the padlock accepted (Undo).
#include "game/Game.h"

namespace quorvel {

namespace {

constexpr int UndoCost = -10; // flat, however many words one undo takes back

bool isVowel(char c) {
    return c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U';
}

} // namespace

void Game::solve() {
    if (!m_commands.solve)
        return;
    hideBanner();
    setTimer(false, m_timer.intervalMs);
    m_commands.clue = false;
    m_commands.solve = false;
    m_listener.bannerTimerChanged(false);
    m_listener.playMusic("zqOver.mp3");
    m_listener.status("");

    // Game over by giving up.
    m_listener.status("");
    showBanner(0, 0x008000, "Try again");
    setTimer(false, m_timer.intervalMs);
    revealSolution();

    // Giving up is not losing: the counter drops to 0 directly, keeping its colour, so the
    // failure sequence does not run and no "F" is written.
    m_values.movesLeft = 0;
    setCounter(0);
    if (m_values.moveMade)
        appendRecord('Q');
    notifyChanged();
}

void Game::undo() {
    if (!m_commands.undo)
        return;
    if (m_values.movesLeft < -UndoCost) {
        m_listener.flash("Insufficient points");
        return;
    }
    bool charged = false;
    for (int i = 1; i <= m_board.tileCount; ++i) {
        Tile& t = m_board.tile(i);
        if (!t.underlined)
            continue;
        if (!charged) {
            // At exactly 10 moves this ends the game; the pass still finishes on the revealed
            // board, which only recolours letters of a board that can no longer be played.
            adjustMoves(UndoCost);
            charged = true;
        }
        t.underlined = false;
        t.colour = LetterColour::Unlocked;
        // The current initial-locking rule comes back as letters held for checking, not fixed.
        if (m_options.lock == LockRule::Vowels && isVowel(t.caption))
            t.colour = LetterColour::Locked;
        if (m_options.lock == LockRule::First && t.wordStart)
            t.colour = LetterColour::Locked;
        t.locked = false;
        t.found = false;
    }
    if (charged)
        notifyChanged();
}

} // namespace quorvel
