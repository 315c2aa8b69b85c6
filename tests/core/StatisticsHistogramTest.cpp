// The statistics histogram: filters, caps, totals, bar geometry, hover text and file counting.
#include "GameTestSupport.h"

#include "base/Files.h"
#include "records/StatisticsHistogram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string_view>
#include <tuple>
#include <vector>

namespace quorvel {
namespace {

// One written line as the game records it (handicap 0, no options unless given).
std::string game(char code, int level, int moves = 10, int letters = 16, int handicap = 0,
                 bool definitions = false, char lock = 'n', bool timed = false) {
    GameResult r{2026, 12, 7, code, level, handicap, moves, letters, definitions, lock, timed};
    return statisticsLine(r) + "\r\n";
}

StatisticsFilter view(StatisticsView v) {
    StatisticsFilter f;
    f.view = v;
    return f;
}

// The entries the general field rule finds in a text, line by line: what the quicker paths
// must agree with.
std::vector<StatisticsEntry> entriesByTheFieldRule(std::string_view text) {
    std::vector<StatisticsEntry> entries;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", begin), text.size());
        StatisticsEntry e;
        if (parseStatisticsLine(text.substr(begin, end - begin), e))
            entries.push_back(e);
        begin = end + 1;
    }
    return entries;
}

TEST(StatisticsHistogram, NoFileCountsNothing) {
    TempProgramFolder dir;
    const StatisticsCount count = countStatisticsFile(dir.path("zq/stats.zq"), {});
    EXPECT_EQ(count.topText(), "0 -");
    EXPECT_EQ(count.played, 0);
    EXPECT_EQ(count.completed, 0);
    EXPECT_EQ(count.incomplete, 0);
    EXPECT_EQ(count.successText(), "0%");
    EXPECT_TRUE(histogramBars(count, StatisticsView::Levels).empty());
}

TEST(StatisticsHistogram, OneWinIsAFullGreenBar) {
    const StatisticsCount count = countStatistics(game('W', 5), {});
    const std::vector<HistogramBar> bars = histogramBars(count, StatisticsView::Levels);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0].x, 8);
    EXPECT_EQ(kHistogramHeight - bars[0].top, 100);
    EXPECT_EQ(bars[0].width, 1);
    EXPECT_EQ(bars[0].colour, 0x8000u);
    EXPECT_EQ(count.played, 1);
    EXPECT_EQ(count.completed, 1);
    EXPECT_EQ(count.incomplete, 0);
    EXPECT_EQ(count.topText(), "1 -");
    EXPECT_EQ(count.successText(), "  100%");
}

TEST(StatisticsHistogram, TwoWinsOneLossHalfHeightRedBesideGreen) {
    const StatisticsCount count = countStatistics(game('W', 5) + game('F', 5) + game('W', 5), {});
    const std::vector<HistogramBar> bars = histogramBars(count, StatisticsView::Levels);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].x, 8);
    EXPECT_EQ(bars[0].top, 1);
    EXPECT_EQ(bars[1].x, 9);
    EXPECT_EQ(bars[1].top, 51); // 50 pixels: rows 51..100
    EXPECT_EQ(bars[1].colour, 0xFFu);
    EXPECT_EQ(count.scale, 2u);
    EXPECT_EQ(count.successText(), "   66%");
    EXPECT_EQ(count.incomplete, 1);
}

TEST(StatisticsHistogram, ScoreViewLeavesOutFailedAndSolvedGamesAndHoldsTo100) {
    const std::string text = game('F', 3, 0) + game('Q', 3, 0) + game('F', 3, -7) +
                             game('W', 3, 40) + game('Q', 3, 12) + game('W', 3, 250);
    const StatisticsCount count = countStatistics(text, view(StatisticsView::Score));
    EXPECT_EQ(count.played, 3);
    EXPECT_EQ(count.completed, 2);
    EXPECT_EQ(count.successText(), "   66%");
    EXPECT_EQ(count.bucket(40).wins, 1u);
    EXPECT_EQ(count.bucket(12).losses, 1u);
    EXPECT_EQ(count.bucket(100).wins, 1u);
    // Wide bars six pixels apart; the last bucket stays inside the paint box.
    const std::vector<HistogramBar> bars = histogramBars(count, StatisticsView::Score);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[0].x, 11 * 6 + 2); // the loss bar of bucket 12
    EXPECT_EQ(bars[0].width, 2);
    EXPECT_EQ(bars[2].x, 99 * 6);
    EXPECT_LE(bars[2].x + bars[2].width, kHistogramWidth);
}

