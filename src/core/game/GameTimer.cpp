// The game timer: a grace interval, then a penalty whenever the counter stands still too long.
#include "game/Game.h"

namespace quorvel {

void Game::timerTick() {
    if (!m_timer.enabled)
        return; // a stopped timer never fires
    if (m_values.timerPhase == TimerPhase::Grace) {
        // The end of the grace interval only warns; from now on every interval costs moves.
        setTimer(m_timer.enabled, m_values.pop * 1000);
        m_listener.playEffect("TimerStart");
        m_values.timerPhase = TimerPhase::Penalties;
        return;
    }
    adjustMoves(m_values.penalty);
    // The pop sounds even when the penalty has just ended the game.
    if (m_options.timerPopSounds)
        m_listener.playEffect("TimerPop");
}

void Game::elapse(int ms) {
    // Each setTimer (every counter change does one) starts a fresh interval and resets the
    // elapsed time, so a tick that changes the counter or the interval is followed correctly.
    while (ms > 0 && m_timer.enabled && m_timer.intervalMs > 0) {
        const int remaining = m_timer.intervalMs - m_timerElapsedMs;
        if (ms < remaining) {
            m_timerElapsedMs += ms;
            return;
        }
        ms -= remaining;
        m_timerElapsedMs = m_timer.intervalMs;
        timerTick();
        if (m_timerElapsedMs >= m_timer.intervalMs)
            m_timerElapsedMs = 0; // a running timer begins its next interval when it fires
    }
}

void Game::pauseContinue() {
    if (!m_commands.pause)
        return;
    m_timer.paused = !m_timer.paused;
    if (m_timer.paused) {
        setTimer(false, m_timer.intervalMs);
        m_commands.boardPanel = false; // no tile, arrow or padlock reacts while paused
    } else {
        // Options read now: a game whose Timed option was cleared goes on untimed.
        if (m_options.timed)
            setTimer(true, m_timer.intervalMs); // a full interval, whatever had passed before
        m_commands.boardPanel = true;
    }
    notifyChanged();
}

} // namespace quorvel
