// Solve gives up without losing; Undo takes back alternative words for a flat ten moves.
#include "PlayTestSupport.h"

namespace quorvel {
namespace {

class SolveTest : public PlayTest {
protected:
    void SetUp() override { setUp({"CAT-DOG", "PIG-EMU"}, {"PAT-DOG", "CIG-EMU"}); }
};

TEST_F(SolveTest, UntouchedPuzzleEndsWithoutARecord) {
    const Colour colour = game.state().counterColour;
    game.apply(Move::of(Move::Kind::Solve));
    EXPECT_FALSE(game.state().isInPlay());
    EXPECT_TRUE(records().empty());
    EXPECT_TRUE(events.has("music zqOver.mp3"));
    EXPECT_TRUE(events.has("banner 0 008000 Try again"));
    EXPECT_FALSE(events.has("banner 1 FF0000 Please try again"));
    EXPECT_EQ(moves(), 0);
    EXPECT_EQ(events.withPrefix("moves").back(), "moves 0");
    EXPECT_EQ(events.lastCounterColour, colour); // set directly: the colour stays
    EXPECT_EQ(captions(), (std::vector<std::string>{"CAT-DOG", "PIG-EMU"}));
    EXPECT_FALSE(game.state().commands.clue);
    EXPECT_FALSE(game.state().timer.enabled);
}

TEST_F(SolveTest, AfterAMoveItRecordsAQuitOnce) {
    game.apply(Move::shift(1, true));
    game.apply(Move::of(Move::Kind::Solve));
    game.apply(Move::of(Move::Kind::Solve)); // the command is disabled now
    EXPECT_EQ(records(), std::vector<char>{'Q'});
}

TEST_F(SolveTest, TryAgainOkOnlyHidesTheBanner) {
    options([](GameOptions& o) { o.autoAdvance = true; });
    game.apply(Move::of(Move::Kind::Solve));
    events.clear();
    game.apply(Move::of(Move::Kind::BannerOk));
    EXPECT_FALSE(game.state().banner.visible);
    EXPECT_TRUE(game.state().commands.boardPanel);
    EXPECT_FALSE(game.state().isInPlay());
    EXPECT_TRUE(events.withPrefix("music").empty());
}

struct UndoCase {
    LockRule lock;
    const char* firstWord;  // BEE after undo
    const char* secondWord; // OWL after undo
};

class UndoTest : public PlayTest, public ::testing::WithParamInterface<UndoCase> {
protected:
    // Two alternative words on the board: BEE in CAT's place and OWL in EMU's.
    void setUpAlternatives() {
        setUp({"CAT-DOG", "PIG-EMU"}, {"BEE-DOG", "PIG-OWL"}, {"BBB-rrr", "rrr-BBB"});
        edit([](GameState& s) {
            for (int c : {1, 2, 3, 5, 6, 7})
                s.board.tile(s.board.tileAt(c < 4 ? 1 : 2, c)).underlined = true;
        });
    }
};

TEST_P(UndoTest, TakesBackEveryAlternativeWordForTenMoves) {
    options([](GameOptions& o) { o.lock = GetParam().lock; });
    setUpAlternatives();
    setMoves(30);
    game.apply(Move::of(Move::Kind::Undo));
    EXPECT_EQ(moves(), 20);
    EXPECT_EQ(states()[0], std::string(GetParam().firstWord) + "-rrr");
    EXPECT_EQ(states()[1], std::string("rrr-") + GetParam().secondWord);
    for (int t = 1; t <= board().tileCount; ++t)
        EXPECT_FALSE(board().tile(t).underlined);
    game.apply(Move::of(Move::Kind::Undo)); // nothing left to take back: free
    EXPECT_EQ(moves(), 20);
}

INSTANTIATE_TEST_SUITE_P(ByLockRule, UndoTest,
                         ::testing::Values(UndoCase{LockRule::None, "rrr", "rrr"},
                                           UndoCase{LockRule::Vowels, "rgg", "grr"},
                                           UndoCase{LockRule::First, "grr", "grr"},
                                           UndoCase{LockRule::Randomly, "rrr", "rrr"}),
                         [](const auto& info) { return quorvel::test::lockRuleName(info.param.lock); });

// The board is hidden while paused: Clue and Undo do nothing and charge nothing; Solve still
// gives up; after Continue, Undo works again.
TEST_F(UndoTest, PausedGameTakesNoClueOrUndo) {
    options([](GameOptions& o) { o.timed = true; });
    setUpAlternatives();
    setMoves(30);
    game.apply(Move::of(Move::Kind::Pause));
    ASSERT_TRUE(game.state().timer.paused);
    events.clear();
    const int cluesLeft = game.state().values.clueAllowance;

    game.apply(Move::of(Move::Kind::Clue));
    game.apply(Move::of(Move::Kind::Undo));
    EXPECT_EQ(moves(), 30);
    EXPECT_FALSE(game.state().clueRunning);
    EXPECT_EQ(game.state().values.clueAllowance, cluesLeft);
    EXPECT_EQ(states()[0], "BBB-rrr");
    EXPECT_EQ(states()[1], "rrr-BBB");
    EXPECT_TRUE(events.withPrefix("moves").empty());
    EXPECT_TRUE(events.withPrefix("flash").empty());

    game.apply(Move::of(Move::Kind::Pause)); // Continue
    game.apply(Move::of(Move::Kind::Undo));
    EXPECT_EQ(moves(), 20);
}

TEST_F(UndoTest, PausedGameCanStillBeSolved) {
    options([](GameOptions& o) { o.timed = true; });
    setUpAlternatives();
    game.apply(Move::of(Move::Kind::Pause));
    game.apply(Move::of(Move::Kind::Solve));
    EXPECT_FALSE(game.state().isInPlay());
}

TEST_F(UndoTest, BelowTenMovesFlashesAndChangesNothing) {
    setUpAlternatives();
    setMoves(9);
    game.apply(Move::of(Move::Kind::Undo));
    EXPECT_EQ(events.events, std::vector<std::string>{"flash Insufficient points"});
    EXPECT_EQ(states()[0], "BBB-rrr");
    EXPECT_EQ(moves(), 9);
}

TEST_F(UndoTest, AtExactlyTenMovesTheGameIsLostAndTheUndoStillFinishes) {
    setUpAlternatives();
    setMoves(10);
    game.apply(Move::of(Move::Kind::Undo));
    EXPECT_FALSE(game.state().isInPlay());
    EXPECT_EQ(records(), std::vector<char>{'F'});
    EXPECT_EQ(states()[0], "rrr-bbb"); // revealed, with the undone letters red
    EXPECT_EQ(captions()[0], "CAT-DOG");
}

} // namespace
} // namespace quorvel