TEST(StatisticsHistogram, LevelZeroCountsByLettersOnlyAndCapsApply) {
    const std::string text = game('W', 0, 10, 0) + game('W', 0, 10, 25) + game('F', 250, 10, 999);
    const StatisticsCount levels = countStatistics(text, {});
    EXPECT_EQ(levels.played, 1);
    EXPECT_EQ(levels.bucket(200).losses, 1u);
    const StatisticsCount letters = countStatistics(text, view(StatisticsView::Letters));
    EXPECT_EQ(letters.played, 2); // the letter total 0 is left out as well
    EXPECT_EQ(letters.bucket(25).wins, 1u);
    EXPECT_EQ(letters.bucket(300).losses, 1u);
    EXPECT_EQ(histogramBars(letters, StatisticsView::Letters).back().x, 299 * 2 + 1);
}

TEST(StatisticsHistogram, FiltersKeepOnlyGamesWithEveryCheckedOption) {
    const std::string text = game('W', 4, 9, 16, -1, true, 'n', true) +
                             game('W', 4, 9, 16, 0, true, 'V', false) +
                             game('F', 4, 9, 16, 1, false, 'R', true) +
                             game('F', 4, 9, 16, 1, true, 'F', true) +
                             "2026-12-07,W,4,0,9,16\r\n"; // missing option fields count as set
    StatisticsFilter f;
    f.withDefinitions = true;
    f.timedGames = true;
    StatisticsCount count = countStatistics(text, f);
    EXPECT_EQ(count.played, 3);
    EXPECT_EQ(count.completed, 2);
    f.withLockedLetters = true;
    EXPECT_EQ(countStatistics(text, f).played, 2);
    f = {};
    f.handicap = HandicapFilter::Harder;
    count = countStatistics(text, f);
    EXPECT_EQ(count.played, 2);
    EXPECT_EQ(count.completed, 0);
    f.handicap = HandicapFilter::Easy;
    EXPECT_EQ(countStatistics(text, f).played, 1);
    f.handicap = HandicapFilter::Neutral;
    EXPECT_EQ(countStatistics(text, f).played, 2);
}

TEST(StatisticsHistogram, HoverMovesLeftPastTheMiddleAndNamesTheBucket) {
    const StatisticsCount count = countStatistics(game('W', 226) + game('F', 200), {});
    HoverDetails at = hoverDetails(count, StatisticsView::Levels, 451);
    EXPECT_EQ(at.left, 301);
    EXPECT_EQ(at.bucket, 226);
    at = hoverDetails(count, StatisticsView::Levels, 450);
    EXPECT_EQ(at.left, 450);
    EXPECT_EQ(at.bucket, 226);
    EXPECT_EQ(at.text, "Level=226 wins = 0 losses = 0"); // the level was capped at 200
    EXPECT_EQ(hoverDetails(count, StatisticsView::Levels, 399).text,
              "Level=200 wins = 1 losses = 1");
    EXPECT_EQ(hoverDetails(count, StatisticsView::Score, 17).text, "Score=3 wins = 0 losses = 0");
    EXPECT_EQ(hoverDetails(count, StatisticsView::Letters, 0).text,
              "Letters=1 wins = 0 losses = 0");
    // Dragged far outside the paint box: no bucket, no crash.
    EXPECT_EQ(hoverDetails(count, StatisticsView::Levels, 5000).text,
              "Level=2501 wins = 0 losses = 0");
}

