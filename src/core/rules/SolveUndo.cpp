// Giving up (Solve) and taking back the alternative words the padlock accepted (Undo).
#include "rules/SolveUndo.h"

#include "rules/Banner.h"
#include "rules/GameEnd.h"
#include "rules/GameTimer.h"
#include "rules/Levels.h"

#include <vector>

namespace quorvel {

namespace {

constexpr int UndoCost = -10; // flat, however many words one undo takes back

bool isVowel(char c) {
    return c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U';
}

} // namespace

void solve(Play& p) {
    if (!p.state.commands.solve)
        return;
    hideBanner(p);
    setTimer(p, false, p.state.timer.intervalMs);
    p.state.commands.clue = false;
    p.state.commands.solve = false;
    p.events.bannerTimerChanged(false);
    p.events.playMusic("zqOver.mp3");
    p.events.status("");

    // Game over by giving up.
    p.events.status("");
    showBanner(p, 0, 0x008000, "Try again");
    setTimer(p, false, p.state.timer.intervalMs);
    revealSolution(p);

    // Giving up is not losing: the counter drops to 0 directly, keeping its colour, so the
    // failure sequence does not run and no "F" is written.
    p.state.values.movesLeft = 0;
    setCounter(p, 0);
    if (p.state.values.moveMade)
        appendRecord(p, 'Q');
    notifyChanged(p);
}

void undo(Play& p) {
    if (!p.state.commands.undo)
        return;
    if (p.state.values.movesLeft < -UndoCost) {
        p.events.flash("Insufficient points");
        return;
    }
    bool charged = false;
    for (int i = 1; i <= p.state.board.tileCount; ++i) {
        Tile& t = p.state.board.tile(i);
        if (!t.underlined)
            continue;
        if (!charged) {
            // At exactly 10 moves this ends the game; the pass still finishes on the revealed
            // board, which only recolours letters of a board that can no longer be played.
            adjustMoves(p, UndoCost);
            charged = true;
        }
        t.underlined = false;
        t.colour = LetterColour::Unlocked;
        // The current initial-locking rule comes back as letters held for checking, not fixed.
        if (p.options.lock == LockRule::Vowels && isVowel(t.caption))
            t.colour = LetterColour::Locked;
        if (p.options.lock == LockRule::First && t.wordStart)
            t.colour = LetterColour::Locked;
        t.locked = false;
        t.found = false;
    }
    if (!charged)
        return;
    std::erase_if(p.state.foundOrder, [&](int first) { return !p.state.board.tile(first).found; });
    notifyChanged(p);
}

} // namespace quorvel
