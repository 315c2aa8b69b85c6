// A move lands on the rule that carries it out.
#include "rules/ApplyMove.h"

#include "rules/Banner.h"
#include "rules/Clue.h"
#include "rules/GameTimer.h"
#include "rules/Levels.h"
#include "rules/NewPuzzle.h"
#include "rules/SharedPuzzle.h"
#include "rules/Shifting.h"
#include "rules/SolveUndo.h"

#include "model/OptionMoves.h"

#include <algorithm>
#include <cstdint>

namespace quorvel {

namespace {

// The clock runs on in slices, so no single step overflows the timer's milliseconds.
constexpr std::int64_t WaitSliceMs = 1'000'000;

} // namespace

void applyMove(Play& p, const Move& move) {
    using Kind = Move::Kind;
    switch (move.kind) {
    case Kind::Shift:
        if (move.column >= 1 && move.column <= p.state.board.columns)
            shiftColumn(p, move.column, move.down);
        break;
    case Kind::Click:
        if (const int tile = p.state.board.tileIn(move.row, move.column); tile != 0)
            clickTile(p, tile);
        break;
    case Kind::Drop:
        if (const int tile = p.state.board.tileIn(move.row, move.column); tile != 0)
            dropPadlock(p, tile);
        break;
    case Kind::LockAll:
        lockAll(p);
        break;
    case Kind::Clue:
        if (!p.state.timer.paused) // the hidden board takes no clue, and none is charged
            beginClue(p);
        break;
    case Kind::ClueStep:
        clueStep(p);
        break;
    case Kind::Solve:
        solve(p);
        break;
    case Kind::Undo:
        if (!p.state.timer.paused)
            undo(p);
        break;
    case Kind::Pause:
        pauseContinue(p);
        break;
    case Kind::BannerOk:
        bannerOk(p);
        break;
    case Kind::NewPuzzle:
        newPuzzle(p);
        break;
    case Kind::PickLevel:
        setPickerLevel(p, move.level);
        levelPicked(p, move.startGame);
        break;
    case Kind::NextLevel:
        nextLevel(p);
        break;
    case Kind::PreviousLevel:
        previousLevel(p);
        break;
    case Kind::RandomLevel:
        randomLevel(p);
        break;
    case Kind::Wait:
        for (std::int64_t left = move.waitMs; left > 0; left -= WaitSliceMs)
            elapse(p, static_cast<int>(std::min(left, WaitSliceMs)));
        break;
    case Kind::Tick:
        timerTick(p);
        break;
    case Kind::PickerLevel:
        setPickerLevel(p, move.level);
        break;
    case Kind::RestoreLevel:
        restoreLevel(p, move.level);
        break;
    case Kind::BannerTimeUp:
        hideBanner(p);
        break;
    case Kind::ShowBanner:
        showBanner(p, move.seconds, move.colour, move.text);
        break;
    case Kind::PlayCode:
        playCode(p, move.text);
        break;
    case Kind::Daily:
        playDaily(p, move.date);
        break;
    case Kind::SetOption:
        if (setOption(p.state.options, move))
            refreshOptions(p);
        break;
    }
}

} // namespace quorvel
