// The statistics file: the exact line, appending safely, and the reader's skipping rules.
#include "GameTestSupport.h"

#include "records/Statistics.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(Statistics, LineText) {
    GameResult won{2003, 5, 17, 'W', 13, 0, 37, 25, true, 'V', true};
    EXPECT_EQ(statisticsLine(won), "2003-05-17,W,13,0,37,25,D,V,T,");
    GameResult failed{2003, 5, 17, 'F', 4, -1, 0, 16, false, 'n', false};
    EXPECT_EQ(statisticsLine(failed), "2003-05-17,F,4,-1,0,16,n,n,n");
    GameResult quit{2024, 12, 1, 'Q', 0, 1, -4, 0, false, 'R', false};
    EXPECT_EQ(statisticsLine(quit), "2024-12-01,Q,0,1,-4,0,n,R,n");
}

TEST(Statistics, AppendCreatesThenGrows) {
    TempProgramFolder dir;
    const std::string path = dir.path("zq/stats.zq");
    appendStatisticsLine(path, "2003-05-17,F,4,-1,0,16,n,n,n");
    EXPECT_EQ(dir.read("zq/stats.zq"), "2003-05-17,F,4,-1,0,16,n,n,n\r\n");
    appendStatisticsLine(path, "2003-05-17,W,13,0,37,25,D,V,T,");
    EXPECT_EQ(dir.read("zq/stats.zq"),
              "2003-05-17,F,4,-1,0,16,n,n,n\r\n2003-05-17,W,13,0,37,25,D,V,T,\r\n");
}

TEST(Statistics, AppendToUnwritableFolderThrowsAndLeavesNothingBehind) {
    TempProgramFolder dir;
    EXPECT_ANY_THROW(appendStatisticsLine(dir.path("missing/stats.zq"), "x"));
    EXPECT_FALSE(dir.exists("missing"));
}

TEST(Statistics, ReaderSkipsLinesWithoutNumbers) {
    const std::string text = "2003-05-17,W,13,0,37,25,D,V,T,\r\n"
                             "\r\n"
                             "just some words\n"
                             "2003-05-17,F,4,-1,0,16,n,n,n\r"
                             "2003-05-18,X,5,1,-3,20,n,R,n\r\n"
                             "2003-05-19,W,6,0,x,20,n,n,n\r\n"
                             "2003-05-20,W,7,1,12,30";
    const std::vector<StatisticsEntry> entries = readStatistics(text);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_TRUE(entries[0].won);
    EXPECT_EQ(entries[0].level, 13);
    EXPECT_EQ(entries[0].movesLeft, 37);
    EXPECT_EQ(entries[0].letterTotal, 25);
    EXPECT_TRUE(entries[0].definitions && entries[0].lockRule && entries[0].timed);
    EXPECT_FALSE(entries[1].won);
    EXPECT_EQ(entries[1].handicap, -1);
    EXPECT_FALSE(entries[1].definitions || entries[1].lockRule || entries[1].timed);
    EXPECT_FALSE(entries[2].won); // any code but W is a loss
    EXPECT_EQ(entries[2].movesLeft, -3);
    EXPECT_TRUE(entries[2].lockRule);
    // A line that stops after field 6 counts its missing fields as set.
    EXPECT_EQ(entries[3].level, 7);
    EXPECT_TRUE(entries[3].definitions && entries[3].lockRule && entries[3].timed);
}

// Numbers are read strictly: "+-1" once counted as -1.
TEST(Statistics, OneSignAtMost) {
    const auto entries = readStatistics("2003-05-17,W,+-1,0,37,25,D,V,T,\r\n"
                                        "2003-05-17,W,+,0,37,25,D,V,T,\r\n"
                                        "2003-05-17,W,-+1,0,37,25,D,V,T,\r\n"
                                        "2003-05-17,W,+2,-0,37,25,D,V,T,\r\n");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].level, 2);
}

TEST(Statistics, GameRecordsThroughTheListener) {
    RecordingListener events;
    Random random;
    HeardGame game{events, random, "/nonexistent/"};
    game.setLevelTable(builtInLayouts());
    game.setToday([] { return CivilDate{2003, 5, 17}; });
    GameOptions o;
    o.handicap = 0;
    o.definitions = true;
    o.lock = LockRule::Vowels;
    o.timed = true;
    game.setOptions(o);
    game.apply(Move::restoreLevel(2));
    // Won: the click that finds DOG completes the puzzle with 34 + 3 moves.
    TestGame::setUpBoard(game, {"CAT", "DOG"}, {}, {"BBB", "GGr"});
    TestGame::setMoves(game, 34);
    clickTile(game, 6);
    EXPECT_EQ(events.withPrefix("record "),
              std::vector<std::string>{"record 2003-05-17,W,2,0,37,25,D,V,T,"});
    o.lock = LockRule::First;
    o.timed = false;
    o.definitions = false;
    game.setOptions(o);
    // Quit: a moved game ended by a new puzzle.
    events.clear();
    TestGame::setUpBoard(game, {"CAT", "DOG"});
    TestGame::edit(game, [](GameState& s) {
        s.values.level = 2;
        s.values.movesLeft = 37;
        s.values.moveMade = true;
    });
    game.apply(Move::of(Move::Kind::NewPuzzle));
    EXPECT_EQ(events.withPrefix("record "),
              std::vector<std::string>{"record 2003-05-17,Q,2,0,37,25,n,F,n"});
}

} // namespace
} // namespace quorvel
