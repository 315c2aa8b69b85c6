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
        game.clickTile(tile(1, c));
    EXPECT_EQ(states()[0], "GGG-rrr"); // locked by clicks it stays green

    const int before = moves();
    game.dropPadlock(tile(2, 2));
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
    game.dropPadlock(tile(1, 1));
    EXPECT_EQ(states()[0], "ggg-rrr");
    EXPECT_FALSE(events.has("sound OK"));
}

TEST_F(WordCheckTest, ListedWordStraddlingTwoEntriesIsRefused) {
    setUp({"CAT-DOG"}, {"TBE-DOG"}); // "TBE" occurs in "ANTBEE" across two words
    game.dropPadlock(tile(1, 1));
    EXPECT_EQ(states()[0], "ggg-rrr");
}

TEST_F(WordCheckTest, ADifferentPuzzleWordInThePlaceIsFoundAsAPuzzleWord) {
    setUp({"CAT-DOG", "PIG-EMU"}, {"PIG-DOG", "CAT-EMU"});
    for (int c = 1; c <= 3; ++c)
        game.clickTile(tile(1, c));
    EXPECT_EQ(states()[0], "BBB-rrr");
    EXPECT_FALSE(at(1, 1).underlined);
}

TEST_F(WordCheckTest, FoundWordIsNeverPaidTwice) {
    setUp({"CAT-DOG"}, {}, {"BBB-rrr"});
    const int before = moves();
    game.checkWords(0);
    game.checkWords(tile(1, 1));
    EXPECT_EQ(moves(), before);
}

TEST_F(WordCheckTest, WrongLettersLockedEverywhereStillCompleteThePuzzle) {
    setUp({"CAT", "DOG"}, {"CAT", "DGO"}, {"BBB", "GGr"});
    game.clickTile(tile(2, 3));
    EXPECT_EQ(records(), std::vector<char>{'W'});
    EXPECT_TRUE(events.has("flash Puzzle completed"));
    EXPECT_FALSE(game.isInPlay());
}

// A click whose check completes the puzzle is charged afterwards: with the last move spent
// the counter falls to 0, but the won game stays won (one game, one record).
TEST_F(WordCheckTest, ChargeAfterACompletingCheckDoesNotAlsoLoseTheGame) {
    setUp({"CAT", "DOG"}, {"CAT", "DGO"}, {"BBB", "GGr"});
    setMoves(1);
    game.clickTile(tile(2, 3));
    EXPECT_EQ(moves(), 0);
    EXPECT_EQ(records(), std::vector<char>{'W'});
    EXPECT_FALSE(events.has("banner 1 FF0000 Please try again"));
    EXPECT_TRUE(events.has("moves 0"));
}

TEST_F(WordCheckTest, CheckAfterTheGameHasEndedNeverCompletesIt) {
    setUp({"CAT", "DOG"}, {}, {"BBB", "BBr"});
    setMoves(1);
    game.shiftColumn(3, true); // the last move: the game is lost
    ASSERT_FALSE(game.isInPlay());
    at(2, 3).locked = true;
    game.checkWords(0);
    EXPECT_EQ(records(), std::vector<char>{'F'});
}

} // namespace
} // namespace quorvel
