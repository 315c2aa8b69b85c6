// The statistics window's histogram without a window: filters, bucket counts, totals, bars, hover.
#pragma once

#include "records/Statistics.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

enum class StatisticsView { Levels, Letters, Score };
enum class HandicapFilter { Easy, Neutral, Harder, Overall };

// The window's "Show By", "By Handicap" and "By Options" choices. A checked option keeps only
// the games played with it; the lines kept satisfy every checked option.
struct StatisticsFilter {
    StatisticsView view = StatisticsView::Levels;
    HandicapFilter handicap = HandicapFilter::Overall;
    bool withDefinitions = false;
    bool withLockedLetters = false;
    bool timedGames = false;
};

// The paint box the bars are drawn in; the tallest bar fills all of it but the top row.
inline constexpr int kHistogramWidth = 604;
inline constexpr int kHistogramHeight = 101;
inline constexpr int kTallestBar = 100;
inline constexpr int kStatisticsBuckets = 400;

// The largest bucket of each view: games above it count in it.
inline constexpr int kLevelCap = 200;
inline constexpr int kLetterCap = 300;
inline constexpr int kScoreCap = 100;

// Bars are drawn for buckets 1..range, spacing pixels apart; the eleven axis labels are 1,
// step, 2 x step, ..., 9 x step and range.
struct StatisticsAxis {
    int range = 300;
    int step = 30;
    int spacing = 2;
    int penWidth = 1;
    std::array<int, 11> labels() const;
};

StatisticsAxis statisticsAxis(StatisticsView view);

// Counts are 32-bit, so no bucket wraps back to a short bar however long the history grows.
struct BucketCount {
    std::uint32_t wins = 0;
    std::uint32_t losses = 0;
};

struct StatisticsCount {
    std::array<BucketCount, kStatisticsBuckets + 1> buckets{}; // 1..400; 0 is never counted
    std::int64_t played = 0;
    std::int64_t completed = 0;
    std::int64_t incomplete = 0;
    std::uint32_t scale = 0; // the largest win or loss count of any bucket

    // Counts one game when it passes the filter and its value for the view is 1 or more.
    void add(const StatisticsEntry& game, const StatisticsFilter& filter);
    // Zero counts for a bucket outside 1..400 (a mouse dragged outside the paint box).
    BucketCount bucket(int number) const;
    std::string topText() const;     // the scale and " -", e.g. "0 -"
    std::string successText() const; // completed x 100 div played in five places, e.g. "   66%"
};

// Counts the lines of a statistics file's text (lines the reader skips are skipped).
StatisticsCount countStatistics(std::string_view text, const StatisticsFilter& filter);

// Counts the file block by block, so a huge history never has to fit in memory at once. A missing
// file counts as empty; throws FileError when the file exists but cannot be read.
StatisticsCount countStatisticsFile(const std::string& path, const StatisticsFilter& filter);

// One vertical bar: columns x .. x + width - 1, rows top .. kTallestBar (the bottom row).
struct HistogramBar {
    int x = 0;
    int top = 0;
    int width = 1;
    std::uint32_t colour = 0; // 0x00BBGGRR
};

inline constexpr std::uint32_t kWinColour = 0x008000;  // green
inline constexpr std::uint32_t kLossColour = 0x0000FF; // red

// Every bar to draw, in bucket order, the win bar of a bucket before its loss bar.
std::vector<HistogramBar> histogramBars(const StatisticsCount& count, StatisticsView view);

// The details label for the mouse at x in the paint box: where it goes and what it says.
struct HoverDetails {
    int left = 0;
    int bucket = 0;
    std::string text;
};

HoverDetails hoverDetails(const StatisticsCount& count, StatisticsView view, int x);

} // namespace quorvel
