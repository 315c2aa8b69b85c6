// The game timer: a grace interval, then a penalty whenever the counter stands still too long.
#include "rules/GameTimer.h"

#include "rules/GameEnd.h"

namespace quorvel {

void timerTick(Play& p) {
    if (!p.state.timer.enabled)
        return; // a stopped timer never fires
    if (p.state.values.timerPhase == TimerPhase::Grace) {
        // The end of the grace interval only warns; from now on every interval costs moves.
        setTimer(p, p.state.timer.enabled, p.state.values.pop * 1000);
        p.events.playEffect("TimerStart");
        p.state.values.timerPhase = TimerPhase::Penalties;
        return;
    }
    adjustMoves(p, p.state.values.penalty);
    // The pop sounds even when the penalty has just ended the game.
    if (p.options.timerPopSounds)
        p.events.playEffect("TimerPop");
}

void elapse(Play& p, int ms) {
    // Each setTimer (every counter change does one) starts a fresh interval and resets the
    // elapsed time, so a tick that changes the counter or the interval is followed correctly.
    while (ms > 0 && p.state.timer.enabled && p.state.timer.intervalMs > 0) {
        const int remaining = p.state.timer.intervalMs - p.state.timerElapsedMs;
        if (ms < remaining) {
            p.state.timerElapsedMs += ms;
            return;
        }
        ms -= remaining;
        p.state.timerElapsedMs = p.state.timer.intervalMs;
        timerTick(p);
        if (p.state.timerElapsedMs >= p.state.timer.intervalMs)
            p.state.timerElapsedMs = 0; // a running timer begins its next interval when it fires
    }
}

void pauseContinue(Play& p) {
    if (!p.state.commands.pause)
        return;
    p.state.timer.paused = !p.state.timer.paused;
    if (p.state.timer.paused) {
        setTimer(p, false, p.state.timer.intervalMs);
        p.state.commands.boardPanel = false; // no tile, arrow or padlock reacts while paused
    } else {
        // Options read now: a game whose Timed option was cleared goes on untimed.
        if (p.options.timed)
            setTimer(p, true,
                     p.state.timer.intervalMs); // a full interval, whatever had passed before
        p.state.commands.boardPanel = true;
    }
    notifyChanged(p);
}

void setTimer(Play& p, bool enabled, int intervalMs) {
    p.state.timer.enabled = enabled;
    p.state.timer.intervalMs = intervalMs;
    p.state.timerElapsedMs = 0;
    p.events.gameTimerChanged(enabled, intervalMs);
}

} // namespace quorvel
