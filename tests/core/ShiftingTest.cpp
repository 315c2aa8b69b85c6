// Column shifts, letter clicks, padlock drops and lock-all: what moves, what locks, what it costs.
#include "PlayTestSupport.h"

namespace quorvel {
namespace {

class ShiftingTest : public PlayTest {
protected:
    // Column 1 reads A, B (locked), C, D from the top; no row is a whole locked word.
    void setUpColumn() { setUp({"AXY", "BXY", "CXY", "DXY"}, {}, {"rrr", "Grr", "rrr", "rrr"}); }
};

struct ShiftCase {
    bool down;
    const char* expected;
};

class ShiftDirection : public ShiftingTest, public ::testing::WithParamInterface<ShiftCase> {};

TEST_P(ShiftDirection, FreeLettersRotateAroundLockedOnes) {
    setUpColumn();
    const int before = moves();
    game.apply(Move::shift(1, GetParam().down));
    EXPECT_EQ(column(1), GetParam().expected);
    EXPECT_EQ(moves(), before - 1);
    EXPECT_TRUE(events.has("sound Shift"));
    EXPECT_TRUE(game.state().values.moveMade);
    EXPECT_EQ(at(2, 1).colour, LetterColour::Locked);
}

INSTANTIATE_TEST_SUITE_P(BothArrows, ShiftDirection,
                         ::testing::Values(ShiftCase{true, "DBAC"}, ShiftCase{false, "CBDA"}),
                         [](const auto& info) { return info.param.down ? "Down" : "Up"; });

TEST_F(ShiftingTest, ColumnWithoutFreeLettersCostsNothingButTouchesThePuzzle) {
    setUp({"AXY", "BXY"}, {}, {"Grr", "Brr"});
    const int before = moves();
    game.apply(Move::shift(1, true));
    EXPECT_EQ(moves(), before);
    EXPECT_TRUE(events.events.empty());
    EXPECT_TRUE(game.state().values.moveMade);
}

TEST_F(ShiftingTest, SingleFreeLetterStaysButTheShiftIsCharged) {
    setUp({"AXY", "BXY"}, {}, {"Grr", "rrr"});
    const int before = moves();
    game.apply(Move::shift(1, false));
    EXPECT_EQ(column(1), "AB");
    EXPECT_EQ(moves(), before - 1);
}

TEST_F(ShiftingTest, ShiftOverGapsKeepsThemInPlace) {
    setUp({"ABC", "---", "DEF", "GHI"}, {"GBC", "---", "AEF", "DHI"});
    game.apply(Move::shift(1, false));
    EXPECT_EQ(column(1), "A-DG");
}

TEST_F(ShiftingTest, ArrowsDoNothingWhilePausedEndedOrAlreadyShifting) {
    setUpColumn();
    const int before = moves();
    edit([](GameState& s) { s.shifting = true; });
    game.apply(Move::shift(1, true));
    edit([](GameState& s) {
        s.shifting = false;
        s.commands.boardPanel = false; // paused, or a banner waits for its OK
    });
    game.apply(Move::shift(1, true));
    edit([](GameState& s) {
        s.commands.boardPanel = true;
        s.commands.arrows = false; // between games
    });
    game.apply(Move::shift(1, true));
    EXPECT_EQ(column(1), "ABCD");
    EXPECT_EQ(moves(), before);
    EXPECT_FALSE(game.state().values.moveMade);
}

// A build that placed nothing opens the board without a puzzle in play: nothing may react.
TEST_F(ShiftingTest, WithoutAPuzzleInPlayNoHandReacts) {
    setUpColumn();
    edit([](GameState& s) { s.commands.solve = false; });
    const auto before = states();
    game.apply(Move::shift(1, true));
    clickTile(game, tile(1, 1));
    dropPadlock(game, tile(1, 1));
    game.apply(Move::of(Move::Kind::LockAll));
    EXPECT_EQ(states(), before);
    EXPECT_EQ(column(1), "ABCD");
    EXPECT_TRUE(events.events.empty());
}

TEST_F(ShiftingTest, ClickingAFreeLetterTwiceCostsTwoAndLeavesItFree) {
    setUpColumn();
    const int before = moves();
    clickTile(game, tile(1, 1));
    EXPECT_EQ(states()[0], "Grr");
    clickTile(game, tile(1, 1));
    EXPECT_EQ(states()[0], "rrr");
    EXPECT_EQ(moves(), before - 2);
    EXPECT_FALSE(events.has("sound Shift"));
    EXPECT_FALSE(game.state().values.moveMade); // a click alone does not count as touching
}

TEST_F(ShiftingTest, ClickOpensOrFixesByColourAndIgnoresFoundWords) {
    // g (held for checking) opens to r; R (opened found word) is fixed to G; b and B ignore it.
    setUp({"ABCD"}, {}, {"gRbB"});
    const int before = moves();
    for (int c = 1; c <= 4; ++c)
        clickTile(game, tile(1, c));
    EXPECT_EQ(states()[0], "rGbB");
    EXPECT_EQ(moves(), before - 2);
}

TEST_F(ShiftingTest, PadlockLocksTheWholeWordFromAnyLetter) {
    setUp({"CAT-DOG", "PIG-EMU"}, {"CAX-DOG", "PIG-EMU"});
    const int before = moves();
    dropPadlock(game, tile(1, 3));
    EXPECT_EQ(states()[0], "ggg-rrr");
    EXPECT_EQ(states()[1], "rrr-rrr");
    EXPECT_EQ(moves(), before - 2);
    EXPECT_TRUE(events.has("sound Drop"));
    EXPECT_TRUE(game.state().values.moveMade);
    dropPadlock(game, tile(1, 1)); // and the padlock again opens it
    EXPECT_EQ(states()[0], "rrr-rrr");
}

TEST_F(ShiftingTest, PadlockOnAWordLaidOutTwiceLocksBoth) {
    setUp({"CAT-DOG", "DOG-EMU"}, {"CAT-DOX", "DOX-EMU"});
    dropPadlock(game, tile(2, 2));
    EXPECT_EQ(states()[0], "rrr-ggg");
    EXPECT_EQ(states()[1], "ggg-rrr");
}

TEST_F(ShiftingTest, PadlockFindingAThreeLetterWordNetsOneMove) {
    setUp({"CAT-DOG"});
    const int before = moves();
    dropPadlock(game, tile(1, 6));
    EXPECT_EQ(states()[0], "rrr-BBB");
    EXPECT_EQ(moves(), before + 1);
    EXPECT_LT(events.indexOf("sound OK"), events.indexOf("moves " + std::to_string(before + 1)));
}

TEST_F(ShiftingTest, PadlockOnAFoundWordOpensItAndItMovesWhileStillCounted) {
    setUp({"CAT", "DOG"}, {}, {"BBB", "rrr"});
    dropPadlock(game, tile(1, 2));
    EXPECT_EQ(states()[0], "RRR");
    game.apply(Move::shift(1, true));
    EXPECT_EQ(column(1), "DC");
    EXPECT_EQ(states()[0], "RRR"); // the flag stays with the cell, whatever letter it shows
}

TEST_F(ShiftingTest, LockAllChecksEveryWordAndOpensOnlyWhatItLocked) {
    setUp({"CAT-DOG", "PIG-EMU"}, {"CAT-DGO", "PIG-EMU"}, {"rrr-rrr", "Grr-BBB"});
    const int before = moves();
    game.apply(Move::of(Move::Kind::LockAll));
    EXPECT_TRUE(game.state().commands.lockAllShowsLocked);
    EXPECT_EQ(states()[0], "BBB-ggg");
    EXPECT_EQ(states()[1], "BBB-BBB");
    EXPECT_EQ(moves(), before - 4 + 6); // PIG's fixed P and its held I, G complete it too
    events.clear();
    game.apply(Move::of(Move::Kind::LockAll));
    EXPECT_FALSE(game.state().commands.lockAllShowsLocked);
    EXPECT_EQ(states()[0], "BBB-rrr");
    EXPECT_EQ(moves(), before + 2);
    EXPECT_FALSE(events.has("sound Drop")); // opening everything is free and silent
}

TEST_F(ShiftingTest, LockAllThatUsesTheLastMovesEndsTheGameBeforeAnyCheck) {
    setUp({"CAT", "DOG"}); // both words already stand right
    setMoves(4);
    game.apply(Move::of(Move::Kind::LockAll));
    EXPECT_FALSE(game.state().isInPlay());
    EXPECT_FALSE(events.has("sound OK"));
    EXPECT_EQ(records(), std::vector<char>{'F'});
    EXPECT_FALSE(game.state().commands.lockAllShowsLocked);
}

} // namespace
} // namespace quorvel