TEST(StatisticsHistogram, BarHeightsUseIntegerDivisionOfTheScale) {
    std::string text = game('W', 1) + game('W', 1) + game('W', 1) + game('F', 2) + game('F', 3) +
                       game('F', 3);
    StatisticsCount count = countStatistics(text, {});
    std::vector<HistogramBar> bars = histogramBars(count, StatisticsView::Levels);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(kHistogramHeight - bars[0].top, 100);
    EXPECT_EQ(kHistogramHeight - bars[1].top, 33);
    EXPECT_EQ(kHistogramHeight - bars[2].top, 66);
    EXPECT_EQ(count.successText(), "   50%");

    for (int i = 0; i < 298; ++i)
        text += game('W', 4);
    count = countStatistics(text, {});
    bars = histogramBars(count, StatisticsView::Levels);
    EXPECT_EQ(count.scale, 298u);
    EXPECT_EQ(kHistogramHeight - bars[0].top, 1);
    EXPECT_EQ(kHistogramHeight - bars[1].top, 0); // one game in 298: a bar of no height
    EXPECT_EQ(count.successText(), "   99%"); // 301 of 304
}

TEST(StatisticsHistogram, AxisLabelsPerView) {
    EXPECT_EQ(statisticsAxis(StatisticsView::Levels).labels(),
              (std::array<int, 11>{1, 30, 60, 90, 120, 150, 180, 210, 240, 270, 300}));
    EXPECT_EQ(statisticsAxis(StatisticsView::Score).labels(),
              (std::array<int, 11>{1, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    EXPECT_EQ(statisticsAxis(StatisticsView::Letters).spacing, 2);
}

TEST(StatisticsHistogram, DamagedLinesAreSkippedAndTheRestCount) {
    std::string text = game('W', 5);
    text += std::string("\0\xff,W,x\r\n", 8);
    text += "2026-12-07,W,99999999999,0,1,1,n,n,n\r\n"; // out of range: skipped
    text += ",W,7,0,5,16,n,n,n\n"; // the leading comma is dropped: fields shift, "n" is no number
    text += "2026-12-07,W,+8,0,5,16\r"; // a plus sign is read as before
    text += "\r\n\r\n";
    const StatisticsCount count = countStatistics(text, {});
    EXPECT_EQ(count.played, 2);
    EXPECT_EQ(count.bucket(5).wins, 1u);
    EXPECT_EQ(count.bucket(8).wins, 1u);
}

// The file is read in blocks; lines cut at a block's end must count exactly as in one text.
TEST(StatisticsHistogram, FileCountingMatchesTextCountingAcrossBlocks) {
    std::mt19937 random(13);
    std::string text;
    const char* breaks[] = {"\r\n", "\n", "\r"};
    while (text.size() < 300000) {
        std::string line = game("WFQ"[random() % 3], static_cast<int>(random() % 220),
                                static_cast<int>(random() % 130) - 10,
                                static_cast<int>(random() % 320), static_cast<int>(random() % 3) - 1,
                                random() % 2, "nVFR"[random() % 4], random() % 2);
        line.resize(line.size() - 2);
        text += line + breaks[random() % 3];
    }
    text += "2026-12-07,W,5,0,5,16"; // no line break at the end
    TempProgramFolder dir;
    dir.write("zq/stats.zq", text);
    for (StatisticsView v : {StatisticsView::Levels, StatisticsView::Letters, StatisticsView::Score}) {
        StatisticsFilter f = view(v);
        f.timedGames = v == StatisticsView::Score;
        const StatisticsCount fromFile = countStatisticsFile(dir.path("zq/stats.zq"), f);
        const StatisticsCount fromText = countStatistics(text, f);
        StatisticsCount fromEntries;
        for (const StatisticsEntry& e : readStatistics(text))
            fromEntries.add(e, f);
        EXPECT_GT(fromFile.played, 1000);
        EXPECT_EQ(fromFile.played, fromText.played);
        EXPECT_EQ(fromFile.played, fromEntries.played);
        EXPECT_EQ(fromFile.completed, fromEntries.completed);
        EXPECT_EQ(fromFile.scale, fromEntries.scale);
        for (int b = 1; b <= kStatisticsBuckets; ++b) {
            EXPECT_EQ(fromFile.bucket(b).wins, fromEntries.bucket(b).wins) << b;
            EXPECT_EQ(fromFile.bucket(b).losses, fromEntries.bucket(b).losses) << b;
        }
    }
}

// Lines in the written shape take a quicker path; whatever the bytes, it must agree with the
// general field rule line by line.
TEST(StatisticsHistogram, LineReaderAgreesWithTheFieldRuleOnMangledLines) {
    const std::string alphabet = "0123456789-+,WnDTVFRQ\r\n x";
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        std::mt19937 random(seed);
        std::string text = game("WF"[seed % 2], static_cast<int>(random() % 300),
                                static_cast<int>(random() % 200) - 100, static_cast<int>(random() % 999),
                                static_cast<int>(random() % 3) - 1, seed % 3 == 0, 'V', seed % 5 == 0);
        text += text;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < edits; ++i) {
            const std::size_t at = random() % text.size();
            const char c = alphabet[random() % alphabet.size()];
            switch (random() % 3) {
            case 0: text[at] = c; break;
            case 1: text.insert(at, 1, c); break;
            default: text.erase(at, 1 + random() % 12); break;
            }
            if (text.empty())
                text = "x";
        }
        const std::vector<StatisticsEntry> expected = entriesByTheFieldRule(text);
        const std::vector<StatisticsEntry> got = readStatistics(text);
        ASSERT_EQ(got.size(), expected.size()) << "seed " << seed << ": " << text;
        for (std::size_t i = 0; i < got.size(); ++i) {
            const auto fields = [](const StatisticsEntry& e) {
                return std::tuple(e.won, e.level, e.handicap, e.movesLeft, e.letterTotal,
                                  e.definitions, e.lockRule, e.timed);
            };
            ASSERT_EQ(fields(got[i]), fields(expected[i])) << "seed " << seed << ": " << text;
        }
    }
}

// Counting takes its own quick path over lines in the written shape; over mangled lines (signs,
// long numbers, missing or extra fields, stray breaks) it must count exactly what the general
// field rule gives, under every view and a filter that checks every field it reads.
TEST(StatisticsHistogram, CountingAgreesWithTheFieldRuleOnMangledLines) {
    const std::string alphabet = "0123456789-+,WnDTVFRQ\r\n x";
    std::mt19937 random(1313);
    std::string text;
    for (int i = 0; i < 4000; ++i) {
        std::string line = game("WF"[random() % 2], static_cast<int>(random() % 300) - 20,
                                static_cast<int>(random() % 200) - 100,
                                static_cast<int>(random() % 100000000) >> (random() % 27),
                                static_cast<int>(random() % 3) - 1, random() % 2,
                                "nV"[random() % 2], random() % 2);
        if (random() % 2 == 0) {
            const std::size_t at = random() % line.size();
            const char c = alphabet[random() % alphabet.size()];
            switch (random() % 3) {
            case 0: line[at] = c; break;
            case 1: line.insert(at, 1, c); break;
            default: line.erase(at, 1 + random() % 12); break;
            }
        }
        text += line;
    }
    const std::vector<StatisticsEntry> expected = entriesByTheFieldRule(text);
    for (int v = 0; v < 3; ++v) {
        for (int options = 0; options < 16; ++options) {
            StatisticsFilter f = view(static_cast<StatisticsView>(v));
            f.handicap = static_cast<HandicapFilter>(options % 4);
            f.withDefinitions = options & 4;
            f.withLockedLetters = options & 8;
            f.timedGames = options % 3 == 0;
            StatisticsCount want;
            for (const StatisticsEntry& e : expected)
                want.add(e, f);
            const StatisticsCount got = countStatistics(text, f);
            ASSERT_EQ(got.played, want.played) << v << " " << options;
            ASSERT_EQ(got.completed, want.completed);
            ASSERT_EQ(got.incomplete, want.incomplete);
            ASSERT_EQ(got.scale, want.scale);
            for (int b = 1; b <= kStatisticsBuckets; ++b) {
                ASSERT_EQ(got.bucket(b).wins, want.bucket(b).wins) << v << " " << b;
                ASSERT_EQ(got.bucket(b).losses, want.bucket(b).losses) << v << " " << b;
            }
        }
    }
}

// The general field rule's count of a text, line by line, for comparing with the counting.
StatisticsCount countByTheFieldRule(const std::string& text, const StatisticsFilter& filter) {
    StatisticsCount count;
    for (const StatisticsEntry& e : entriesByTheFieldRule(text))
        count.add(e, filter);
    return count;
}

// Every view with no filter and with filters that read the handicap and each option.
std::vector<StatisticsFilter> filtersReadingEveryField() {
    std::vector<StatisticsFilter> filters;
    for (int v = 0; v < 3; ++v)
        for (int h = 0; h < 4; ++h) {
            StatisticsFilter f = view(static_cast<StatisticsView>(v));
            f.handicap = static_cast<HandicapFilter>(h);
            filters.push_back(f);
            f.withDefinitions = h % 2 == 0;
            f.withLockedLetters = h >= 2;
            f.timedGames = h != 1;
            filters.push_back(f);
        }
    return filters;
}

::testing::AssertionResult countsAsTheFieldRule(const std::string& text) {
    for (const StatisticsFilter& f : filtersReadingEveryField()) {
        const StatisticsCount want = countByTheFieldRule(text, f);
        const StatisticsCount got = countStatistics(text, f);
        bool same = got.played == want.played && got.completed == want.completed &&
                    got.scale == want.scale;
        for (int b = 1; b <= kStatisticsBuckets; ++b)
            same = same && got.bucket(b).wins == want.bucket(b).wins &&
                   got.bucket(b).losses == want.bucket(b).losses;
        if (!same)
            return ::testing::AssertionFailure()
                   << "view " << static_cast<int>(f.view) << " handicap "
                   << static_cast<int>(f.handicap) << " options " << f.withDefinitions
                   << f.withLockedLetters << f.timedGames << ": played " << got.played
                   << " instead of " << want.played << " in\n" << text;
    }
    return ::testing::AssertionSuccess();
}

// Lines at the edges of what the quick count takes: number lengths around eight characters,
// signs, leading zeros, flags of other lengths, fields after the last flag, lines too long for it.
TEST(StatisticsHistogram, CountingAgreesWithTheFieldRuleAtTheEdgesOfTheWrittenShape) {
    const char* lines[] = {
        "2026-12-07,W,12345678,0,5,16,n,n,n", "2026-12-07,W,123456789,0,5,16,n,n,n",
        "2026-12-07,W,0000000000000042,0,5,16,n,n,n", "2026-12-07,W,5,-1234567,99999999,16,n,n,n",
        "2026-12-07,W,5,-12345678,5,16,n,n,n", "2026-12-07,W,007,-01,5,016,D,V,T,",
        "2026-12-07,W,5,-0,5,16,D,n,T,", "2026-12-07,W,5,00,5,16,n,V,n",
        "2026-12-07,W,5,01,5,16,D,V,T,", "2026-12-07,W,5,-001,5,16,D,V,T,",
        "2026-12-07,W,5,2,5,16,D,V,T,", "2026-12-07,W,5,-2,5,16,D,V,T,",
        "2026-12-07,W,5,10,5,16,D,V,T,", "2026-12-07,W,5,-10,5,16,D,V,T,",
        "2026-12-07,F,-5,0,5,16,n,n,n", "2026-12-07,F,5,0,-5,16,n,n,n",
        "2026-12-07,F,5,0,5,-16,n,n,n", "2026-12-07,W,5,--1,5,16,n,n,n",
        "2026-12-07,W,5,-,5,16,n,n,n", "2026-12-07,W,5,1-,5,16,n,n,n",
        "2026-12-07,W,+5,0,5,16,n,n,n", "2026-12-07,W,5,0,5,16,nn,n,n",
        "2026-12-07,W,5,0,5,16,n,,n", "2026-12-07,W,5,0,5,16,n,n,",
        "2026-12-07,W,5,0,5,16,n,n,n,x", "2026-12-07,W,5,0,5,16,n,n,T,,,",
        "2026-12-07,W,5,0,5,16,n,n,Tx", "2026-12-07,W,5,0,5,16,n,n", "2026-12-07,W,5,0,5,16",
        "2026-12-07,W,5,0,5,16,D,V,T,  and a comment long enough to run past the window",
        "2026-12-07,W,1,0,0,1,n,n,n", "2026-12-07,W,1,,0,1,n,n,n", "2026-12-07,W,,1,0,1,n,n,n",
        "2026-12-07,W,5,0.5,5,16,n,n,n", "2026-12-07,W,5/,0,5,16,n,n,n",
        "2026-12-07,WW,5,0,5,16,n,n,n", "2026-12-07,,5,0,5,16,n,n,n", "2026-12-7,W,5,0,5,16,n,n,n",
        "2026,12-07,W,5,0,5,16,n,n,n", ",2026-12-0,W,5,0,5,16,n,n,n", "2026-12-07,W,5,0,5,16,\x80,n,n",
        "2026-12-07,W,12345678,-1234567,12345678,12345678,D,V,T,",
        "2026-12-07,W,123456789,0,5,1,n,n,n", "2026-12-07,W,5,0,1,123456789,n,n,n",
        "2026-12-07,W,5,-12345678,1,1,n,n,n", "2026-12-07,W,5,-1,5,1234567890,D,V,T,",
        "2026-12-07,W,5,0,5,16,D,V,nx,", "2026-12-07,W,5,0,5,16,D,nx,n", "2026-12-07,W,5,0,5,16,nx,V,T",
    };
    for (const char* line : lines)
        for (const char* lineBreak : {"\r\n", ""})
            EXPECT_TRUE(countsAsTheFieldRule(std::string(48, '\n') + line + lineBreak +
                                             std::string(200, '\n')));
}

// Lines are found in blocks of bytes and the last bytes are counted apart: the same lines must
// count the same wherever they fall against those blocks, and whether the text ends in a break.
TEST(StatisticsHistogram, CountingAgreesWithTheFieldRuleWhereverLinesFall) {
    std::string lines = game('W', 5, 10, 16, -1, true, 'V', true) + game('F', 17, 0, 40, 1) +
                        "2026-12-07,W,5,0,5,16,n,n,n,x\n" + game('W', 250, 12, 300, 0) +
                        "\r\r" + game('Q', 0, -4, 12, 1, false, 'R') + "2026-12-07,W,9,0,5,16";
    for (std::size_t shift = 0; shift <= 140; ++shift)
        ASSERT_TRUE(countsAsTheFieldRule(std::string(shift, shift % 3 ? '\n' : '\r') + lines))
            << "shift " << shift;
    // A line longer than many blocks, before and at the end of the text.
    const std::string longLine = "2026-12-07,W,8,0,5,16,n,n,n," + std::string(1000, 'x');
    EXPECT_TRUE(countsAsTheFieldRule(lines + "\n" + longLine + "\r\n" + lines));
    EXPECT_TRUE(countsAsTheFieldRule(lines + "\n" + longLine));
    EXPECT_TRUE(countsAsTheFieldRule(longLine));
}

TEST(StatisticsHistogram, UnreadableFileThrowsFileError) {
    TempProgramFolder dir;
    EXPECT_THROW(countStatisticsFile(dir.path("zq"), {}), FileError);
}

} // namespace
} // namespace quorvel
