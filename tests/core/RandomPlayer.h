// A random player for property tests: picks actions by weight and plays them through
// Game::apply, logging each move as text.
#pragma once

#include "GameTestSupport.h"

#include "model/Move.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quorvel {

enum class Action {
    Shift,
    Click,
    RightClick,
    FreeClick,
    Drop,
    LockAll,
    Clue,
    Undo,
    Wait,
    Pause,
    Solve
};

class RandomPlayer {
public:
    RandomPlayer(HeardGame& game, Random& dice) : m_game(game), m_dice(dice) {}

    bool eager = false;

    Action pick() {
        // Weights in percent, in the order of Action; an eager player mostly locks letters, so
        // that games are also won, not only lost or given up.
        static constexpr int wandering[] = {25, 10, 20, 15, 8, 4, 4, 3, 9, 1, 1};
        static constexpr int eagerly[] = {8, 5, 30, 35, 5, 3, 3, 2, 7, 1, 1};
        const int* weights = eager ? eagerly : wandering;
        int roll = m_dice.uniform(1, 100);
        int move = 0;
        while (roll > weights[move])
            roll -= weights[move++];
        return static_cast<Action>(move);
    }

    // Plays one action through Game::apply and writes each move applied, as text, to the log.
    void play(Action action) {
        const Board& b = m_game.state().board;
        const int anyTile = m_dice.uniform(1, std::max(1, b.tileCount));
        switch (action) {
        case Action::Shift:
            apply(Move::shift(m_dice.uniform(1, b.columns), m_dice.uniform(0, 1) == 1));
            break;
        case Action::Click:
            apply(clickOn(anyTile));
            break;
        case Action::RightClick: // a free letter that stands right, so games also get won
            apply(clickOn(freeLetter(anyTile, true)));
            break;
        case Action::FreeClick: // any free letter: wrong letters locked everywhere must not win
            apply(clickOn(freeLetter(anyTile, false)));
            break;
        case Action::Drop: {
            const Tile& t = b.tile(anyTile);
            apply(Move::drop(t.row, t.column));
            break;
        }
        case Action::LockAll:
            apply(Move::of(Move::Kind::LockAll));
            break;
        case Action::Clue:
            apply(Move::of(Move::Kind::Clue));
            while (m_game.state().clueRunning)
                apply(Move::of(Move::Kind::ClueStep));
            break;
        case Action::Undo:
            apply(Move::of(Move::Kind::Undo));
            break;
        case Action::Wait:
            apply(Move::wait(m_dice.uniform(0, 25000)));
            break;
        case Action::Pause:
            apply(Move::of(Move::Kind::Pause));
            break;
        case Action::Solve:
            apply(Move::of(Move::Kind::Solve));
            break;
        }
    }

    void apply(const Move& move) {
        m_game.apply(move);
        log.push_back(formatMove(move));
    }

    std::vector<std::string> log; // the moves applied since the puzzle was built, as text

private:
    Move clickOn(int tile) const {
        const Tile& t = m_game.state().board.tile(tile);
        return Move::click(t.row, t.column);
    }

    int freeLetter(int from, bool right) const {
        const Board& b = m_game.state().board;
        for (int k = 0; k < b.tileCount; ++k) {
            const int t = (from - 1 + k) % b.tileCount + 1;
            const Tile& tile = b.tile(t);
            if (tile.visible && tile.colour == LetterColour::Unlocked && !tile.locked &&
                (!right || tile.caption == tile.solution))
                return t;
        }
        return from;
    }

    HeardGame& m_game;
    Random& m_dice;
};

} // namespace quorvel
