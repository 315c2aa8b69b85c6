// Shared puzzles in a game: a code rebuilds its board anywhere its data is the same, and the
// daily puzzle is the same board for everyone on a date.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace quorvel {
namespace {

// Ten levels, small to larger; the frozen data every test here builds from.
const std::string Levels = "0404\r\n0404\r\n0505\r\n0505\r\n0606\r\n0606\r\n0707\r\n0707\r\n"
                           "0505\r\n0606\r\n";

using Player = GameInFolder;

class SharedPuzzleTest : public ::testing::Test {
protected:
    TempProgramFolder dir;

    void SetUp() override {
        dir.write("zq/formats", layoutsFile(Levels));
        dir.writeDictionary("Common Words", generatedWords());
        dir.writeDictionary("Animals", generatedWords(40));
    }
    std::unique_ptr<Player> player(std::uint32_t seed) {
        return std::make_unique<Player>(dir.folder(), seed);
    }
    // Every letter where it belongs, then locked letter by letter: the puzzle is won.
    static void win(HeardGame& g) {
        TestGame::edit(g, [](GameState& s) {
            for (int t = 1; t <= s.board.tileCount; ++t)
                s.board.tile(t).caption = s.board.tile(t).solution;
        });
        for (int t = 1; t <= g.state().board.tileCount && g.state().isInPlay(); ++t)
            if (g.state().board.tile(t).colour == LetterColour::Unlocked)
                clickTile(g, t);
    }
};

TEST_F(SharedPuzzleTest, ACodeRebuildsTheSameBoardAndCluesInAnotherGame) {
    auto sender = player(11);
    sender->options([](GameOptions& o) {
        o.dictionary = "Animals";
        o.handicap = -1;
        o.lock = LockRule::Randomly;
        o.timed = true;
    });
    sender->build(5);
    ASSERT_TRUE(sender->game.state().isInPlay());
    const std::string code = sender->game.puzzleCode();

    auto friendOf = player(999); // another session, with options of its own
    friendOf->build(2);
    EXPECT_EQ(friendOf->game.apply(Move::playCode(code)), MoveResult::Changed);
    const Game& a = sender->game;
    const Game& b = friendOf->game;
    EXPECT_EQ(TestGame::captionRows(b), TestGame::captionRows(a));
    EXPECT_EQ(TestGame::stateRows(b), TestGame::stateRows(a));
    EXPECT_EQ(b.state().board.wordEntries, a.state().board.wordEntries);
    EXPECT_EQ(b.state().values, a.state().values);
    EXPECT_EQ(b.state().timer, a.state().timer);
    EXPECT_EQ(b.puzzleCode(), code);
    // The draws after the build come from the puzzle's source too: the same clue.
    for (Game* g : {&sender->game, &friendOf->game}) {
        g->apply(Move::of(Move::Kind::Clue));
        while (g->state().clueRunning)
            g->apply(Move::of(Move::Kind::ClueStep));
    }
    EXPECT_EQ(TestGame::captionRows(b), TestGame::captionRows(a));

    // The code's options were for that game alone: the next New is the player's own.
    friendOf->game.apply(Move::of(Move::Kind::NewPuzzle));
    EXPECT_EQ(b.state().puzzle.dictionary, "Common Words");
    EXPECT_EQ(b.state().puzzle.handicap, 0);
    EXPECT_FALSE(b.state().timer.enabled);
    EXPECT_EQ(b.state().values.level, 2);
    EXPECT_EQ(b.options().dictionary, "Common Words");
}

TEST_F(SharedPuzzleTest, TheSameSeedAndOptionsGiveTheSameCode) {
    auto one = player(5);
    auto two = player(5);
    one->build(4);
    two->build(4);
    EXPECT_EQ(one->game.puzzleCode(), two->game.puzzleCode());
    EXPECT_EQ(player(5)->game.puzzleCode(), "") << "no code before a build";
}

TEST_F(SharedPuzzleTest, ACodeThatDoesNotReadIsAMessageAndChangesNothing) {
    auto p = player(3);
    p->build(1);
    clickTile(p->game, 1);
    const GameState before = p->game.state();
    p->events.clear();
    EXPECT_EQ(p->game.apply(Move::playCode("NOT-A-CODE")), MoveResult::NoEffect);
    EXPECT_EQ(p->events.events,
              std::vector<std::string>{"message " + codeProblemMessage(CodeProblem::Mistyped)});
    EXPECT_EQ(p->game.state(), before);
    EXPECT_TRUE(p->game.movesSincePuzzle().size() == 1u) << "a move without effect is not kept";
}

TEST_F(SharedPuzzleTest, AChangedLayoutOrDictionaryOrFewerLevelsAreToldApart) {
    auto sender = player(8);
    sender->build(7);
    const std::string code = sender->game.puzzleCode();
    ASSERT_EQ(player(1)->game.readPuzzleCode(code).problem, CodeProblem::None);

    // Level 7's layout drawn differently: the same size, other rows.
    dir.write("zq/formats", layoutsFile("0404\r\n0404\r\n0505\r\n0505\r\n0606\r\n0606\r\n"
                                        "XXX-XXX\r\nXXXXXXX\r\nXXXXXXX\r\n\r\n0505\r\n0606\r\n"));
    EXPECT_EQ(player(1)->game.readPuzzleCode(code).problem, CodeProblem::DataDiffers);
    dir.write("zq/formats", layoutsFile("0404\r\n0505\r\n"));
    EXPECT_EQ(player(1)->game.readPuzzleCode(code).problem, CodeProblem::NoSuchLevel);

    dir.write("zq/formats", layoutsFile(Levels));
    auto words = generatedWords();
    words[10].second = "another meaning";
    dir.writeDictionary("Common Words", words);
    const CodeRead read = player(1)->game.readPuzzleCode(code);
    EXPECT_EQ(read.problem, CodeProblem::DataDiffers);
    EXPECT_EQ(read.message, codeProblemMessage(CodeProblem::DataDiffers));
    std::filesystem::remove(dir.path("kbs/Common Words.dic"));
    EXPECT_EQ(player(1)->game.readPuzzleCode(code).problem, CodeProblem::UnknownDictionary);
}

// The dictionary is read once per session: a code must name the words the board was made of,
// not a file changed on disk since.
TEST_F(SharedPuzzleTest, ACodeCarriesTheCheckOfTheWordsInUseNotOfAFileChangedSince) {
    auto sender = player(8);
    sender->build(3);
    auto words = generatedWords();
    std::swap(words[0], words[1]);
    dir.writeDictionary("Common Words", words);
    sender->build(3); // the same words as before, still in memory
    const std::string code = sender->game.puzzleCode();
    EXPECT_EQ(player(1)->game.readPuzzleCode(code).problem, CodeProblem::DataDiffers)
        << "the receiver would build another board from the changed file";
}

TEST_F(SharedPuzzleTest, PlayingACodeEndsTheGameOnTheBoardAsNewDoes) {
    auto p = player(4);
    p->options([](GameOptions& o) { o.handicap = 1; });
    p->build(2);
    p->game.apply(Move::shift(1, true));
    auto other = player(6);
    other->build(3);
    p->events.clear();
    p->game.apply(Move::playCode(other->game.puzzleCode()));
    const auto records = p->events.withPrefix("record ");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_NE(records[0].find(",Q,2,1,"), std::string::npos) << records[0];
    EXPECT_EQ(p->game.state().values.level, 3);
}

TEST_F(SharedPuzzleTest, WinningASharedPuzzleLeavesThePlayersLevelAsItWas) {
    auto sender = player(2);
    sender->build(6);
    auto p = player(7);
    p->game.apply(Move::restoreLevel(2));
    p->game.apply(Move::playCode(sender->game.puzzleCode()));
    p->events.clear();
    win(p->game);
    ASSERT_FALSE(p->game.state().isInPlay());
    EXPECT_TRUE(p->events.has("banner 0 FF0000 Continue at level 2")) << "no advance";
    EXPECT_FALSE(p->events.has("level 7"));
    EXPECT_EQ(p->game.state().pickerLevel, 2);
    const auto records = p->events.withPrefix("record ");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_NE(records[0].find(",W,6,"), std::string::npos) << "the level won is recorded";
}

TEST_F(SharedPuzzleTest, TheDailyPuzzleComesFromTheDateAlone) {
    const CivilDate day{2026, 12, 7};
    auto one = player(1);
    auto two = player(4242);
    two->options([](GameOptions& o) {
        o.handicap = 1;
        o.lock = LockRule::Vowels;
        o.timed = true;
        o.dictionary = "Animals";
    });
    const PuzzleSpec puzzleSpec = one->game.dailyPuzzle(day);
    EXPECT_EQ(two->game.dailyPuzzle(day), puzzleSpec);
    // Pinned: the seed and level from the date's number, the code over this frozen data. A
    // change here gives every player another board on the same date.
    EXPECT_EQ(puzzleSpec.seed, 749860457u);
    EXPECT_EQ(puzzleSpec.level, 2);
    EXPECT_EQ(encodePuzzleCode(puzzleSpec), "4004-PWN0-PB3X-K91Y-BXGE");
    EXPECT_EQ(puzzleSpec.dictionary, "Common Words");
    EXPECT_EQ(puzzleSpec.handicap, 0);
    EXPECT_EQ(puzzleSpec.lock, LockRule::None);
    EXPECT_FALSE(puzzleSpec.timed);

    const PuzzleSpec next = one->game.dailyPuzzle({2026, 12, 8});
    EXPECT_NE(next.seed, puzzleSpec.seed);
    EXPECT_NE(encodePuzzleCode(next), encodePuzzleCode(puzzleSpec));
    EXPECT_NE(one->game.dailyPuzzle({2025, 12, 7}).seed, puzzleSpec.seed) << "a year on";
}

TEST_F(SharedPuzzleTest, EarlyInTheWeekTheLevelsAreLower) {
    auto p = player(1);
    std::vector<double> sum(7, 0.0);
    const int first = dayNumberOf({2026, 1, 5}); // a Monday
    for (int week = 0; week < 104; ++week)
        for (int d = 0; d < 7; ++d)
            sum[static_cast<std::size_t>(d)] +=
                p->game.dailyPuzzle(dateOfDayNumber(first + week * 7 + d)).level;
    EXPECT_LT(sum[0], sum[2]);
    EXPECT_LT(sum[2], sum[4]);
    EXPECT_LT(sum[4], sum[6]);
    for (int d = 0; d < 7 * 104; ++d) {
        const int level = p->game.dailyPuzzle(dateOfDayNumber(first + d)).level;
        ASSERT_GE(level, 1);
        ASSERT_LE(level, 10);
    }
}

TEST_F(SharedPuzzleTest, ADailyGameHasFixedOptionsAndReachesTheDailyRecordsAlone) {
    auto p = player(9);
    p->options([](GameOptions& o) {
        o.timed = true;
        o.lock = LockRule::First;
        o.handicap = -1;
    });
    const CivilDate day{2026, 12, 9};
    p->game.apply(Move::daily(day));
    const GameState& s = p->game.state();
    ASSERT_TRUE(s.isInPlay());
    EXPECT_EQ(s.daily, day);
    EXPECT_FALSE(s.timer.enabled) << "untimed whatever the player's options";
    EXPECT_EQ(s.puzzle, p->game.dailyPuzzle(day));
    for (int t = 1; t <= s.board.tileCount; ++t)
        EXPECT_NE(s.board.tile(t).colour, LetterColour::Locked) << "no initial locks";
    p->game.apply(Move::of(Move::Kind::Clue));
    while (p->game.state().clueRunning)
        p->game.apply(Move::of(Move::Kind::ClueStep));
    p->events.clear();
    win(p->game);
    EXPECT_EQ(p->events.count("record "), 0) << "the level statistics never see a daily game";
    ASSERT_EQ(p->events.dailyResults.size(), 1u);
    const DailyResult& r = p->events.dailyResults[0];
    EXPECT_EQ(r.date, day);
    EXPECT_EQ(r.result, 'W');
    EXPECT_EQ(r.cluesUsed, 1);
    EXPECT_GT(r.movesLeft, 0);
    EXPECT_EQ(static_cast<int>(r.foundWordLengths.size()), r.wordCount);
    EXPECT_TRUE(r.missedWordLengths.empty());
    int letters = 0;
    for (const int n : r.foundWordLengths)
        letters += n;
    EXPECT_EQ(letters, p->game.levelTable().at(s.puzzle.level).letterTotal);

    // The next New is an ordinary game again, with the player's options.
    p->game.apply(Move::of(Move::Kind::NewPuzzle));
    EXPECT_FALSE(p->game.state().daily);
    EXPECT_TRUE(p->game.state().timer.enabled);
}

TEST_F(SharedPuzzleTest, ADailyGameGivenUpListsItsWordsUnfound) {
    auto p = player(9);
    p->game.apply(Move::daily({2026, 12, 10}));
    p->game.apply(Move::shift(1, true));
    p->events.clear();
    p->game.apply(Move::of(Move::Kind::Solve));
    ASSERT_EQ(p->events.dailyResults.size(), 1u);
    const DailyResult& r = p->events.dailyResults[0];
    EXPECT_EQ(r.result, 'Q');
    EXPECT_EQ(r.foundWordLengths.size() + r.missedWordLengths.size(),
              static_cast<std::size_t>(r.wordCount));
    EXPECT_GT(r.wordCount, 0);
}

} // namespace
} // namespace quorvel
