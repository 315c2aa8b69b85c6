// Game::apply: every front end's way in; each move lands on the rule that carries it out.
#include "engine/Game.h"

#include <algorithm>

namespace quorvel {

namespace {

// The clock runs on in slices, so no single step overflows the timer's milliseconds.
constexpr std::int64_t WaitSliceMs = 1'000'000;

// Holds back the state-changed notices of the rules a move runs through, also when one throws.
class OneNotice {
public:
    explicit OneNotice(int& applying) : m_applying(applying) { ++m_applying; }
    ~OneNotice() { --m_applying; }
    OneNotice(const OneNotice&) = delete;
    OneNotice& operator=(const OneNotice&) = delete;

private:
    int& m_applying;
};

} // namespace

int Game::cellTile(int row, int column) const {
    if (row < 1 || row > m_board.rows || column < 1 || column > m_board.columns)
        return 0;
    return m_board.tileAt(row, column);
}

void Game::apply(const Move& move) {
    {
        OneNotice held(m_movesApplying);
        applyRule(move);
    }
    notifyChanged();
}

void Game::applyRule(const Move& move) {
    using Kind = Move::Kind;
    switch (move.kind) {
    case Kind::Shift:
        if (move.column >= 1 && move.column <= m_board.columns)
            shiftColumn(move.column, move.down);
        break;
    case Kind::Click:
        if (const int tile = cellTile(move.row, move.column); tile != 0)
            clickTile(tile);
        break;
    case Kind::Drop:
        if (const int tile = cellTile(move.row, move.column); tile != 0)
            dropPadlock(tile);
        break;
    case Kind::LockAll:
        lockAll();
        break;
    case Kind::Clue:
        if (!m_timer.paused) // the hidden board takes no clue, and none is charged
            beginClue();
        break;
    case Kind::ClueStep:
        clueStep();
        break;
    case Kind::Solve:
        solve();
        break;
    case Kind::Undo:
        if (!m_timer.paused)
            undo();
        break;
    case Kind::Pause:
        pauseContinue();
        break;
    case Kind::BannerOk:
        bannerOk();
        break;
    case Kind::NewPuzzle:
        newPuzzle();
        break;
    case Kind::PickLevel:
        setPickerLevel(move.level);
        levelPicked(move.startGame);
        break;
    case Kind::NextLevel:
        nextLevel();
        break;
    case Kind::PreviousLevel:
        previousLevel();
        break;
    case Kind::RandomLevel:
        randomLevel();
        break;
    case Kind::Wait:
        for (std::int64_t left = move.waitMs; left > 0; left -= WaitSliceMs)
            elapse(static_cast<int>(std::min(left, WaitSliceMs)));
        break;
    case Kind::Tick:
        timerTick();
        break;
    }
}

} // namespace quorvel
