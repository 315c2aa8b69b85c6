// Building a new puzzle: difficulty values, status and trace lines, initial locking, scrambling.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include "base/Files.h"

#include <algorithm>

namespace quorvel {
namespace {

class NewPuzzleTest : public EngineTest {};

TEST_F(NewPuzzleTest, DifficultyOfFiveByFiveAtNeutral) {
    setOptions([](GameOptions& o) {
        o.trace = true;
        o.dictionary = "Test";
    });
    buildLevel(2);
    const GameValues& v = game.state().values;
    EXPECT_EQ(v.start, 50);
    EXPECT_EQ(v.movesLeft, 50);
    EXPECT_EQ(v.advanceMinimum, 10);
    EXPECT_EQ(v.clueAllowance, 2);
    EXPECT_EQ(v.delay, 20);
    EXPECT_EQ(v.penalty, -2);
    EXPECT_EQ(v.clueCost, -6);
    EXPECT_EQ(v.lockAllCost, -4);
    EXPECT_EQ(v.shiftCost, -1);
    EXPECT_EQ(v.tileClickCost, -1);
    EXPECT_EQ(v.timerPhase, TimerPhase::Grace);
    EXPECT_TRUE(
        events.has("message level=2 pop=10 penalty=-2 good=4 bad=0 word=-2 start=50 delay=20"));
    EXPECT_TRUE(events.has("status " + std::string(25, ' ') +
                           "5 words to find, level: 2, advance minimum is 10, dictionary: Test"));
    EXPECT_TRUE(events.has("trace 10 10000 2"));
    EXPECT_EQ(game.state().commands.clueCount, ClueCount::Shown);
    EXPECT_EQ(game.state().commands.cluesLeft, 2);
    EXPECT_EQ(game.state().counterColour, 0x800000u); // the first move recolours it
}

TEST_F(NewPuzzleTest, TraceLineOnlyInTraceMode) {
    buildLevel(2);
    EXPECT_EQ(events.count("message"), 0);
    EXPECT_EQ(events.count("trace level="), 0);
}

TEST_F(NewPuzzleTest, DifficultyByHandicap) {
    // A 12 x 5 board has 60 letters; 10 x 20 has 200.
    useLevels("1205\r\n1020\r\n0301\r\n");
    struct Case {
        int handicap, level, start, moves, advance, clues, delay, penalty;
    } cases[] = {
        {-1, 1, 180, 100, 30, 12, 30, -1},
        {-1, 2, 600, 100, 100, 40, 30, -1}, // can only be continued, never advanced past
        {0, 1, 120, 100, 24, 6, 20, -2},
        {1, 1, 60, 60, 15, 3, 10, -3},
        {1, 3, 3, 3, 0, 2, 10, -3},
    };
    for (const Case& c : cases) {
        setOptions([&](GameOptions& o) { o.handicap = c.handicap; });
        buildLevel(c.level);
        const GameValues& v = game.state().values;
        SCOPED_TRACE(c.handicap * 10 + c.level);
        EXPECT_EQ(v.start, c.start);
        EXPECT_EQ(v.movesLeft, c.moves);
        EXPECT_EQ(v.advanceMinimum, c.advance);
        EXPECT_EQ(v.clueAllowance, c.clues);
        EXPECT_EQ(v.delay, c.delay);
        EXPECT_EQ(v.penalty, c.penalty);
    }
}

// A paused board is hidden; the next game must not start hidden, nor offer to continue.
TEST_F(NewPuzzleTest, PuzzleStartedWhilePausedRunsWithPauseOnOffer) {
    setOptions([](GameOptions& o) { o.timed = true; });
    buildLevel(1);
    game.apply(Move::of(Move::Kind::Pause));
    ASSERT_TRUE(game.state().timer.paused);
    buildLevel(1);
    EXPECT_FALSE(game.state().timer.paused);
    EXPECT_TRUE(game.state().commands.boardPanel);
    game.apply(Move::of(Move::Kind::Pause)); // the first command pauses
    EXPECT_TRUE(game.state().timer.paused);
    EXPECT_FALSE(game.state().timer.enabled);
}

TEST_F(NewPuzzleTest, CluesUnlimitedWithMarkerFile) {
    dir.write("c999", "");
    buildLevel(1);
    EXPECT_EQ(game.state().values.clueAllowance, 999);
    EXPECT_EQ(game.state().commands.clueCount, ClueCount::Hidden); // too many to count on the menu
    EXPECT_TRUE(events.has("trace 10 10000 999"));
}

TEST_F(NewPuzzleTest, SuccessfulBuildStartsPlay) {
    for (bool timed : {false, true}) {
        setOptions([&](GameOptions& o) { o.timed = timed; });
        buildLevel(1);
        EXPECT_TRUE(game.state().isInPlay());
        EXPECT_TRUE(game.state().commands.clue && game.state().commands.undo && game.state().commands.padlock &&
                    game.state().commands.lockAll && game.state().commands.newGame && game.state().commands.arrows);
        EXPECT_EQ(game.state().commands.pause, timed);
        EXPECT_EQ(game.state().timer.enabled, timed);
        EXPECT_EQ(game.state().timer.intervalMs, 20000);
        EXPECT_FALSE(game.state().values.building);
        EXPECT_FALSE(game.state().banner.visible);
        EXPECT_EQ(board().tileCount, 16);
        for (int t = 1; t <= 16; ++t)
            EXPECT_TRUE(board().tile(t).visible && board().tile(t).enabled);
    }
    EXPECT_TRUE(events.has("music zqStart.mp3"));
    EXPECT_TRUE(events.has("banner -1 800000 Please Wait"));
}

TEST_F(NewPuzzleTest, TooLargeLevelGivesMessageAndEmptyBoard) {
    useLevels("0404\r\n2516\r\n0505\r\n");
    buildLevel(1);
    ASSERT_TRUE(game.state().isInPlay());
    events.clear();
    buildLevel(2);
    EXPECT_TRUE(events.has("message Level 2 is too large to play: 25 columns (at most 20).") ||
                events.has("message Level 2 is too large to play: 400 cells (at most 300)."));
    EXPECT_EQ(board().tileCount, 0);
    EXPECT_FALSE(game.state().isInPlay());
    EXPECT_TRUE(game.state().commands.newGame);
    EXPECT_EQ(game.levelTable().levelCount, 3); // later levels keep their numbers
    buildLevel(3);
    EXPECT_EQ(board().tileCount, 25);
}

TEST_F(NewPuzzleTest, AbandoningAPlayedGameRecordsQuit) {
    setOptions([](GameOptions& o) { o.handicap = 0; });
    buildLevel(1);
    game.setToday([] { return CivilDate{2024, 2, 9}; });
    buildLevel(1); // untouched: nothing written
    EXPECT_EQ(events.count("record"), 0);
    edit([](GameState& s) {
        s.values.moveMade = true;
        s.values.movesLeft = 17;
    });
    buildLevel(2);
    EXPECT_EQ(events.withPrefix("record"),
              (std::vector<std::string>{"record 2024-02-09,Q,1,0,17,16,n,n,n"}));
    EXPECT_FALSE(game.state().values.moveMade);
}

TEST_F(NewPuzzleTest, WordlessLevelBuildsNothing) {
    useLevels("0204\r\n\r\nXX-X\r\n\r\n");
    for (int level : {1, 2}) {
        events.clear();
        buildLevel(level);
        EXPECT_TRUE(events.has("message Level " + std::to_string(level) + " has no word to find."));
        EXPECT_FALSE(game.state().isInPlay());
    }
}

// --- initial locking and scrambling over many seeds -----------------------------------------

struct Scramble {
    LockRule lock;
    int handicap;
};

class ScrambleTest : public EngineTest, public ::testing::WithParamInterface<Scramble> {};

TEST_P(ScrambleTest, KeepsColumnsGapsAndMarkedLetters) {
    useLevels("XXXXX-XXXX\r\nXXX-XXXXXX\r\nXXXXXXXXXX\r\n-XXXX-XXX-\r\n\r\n0707\r\n");
    setOptions([](GameOptions& o) {
        o.lock = GetParam().lock;
        o.handicap = GetParam().handicap;
    });
    int scrambledColumns = 0;
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        random.reseed(seed);
        buildLevel(1 + static_cast<int>(seed % 2));
        SCOPED_TRACE("seed " + std::to_string(seed));
        const Board& b = board();
        ASSERT_GT(b.tileCount, 0);
        int markedLetters = 0, letters = 0;
        for (int c = 1; c <= b.columns; ++c) {
            std::string now, solution;
            for (int r = 1; r <= b.rows; ++r) {
                const Tile& t = b.tile(b.tileAt(r, c));
                ASSERT_EQ(t.caption == GapChar, t.solution == GapChar); // gaps stay in place
                ASSERT_EQ(t.visible, t.caption != GapChar);
                if (t.caption == GapChar)
                    continue;
                ++letters;
                now += t.caption;
                solution += t.solution;
                // Letters locked at the start stand in their solution cells.
                if (t.locked) {
                    ++markedLetters;
                    ASSERT_EQ(t.caption, t.solution);
                    ASSERT_TRUE(t.colour == LetterColour::Locked ||
                                t.colour == LetterColour::Revealed);
                }
                if (GetParam().lock == LockRule::First && t.wordStart) {
                    ASSERT_TRUE(t.locked);
                }
                if (GetParam().lock == LockRule::Vowels &&
                    std::string("AEIOU").find(t.solution) != std::string::npos) {
                    ASSERT_TRUE(t.locked);
                }
            }
            scrambledColumns += now != solution ? 1 : 0;
            std::sort(now.begin(), now.end());
            std::sort(solution.begin(), solution.end());
            ASSERT_EQ(now, solution); // the column keeps its letters
        }
        if (GetParam().lock == LockRule::None) {
            EXPECT_EQ(markedLetters, 0);
        }
        if (GetParam().lock == LockRule::Randomly) {
            const int divisor = GetParam().handicap < 0 ? 10 : GetParam().handicap == 0 ? 15 : 20;
            const int wanted = std::max(b.tileCount / divisor, 2);
            // Found words lock more letters; never fewer than marked.
            EXPECT_GE(markedLetters, std::min(wanted, letters));
        }
    }
    EXPECT_GT(scrambledColumns, 500);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ScrambleTest,
    ::testing::Values(Scramble{LockRule::None, 0}, Scramble{LockRule::First, 0},
                      Scramble{LockRule::Vowels, 1}, Scramble{LockRule::Randomly, -1},
                      Scramble{LockRule::Randomly, 0}, Scramble{LockRule::Randomly, 1}),
    [](const auto& info) {
        const int handicap = info.param.handicap;
        return quorvel::test::lockRuleName(info.param.lock) +
               (handicap < 0 ? "Easier" : handicap > 0 ? "Harder" : "Neutral");
    });

TEST_F(NewPuzzleTest, LockRandomlyOnTwelveTilesLocksTwo) {
    useLevels("XXXX\r\nXXXX\r\nXXXX\r\n\r\n");
    TestGame::setDictionary(game, {{"ABCD", "x"}, {"EFGH", "y"}, {"IJKL", "z"}});
    for (int handicap : {-1, 0, 1}) {
        setOptions([&](GameOptions& o) {
            o.lock = LockRule::Randomly;
            o.handicap = handicap;
        });
        buildLevel(1);
        int locked = 0;
        for (int t = 1; t <= 12; ++t)
            locked += board().tile(t).locked ? 1 : 0;
        EXPECT_EQ(locked, 2) << handicap;
    }
}

TEST_F(NewPuzzleTest, LockRandomlyEndsWhenNoLetterIsLeft) {
    // 40 cells hold 3 letters: four letters are wanted at handicap -1, three can be marked.
    useLevels("XXX-------------------------------------\r\n\r\n");
    TestGame::setDictionary(game, {{"CAT", "a pet"}});
    setOptions([](GameOptions& o) {
        o.lock = LockRule::Randomly;
        o.handicap = -1;
    });
    events.clear();
    buildLevel(1);
    // Every letter was locked from the start, so the word was found and the puzzle completed.
    for (int t = 1; t <= 3; ++t)
        EXPECT_TRUE(board().tile(t).locked);
    EXPECT_TRUE(events.has("sound OK"));
}

TEST_F(NewPuzzleTest, ColumnOfTwoLettersEndsSwappedUnlessEqual) {
    useLevels("XXX\r\nXXX\r\n\r\n");
    TestGame::setDictionary(game, {{"ABC", "1"}, {"DBF", "2"}});
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        random.reseed(seed);
        buildLevel(1);
        const Board& b = board();
        if (b.wordList[0] == b.wordList[1])
            continue;
        for (int c = 1; c <= 3; ++c) {
            const Tile& top = b.tile(c);
            const Tile& bottom = b.tile(3 + c);
            if (top.solution != bottom.solution) {
                EXPECT_EQ(top.caption, bottom.solution) << seed << " column " << c;
            }
        }
    }
}

} // namespace
} // namespace quorvel

