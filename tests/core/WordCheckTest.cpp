// The word check: which fully locked words are found, what they pay, and how a game completes.
#include "PlayTestSupport.h"

#include "words/WordLists.h"

namespace quorvel {
namespace {

class WordCheckTest : public PlayTest {
protected:
    void SetUp() override { game.wordLists().words3 = "ANTBEEEMUOWL"; }
};

TEST_F(WordCheckTest, ListedWordCountsOnlyWhenThePadlockIsDroppedOnIt) {
    // Row 1 should read CAT but shows EMU, a listed word the puzzle does not have.
    setUp({"CAT-DOG", "CAT-PIG"}, {"EMU-DOG", "EMU-PIG"});
    for (int c = 1; c <= 3; ++c)
        clickTile(game, tile(1, c));
    EXPECT_EQ(states()[0], "GGG-rrr"); // locked by clicks it stays green

    const int before = moves();
    dropPadlock(game, tile(2, 2));
    EXPECT_EQ(states()[1], "BBB-rrr");
    EXPECT_EQ(moves(), before - 2 + 3);
    for (int c = 1; c <= 3; ++c) {
        EXPECT_TRUE(at(2, c).underlined);
        EXPECT_FALSE(at(1, c).underlined);
    }
    EXPECT_EQ(states()[0], "GGG-rrr"); // the clicked EMU is not the word the padlock fell on
}

TEST_F(WordCheckTest, WordThatIsNeitherListedNorAPuzzleWordStaysHeld) {
    setUp({"CAT-DOG"}, {"CAX-DOG"});
    dropPadlock(game, tile(1, 1));
    EXPECT_EQ(states()[0], "ggg-rrr");
    EXPECT_FALSE(events.has("sound OK"));
}

TEST_F(WordCheckTest, ListedWordStraddlingTwoEntriesIsRefused) {
    setUp({"CAT-DOG"}, {"TBE-DOG"}); // "TBE" occurs in "ANTBEE" across two words
    dropPadlock(game, tile(1, 1));
    EXPECT_EQ(states()[0], "ggg-rrr");
}

TEST_F(WordCheckTest, ADifferentPuzzleWordInThePlaceIsFoundAsAPuzzleWord) {
    setUp({"CAT-DOG", "PIG-EMU"}, {"PIG-DOG", "CAT-EMU"});
    for (int c = 1; c <= 3; ++c)
        clickTile(game, tile(1, c));
    EXPECT_EQ(states()[0], "BBB-rrr");
    EXPECT_FALSE(at(1, 1).underlined);
}

TEST_F(WordCheckTest, FoundWordIsNeverPaidTwice) {
    setUp({"CAT-DOG"}, {}, {"BBB-rrr"});
    const int before = moves();
    clickTile(game, tile(1, 5)); // the check runs again; only the click is paid
    EXPECT_EQ(moves(), before - 1);
}

// Locking every letter where it stands must not win a puzzle nobody solved.
TEST_F(WordCheckTest, WrongLettersLockedEverywhereDoNotCompleteThePuzzle) {
    setUp({"CAT", "DOG"}, {"CAT", "DGO"}, {"BBB", "GGr"});
    clickTile(game, tile(2, 3));
    EXPECT_EQ(states()[1], "GGG");
    EXPECT_TRUE(records().empty());
    EXPECT_FALSE(events.has("flash Puzzle completed"));
    EXPECT_TRUE(game.state().isInPlay());
}

TEST_F(WordCheckTest, FindingTheLastWordCompletesThePuzzle) {
    setUp({"CAT", "DOG"}, {}, {"BBB", "GGr"});
    clickTile(game, tile(2, 3));
    EXPECT_EQ(records(), std::vector<char>{'W'});
    EXPECT_TRUE(events.has("flash Puzzle completed"));
    EXPECT_FALSE(game.state().isInPlay());
}

// A found word the padlock turned red again, and moved with its column, still counts.
TEST_F(WordCheckTest, AReopenedFoundWordStillCountsForCompletion) {
    setUp({"CAT", "DOG"}, {}, {"BBB", "rrr"});
    setMoves(50);
    dropPadlock(game, tile(1, 1));
    ASSERT_EQ(states()[0], "RRR");
    game.apply(Move::shift(1, true));
    ASSERT_EQ(column(1), "DC");
    game.apply(Move::shift(1, true)); // back in place, so DOG can be found
    clickTile(game, tile(2, 1));
    clickTile(game, tile(2, 2));
    ASSERT_EQ(states()[0], "RRR");
    clickTile(game, tile(2, 3));
    EXPECT_EQ(records(), std::vector<char>{'W'});
}

TEST_F(WordCheckTest, AnAlternativeWordCountsUntilUndoTakesItBack) {
    setUp({"CAT", "DOG"}, {"EMU", "DOG"}, {"rrr", "BBB"});
    setMoves(50);
    dropPadlock(game, tile(1, 1)); // EMU is listed: accepted in CAT's place
    EXPECT_EQ(records(), std::vector<char>{'W'});

    setUp({"CAT", "DOG"}, {"EMU", "DOG"}, {"rrr", "GGr"});
    setMoves(50);
    dropPadlock(game, tile(1, 1));
    ASSERT_EQ(states()[0], "BBB");
    game.apply(Move::of(Move::Kind::Undo));
    ASSERT_EQ(states()[0], "rrr");
    clickTile(game, tile(2, 3)); // DOG is found, but EMU no longer is
    EXPECT_EQ(states()[1], "BBB");
    EXPECT_TRUE(records().empty());
    EXPECT_TRUE(game.state().isInPlay());
}

// A click whose check completes the puzzle is charged afterwards: when that charge spends the
// last move the counter falls to 0, but the won game stays won (one game, one record).
TEST_F(WordCheckTest, ChargeAfterACompletingCheckDoesNotAlsoLoseTheGame) {
    setUp({"CAT", "DOG"}, {}, {"BBB", "GGr"});
    edit([](GameState& s) { s.values.tileClickCost = -4; }); // finding DOG pays 3, so only a dearer click gets back to 0
    setMoves(1);
    clickTile(game, tile(2, 3));
    EXPECT_EQ(moves(), 0);
    EXPECT_EQ(records(), std::vector<char>{'W'});
    EXPECT_FALSE(events.has("banner 1 FF0000 Please try again"));
    EXPECT_TRUE(events.has("moves 0"));
}

TEST_F(WordCheckTest, CheckAfterTheGameHasEndedNeverCompletesIt) {
    setUp({"CAT", "DOG"}, {}, {"BBB", "BBr"});
    setMoves(1);
    game.apply(Move::shift(3, true)); // the last move: the game is lost
    ASSERT_FALSE(game.state().isInPlay());
    EXPECT_EQ(clickTile(game, tile(2, 3)), MoveResult::NoEffect);
    EXPECT_EQ(records(), std::vector<char>{'F'});
}

} // namespace
} // namespace quorvel
