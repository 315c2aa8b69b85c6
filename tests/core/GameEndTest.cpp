// The move counter and the end of a game: cap, colours, failure, completion and progression.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

class GameEndTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        game.setToday([] { return CivilDate{2003, 5, 17}; });
    }
    // A 3 x 2 board in play at level 2 of three: CAT over DOG, all letters shown in place.
    void setUpInPlay(int moves) {
        TestGame::setUpBoard(game, {"CAT", "DOG"});
        edit([moves](GameState& s) {
            s.values.level = 2;
            s.values.levelCount = 3;
            s.values.advanceMinimum = 10;
            s.values.movesLeft = moves;
        });
        events.clear();
    }
    // Locks every letter but the last and lets the word check find the words.
    void completeWithMoves(int moves) {
        TestGame::setUpBoard(game, {"CAT", "DOG"}, {}, {"GGG", "GGr"});
        const int levelCount = game.levelTable().levelCount;
        edit([moves, levelCount](GameState& s) {
            s.values.level = s.pickerLevel;
            s.values.levelCount = levelCount;
            s.values.advanceMinimum = 10;
            s.values.movesLeft = moves;
        });
        events.clear();
        clickTile(game, 6); // finds CAT and DOG: +6, then completion; the click is paid after
    }
    // A tick of the game timer in its penalty phase, charging delta (the pop kept quiet).
    void charge(int delta) {
        setOptions([](GameOptions& o) { o.timerPopSounds = false; });
        edit([delta](GameState& s) {
            s.timer.enabled = true;
            s.values.timerPhase = TimerPhase::Penalties;
            s.values.penalty = delta;
        });
        game.apply(Move::of(Move::Kind::Tick));
    }
};

TEST(CounterColour, Bands) {
    struct {
        int moves;
        Colour colour;
    } cases[] = {{100, 0x7E015C}, {86, 0x7E015C}, {85, 0xA00000}, {71, 0xA00000}, {70, 0x808000},
                 {56, 0x808000},  {55, 0x00800D}, {41, 0x00800D}, {40, 0x545ACD}, {26, 0x545ACD},
                 {25, 0x0A15F5},  {1, 0x0A15F5},  {0, 0x0A15F5},  {-3, 0x0A15F5}};
    for (const auto& c : cases)
        EXPECT_EQ(counterColourFor(c.moves), c.colour) << c.moves;
}

TEST_F(GameEndTest, AdjustMovesCapsAndColours) {
    setUpInPlay(98);
    charge(+5);
    EXPECT_EQ(game.state().values.movesLeft, 100);
    EXPECT_EQ(game.state().counterColour, 0x7E015Cu);
    charge(-15);
    EXPECT_EQ(game.state().values.movesLeft, 85);
    EXPECT_EQ(game.state().counterColour, 0xA00000u);
    EXPECT_EQ(events.withPrefix("moves"), (std::vector<std::string>{"moves 100", "moves 85"}));
    EXPECT_TRUE(game.state().isInPlay());
}

TEST_F(GameEndTest, RunningOutFailsTheGame) {
    struct {
        int moves, delta, recorded;
    } cases[] = {{1, -1, 0}, {3, -5, -2}, {60, 0, 0}};
    for (const auto& c : cases) {
        setUpInPlay(c.moves);
        charge(c.delta);
        SCOPED_TRACE(c.moves);
        EXPECT_FALSE(game.state().isInPlay());
        EXPECT_FALSE(game.state().commands.clue);
        EXPECT_FALSE(game.state().commands.undo);
        EXPECT_FALSE(game.state().commands.arrows);
        EXPECT_EQ(game.state().values.movesLeft, c.recorded);
        // The solution is shown and the counter reads 0 whatever was reached.
        EXPECT_EQ(TestGame::captionRows(game), (std::vector<std::string>{"CAT", "DOG"}));
        EXPECT_EQ(TestGame::stateRows(game), (std::vector<std::string>{"bbb", "bbb"}));
        EXPECT_EQ(events.events.back(), "moves 0");
        EXPECT_TRUE(events.has("banner 1 FF0000 Please try again"));
        EXPECT_EQ(events.withPrefix("record"),
                  (std::vector<std::string>{"record 2003-05-17,F,2,0," +
                                            std::to_string(c.recorded) + ",25,n,n,n"}));
        EXPECT_LT(events.indexOf("banner 1 FF0000 Please try again"),
                  events.indexOf(events.withPrefix("record")[0]));
    }
}

TEST_F(GameEndTest, TimerRestartsOnEveryChangeAndStopsOnFailure) {
    setOptions([](GameOptions& o) { o.timed = true; });
    setUpInPlay(10);
    edit([](GameState& s) { s.timerElapsedMs = 7000; });
    charge(-1);
    EXPECT_TRUE(game.state().timer.enabled);
    EXPECT_EQ(game.state().timerElapsedMs, 0); // a fresh interval
    EXPECT_TRUE(events.has("timer on 20000"));
    charge(-9);
    EXPECT_FALSE(game.state().timer.enabled);
}

