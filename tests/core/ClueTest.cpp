// The clue: its price, its allowance, the steps it takes and what it locks.
#include "EngineTestSupport.h"
#include "PlayTestSupport.h"

#include <algorithm>

namespace quorvel {
namespace {

class ClueTest : public PlayTest {
protected:
    // Column 1 should read C, D, P, E; the other letters are held wrong, so no word is found
    // and the clue can only draw from column 1. steps: how far down the column must turn.
    void setUpColumn(int steps) {
        const std::string right = "CDPE";
        std::string shown = right;
        std::rotate(shown.begin(), shown.begin() + steps % 4, shown.end());
        std::vector<std::string> captions;
        for (char c : shown)
            captions.push_back(std::string(1, c) + "XX");
        setUp({"CAT", "DOG", "PIG", "EMU"}, captions, {"rgg", "rgg", "rgg", "rgg"});
        setMoves(20);
    }
    int lockedInColumnOne() {
        int n = 0;
        for (const std::string& row : states())
            n += row[0] == 'G' ? 1 : 0;
        return n;
    }
};

TEST_F(ClueTest, RunsOnlyWhenMoreMovesThanItsPriceAreLeft) {
    setUpColumn(3);
    setMoves(6);
    EXPECT_FALSE(beginClue(game));
    EXPECT_TRUE(events.events.empty());
    EXPECT_EQ(game.state().values.clueAllowance, 2);
    EXPECT_FALSE(game.state().values.moveMade);

    // At 7 it runs: 6 for the clue, and its first step spends the last move.
    setMoves(7);
    runClue();
    const auto counter = events.withPrefix("moves");
    ASSERT_GE(counter.size(), 2u);
    EXPECT_EQ(counter[0], "moves 1");
    EXPECT_EQ(counter[1], "moves 0");
    EXPECT_EQ(records(), std::vector<char>{'F'});
    EXPECT_FALSE(game.state().clueRunning);
    EXPECT_EQ(game.state().clueColumn, 0);
    EXPECT_EQ(events.count("sound Shift"), 1); // the loop stopped with the game
}

TEST_F(ClueTest, ThreeStepsCostTheClueAndThreeMovesAndFixTheLetter) {
    setUpColumn(3);
    ASSERT_TRUE(beginClue(game));
    EXPECT_EQ(game.state().clueColumn, 1);
    EXPECT_TRUE(clueStep(game));
    EXPECT_TRUE(clueStep(game));
    EXPECT_FALSE(clueStep(game));
    EXPECT_EQ(moves(), 20 - 6 - 3);
    EXPECT_EQ(column(1), "CDPE");
    EXPECT_EQ(lockedInColumnOne(), 1);
    EXPECT_EQ(game.state().clueColumn, 0);
    EXPECT_FALSE(game.state().clueRunning);
    EXPECT_TRUE(game.state().isInPlay());
}

TEST_F(ClueTest, LetterAlreadyInPlaceTurnsTheColumnAllTheWayRound) {
    setUpColumn(0);
    runClue();
    EXPECT_EQ(events.count("sound Shift"), 4);
    EXPECT_EQ(moves(), 20 - 6 - 4);
    EXPECT_EQ(column(1), "CDPE");
    EXPECT_EQ(lockedInColumnOne(), 1);
}

TEST_F(ClueTest, EqualFreeLettersShortenTheTurn) {
    setUp({"ANT", "ASK"}, {"AXX", "AXX"}, {"rgg", "rgg"});
    setMoves(20);
    runClue();
    EXPECT_EQ(events.count("sound Shift"), 1);
    EXPECT_EQ(moves(), 20 - 6 - 1);
}

TEST_F(ClueTest, AllowanceCountsDownToNoMore) {
    setUpColumn(1);
    runClue();
    EXPECT_EQ(game.state().commands.cluesLeft, 1);
    EXPECT_TRUE(game.state().commands.clue);
    runClue();
    EXPECT_EQ(game.state().commands.cluesLeft, 0);
    EXPECT_FALSE(game.state().commands.clue);
    const int before = moves();
    EXPECT_FALSE(beginClue(game));
    EXPECT_EQ(moves(), before);
}

TEST_F(ClueTest, UnlimitedAllowanceShowsWhatIsLeft) {
    setUpColumn(1);
    edit([](GameState& s) { s.values.clueAllowance = 999; });
    runClue();
    EXPECT_EQ(game.state().commands.clueCount, ClueCount::Shown);
    EXPECT_EQ(game.state().commands.cluesLeft, 998);
}

TEST_F(ClueTest, SecondClueWhileOneRunsDoesNothing) {
    setUpColumn(3);
    ASSERT_TRUE(beginClue(game));
    const int before = moves();
    EXPECT_FALSE(beginClue(game));
    EXPECT_EQ(moves(), before);
}

TEST_F(ClueTest, StepThatCompletesThePuzzleEndsTheClue) {
    // CAT was found and then opened by the padlock: its letters still count as locked.
    setUp({"CAT", "DOG"}, {}, {"RRR", "BBB"});
    setMoves(20);
    ASSERT_TRUE(beginClue(game));
    EXPECT_FALSE(clueStep(game));
    EXPECT_EQ(records(), std::vector<char>{'W'});
    EXPECT_FALSE(game.state().clueRunning);
}

TEST_F(ClueTest, SolveDuringTheClueStopsItsSteps) {
    setUpColumn(3);
    ASSERT_TRUE(beginClue(game));
    game.apply(Move::of(Move::Kind::Solve));
    events.clear();
    EXPECT_FALSE(clueStep(game));
    EXPECT_TRUE(events.withPrefix("sound").empty());
    EXPECT_FALSE(game.state().clueRunning);
}

// A letter whose right letter is locked elsewhere in its column can never arrive: a clue
// that drew it would shift until the game was lost. Such letters are never drawn.
TEST_F(ClueTest, NeverDrawsALetterThatCannotArrive) {
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        random.reseed(seed);
        // Column 1 should read A, B, C: the B stands locked in row 1, so row 2 waits in vain.
        setUp({"ANT", "BEE", "COW"}, {"BXX", "AXX", "CXX"}, {"Ggg", "rgg", "rgg"});
        setMoves(20);
        runClue();
        EXPECT_EQ(states()[2][0], 'G');
        EXPECT_EQ(moves(), 20 - 6 - 2);
        EXPECT_TRUE(game.state().isInPlay());
    }
}

TEST_F(ClueTest, NothingToDrawCostsNothingAndKeepsTheCommand) {
    setUp({"ANT", "BEE", "COW"}, {"BXX", "CXX", "AXX"}, {"Ggg", "Ggg", "rgg"});
    setMoves(20);
    EXPECT_FALSE(beginClue(game));
    EXPECT_EQ(moves(), 20);
    EXPECT_EQ(game.state().values.clueAllowance, 2);
    EXPECT_TRUE(game.state().commands.clue);
    EXPECT_FALSE(game.state().values.moveMade);
}

TEST_F(ClueTest, PlayerLockingTheWaitingTileEndsTheClueWithoutFixingIt) {
    setUpColumn(3);
    ASSERT_TRUE(beginClue(game));
    const int t = game.state().clueTile;
    ASSERT_TRUE(clueStep(game));
    clickTile(game, t); // locks whatever letter stands there now
    EXPECT_FALSE(clueStep(game));
    EXPECT_EQ(moves(), 20 - 6 - 1 - 1);
    EXPECT_NE(board().tile(t).caption, board().tile(t).solution);
    EXPECT_FALSE(game.state().clueRunning);
}

TEST_F(ClueTest, NewPuzzleWhileTheClueWaitsEndsItWithoutTouchingTheNewBoard) {
    TestGame::setDictionary(game, generatedWords());
    game.setLevelTable(levelsFrom("0505\r\n"));
    setUpColumn(3);
    ASSERT_TRUE(beginClue(game));
    game.apply(Move::of(Move::Kind::NewPuzzle));
    ASSERT_TRUE(game.state().isInPlay());
    const auto board = captions();
    const int before = moves();
    events.clear();
    EXPECT_FALSE(clueStep(game));
    EXPECT_FALSE(game.state().clueRunning);
    EXPECT_EQ(moves(), before);
    EXPECT_EQ(captions(), board);
    EXPECT_TRUE(events.withPrefix("sound").empty());
}

} // namespace
} // namespace quorvel
