// What a move returns: its events with final values only, nothing at all when a rule throws, and
// the options changed only by moves.
#include "PlayTestSupport.h"

#include "model/OptionMoves.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quorvel {
namespace {

class MoveOutcomeTest : public PlayTest {
protected:
    void SetUp() override {
        game.setToday([] { return CivilDate{2026, 12, 8}; });
        setUp({"CAT", "DOG"}, {"DOT", "CAG"});
        setMoves(30);
    }
};

// A click used to tell the counter every step it counted on the way; the front end that shows
// events after the move needs where it ended.
TEST_F(MoveOutcomeTest, AMoveTellsTheCounterOnceWithItsFinalValue) {
    const Outcome outcome = game.Game::apply(Move::shift(3, true));
    ASSERT_EQ(outcome.result, MoveResult::Changed);
    int counters = 0;
    for (const GameEvent& event : outcome.events)
        if (event.kind == GameEvent::Kind::MovesChanged) {
            ++counters;
            EXPECT_EQ(event.number, game.state().values.movesLeft);
        }
    EXPECT_EQ(counters, 1);
    ASSERT_FALSE(outcome.events.empty());
    EXPECT_EQ(outcome.events.back().kind, GameEvent::Kind::StateChanged);
}

// The record of a game that ends is written from the events, after the move: a rule that fails
// on the way (here the calendar) leaves the game, its moves and the records as they were.
TEST_F(MoveOutcomeTest, AMoveWhoseRuleThrowsLeavesTheGameAsBefore) {
    game.apply(Move::shift(1, true));
    const GameState before = game.state();
    const std::vector<Move> movesBefore = game.movesSincePuzzle();
    game.setToday([]() -> CivilDate { throw std::runtime_error("no calendar"); });
    events.clear();
    events.stateChanges = 0;
    EXPECT_THROW(game.apply(Move::of(Move::Kind::Solve)), std::runtime_error);
    EXPECT_EQ(game.state(), before);
    EXPECT_EQ(game.movesSincePuzzle(), movesBefore);
    EXPECT_TRUE(events.events.empty());
    EXPECT_EQ(events.stateChanges, 0);

    game.setToday([] { return CivilDate{2026, 12, 8}; });
    EXPECT_EQ(game.apply(Move::of(Move::Kind::Solve)), MoveResult::GameOver);
    EXPECT_EQ(events.count("record "), 1);
}

TEST_F(MoveOutcomeTest, OptionsChangeByMovesThatASavedGameKeeps) {
    const Move harder = Move::setOption(Move::Option::Handicap, 1);
    EXPECT_EQ(game.apply(harder), MoveResult::Changed);
    EXPECT_EQ(game.options().handicap, 1);
    EXPECT_EQ(game.apply(harder), MoveResult::NoEffect); // already so: nothing to replay
    EXPECT_EQ(game.apply(Move::setOption(Move::Option::Handicap, 5)), MoveResult::NoEffect);
    EXPECT_EQ(game.apply(Move::setDictionary("../../elsewhere")), MoveResult::NoEffect);
    EXPECT_EQ(game.movesSincePuzzle(), std::vector<Move>{harder});
    EXPECT_EQ(game.saveGame(0).moves, std::vector<Move>{harder});
}

TEST_F(MoveOutcomeTest, ResumingAStateForgetsTheMovesOfTheGameBefore) {
    game.apply(Move::shift(1, true));
    ASSERT_FALSE(game.movesSincePuzzle().empty());
    game.resume(game.state());
    EXPECT_TRUE(game.movesSincePuzzle().empty());
}

TEST(OptionMoves, TurnOneSetOfOptionsIntoAnotherAndReadBackAsWritten) {
    GameOptions from;
    GameOptions to;
    to.handicap = -1;
    to.lock = LockRule::First;
    to.dictionary = "Old English Words";
    to.timed = to.definitions = to.trace = true;
    to.timerPopSounds = false;
    const std::vector<Move> moves = optionMoves(from, to);
    EXPECT_EQ(moves.size(), 7u);
    for (const Move& move : moves) {
        const MoveParse back = parseMove(formatMove(move));
        ASSERT_TRUE(back.move) << formatMove(move) << ": " << back.error;
        EXPECT_EQ(*back.move, move);
        EXPECT_TRUE(setOption(from, *back.move));
    }
    EXPECT_EQ(from, to);
    EXPECT_TRUE(optionMoves(to, to).empty());
    EXPECT_EQ(everyOptionMove(to).size(), 9u);
    EXPECT_EQ(formatMove(Move::setOption(Move::Option::Lock, 1)), "set lock vowels");
    EXPECT_EQ(formatMove(Move::setOption(Move::Option::Handicap, 1)), "set handicap 1");
}

} // namespace
} // namespace quorvel
