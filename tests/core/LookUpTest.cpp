// The word look-up: which words are offered, their order, and the addresses the game opens.
#include "PlayTestSupport.h"

#include "base/WebAddresses.h"
#include "model/LookUp.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using LookUp = PlayTest;

TEST_F(LookUp, OnlyWordsWithRevealedFirstLetterAreOfferedSorted) {
    // Row 1: PEAR found, FIG locked letter by letter but not found. Row 2: ANT found, OWL open.
    setUp({"PEAR-FIG", "ANT--OWL"}, {"PEAR-FGI", "ANT--OWL"}, {"BBBB-GGG", "BBB--rrr"});
    EXPECT_EQ(solvedWords(game.state().board), (std::vector<std::string>{"ANT", "PEAR"}));
    // Clicking the last letter of FGI again and again never finds it: still not offered.
    clickTile(game, tile(1, 8));
    clickTile(game, tile(1, 8));
    EXPECT_EQ(solvedWords(game.state().board), (std::vector<std::string>{"ANT", "PEAR"}));
}

TEST_F(LookUp, AfterTheGameEveryWordIsOfferedAsTheBoardSpellsIt) {
    setUp({"CAT-DOG", "CAT-BEE"}, {"COT-DOG", "CAT-BEE"}, {"BBB-BBB", "BBB-rrr"});
    EXPECT_EQ(solvedWords(game.state().board), (std::vector<std::string>{"CAT", "COT", "DOG"}));
    game.apply(Move::of(Move::Kind::Solve)); // the solution is revealed: every word, twice when it stands twice
    EXPECT_EQ(solvedWords(game.state().board),
              (std::vector<std::string>{"BEE", "CAT", "CAT", "DOG"}));
}

TEST(LookUpWithoutGame, NoPuzzleMeansNoWords) {
    Board board;
    EXPECT_TRUE(solvedWords(board).empty());
}

TEST_F(LookUp, PuzzleDefinitionComesFromTheWordList) {
    setUp({"PEAR-FIG"});
    EXPECT_EQ(puzzleDefinition(game.state().board, "FIG"), "definition of FIG");
    EXPECT_EQ(puzzleDefinition(game.state().board, "PEA"), "");
}

TEST_F(LookUp, DefinitionFallsBackToTheLoadedDictionary) {
    TestGame::setDictionary(game, {{"FIG", "a dictionary fig"}, {"PEA", "a small seed"}});
    setUp({"PEAR-FIG"});
    EXPECT_EQ(definitionOf(game.state().board, game.dictionary(), "FIG"), "definition of FIG");
    EXPECT_EQ(definitionOf(game.state().board, game.dictionary(), "PEA"), "a small seed");
    EXPECT_EQ(definitionOf(game.state().board, game.dictionary(), "ZZZ"), "");
    EXPECT_EQ(definitionOf(game.state().board, game.dictionary(), ""), "");
}

TEST(WebAddresses, DictionaryPageEncodesTheWord) {
    EXPECT_EQ(web::dictionaryPage(""), "https://www.dictionary.com");
    EXPECT_EQ(web::dictionaryPage("PEAR"), "https://www.dictionary.com/search?q=PEAR");
    // A player's own dictionary may hold words that would otherwise break the query.
    EXPECT_EQ(web::dictionaryPage("ROCK & ROLL"),
              "https://www.dictionary.com/search?q=ROCK%20%26%20ROLL");
    EXPECT_EQ(web::dictionaryPage("C#&q=x"), "https://www.dictionary.com/search?q=C%23%26q%3Dx");
    // Windows-1252 letters go out as UTF-8: 0xC9 is E with an acute accent.
    EXPECT_EQ(web::dictionaryPage("CAF\xC9"), "https://www.dictionary.com/search?q=CAF%C3%89");
}

TEST(WebAddresses, SupportMailCarriesTheSubject) {
    EXPECT_EQ(web::supportMailTo("Quorvel support, feedback, etc."),
              "mailto:support@quorvel.example?subject=Quorvel%20support%2C%20feedback%2C%20etc.");
}

TEST(WebAddresses, DownloadAndNewsPagesLiveOnTheSite) {
    for (const std::string_view page :
         {web::NewsPage, web::FreeWordListsPage, web::NewLayoutsPage})
        EXPECT_EQ(page.substr(0, web::Site.size()), web::Site) << page;
    EXPECT_TRUE(web::FreeWordListsPage.ends_with("/lumira/FreeLists.htm"));
    EXPECT_TRUE(web::NewLayoutsPage.ends_with("/lumira/FreeZQLayouts.htm"));
    EXPECT_TRUE(web::NewsPage.ends_with("/news.htm"));
}

} // namespace
} // namespace quorvel