TEST_F(GameEndTest, UntimedGameKeepsTimerStopped) {
    setUpInPlay(10);
    clickTile(game, 1); // a click's price changes the counter
    EXPECT_EQ(game.state().values.movesLeft, 9);
    EXPECT_FALSE(game.state().timer.enabled);
    EXPECT_EQ(events.count("timer"), 0);
}

TEST_F(GameEndTest, EndedGameStaysEnded) {
    // A charge after the game has ended lowers the counter but loses nothing more.
    setUpInPlay(2);
    game.apply(Move::of(Move::Kind::Solve));
    events.clear();
    TestGame::setMoves(game, 1);
    charge(-1);
    EXPECT_EQ(game.state().values.movesLeft, 0);
    EXPECT_EQ(events.withPrefix("moves"), (std::vector<std::string>{"moves 0"}));
    EXPECT_EQ(events.count("record"), 0);
    EXPECT_EQ(events.count("banner"), 0);
}

TEST_F(GameEndTest, CompletionWithAdvanceMinimumContinues) {
    game.apply(Move::pickerLevel(2));
    completeWithMoves(4); // 4 + 6 = 10, exactly the minimum
    EXPECT_FALSE(game.state().isInPlay());
    EXPECT_TRUE(events.has("music zqWon.mp3"));
    EXPECT_TRUE(events.has("flash Puzzle completed"));
    EXPECT_TRUE(events.has("banner 0 FF0000 Continue at level 2"));
    EXPECT_TRUE(game.state().banner.waiting);
    EXPECT_FALSE(game.state().commands.boardPanel);
    EXPECT_EQ(game.state().values.level, 2);
    EXPECT_EQ(events.withPrefix("record"),
              (std::vector<std::string>{"record 2003-05-17,W,2,0,10,25,n,n,n"}));
    EXPECT_EQ(TestGame::stateRows(game), (std::vector<std::string>{"BBB", "BBB"}));
}

TEST_F(GameEndTest, CompletionAboveMinimumAdvances) {
    game.apply(Move::pickerLevel(2));
    completeWithMoves(5);
    EXPECT_TRUE(events.has("banner 0 FF0000 Advance to level 3"));
    EXPECT_TRUE(events.has("level 3"));
    EXPECT_EQ(game.state().values.level, 3);
    EXPECT_EQ(game.state().pickerLevel, 3);
    // The record counts the level that was won.
    EXPECT_EQ(events.withPrefix("record"),
              (std::vector<std::string>{"record 2003-05-17,W,2,0,11,25,n,n,n"}));
    EXPECT_LT(events.indexOf("banner 0 FF0000 Advance to level 3"),
              events.indexOf(events.withPrefix("record")[0]));
}

TEST_F(GameEndTest, LastLevelWrapsToZeroAndBuildsLevelOne) {
    game.apply(Move::pickerLevel(3));
    completeWithMoves(50);
    EXPECT_TRUE(events.has("banner 0 FF0000 Advance to level 0"));
    EXPECT_EQ(game.state().values.level, 0);
    EXPECT_EQ(game.state().pickerLevel, 1);
    EXPECT_EQ(events.withPrefix("record"),
              (std::vector<std::string>{"record 2003-05-17,W,3,0,56,36,n,n,n"}));
    setOptions([](GameOptions& o) { o.autoAdvance = true; });
    game.apply(Move::of(Move::Kind::BannerOk));
    EXPECT_EQ(game.state().values.level, 1);
    EXPECT_EQ(board().tileCount, 16);
    EXPECT_TRUE(game.state().isInPlay());
}

TEST_F(GameEndTest, BannerOkAdvancesOnlyWithAutoAdvance) {
    game.apply(Move::pickerLevel(1));
    completeWithMoves(50);
    game.apply(Move::of(Move::Kind::BannerOk));
    EXPECT_FALSE(game.state().banner.visible);
    EXPECT_TRUE(game.state().commands.boardPanel);
    EXPECT_FALSE(game.state().isInPlay()); // the ended board stays

    // "Try again" names no level: its OK never starts a game.
    setOptions([](GameOptions& o) { o.autoAdvance = true; });
    setUpInPlay(20);
    game.apply(Move::of(Move::Kind::Solve));
    ASSERT_TRUE(game.state().banner.waiting);
    game.apply(Move::of(Move::Kind::BannerOk));
    EXPECT_FALSE(game.state().isInPlay());
    EXPECT_TRUE(game.state().commands.boardPanel);
}

TEST_F(GameEndTest, NewPuzzleHidesWaitingBanner) {
    game.apply(Move::pickerLevel(1));
    completeWithMoves(50);
    ASSERT_TRUE(game.state().banner.waiting);
    game.apply(Move::of(Move::Kind::NewPuzzle));
    EXPECT_FALSE(game.state().banner.visible);
    EXPECT_TRUE(game.state().commands.boardPanel);
    EXPECT_TRUE(game.state().isInPlay());
}

} // namespace
} // namespace quorvel
