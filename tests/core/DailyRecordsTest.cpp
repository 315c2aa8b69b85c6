// The daily records: a damaged file loses nothing and stops nothing, a date counts once, and the
// streaks and the shared summary follow the days played.
#include "GameTestSupport.h"

#include "records/DailyRecords.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using namespace std::string_literals;

DailyResult result(CivilDate date, char r, int moves = 10, int clues = 0) {
    DailyResult d;
    d.date = date;
    d.result = r;
    d.movesLeft = moves;
    d.cluesUsed = clues;
    return d;
}

TEST(CivilDate, DayNumbersAndTextTurnBackIntoTheSameDate) {
    // Every day of 1900-01-01 .. 2400-03-01: leap days and century years included.
    for (int n = dayNumberOf({1900, 1, 1}); n <= dayNumberOf({2400, 3, 1}); ++n) {
        const CivilDate date = dateOfDayNumber(n);
        ASSERT_EQ(dayNumberOf(date), n) << isoDate(date);
        ASSERT_EQ(parseIsoDate(isoDate(date)), date) << isoDate(date);
    }
    EXPECT_EQ(dateOfDayNumber(dayNumberOf({2000, 2, 29}) + 1), (CivilDate{2000, 3, 1}));
    EXPECT_EQ(dateOfDayNumber(dayNumberOf({1900, 2, 28}) + 1), (CivilDate{1900, 3, 1}));
    EXPECT_FALSE(parseIsoDate("2100-02-29"));
}

TEST(DailyRecords, DamagedLinesAreSkippedAndTheRestIsRead) {
    const std::string text = "2026-12-01,W,12,1\r\n"
                             "garbage\n"
                             "2026-02-30,W,1,0\n"   // no such day
                             "2026-12-02,X,1,0\n"   // no such result
                             "2026-12-03,F,1\n"     // a field short
                             "2026-12-04,F,1,0,9\n" // a field too many
                             "2026-12-05,Q,99999999999,0\n"
                             "2026-12-06,W,-3,2\n"
                             "\n\0\xFF\n"
                             "2026-12-07,F,0,0"s;
    const auto records = parseDailyRecords(text);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0], (DailyRecord{{2026, 12, 1}, 'W', 12, 1}));
    EXPECT_EQ(records[1], (DailyRecord{{2026, 12, 6}, 'W', -3, 2}));
    EXPECT_EQ(records[2], (DailyRecord{{2026, 12, 7}, 'F', 0, 0}));
    EXPECT_EQ(parseDailyRecords(formatDailyRecord(records[1])), std::vector{records[1]});
}

TEST(DailyRecords, OnlyTheFirstResultOfADateIsKept) {
    TempProgramFolder dir;
    const std::string path = dir.path("zq/daily.txt");
    EXPECT_EQ(addDailyResult(path, result({2026, 12, 7}, 'F', 0)), DailyAdded::Added);
    EXPECT_EQ(addDailyResult(path, result({2026, 12, 7}, 'W', 30)), DailyAdded::DayPlayed);
    EXPECT_EQ(addDailyResult(path, result({2026, 12, 8}, 'W', 30)), DailyAdded::Added);
    const auto records = readDailyRecords(path);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].result, 'F');
    // Two lines of one date written by hand: the first stands.
    EXPECT_EQ(parseDailyRecords("2026-12-07,W,1,0\n2026-12-07,F,1,0\n")[0].result, 'W');
}

TEST(DailyRecords, AddingKeepsEveryLineTheFileHad) {
    TempProgramFolder dir;
    dir.write("zq/daily.txt", "a note of the player's\n2026-12-01,W,5,0"); // no line end
    EXPECT_EQ(addDailyResult(dir.path("zq/daily.txt"), result({2026, 12, 2}, 'W', 7, 1)),
              DailyAdded::Added);
    EXPECT_EQ(dir.read("zq/daily.txt"),
              "a note of the player's\n2026-12-01,W,5,0\n2026-12-02,W,7,1\n");
    EXPECT_TRUE(readDailyRecords(dir.path("zq/none.txt")).empty());
}

TEST(DailyRecords, AnOversizedFileIsReadInPartAndNeverWritten) {
    TempProgramFolder dir;
    std::string big;
    while (big.size() <= MaxDailyFileBytes)
        big += "2026-12-01,W,5,0\n";
    dir.write("zq/daily.txt", big);
    EXPECT_EQ(readDailyRecords(dir.path("zq/daily.txt")).size(), 1u);
    // Not added, and said so: the day was not played before, so it is no "day played".
    EXPECT_EQ(addDailyResult(dir.path("zq/daily.txt"), result({2026, 12, 2}, 'W')),
              DailyAdded::FileTooLarge);
    EXPECT_EQ(dir.read("zq/daily.txt").size(), big.size());
}

TEST(DailyStreaks, AWinThenALossOnTheNextDay) {
    std::vector<DailyRecord> records = {{{2026, 12, 7}, 'W', 5, 0}};
    EXPECT_EQ(dailyStreaks(records, {2026, 12, 7}), (DailyStreaks{1, 1}));
    // Today not played yet: yesterday's streak still stands.
    EXPECT_EQ(dailyStreaks(records, {2026, 12, 8}), (DailyStreaks{1, 1}));
    EXPECT_EQ(dailyStreaks(records, {2026, 12, 9}), (DailyStreaks{0, 1}));
    records.push_back({{2026, 12, 8}, 'F', 0, 0});
    EXPECT_EQ(dailyStreaks(records, {2026, 12, 8}), (DailyStreaks{0, 1}));
}

TEST(DailyStreaks, BestIsTheLongestRunOfConsecutiveSolvedDays) {
    const std::vector<DailyRecord> records = {
        {{2026, 12, 31}, 'W', 1, 0}, {{2027, 1, 1}, 'W', 1, 0},
        {{2027, 1, 2}, 'W', 1, 0},   {{2027, 1, 4}, 'W', 1, 0}, // a day missed breaks the run
        {{2026, 12, 30}, 'Q', 1, 0},                            // given up, written out of order
        {{2027, 1, 5}, 'W', 1, 0}};
    EXPECT_EQ(dailyStreaks(records, {2027, 1, 5}), (DailyStreaks{2, 3}));
    EXPECT_EQ(dailyStreaks({}, {2027, 1, 5}), (DailyStreaks{0, 0}));
}

TEST(DailySummary, ShowsTheOutcomeAndOneRowPerWordWithoutLetters) {
    DailyResult r = result({2026, 12, 7}, 'W', 1, 2);
    r.foundWordLengths = {5, 3};
    r.missedWordLengths = {4};
    r.wordCount = 3;
    const std::string green = "\xF0\x9F\x9F\xA9", grey = "\xE2\xAC\x9C";
    EXPECT_EQ(dailySummary(r), "Quorvel daily puzzle 2026-12-07\n"
                               "Solved, 1 move left, 2 clues used\n" +
                                   green + green + green + green + green + "\n" + green + green +
                                   green + "\n" + grey + grey + grey + grey + "\n");
    r.result = 'F';
    EXPECT_EQ(dailySummary(r).find("Solved"), std::string::npos);
}

} // namespace
} // namespace quorvel
