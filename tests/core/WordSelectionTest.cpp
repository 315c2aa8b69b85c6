// Word selection: lengths, duplicates, definitions, the draw limit and dictionary failures.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace quorvel {
namespace {

const std::string Warning = "message Insufficient words in dictionary matching your "
                            "criteria.\r\nPlease change your options.";

class WordSelectionTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        useLevels("0301\r\n0302\r\n\r\nXXXX-XXX\r\n\r\n");
    }
};

TEST_F(WordSelectionTest, WordsFitTheirPlacesInReadingOrder) {
    TestGame::setDictionary(game, {{"CAT", "a cat"}, {"GOAT", "a goat"}, {"EMU", "a bird"}});
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        random.reseed(seed);
        buildLevel(3);
        ASSERT_EQ(board().wordList.size(), 2u);
        EXPECT_EQ(board().wordList[0], "GOAT");
        EXPECT_TRUE(board().wordList[1] == "CAT" || board().wordList[1] == "EMU");
        EXPECT_EQ(board().puzzleLetters, "GOAT\1" + board().wordList[1]);
    }
}

TEST_F(WordSelectionTest, TrimmedUpperCasedAndFiltered) {
    // Trailing blanks do not count; small letters (also accented ones) become capitals, and
    // code page 437 letters pass through the board's character filter.
    // A word with a control character inside cannot be shown and is never drawn.
    TestGame::setDictionary(
        game, {{" cat  ", "d1"}, {"\xE9t\x82", "d2"}, {"A\1B", "d3"}, {"A\tB", "d4"}});
    std::set<std::string> seen;
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        random.reseed(seed);
        buildLevel(1);
        ASSERT_EQ(board().wordList.size(), 1u);
        seen.insert(board().wordList[0]);
    }
    EXPECT_EQ(seen, (std::set<std::string>{"CAT", "\xC9T\xC9"}));
}

TEST_F(WordSelectionTest, DefinitionKeepsItsCommas) {
    TestGame::setDictionary(game, {{"cat", "a small, furry, animal"}});
    buildLevel(1);
    ASSERT_EQ(board().wordEntries.size(), 1u);
    EXPECT_EQ(board().wordEntries[0].word, "CAT");
    EXPECT_EQ(board().wordEntries[0].definition, "a small, furry, animal");
}

TEST_F(WordSelectionTest, SameWordTwiceOnlyWithDifferentDefinitions) {
    // Definitions that differ only in case are one entry: two places cannot be filled.
    TestGame::setDictionary(game, {{"CAT", "A Pet"}, {"cat", "a pet"}});
    buildLevel(2);
    EXPECT_TRUE(events.has(Warning));
    EXPECT_TRUE(board().wordList.empty());

    TestGame::setDictionary(game, {{"CAT", "a pet"}, {"CAT", "a jazz fan"}});
    events.clear();
    buildLevel(2);
    EXPECT_FALSE(events.has(Warning));
    EXPECT_EQ(board().wordList, (std::vector<std::string>{"CAT", "CAT"}));
    // The two places share the first entry's word index.
    EXPECT_EQ(board().tile(1).wordIndex, 0);
    EXPECT_EQ(board().tile(4).wordIndex, 0);
}

TEST_F(WordSelectionTest, NoWordOfTheLengthEndsWithWarningAndEmptyBoard) {
    TestGame::setDictionary(game, {{"GOAT", "a goat"}});
    TestGame::edit(game, [](GameState& s) { s.commands.settings = false; });
    buildLevel(1);
    EXPECT_TRUE(events.has(Warning));
    EXPECT_TRUE(board().wordList.empty());
    EXPECT_EQ(board().tileCount, 0);
    EXPECT_TRUE(game.state().commands.settings);
    EXPECT_TRUE(game.state().commands.newGame);
    EXPECT_FALSE(game.state().isInPlay());
    EXPECT_FALSE(game.state().commands.pause);
    EXPECT_FALSE(game.state().timer.enabled);
    EXPECT_FALSE(game.state().values.building);
    // The counter counted draws' words only: none was found.
    EXPECT_EQ(game.state().values.movesLeft, 0);
}

TEST_F(WordSelectionTest, GivesUpAfterFiveThousandDraws) {
    // The draws come from the puzzle's own engine: the session's engine gives its seed and
    // nothing more, however many draws the build makes before it gives up.
    TestGame::setDictionary(game, {{"GOAT", "a goat"}, {"LION", "a lion"}});
    random.reseed(99);
    buildLevel(1);
    ASSERT_TRUE(events.has(Warning));
    Random session(99);
    const std::uint32_t seed = session.draw();
    EXPECT_EQ(game.state().puzzle.seed, seed);
    EXPECT_EQ(random.uniform(0, 1 << 30), session.uniform(0, 1 << 30));
}

TEST_F(WordSelectionTest, EmptyDictionaryEndsWithWarning) {
    TestGame::setDictionary(game, {});
    buildLevel(1);
    EXPECT_EQ(events.count("message"), 1);
    EXPECT_TRUE(events.has(Warning));
}

TEST_F(WordSelectionTest, FailedBuildEndsThePreviousGame) {
    TestGame::setDictionary(game, {{"CAT", "a pet"}});
    setOptions([](GameOptions& o) { o.timed = true; });
    buildLevel(1);
    ASSERT_TRUE(game.state().isInPlay());
    ASSERT_TRUE(game.state().timer.enabled);
    buildLevel(3); // needs a four-letter word
    EXPECT_TRUE(events.has(Warning));
    EXPECT_FALSE(game.state().isInPlay());
    EXPECT_FALSE(game.state().commands.clue);
    EXPECT_FALSE(game.state().commands.undo);
    EXPECT_FALSE(game.state().commands.pause);
    EXPECT_FALSE(game.state().timer.enabled);
}

TEST_F(WordSelectionTest, DictionaryFileIsLoadedOnceAndRetriedAfterFailure) {
    setOptions([](GameOptions& o) { o.dictionary = "Pets"; });
    buildLevel(1);
    EXPECT_EQ(events.count("message"), 1); // the load's own message
    EXPECT_TRUE(events.has("message Unable to create stream"));
    ASSERT_EQ(events.dictionaryErrors.size(), 1u); // with the file and the fault behind it
    EXPECT_EQ(events.dictionaryErrors[0].path, dir.path("kbs/Pets.dic"));
    EXPECT_EQ(events.dictionaryErrors[0].fault, DictionaryFault::Missing);
    EXPECT_EQ(game.state().loadedDictionary, "");
    EXPECT_TRUE(board().wordList.empty());

    dir.writeDictionary("Pets", {{"DOG", "a pet"}});
    events.clear();
    buildLevel(1);
    EXPECT_EQ(events.count("message"), 0);
    EXPECT_EQ(game.state().loadedDictionary, "Pets");
    EXPECT_EQ(board().wordList, (std::vector<std::string>{"DOG"}));

    // Once loaded, the file is not read again.
    dir.write("kbs/Pets.dic", "damaged");
    buildLevel(1);
    EXPECT_EQ(board().wordList, (std::vector<std::string>{"DOG"}));
}

} // namespace
} // namespace quorvel
