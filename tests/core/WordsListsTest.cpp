// The built-in word lists: the first-occurrence membership rule, the rebuild from a dictionary
// and the W3, W4, W5 files.
#include "WordsTestSupport.h"
#include "base/Files.h"
#include "words/WordLists.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quorvel;
using quorvel::test::addItem;
using quorvel::test::ScratchFolder;

TEST(WordsLists, OnlyTheFirstOccurrenceCountsAndItMustStandOnABoundary) {
    WordLists lists;
    lists.words3 = "CATDOGSUN";
    for (const char* word : {"CAT", "DOG", "SUN"})
        EXPECT_TRUE(lists.isListedWord(word)) << word;
    for (const char* word : {"ATD", "OGS", "TDO", "CAX"})
        EXPECT_FALSE(lists.isListedWord(word)) << word;

    lists.words3 = "CATSUNATS";
    EXPECT_FALSE(lists.isListedWord("ATS")) << "first found at position 2, though aligned at 7";

    lists.words4 = "WORDLIST";
    lists.words5 = "ABCDEFGHIJ";
    EXPECT_TRUE(lists.isListedWord("LIST"));
    EXPECT_FALSE(lists.isListedWord("ORDL"));
    EXPECT_TRUE(lists.isListedWord("FGHIJ"));
    EXPECT_FALSE(lists.isListedWord("BCDEF"));
    for (const char* word : {"", "CA", "CATDOG", "ABCDEFGHIJ"})
        EXPECT_FALSE(lists.isListedWord(word)) << "length " << std::string(word).size();
}

TEST(WordsLists, RebuildTakesWordsAsStoredInDictionaryOrder) {
    Dictionary dictionary;
    for (const char* word : {"CAT", "HOUSE", "TO", "TEN ", "SUN", "ELEPHANT", "SEAL", "cow"})
        addItem(dictionary, word, "");
    WordLists lists;
    lists.words3 = "OLD";
    lists.rebuild(dictionary);
    EXPECT_EQ(lists.words3, "CATSUNcow");
    EXPECT_EQ(lists.words4, "TEN SEAL") << "a trailing blank counts as a letter";
    EXPECT_EQ(lists.words5, "HOUSE");

    lists.rebuild(Dictionary{});
    EXPECT_EQ(lists.words3 + lists.words4 + lists.words5, "") << "an empty dictionary empties";
}

class WordsListFiles : public ::testing::Test {
protected:
    ScratchFolder scratch;
    void SetUp() override { std::filesystem::create_directories(scratch.folder() + "zq"); }
};

TEST_F(WordsListFiles, SaveThenLoadRoundTrips) {
    WordLists saved;
    saved.words3 = "CATDOG";
    saved.words4 = "";
    saved.words5 = "HOUSE";
    saved.save(scratch.folder());
    EXPECT_EQ(readWholeFile(scratch.folder() + "zq/W3"), "CATDOG");
    EXPECT_EQ(readWholeFile(scratch.folder() + "zq/W4"), "");
    WordLists loaded;
    loaded.load(scratch.folder());
    EXPECT_EQ(loaded.words3, "CATDOG");
    EXPECT_EQ(loaded.words4, "");
    EXPECT_EQ(loaded.words5, "HOUSE");
}

TEST_F(WordsListFiles, AMissingFileStopsLoadingThere) {
    writeWholeFile(scratch.folder() + "zq/W3", "CAT");
    writeWholeFile(scratch.folder() + "zq/W5", "HOUSE");
    WordLists lists;
    lists.words5 = "STALE";
    try {
        lists.load(scratch.folder());
        FAIL() << "loaded without W4";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + scratch.folder() + "zq/W4");
    }
    EXPECT_EQ(lists.words3, "CAT");
    EXPECT_EQ(lists.words4, "");
    EXPECT_EQ(lists.words5, "") << "lists after the missing one stay empty";

    std::filesystem::remove(scratch.folder() + "zq/W3");
    EXPECT_THROW(lists.load(scratch.folder()), FileError);
    EXPECT_EQ(lists.words3 + lists.words4 + lists.words5, "");
}

TEST_F(WordsListFiles, SaveThatCannotCreateItsFileKeepsTheListsInMemory) {
    WordLists lists;
    lists.words3 = "CAT";
    std::filesystem::remove_all(scratch.folder() + "zq");
    EXPECT_THROW(lists.save(scratch.folder()), FileError);
    EXPECT_EQ(lists.words3, "CAT");
}