namespace quorvel {
namespace {

// Every shipped level must fill from the default dictionary, whatever the seed.
TEST(ShippedLevels, EveryLevelFillsFromCommonWords) {
    const std::string folder = QUORVEL_PROGRAM_DIR;
    if (!fileExists(folder + "zq/formats") || !fileExists(folder + "kbs/Common Words.dic"))
        GTEST_SKIP() << "shipped levels or Common Words not staged yet";
    LevelTable table;
    const LayoutsLoad load = loadLayouts(readWholeFile(folder + "zq/formats"), table);
    ASSERT_TRUE(load.headerRead);
    ASSERT_TRUE(load.checksumMatches()) << "computed " << load.computed;
    ASSERT_GE(table.levelCount, 100);

    RecordingListener events;
    Random random;
    HeardGame game{events, random, folder};
    game.setLevelTable(table);
    for (int level = 1; level <= table.levelCount; ++level) {
        EXPECT_TRUE(table.at(level).fitsBoard()) << "level " << level;
        for (std::uint32_t seed : {1u, 2u, 3u}) {
            random.reseed(seed * 1000 + static_cast<std::uint32_t>(level));
            events.clear();
            game.apply(Move::pickerLevel(level));
            game.apply(Move::of(Move::Kind::NewPuzzle));
            ASSERT_TRUE(game.state().isInPlay())
                << "level " << level << " seed " << seed << ": "
                << (events.withPrefix("message").empty() ? "" : events.withPrefix("message")[0]);
        }
    }
}

} // namespace
} // namespace quorvel
