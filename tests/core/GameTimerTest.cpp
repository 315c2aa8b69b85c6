// The game timer: grace, penalties on idle time only, sounds, pause and the Timed option.
#include "PlayTestSupport.h"

namespace quorvel {
namespace {

class GameTimerTest : public PlayTest {
protected:
    // A 4 x 4 board (32 moves at handicap 0), timed unless told otherwise.
    void setUpTimed(int handicap = 0, bool timed = true) {
        options([&](GameOptions& o) {
            o.handicap = handicap;
            o.timed = timed;
        });
        setUp({"CATS", "DOGS", "PIGS", "EMUS"}, {"DATS", "COGS", "PIGS", "EMUS"});
    }
    void seconds(int s) { game.apply(Move::wait(s * 1000)); }
};

TEST_F(GameTimerTest, IdleGameWarnsAtTwentySecondsThenLosesTwoEveryTen) {
    setUpTimed();
    const int start = moves();
    game.apply(Move::wait(19999));
    EXPECT_TRUE(events.events.empty());
    game.apply(Move::wait(1));
    EXPECT_TRUE(events.has("sound TimerStart"));
    EXPECT_EQ(game.state().values.timerPhase, TimerPhase::Penalties);
    EXPECT_EQ(moves(), start); // the warning takes nothing
    seconds(10);               // 30 s
    EXPECT_EQ(moves(), start - 2);
    seconds(10); // 40 s
    EXPECT_EQ(moves(), start - 4);
    EXPECT_EQ(events.count("sound TimerPop"), 2);
}

TEST_F(GameTimerTest, FirstPenaltyComesAfterDelayPlusPopByHandicap) {
    for (const auto& [handicap, first] : {std::pair{-1, 40}, {0, 30}, {1, 20}}) {
        setUpTimed(handicap);
        const int start = moves();
        game.apply(Move::wait(first * 1000 - 1));
        EXPECT_EQ(moves(), start) << "handicap " << handicap;
        game.apply(Move::wait(1));
        EXPECT_EQ(moves(), start + game.state().values.penalty) << "handicap " << handicap;
    }
}

TEST_F(GameTimerTest, ShiftEveryNineSecondsIsNeverPenalised) {
    setUpTimed();
    const int start = moves();
    for (int i = 0; i < 10; ++i) {
        seconds(9);
        game.apply(Move::shift(1, true));
    }
    EXPECT_EQ(moves(), start - 10);
    EXPECT_FALSE(events.has("sound TimerStart"));
    // The warning is postponed to twenty seconds after the last change of the counter.
    game.apply(Move::wait(19999));
    EXPECT_FALSE(events.has("sound TimerStart"));
    game.apply(Move::wait(1));
    EXPECT_TRUE(events.has("sound TimerStart"));
}

TEST_F(GameTimerTest, PenaltyThatEndsTheGameStillSoundsAndStopsTheTimer) {
    setUpTimed(1);
    seconds(10); // grace over
    setMoves(2);
    seconds(10);
    EXPECT_FALSE(game.state().isInPlay());
    EXPECT_EQ(records(), std::vector<char>{'F'});
    EXPECT_GT(events.indexOf("sound TimerPop"), events.indexOf("banner 1 FF0000 Please try again"));
    EXPECT_FALSE(game.state().timer.enabled);
    events.clear();
    seconds(100);
    EXPECT_TRUE(events.events.empty());
}

TEST_F(GameTimerTest, TimerSoundsOffSilencesPenaltiesButNotTheWarning) {
    setUpTimed();
    options([](GameOptions& o) { o.timerPopSounds = false; });
    const int start = moves();
    seconds(40);
    EXPECT_TRUE(events.has("sound TimerStart"));
    EXPECT_FALSE(events.has("sound TimerPop"));
    EXPECT_EQ(moves(), start - 4);
}

TEST_F(GameTimerTest, UntimedGameNeverTicks) {
    setUpTimed(0, false);
    const int start = moves();
    seconds(1000);
    EXPECT_EQ(game.state().values.timerPhase, TimerPhase::Grace);
    EXPECT_EQ(moves(), start);
    EXPECT_TRUE(events.events.empty());
}

TEST_F(GameTimerTest, PauseDuringGraceThenContinueGivesAFullDelay) {
    setUpTimed();
    seconds(15);
    game.apply(Move::of(Move::Kind::Pause));
    EXPECT_TRUE(game.state().timer.paused);
    EXPECT_FALSE(game.state().commands.boardPanel);
    seconds(100);
    game.apply(Move::shift(1, true)); // the board does not react while paused
    EXPECT_TRUE(events.withPrefix("sound").empty());

    game.apply(Move::of(Move::Kind::Pause));
    EXPECT_FALSE(game.state().timer.paused);
    EXPECT_TRUE(game.state().commands.boardPanel);
    EXPECT_EQ(game.state().values.timerPhase, TimerPhase::Grace);
    game.apply(Move::wait(19999));
    EXPECT_FALSE(events.has("sound TimerStart"));
    game.apply(Move::wait(1));
    EXPECT_TRUE(events.has("sound TimerStart"));
}

TEST_F(GameTimerTest, UncheckingTimedMidGameKeepsTheTimerUntilPauseAndContinue) {
    setUpTimed();
    const int start = moves();
    options([](GameOptions& o) { o.timed = false; });
    seconds(30);
    EXPECT_EQ(moves(), start - 2);
    game.apply(Move::of(Move::Kind::Pause));
    game.apply(Move::of(Move::Kind::Pause));
    EXPECT_TRUE(game.state().commands.boardPanel);
    EXPECT_FALSE(game.state().timer.enabled);
    seconds(100);
    EXPECT_EQ(moves(), start - 2);
}

TEST_F(GameTimerTest, PuzzleStartedWhilePausedRunsAndOffersPause) {
    setUpTimed();
    game.apply(Move::of(Move::Kind::Pause));
    EXPECT_TRUE(game.state().timer.paused);
    setUpTimed(); // the next puzzle: timer running, board usable, not paused
    EXPECT_FALSE(game.state().timer.paused);
    seconds(15);
    game.apply(Move::of(Move::Kind::Pause));
    EXPECT_TRUE(game.state().timer.paused);
    game.apply(Move::of(Move::Kind::Pause));
    EXPECT_FALSE(game.state().timer.paused);
    EXPECT_TRUE(game.state().timer.enabled);
    game.apply(Move::wait(19999)); // a fresh interval from the command
    EXPECT_FALSE(events.has("sound TimerStart"));
}

} // namespace
} // namespace quorvel
